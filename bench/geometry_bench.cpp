// Line distance and the two clippers, over rotating inputs so that every branch is taken.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "tal/geometry.h"
#include "tal/rect.h"

namespace {

typedef Tal_Vector2T<double> V2;

std::vector<double> Coordinates(double lo, double hi) {
    std::mt19937_64 rng(17);
    std::uniform_real_distribution<double> c(lo, hi);
    std::vector<double> v(1024);
    for (double& x : v)
        x = c(rng);
    return v;
}

void BM_PerpDistTo2DLine(benchmark::State& state) {
    const std::vector<double> c = Coordinates(-100, 100);
    size_t k = 0;
    for (auto _ : state) {
        const V2 p{c[k & 1023], c[(k + 1) & 1023]}, a{c[(k + 2) & 1023], c[(k + 3) & 1023]},
            b{c[(k + 4) & 1023], c[(k + 5) & 1023]};
        unsigned char within;
        double distance;
        Tal_PerpDistTo2DLine(&p, &a, &b, &within, &distance);
        benchmark::DoNotOptimize(distance);
        benchmark::DoNotOptimize(within);
        k += 6;
    }
}
BENCHMARK(BM_PerpDistTo2DLine);

void BM_Clip3DLine(benchmark::State& state) {
    const std::vector<double> c = Coordinates(-2, 10);
    size_t k = 0;
    for (auto _ : state) {
        const double* a = &c[k & 1015];
        const double* b = &c[(k + 3) & 1015];
        unsigned char aBehind, bBehind;
        double clipped[3];
        Tal_Clip3DLine(a, b, &aBehind, &bBehind, clipped);
        benchmark::DoNotOptimize(clipped);
        k += 6;
    }
}
BENCHMARK(BM_Clip3DLine);

void BM_ClipLine2Rect(benchmark::State& state) {
    const std::vector<double> c = Coordinates(-50, 150);
    const Tal_FloatRect r{0, 0, 100, 100};
    size_t k = 0;
    for (auto _ : state) {
        V2 p0{c[k & 1023], c[(k + 1) & 1023]}, p1{c[(k + 2) & 1023], c[(k + 3) & 1023]};
        unsigned char visible;
        Tal_ClipLine2Rect(&r, &p0, &p1, &visible);
        benchmark::DoNotOptimize(p0);
        benchmark::DoNotOptimize(p1);
        benchmark::DoNotOptimize(visible);
        k += 4;
    }
}
BENCHMARK(BM_ClipLine2Rect);

}  // namespace
