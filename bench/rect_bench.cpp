// Rectangle intersection, union and fixed-to-integer conversion over rotating inputs (a mix of
// overlapping, disjoint and empty pairs), each beside the plain inline formula as the floor.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>
#include <vector>

#include "tal/rect.h"

namespace {

constexpr size_t kCount = 1024;

std::vector<Tal_LRect> LRects() {
    std::mt19937 rng(5);
    std::uniform_int_distribution<int32_t> c(-1000, 1000);
    std::vector<Tal_LRect> v(kCount);
    for (Tal_LRect& r : v)
        r = {c(rng), c(rng), c(rng), c(rng)};  // about three quarters come out empty or inverted
    for (size_t i = 0; i < kCount; i += 2)
        v[i] = {std::min(v[i].left, v[i].right), std::min(v[i].top, v[i].bottom),
                std::max(v[i].left, v[i].right), std::max(v[i].top, v[i].bottom)};
    return v;
}

void BM_Tal_SectLRect(benchmark::State& state) {
    const std::vector<Tal_LRect> v = LRects();
    size_t k = 0;
    Tal_LRect out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Tal_SectLRect(&v[k & 1023], &v[(k + 1) & 1023], &out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_Tal_SectLRect);

void BM_Tal_SectRect(benchmark::State& state) {
    const std::vector<Tal_LRect> l = LRects();
    std::vector<Tal_Rect> v(kCount);
    for (size_t i = 0; i < kCount; ++i)
        Tal_SetRect(&v[i], int16_t(l[i].left), int16_t(l[i].top), int16_t(l[i].right),
                    int16_t(l[i].bottom));
    size_t k = 0;
    Tal_Rect out;
    for (auto _ : state) {
        benchmark::DoNotOptimize(Tal_SectRect(&v[k & 1023], &v[(k + 1) & 1023], &out));
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_Tal_SectRect);

// Floor: the same intersection written inline, no call.
void BM_InlineSect(benchmark::State& state) {
    const std::vector<Tal_LRect> v = LRects();
    size_t k = 0;
    Tal_LRect out;
    for (auto _ : state) {
        const Tal_LRect& a = v[k & 1023];
        const Tal_LRect& b = v[(k + 1) & 1023];
        const Tal_LRect s{std::max(a.left, b.left), std::max(a.top, b.top),
                          std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
        const bool ok = a.left < a.right && a.top < a.bottom && b.left < b.right &&
                        b.top < b.bottom && s.left < s.right && s.top < s.bottom;
        out = ok ? s : Tal_LRect{0, 0, 0, 0};
        benchmark::DoNotOptimize(ok);
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_InlineSect);

void BM_Tal_UnionLRect(benchmark::State& state) {
    const std::vector<Tal_LRect> v = LRects();
    size_t k = 0;
    Tal_LRect out;
    for (auto _ : state) {
        Tal_UnionLRect(&v[k & 1023], &v[(k + 1) & 1023], &out);
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_Tal_UnionLRect);

std::vector<Tal_FixedRect> FixedRects() {
    std::mt19937 rng(9);
    std::uniform_int_distribution<int32_t> c(-(1000 << 16), 1000 << 16);
    std::vector<Tal_FixedRect> v(kCount);
    for (Tal_FixedRect& r : v)
        r = {c(rng), c(rng), c(rng), c(rng)};
    return v;
}

void BM_Tal_FixedRect2LRectOut(benchmark::State& state) {
    const std::vector<Tal_FixedRect> v = FixedRects();
    size_t k = 0;
    Tal_LRect out;
    for (auto _ : state) {
        Tal_FixedRect2LRectOut(&v[k & 1023], &out);
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_Tal_FixedRect2LRectOut);

void BM_Tal_FixedRect2Rect(benchmark::State& state) {
    const std::vector<Tal_FixedRect> v = FixedRects();
    size_t k = 0;
    Tal_Rect out;
    for (auto _ : state) {
        Tal_FixedRect2Rect(&v[k & 1023], &out);
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_Tal_FixedRect2Rect);

// Floor: floor and ceiling shifts written inline (no 16-bit wrap), no call.
void BM_InlineFixedToLRectOut(benchmark::State& state) {
    const std::vector<Tal_FixedRect> v = FixedRects();
    size_t k = 0;
    Tal_LRect out;
    for (auto _ : state) {
        const Tal_FixedRect& f = v[k & 1023];
        out = {f.left >> 16, f.top >> 16, (f.right + 0xFFFF) >> 16, (f.bottom + 0xFFFF) >> 16};
        benchmark::DoNotOptimize(out);
        ++k;
    }
}
BENCHMARK(BM_InlineFixedToLRectOut);

}  // namespace
