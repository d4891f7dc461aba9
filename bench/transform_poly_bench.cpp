// Transform polygons: the host's whole request for one layer (corners, to eye, to screen, outline,
// 16 hit tests), and each stage alone, over placements that clip 0 to 4 corners. Objects are
// reused, so after the first outline nothing allocates: the "blocks" counter would show any
// outline block taken after the first.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "tal/matrix.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> V2;

const V2 kLayer[4] = {{0, 0}, {640, 0}, {640, 480}, {0, 480}};
// Eye to screen: 800-pixel focal length about the centre of a 1280 x 960 view, W = z.
const Tal_Matrix4 kProjection{{{800, 0, 0, 0}, {0, 800, 0, 0}, {640, 480, 1, 1}, {0, 0, 0, 0}}};

// Layer-to-eye placements: the layer centred, turned and pushed to depths near the eye, so that
// about a third of them cross the near plane.
std::vector<Tal_Matrix4> Placements() {
    std::mt19937_64 rng(9);
    std::uniform_real_distribution<double> angle(-1.2, 1.2), depth(0.2, 3);
    std::vector<Tal_Matrix4> out(64);
    for (Tal_Matrix4& m : out)
        m.SetIdentity()
            .Translate(-320, -240, 0)
            .Scale(1.0 / 640, 1.0 / 640, 1)
            .RotateXYZ(angle(rng), angle(rng), 0)
            .Translate(0, 0, depth(rng));
    return out;
}

// A 4 x 4 grid of hit points over the view.
std::vector<V2> HitGrid() {
    std::vector<V2> g;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            g.push_back({160.0 + 320 * x, 120.0 + 240 * y});
    return g;
}

void SetCorners(Tal_TransformPoly3D& p) {
    for (long i = 0; i < 4; ++i)
        p.SetLayerPoint(i, kLayer[i]);
}

// Counts outline blocks taken after the first: the outline must stay in place.
struct BlockWatch {
    const V2* block = nullptr;
    int64_t moves = -1;
    void See(const Tal_TransformPoly3D& p) {
        if (p.GetPolyPoints() != block) ++moves, block = p.GetPolyPoints();
    }
};

void BM_TypicalRequest(benchmark::State& state) {
    const std::vector<Tal_Matrix4> placements = Placements();
    const std::vector<V2> grid = HitGrid();
    Tal_TransformPoly3D p;
    BlockWatch watch;
    size_t k = 0;
    for (auto _ : state) {
        SetCorners(p);
        p.TransformPointsToEye(placements[k++ & 63]);
        p.TransformPointsToScreen(kProjection);
        p.InitPolyPoints();
        int inside = 0;
        for (const V2& q : grid)
            inside += p.IsPointInside(&q, 1.0);
        benchmark::DoNotOptimize(inside);
        watch.See(p);
    }
    state.counters["blocks"] = double(watch.moves);
}
BENCHMARK(BM_TypicalRequest);

