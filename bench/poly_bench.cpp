// Point in polygon: the quad shortcut, and outlines of 16 to 4096 vertices with and without a
// tolerance band, beside a plain crossing-number loop (the floor) and Boost.Geometry's within.
#include <benchmark/benchmark.h>

#include <cmath>
#include <random>
#include <vector>

#include "tal/poly.h"

#if TAL_BENCH_HAVE_BOOST
#include <boost/geometry.hpp>
#include <boost/geometry/geometries/point_xy.hpp>
#include <boost/geometry/geometries/polygon.hpp>
#endif

namespace {

typedef Tal_Vector2T<double> V2;

constexpr double kPi = 3.141592653589793;  // M_PI is not standard C++: MinGW and MSVC lack it

// A star-shaped outline about the origin with a ragged rim, so that rays cross it several times.
std::vector<V2> Outline(int n) {
    std::mt19937_64 rng{uint64_t(n)};
    std::uniform_real_distribution<double> radius(50, 100);
    std::vector<V2> v;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * kPi * i / n, r = radius(rng);
        v.push_back({r * std::cos(a), r * std::sin(a)});
    }
    return v;
}

// Query points spread over the outline's box: about half inside.
std::vector<V2> Queries() {
    std::mt19937_64 rng(5);
    std::uniform_real_distribution<double> c(-100, 100);
    std::vector<V2> q(256);
    for (V2& p : q)
        p = {c(rng), c(rng)};
    return q;
}

// The classic few-line even-odd loop: horizontal ray, vertices straddling in y.
bool PlainCrossing(const V2* v, long n, const V2& p) {
    bool c = false;
    for (long i = 0, j = n - 1; i < n; j = i++) {
        if (((v[i].y > p.y) != (v[j].y > p.y)) &&
            (p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x))
            c = !c;
    }
    return c;
}

void BM_Quad(benchmark::State& state) {
    const V2 quad[4] = {{-40, -50}, {60, -45}, {55, 70}, {-50, 40}};
    const std::vector<V2> q = Queries();
    size_t k = 0;
    for (auto _ : state) {
        unsigned char inside;
        Tal_IsFloatPointInQuad(&q[k++ & 255], quad, &inside);
        benchmark::DoNotOptimize(inside);
    }
}
BENCHMARK(BM_Quad);

void BM_PlainCrossingQuad(benchmark::State& state) {
    const V2 quad[4] = {{-40, -50}, {60, -45}, {55, 70}, {-50, 40}};
    const std::vector<V2> q = Queries();
    size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainCrossing(quad, 4, q[k++ & 255]));
}
BENCHMARK(BM_PlainCrossingQuad);

template <typename T>
void OutlineBench(benchmark::State& state, double tolerance) {
    const std::vector<V2> vd = Outline(int(state.range(0)));
    std::vector<T> v;
    for (const V2& p : vd)
        v.push_back({decltype(T::x)(p.x), decltype(T::x)(p.y)});
    std::vector<T> q;
    for (const V2& p : Queries())
        q.push_back({decltype(T::x)(p.x), decltype(T::x)(p.y)});
    size_t k = 0;
    for (auto _ : state) {
        unsigned char inside;
        Tal_IsFloatPointInConcavePoly(&q[k++ & 255], v.data(), long(v.size()), tolerance, &inside);
        benchmark::DoNotOptimize(inside);
    }
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

void BM_OutlineDouble(benchmark::State& state) {
    OutlineBench<V2>(state, 0.0);
}
void BM_OutlineDoubleTolerance(benchmark::State& state) {
    OutlineBench<V2>(state, 0.5);
}
void BM_OutlineFloat(benchmark::State& state) {
    OutlineBench<Tal_Vector2T<float>>(state, 0.0);
}
BENCHMARK(BM_OutlineDouble)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_OutlineDoubleTolerance)->Arg(16)->Arg(256)->Arg(4096);
BENCHMARK(BM_OutlineFloat)->Arg(16)->Arg(256)->Arg(4096);

void BM_PlainCrossing(benchmark::State& state) {
    const std::vector<V2> v = Outline(int(state.range(0)));
    const std::vector<V2> q = Queries();
    size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(PlainCrossing(v.data(), long(v.size()), q[k++ & 255]));
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_PlainCrossing)->Arg(16)->Arg(256)->Arg(4096);

#if TAL_BENCH_HAVE_BOOST
namespace bg = boost::geometry;
typedef bg::model::d2::point_xy<double> BPoint;

void BM_BoostWithin(benchmark::State& state) {
    bg::model::polygon<BPoint, false> poly;  // counter-clockwise, like the outlines
    for (const V2& p : Outline(int(state.range(0))))
        bg::append(poly.outer(), BPoint(p.x, p.y));
    bg::correct(poly);
    std::vector<BPoint> q;
    for (const V2& p : Queries())
        q.emplace_back(p.x, p.y);
    size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(bg::within(q[k++ & 255], poly));
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}
BENCHMARK(BM_BoostWithin)->Arg(4)->Arg(16)->Arg(256)->Arg(4096);
#endif

}  // namespace
