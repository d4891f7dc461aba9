// Ratio arithmetic on random operands, split by path: the exact 32-bit path (frame-rate sized
// terms) and the fallback (reduction tried, then the double and the nearest-fraction search).
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "scalar/ratio_internal.h"
#include "tal/ratio.h"

#if TAL_BENCH_HAVE_BOOST
#include <boost/rational.hpp>
#endif

namespace {

constexpr size_t kCount = 1 << 12;

struct Pairs {
    std::vector<Tal_Ratio> a, b;
    std::vector<double> d;
};

enum Path { kExact = 0, kFallback = 1, kOneTimeBase = 2 };

// Exact: numerators below 2^12 and denominators below 2^10, whose sums and products fit.
// Fallback: full-width coprime-looking terms whose sums and products cannot fit.
// One time base: exact operands sharing their denominator, as time stamps of one stream do.
const Pairs& Inputs(int path) {
    static const auto make = [](bool small) {
        Pairs p;
        std::mt19937 rng(small ? 7 : 11);
        const auto ratio = [&] {
            if (small) {
                const int32_t num = int32_t(rng() % 8192) - 4096;
                return Tal_Ratio{num, uint32_t(1 + rng() % 1023)};
            }
            return Tal_Ratio{int32_t(rng() | 0x40000001u), uint32_t(rng() | 0x80000001u)};
        };
        for (size_t i = 0; i < kCount; ++i) {
            p.a.push_back(ratio());
            p.b.push_back(ratio());
            // Whole numbers and fractions for the nearest-fraction search.
            const double unit = double(rng()) / 4294967296.0;
            p.d.push_back(small ? unit : unit * 1e6 + 1.0);
        }
        return p;
    };
    static const Pairs exactPairs = make(true);
    static const Pairs fallbackPairs = make(false);
    static const Pairs oneBasePairs = [] {
        Pairs p = make(true);
        for (size_t i = 0; i < kCount; ++i)
            p.b[i].den = p.a[i].den;
        return p;
    }();
    return path == kExact ? exactPairs : path == kFallback ? fallbackPairs : oneBasePairs;
}

// Calls step(i) over the inputs in turn, one index per iteration.
template <typename Step>
void Cycle(benchmark::State& state, Step step) {
    size_t i = 0;
    for (auto _ : state) {
        step(i);
        i = (i + 1) & (kCount - 1);
    }
}

template <Tal_Err (*Operation)(const Tal_Ratio*, const Tal_Ratio*, Tal_Ratio*, Tal_RatioStatus*)>
void BM_Operation(benchmark::State& state) {
    const Pairs& in = Inputs(int(state.range(0)));
    Cycle(state, [&](size_t i) {
        Tal_Ratio out;
        Tal_RatioStatus status = Tal_RatioStatus_APPROXIMATED;
        Operation(&in.a[i], &in.b[i], &out, &status);
        benchmark::DoNotOptimize(out);
    });
}

// Boost is faster because its < only orders; Tal returns the numerator of the exact a - b, which
// takes the gcd of the denominators whenever they differ.
void BM_Compare(benchmark::State& state) {
    const Pairs& in = Inputs(int(state.range(0)));
    Cycle(state, [&](size_t i) {
        int32_t order;
        Tal_CompareRatio(&in.a[i], &in.b[i], &order);
        benchmark::DoNotOptimize(order);
    });
}

// The floor of the comparison on its exact path: the subtraction's gcd, scale factors, overflow
// predictions, products and sum inline in the loop, without the call, the zero checks and the
// fallback that Tal_CompareRatio cannot leave out.
void BM_Floor_Compare(benchmark::State& state) {
    const Pairs& in = Inputs(int(state.range(0)));
    Cycle(state, [&](size_t i) {
        Tal_Ratio difference{};
        Talp_TrySum(in.a[i], -in.b[i].num, in.b[i].den, &difference);
        benchmark::DoNotOptimize(difference.num);
    });
}

// Order only, the job of Boost's <.
void BM_Min(benchmark::State& state) {
    const Pairs& in = Inputs(int(state.range(0)));
    Cycle(state, [&](size_t i) {
        Tal_Ratio out;
        Tal_MinRatio(&in.a[i], &in.b[i], &out);
        benchmark::DoNotOptimize(out);
    });
}

// 0: fractions in (0, 1), 1: values from 1 to a million.
void BM_FpLong2Ratio(benchmark::State& state) {
    const Pairs& in = Inputs(int(state.range(0)));
    Cycle(state, [&](size_t i) {
        Tal_Ratio out;
        uint8_t overflow;
        Tal_FpLong2Ratio(in.d[i], &out, &overflow);
        benchmark::DoNotOptimize(out);
    });
}

// path: 0 exact, 1 fallback, 2 exact on one time base.
BENCHMARK_TEMPLATE(BM_Operation, Tal_AddRatio)->ArgName("path")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK_TEMPLATE(BM_Operation, Tal_MulRatio)->ArgName("path")->Arg(0)->Arg(1);
BENCHMARK(BM_Compare)->ArgName("path")->Arg(0)->Arg(1)->Arg(2);
BENCHMARK(BM_Floor_Compare)->ArgName("path")->Arg(0)->Arg(2);
BENCHMARK(BM_Min)->ArgName("path")->Arg(0)->Arg(1);
BENCHMARK(BM_FpLong2Ratio)->ArgName("whole")->Arg(0)->Arg(1);

#if TAL_BENCH_HAVE_BOOST
// A general-purpose rational for scale, normalised after every operation: 64-bit terms, and
// 32-bit terms like Tal's (where the small exact operands cannot overflow).
template <typename Int, typename Op>
void BoostRational(benchmark::State& state, Op op) {
    const Pairs& in = Inputs(kExact);
    std::vector<boost::rational<Int>> a, b;
    for (size_t k = 0; k < kCount; ++k) {
        a.emplace_back(Int(in.a[k].num), Int(in.a[k].den));
        b.emplace_back(Int(in.b[k].num), Int(in.b[k].den));
    }
    Cycle(state, [&](size_t i) { benchmark::DoNotOptimize(op(a[i], b[i])); });
}
template <typename Int>
void BM_BoostRationalAdd(benchmark::State& state) {
    BoostRational<Int>(state, [](const auto& x, const auto& y) { return x + y; });
}
template <typename Int>
void BM_BoostRationalMul(benchmark::State& state) {
    BoostRational<Int>(state, [](const auto& x, const auto& y) { return x * y; });
}
template <typename Int>
void BM_BoostRationalLess(benchmark::State& state) {
    BoostRational<Int>(state, [](const auto& x, const auto& y) { return x < y; });
}
BENCHMARK_TEMPLATE(BM_BoostRationalAdd, int64_t);
BENCHMARK_TEMPLATE(BM_BoostRationalAdd, int32_t);
BENCHMARK_TEMPLATE(BM_BoostRationalMul, int64_t);
BENCHMARK_TEMPLATE(BM_BoostRationalLess, int32_t);
#endif

}  // namespace
