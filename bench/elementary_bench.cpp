// Each elementary function beside glibc's on the same 1024 inputs (typical ranges, where the fast
// path decides), one call per item: time per iteration / 1024 = ns per call. Unary and Binary
// sum independent calls (throughput); Chain feeds each result into the next argument (latency,
// what a caller waiting on the value pays).
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "elementary/elementary.h"

namespace {

constexpr int kCount = 1024;

std::vector<double> Uniform(double lo, double hi, unsigned seed) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> d(lo, hi);
    std::vector<double> v(kCount);
    for (double& x : v)
        x = d(rng);
    return v;
}

// Called through a pointer for both libraries alike. Independent calls are summed; dependent ones
// take x + p * 0, which is x for the finite results here but cannot start before p is known.
template <bool Dependent, class Call>
void Run(benchmark::State& state, const Call& call, const std::vector<double>& y,
         const std::vector<double>& x) {
    for (auto _ : state) {
        double p = 0;
        for (int i = 0; i < kCount; ++i)
            p = Dependent ? call(y[i] + p * 0.0, x[i]) : p + call(y[i], x[i]);
        benchmark::DoNotOptimize(p);
    }
    state.SetItemsProcessed(state.iterations() * kCount);
}

template <bool Dependent>
void RunUnary(benchmark::State& state, double (*f)(double), double lo, double hi) {
    const std::vector<double> in = Uniform(lo, hi, 1);
    Run<Dependent>(
        state, [f](double y, double) { return f(y); }, in, in);
}
template <bool Dependent>
void RunBinary(benchmark::State& state, double (*f)(double, double)) {
    Run<Dependent>(state, f, Uniform(-10, 10, 2), Uniform(-10, 10, 3));
}
const auto Unary = RunUnary<false>;
const auto Chain = RunUnary<true>;
const auto Binary = RunBinary<false>;
const auto BinaryChain = RunBinary<true>;

double SinPlusCos(double x) {
    double s, c;
    Talp_SinCos(x, &s, &c);
    return s + c;
}
double GlibcSinPlusCos(double x) {
    return std::sin(x) + std::cos(x);
}

constexpr double kPi = 3.141592653589793;

}  // namespace

// glibc's functions through captureless lambdas: std:: overload sets have no single address.
BENCHMARK_CAPTURE(Unary, Sin, Talp_Sin, -kPi, kPi);
BENCHMARK_CAPTURE(
    Unary, GlibcSin, [](double x) { return std::sin(x); }, -kPi, kPi);
BENCHMARK_CAPTURE(Unary, SinLarge, Talp_Sin, -1e5, 1e5);
BENCHMARK_CAPTURE(
    Unary, GlibcSinLarge, [](double x) { return std::sin(x); }, -1e5, 1e5);
BENCHMARK_CAPTURE(Unary, SinHuge, Talp_Sin, -1e300, 1e300);
BENCHMARK_CAPTURE(
    Unary, GlibcSinHuge, [](double x) { return std::sin(x); }, -1e300, 1e300);
BENCHMARK_CAPTURE(Unary, Cos, Talp_Cos, -kPi, kPi);
BENCHMARK_CAPTURE(
    Unary, GlibcCos, [](double x) { return std::cos(x); }, -kPi, kPi);
BENCHMARK_CAPTURE(Unary, SinCos, SinPlusCos, -kPi, kPi);
BENCHMARK_CAPTURE(Unary, GlibcSinAndCos, GlibcSinPlusCos, -kPi, kPi);
BENCHMARK_CAPTURE(Unary, Tan, Talp_Tan, -kPi, kPi);
BENCHMARK_CAPTURE(
    Unary, GlibcTan, [](double x) { return std::tan(x); }, -kPi, kPi);
BENCHMARK_CAPTURE(Unary, Asin, Talp_Asin, -1, 1);
BENCHMARK_CAPTURE(
    Unary, GlibcAsin, [](double x) { return std::asin(x); }, -1, 1);
BENCHMARK_CAPTURE(Unary, Acos, Talp_Acos, -1, 1);
BENCHMARK_CAPTURE(
    Unary, GlibcAcos, [](double x) { return std::acos(x); }, -1, 1);
BENCHMARK_CAPTURE(Unary, Atan, Talp_Atan, -10, 10);
BENCHMARK_CAPTURE(
    Unary, GlibcAtan, [](double x) { return std::atan(x); }, -10, 10);
BENCHMARK_CAPTURE(Binary, Atan2, Talp_Atan2);
BENCHMARK_CAPTURE(Binary, GlibcAtan2, [](double y, double x) { return std::atan2(y, x); });

// Latency on the angles the rotations and slerp take.
BENCHMARK_CAPTURE(Chain, Sin, Talp_Sin, 0, 1.5);
BENCHMARK_CAPTURE(
    Chain, GlibcSin, [](double x) { return std::sin(x); }, 0, 1.5);
BENCHMARK_CAPTURE(Chain, Cos, Talp_Cos, 0, 1.5);
BENCHMARK_CAPTURE(
    Chain, GlibcCos, [](double x) { return std::cos(x); }, 0, 1.5);
BENCHMARK_CAPTURE(Chain, SinCos, SinPlusCos, 0, 1.5);
BENCHMARK_CAPTURE(Chain, GlibcSinAndCos, GlibcSinPlusCos, 0, 1.5);
BENCHMARK_CAPTURE(Chain, Tan, Talp_Tan, 0, 1.5);
BENCHMARK_CAPTURE(
    Chain, GlibcTan, [](double x) { return std::tan(x); }, 0, 1.5);
BENCHMARK_CAPTURE(Chain, Asin, Talp_Asin, -1, 1);
BENCHMARK_CAPTURE(
    Chain, GlibcAsin, [](double x) { return std::asin(x); }, -1, 1);
BENCHMARK_CAPTURE(Chain, Acos, Talp_Acos, 0, 1);
BENCHMARK_CAPTURE(
    Chain, GlibcAcos, [](double x) { return std::acos(x); }, 0, 1);
BENCHMARK_CAPTURE(Chain, Atan, Talp_Atan, -10, 10);
BENCHMARK_CAPTURE(
    Chain, GlibcAtan, [](double x) { return std::atan(x); }, -10, 10);
BENCHMARK_CAPTURE(BinaryChain, Atan2, Talp_Atan2);
BENCHMARK_CAPTURE(BinaryChain, GlibcAtan2, [](double y, double x) { return std::atan2(y, x); });
