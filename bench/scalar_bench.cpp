// Fixed-point arithmetic, rounding and bit counts beside the plain 64-bit or builtin formula, both
// inline (what a caller writes by hand) and behind a call (the cost of any exported function).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "tal/fixed.h"
#include "tal/integer.h"

namespace {

// Large enough that the branch predictor cannot learn the sequence.
constexpr size_t kCount = 1 << 16;

struct Inputs {
    std::vector<int32_t> fixA, fixB;  // 16.16: integers, halves and arbitrary fractions
    std::vector<int32_t> f24A, f24B;  // 8.24 pairs whose products and ratios stay in range
    std::vector<double> d;
    std::vector<uint32_t> u;
};

const Inputs& RandomInputs() {
    static const Inputs in = [] {
        Inputs v;
        std::mt19937 rng(42);
        const auto fixed = [&] {
            const int32_t x = int32_t(rng()) >> (8 + rng() % 16);
            return int32_t(uint32_t(x) << (rng() % 3 * 8));
        };
        for (size_t i = 0; i < kCount; ++i) {
            v.fixA.push_back(fixed());
            const int32_t b = fixed();
            v.fixB.push_back(b == 0 ? 0x10000 : b);
            v.f24A.push_back(int32_t(rng()) >> 5);  // |a| < 8.0
            const int32_t d = int32_t(rng() % (1u << 26)) + (1 << 22);
            v.f24B.push_back(rng() % 2 ? d : -d);  // 0.25 <= |b| < 4.25
            v.d.push_back((double(rng()) - 2147483648.0) / double(1u << (rng() % 20)));
            v.u.push_back(uint32_t(rng()) >> (rng() % 32));
        }
        return v;
    }();
    return in;
}

template <typename F>
void RunPairs(benchmark::State& state, const std::vector<int32_t>& as,
              const std::vector<int32_t>& bs, F f) {
    for (auto _ : state)
        for (size_t i = 0; i < kCount; ++i)
            benchmark::DoNotOptimize(f(as[i], bs[i]));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(kCount));
}

template <typename T, typename F>
void RunEach(benchmark::State& state, const std::vector<T>& xs, F f) {
    for (auto _ : state)
        for (T x : xs)
            benchmark::DoNotOptimize(f(x));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(xs.size()));
}

int32_t FixMulFloor(int32_t a, int32_t b) {
    return int32_t((int64_t(a) * b) >> 16);
}
// A plain 16.16 product behind a call: below Tal_FixMul by its rules (the trailing zeros that
// choose an exact or a lossy product, and the wrap test on the result).
__attribute__((noinline)) int32_t FixMulFloorCalled(int32_t a, int32_t b) {
    return FixMulFloor(a, b);
}

// 32 for 0 through a marker bit above the 32, so that no branch is taken.
int TrailingZeros(int32_t v) {
    const uint32_t m = v < 0 ? 0u - uint32_t(v) : uint32_t(v);
    return __builtin_ctzll(uint64_t(m) | (uint64_t(1) << 32));
}
uint32_t MaskIf(bool c) {
    return 0u - uint32_t(c);
}
// The floor of Tal_FixMul: its rules written out straight, every candidate product computed and
// one chosen by masks from the trailing zeros of the magnitudes, then the sign test for a wrap.
int32_t FixMulRules(int32_t a, int32_t b) {
    const int ta = TrailingZeros(a), tb = TrailingZeros(b);
    const int sa = ta < 16 ? ta : 16;
    const uint32_t wide = uint32_t(a >> 16) * uint32_t(b);
    const uint32_t split = uint32_t(b >> (16 - sa)) * uint32_t(a >> sa);
    const uint32_t lossy = uint32_t(a >> 8) * uint32_t(b >> 8);
    const uint32_t useWide = MaskIf(ta > 16), useSplit = ~useWide & MaskIf(ta + tb > 16);
    const uint32_t r = (wide & useWide) | (split & useSplit) | (lossy & ~(useWide | useSplit));
    const uint32_t negative = MaskIf((a ^ b) < 0);
    const uint32_t wrapped =
        (negative & MaskIf(int32_t(r) > 0)) | (~negative & (r >> 31 ? ~0u : 0u));
    return int32_t(r ^ ((r ^ 0x80000000u) & wrapped));
}
__attribute__((noinline)) int32_t FixMulRulesCalled(int32_t a, int32_t b) {
    return FixMulRules(a, b);
}
int16_t ClzFloor(uint32_t x) {
    return int16_t(x == 0 ? 32 : __builtin_clz(x));
}
__attribute__((noinline)) int16_t ClzFloorCalled(uint32_t x) {
    return ClzFloor(x);
}