void BM_SetCorners(benchmark::State& state) {
    Tal_TransformPoly3D p;
    for (auto _ : state) {
        SetCorners(p);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_SetCorners);

void BM_CornersToEye(benchmark::State& state) {
    const std::vector<Tal_Matrix4> placements = Placements();
    Tal_TransformPoly3D p;
    size_t k = 0;
    for (auto _ : state) {
        SetCorners(p);  // the corners transform in place: start again from the layer
        p.TransformPointsToEye(placements[k++ & 63]);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_CornersToEye);

// Each iteration restores an eye-space object by assignment (an empty outline: no copy work).
void BM_ClipAndProjectToScreen(benchmark::State& state) {
    const std::vector<Tal_Matrix4> placements = Placements();
    std::vector<Tal_TransformPoly3D> eye(64);
    for (size_t i = 0; i < eye.size(); ++i) {
        SetCorners(eye[i]);
        eye[i].TransformPointsToEye(placements[i]);
    }
    Tal_TransformPoly3D p;
    size_t k = 0;
    for (auto _ : state) {
        p = eye[k++ & 63];
        p.TransformPointsToScreen(kProjection);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_ClipAndProjectToScreen);

std::vector<Tal_TransformPoly3D> OnScreen() {
    const std::vector<Tal_Matrix4> placements = Placements();
    std::vector<Tal_TransformPoly3D> out(placements.size());
    for (size_t i = 0; i < out.size(); ++i) {
        SetCorners(out[i]);
        out[i].TransformPointsToEye(placements[i]);
        out[i].TransformPointsToScreen(kProjection);
        out[i].InitPolyPoints();
    }
    return out;
}

void BM_BuildOutline(benchmark::State& state) {
    std::vector<Tal_TransformPoly3D> polys = OnScreen();
    BlockWatch watch;
    size_t k = 0;
    for (auto _ : state) {
        Tal_TransformPoly3D& p = polys[k++ & 63];
        p.InvalidatePolyPoints();
        p.InitPolyPoints();
        benchmark::DoNotOptimize(p.NumPolyPoints());
        if ((k & 63) == 0) watch.See(polys[0]);
    }
    state.counters["blocks"] = double(watch.moves);
}
BENCHMARK(BM_BuildOutline);

void BM_SixteenHitTests(benchmark::State& state) {
    const std::vector<Tal_TransformPoly3D> polys = OnScreen();
    const std::vector<V2> grid = HitGrid();
    size_t k = 0;
    for (auto _ : state) {
        const Tal_TransformPoly3D& p = polys[k++ & 63];
        int inside = 0;
        for (const V2& q : grid)
            inside += p.IsPointInside(&q, 1.0);
        benchmark::DoNotOptimize(inside);
    }
}
BENCHMARK(BM_SixteenHitTests);

void BM_MinimumEdgeDistance(benchmark::State& state) {
    const std::vector<Tal_TransformPoly3D> polys = OnScreen();
    const V2 q{700, 500};
    size_t k = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(polys[k++ & 63].GetMinimumEdgeDistance(&q));
}
BENCHMARK(BM_MinimumEdgeDistance);

void BM_SignedArea(benchmark::State& state) {
    const std::vector<Tal_TransformPoly3D> polys = OnScreen();
    size_t k = 0;
    for (auto _ : state) {
        const Tal_TransformPoly3D& p = polys[k++ & 63];
        benchmark::DoNotOptimize(Tal_SignedPolygonArea2D(p.GetPolyPoints(), p.NumPolyPoints()));
    }
}
BENCHMARK(BM_SignedArea);

void BM_PointToScreen(benchmark::State& state) {
    const std::vector<Tal_Matrix4> placements = Placements();
    const Tal_Matrix3 screen{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    size_t k = 0;
    for (auto _ : state) {
        V2 p{320, 240};
        benchmark::DoNotOptimize(
            Tal_TransformPoint3DtoScreen(placements[k++ & 63], kProjection, screen, &p));
        benchmark::DoNotOptimize(p);
    }
}
BENCHMARK(BM_PointToScreen);

// The 2D request for comparison: corners, one transform, 16 hit tests.
void BM_TypicalRequest2D(benchmark::State& state) {
    const std::vector<V2> grid = HitGrid();
    Tal_Matrix3 m;
    m.SetIdentity().Rotate(30, 320, 240).Scale(1.5, 1.5).Translate(100, 50);
    Tal_TransformPoly2D p;
    for (auto _ : state) {
        for (long i = 0; i < 4; ++i)
            p.SetLayerPoint(i, kLayer[i]);
        p.TransformPoints(m);
        int inside = 0;
        for (const V2& q : grid)
            inside += p.IsPointInside(&q, 1.0);
        benchmark::DoNotOptimize(inside);
    }
}
BENCHMARK(BM_TypicalRequest2D);

}  // namespace
