// Building the lookup tables (per entry), against the plain per-entry division, and a loan round
// trip.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "frame/frame_internal.h"

namespace {

void SetEntries(benchmark::State& state, int entries) {
    state.SetItemsProcessed(int64_t(state.iterations()) * entries);
    state.counters["ns/entry"] =
        benchmark::Counter(double(state.iterations()) * entries,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_FillMulTable(benchmark::State& state) {
    std::vector<uint8_t> t(Tal_CharTableSize);
    for (auto _ : state) {
        Talp_FillMulTable(t.data());
        benchmark::DoNotOptimize(t.data());
        benchmark::ClobberMemory();
    }
    SetEntries(state, Tal_CharTableSize);
}
BENCHMARK(BM_FillMulTable);

void BM_FillDivTable(benchmark::State& state) {
    std::vector<uint8_t> t(Tal_CharTableSize);
    for (auto _ : state) {
        Talp_FillDivTable(t.data());
        benchmark::DoNotOptimize(t.data());
        benchmark::ClobberMemory();
    }
    SetEntries(state, Tal_CharTableSize);
}
BENCHMARK(BM_FillDivTable);

void BM_FillSineTable(benchmark::State& state) {
    float t[Tal_SineTableSize];
    for (auto _ : state) {
        Talp_FillSineTable(t);
        benchmark::DoNotOptimize(t);
        benchmark::ClobberMemory();
    }
    SetEntries(state, Tal_SineTableSize);
}
BENCHMARK(BM_FillSineTable);

// The formulas written plainly, one division (or one sin) per entry: the baseline. The divisors
// come through a volatile so the compiler cannot turn them into the multiplications used above.
volatile uint32_t g_zero = 0;

void BM_DivisionPerEntryBothCharTables(benchmark::State& state) {
    std::vector<uint8_t> mul(Tal_CharTableSize), div(Tal_CharTableSize);
    for (auto _ : state) {
        const uint32_t zero = g_zero;
        for (uint32_t i = 0; i < 256; ++i) {
            for (uint32_t j = 0; j < 256; ++j) {
                mul[i * 256 + j] = uint8_t((i * j + 127) / (255 + zero));
                div[i * 256 + j] = j >= i ? 255 : uint8_t((j * 255 + (i >> 1)) / (i + zero));
            }
        }
        benchmark::DoNotOptimize(mul.data());
        benchmark::DoNotOptimize(div.data());
        benchmark::ClobberMemory();
    }
    SetEntries(state, 2 * Tal_CharTableSize);
}
BENCHMARK(BM_DivisionPerEntryBothCharTables);

void BM_SinPerEntry(benchmark::State& state) {
    float t[Tal_SineTableSize];
    const double halfPi = 2.0 * std::atan(1.0);
    for (auto _ : state) {
        for (int k = 0; k < Tal_SineTableSize; ++k)
            t[k] = float(std::sin(k / 255.0 * halfPi));
        benchmark::DoNotOptimize(t);
        benchmark::ClobberMemory();
    }
    SetEntries(state, Tal_SineTableSize);
}
BENCHMARK(BM_SinPerEntry);

void BM_PrepareUnprepareFCMD(benchmark::State& state) {
    std::memset(&Talp_G, 0, sizeof Talp_G);
    Tal_Birth(Tal_Service_FCMD, nullptr);
    const uint8_t* mul = nullptr;
    const uint8_t* div = nullptr;
    uint8_t ok = 0;
    for (auto _ : state) {
        Tal_PrepareFCMD(1, 0, &ok, &mul, &div);
        benchmark::DoNotOptimize(mul);
        Tal_UnprepareFCMD();
    }
    Tal_Death();
}
BENCHMARK(BM_PrepareUnprepareFCMD);

void BM_PrepareUnprepareFTrig(benchmark::State& state) {
    std::memset(&Talp_G, 0, sizeof Talp_G);
    Tal_Birth(Tal_Service_FAST_TRIG, nullptr);
    const float* sine = nullptr;
    uint8_t ok = 0;
    for (auto _ : state) {
        Tal_PrepareFTrig(1, 0, &ok, &sine);
        benchmark::DoNotOptimize(sine);
        Tal_UnprepareFTrig();
    }
    Tal_Death();
}
BENCHMARK(BM_PrepareUnprepareFTrig);

}  // namespace