void BM_FixMul(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB, Tal_FixMul);
}
void BM_FixMul_Floor64(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB, FixMulFloor);
}
void BM_FixMul_Floor64Called(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB, FixMulFloorCalled);
}
void BM_FixMul_FloorRules(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB, FixMulRules);
}
void BM_FixMul_FloorRulesCalled(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB, FixMulRulesCalled);
}
void BM_FixDiv(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB, Tal_FixDiv);
}
void BM_FixDiv_Floor64(benchmark::State& s) {
    RunPairs(s, RandomInputs().fixA, RandomInputs().fixB,
             [](int32_t a, int32_t b) { return int32_t(int64_t(a) * 65536 / b); });
}
void BM_Fix24Mul(benchmark::State& s) {
    RunPairs(s, RandomInputs().f24A, RandomInputs().f24B, Tal_Fix24Mul);
}
void BM_Fix24Mul_Floor64(benchmark::State& s) {
    RunPairs(s, RandomInputs().f24A, RandomInputs().f24B,
             [](int32_t a, int32_t b) { return int32_t((int64_t(a) * b + (1 << 23)) >> 24); });
}
void BM_Fix24Ratio(benchmark::State& s) {
    RunPairs(s, RandomInputs().f24A, RandomInputs().f24B, Tal_Fix24Ratio);
}
void BM_Fix24Ratio_Floor64(benchmark::State& s) {
    RunPairs(s, RandomInputs().f24A, RandomInputs().f24B,
             [](int32_t a, int32_t b) { return int32_t(int64_t(a) * 16777216 / b); });
}
void BM_RoundDouble(benchmark::State& s) {
    RunEach(s, RandomInputs().d, Tal_RoundDouble);
}
void BM_RoundDouble_Floor(benchmark::State& s) {
    RunEach(s, RandomInputs().d, [](double d) { return int32_t(std::floor(d + 0.5)); });
}
void BM_LeadingZeros(benchmark::State& s) {
    RunEach(s, RandomInputs().u, Tal_LeadingZeros);
}
void BM_LeadingZeros_Builtin(benchmark::State& s) {
    RunEach(s, RandomInputs().u, ClzFloor);
}
void BM_LeadingZeros_BuiltinCalled(benchmark::State& s) {
    RunEach(s, RandomInputs().u, ClzFloorCalled);
}

}  // namespace

BENCHMARK(BM_FixMul);
BENCHMARK(BM_FixMul_Floor64);
BENCHMARK(BM_FixMul_Floor64Called);
BENCHMARK(BM_FixMul_FloorRules);
BENCHMARK(BM_FixMul_FloorRulesCalled);
BENCHMARK(BM_FixDiv);
BENCHMARK(BM_FixDiv_Floor64);
BENCHMARK(BM_Fix24Mul);
BENCHMARK(BM_Fix24Mul_Floor64);
BENCHMARK(BM_Fix24Ratio);
BENCHMARK(BM_Fix24Ratio_Floor64);
BENCHMARK(BM_RoundDouble);
BENCHMARK(BM_RoundDouble_Floor);
BENCHMARK(BM_LeadingZeros);
BENCHMARK(BM_LeadingZeros_Builtin);
BENCHMARK(BM_LeadingZeros_BuiltinCalled);
