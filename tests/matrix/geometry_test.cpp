// Planes, rays, the edge-on test, line distance and clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <tuple>

#include "support/reports.h"
#include "tal/geometry.h"
#include "tal/rect.h"

namespace {

typedef Tal_Vector2T<double> V2;
typedef std::array<double, 3> V3;
const double kNaN = NAN;

// Equal, both NaN, or within one ulp of b, element by element; a failure shows both.
template <size_t N>
::testing::AssertionResult Near(const double* a, const std::array<double, N>& b) {
    for (size_t i = 0; i < N; ++i)
        if (!(std::fabs(a[i] - b[i]) <= 0x1p-52 * std::fabs(b[i])) &&
            !(a[i] != a[i] && b[i] != b[i]))
            return ::testing::AssertionFailure()
                   << "got " << ::testing::PrintToString(std::vector<double>(a, a + N)) << ", want "
                   << ::testing::PrintToString(b);
    return ::testing::AssertionSuccess();
}

// A tilted quad; clockwise faces -z; a normal up to 1e-12 long stays as summed; no points: NaN d.
TEST(Planes, NewellNormalThroughTheCentroidOrTheNormalAsGiven) {
    const double s = 1 / std::sqrt(2.0), q[4][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 1}, {0, 1, 1}},
                 cw[4][3] = {{0, 1, 5}, {1, 1, 5}, {1, 0, 5}, {0, 0, 5}},
                 tiny[4][3] = {{0, 0, 0}, {1e-7, 0, 0}, {1e-7, 1e-7, 0}, {0, 1e-7, 0}},
                 atBound[3][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1e-12, 0}};
    const std::tuple<const double(*)[3], long, std::array<double, 4>> rows[] = {
        {q, 4, {0, -s, s, 0}},
        {cw, 4, {0, 0, -1, 5}},
        {tiny, 4, {0, 0, 2e-14, 0}},
        {atBound, 3, {0, 0, 1e-12, 0}},
        {q, 0, {0, 0, 0, kNaN}}};
    for (const auto& [points, n, w] : rows) {
        double p[4] = {7, 7, 7, 7};
        EXPECT_EQ(Tal_GetPlaneEquation(points, n, p), 0);
        EXPECT_TRUE(Near(p, w)) << n << " points";
    }
    double point[3] = {1, 2, 3}, normal[4] = {4, 5, 6, 9};  // the plane may overwrite the normal
    EXPECT_EQ(Tal_GetPlaneEquation2(point, normal, normal), 0);
    EXPECT_TRUE(Near(normal, std::array<double, 4>{4, 5, 6, -32}));
}

// The plane z = 5 unless tilted; flags are ok + 2 * behind. hit and behind are written even for a
// rejected hit, which is reported unless hitOk is given; the hit may overwrite the ray's origin.
TEST(RayPlane, WritesHitAndBehindAndFlagsOrReportsARejection) {
    const double z5[4] = {0, 0, 1, -5}, tilt[4] = {1, 2, 3, -11}, small = std::nextafter(1e-12, 0.);
    const std::tuple<const double*, int, std::array<double, 8>, V3, int> rows[] = {
        {tilt, 1, {1, -1, 2, 1, 1, 2, 1, 0}, {1.75, 0.5, 2.75}, 1},  // t = 0.75
        {z5, 1, {0, 0, 10, 1, 0, 0, 1, 0}, {0, 0, 5}, 2},
        {z5, 0, {0, 0, 10, 1, 0, 0, 1, 0}, {0, 0, 5}, 3},
        {z5, 1, {0, 0, 5, 1, 0, 0, 1, 0}, {0, 0, 5}, 0},        // on the plane is not ahead
        {z5, 0, {1, 2, 3, kNaN, 1, 0, 0, kNaN}, {1, 2, 3}, 0},  // parallel; the w's unread
        {z5, 0, {0, 0, 4, 1, 1, 0, 1e-12, 0}, {1 / 1e-12, 0, 4 + 1 / 1e-12 * 1e-12}, 1},
        {z5, 0, {0, 0, 4, 1, 1, 0, small, 0}, {0, 0, 4}, 0}};
    for (auto [plane, forward, ray, want, flags] : rows) {
        double hit[3] = {7, 7, 7};
        unsigned char behind = 7, ok = 7;
        SCOPED_TRACE(::testing::PrintToString(ray));
        taltest::ClearReports();
        EXPECT_EQ(Tal_RayIntersectPlane(plane, forward, ray.data(), hit, &behind, &ok), 0);
        EXPECT_EQ(std::make_tuple(ok, behind), std::make_tuple(flags & 1, flags >> 1));
        EXPECT_EQ(taltest::TakeReports(), std::vector<taltest::Report>{}) << "hitOk given";
        EXPECT_EQ(Tal_RayIntersectPlane(plane, forward, ray.data(), ray.data(), 0, 0),
                  flags & 1 ? 0 : Tal_Err_CANT_INTERSECT_PLANE);
        EXPECT_EQ(taltest::TakeReports(),
                  std::vector<taltest::Report>(
                      !(flags & 1), taltest::Msg(0x11002F, "unable to intersect plane.")));
        EXPECT_TRUE(Near(hit, want));
        EXPECT_TRUE(Near(ray.data(), want)) << "written over the ray's origin";
    }
}

// Facing z, facing x (0.514 off edge-on), on the eye, collapsed, skew (0.73030); turn: z to x.
TEST(QuadEdgeOn, ComparesTheNormalWithTheViewStrictlyWithinTheTolerance) {
    const double id[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
                 turn[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 10, 1},
                 quads[][4][3] = {{{-1, -1, 5}, {1, -1, 5}, {1, 1, 5}, {-1, 1, 5}},
                                  {{3, -1, 4}, {3, 1, 4}, {3, 1, 6}, {3, -1, 6}},
                                  {{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}},
                                  {{1, 1, 5}, {1, 1, 5}, {1, 1, 5}, {1, 1, 5}},
                                  {{0, 0, 5}, {1, 1, 6}, {0, 2, 6}, {-1, 1, 5}}};
    const std::tuple<const double*, int, double, int, int> rows[] = {
        {id, 0, 0.5, 1, 0},  {id, 1, 1e-9, 1, 1},   {id, 1, 0, 1, 0},     {id, 1, 0.5, 0, 0},
        {id, 1, 0.52, 0, 1}, {turn, 0, 1e-9, 1, 1}, {id, 2, 1e-9, 1, 1},  {id, 2, 2, 0, 0},
        {id, 3, 2, 1, 0},    {id, 4, 0.7302, 0, 0}, {id, 4, 0.7304, 0, 1}};
    for (const auto& [m, quad, tolerance, parallel, want] : rows) {
        unsigned char edgeOn = 7;
        EXPECT_EQ(Tal_IsQuadEdgeOn(m, quads[quad], tolerance, parallel, &edgeOn), 0);
        EXPECT_EQ(edgeOn, want) << quad << " " << tolerance;
    }
}

// flags: a + 2 * b behind; on the plane is in front. The crossing may overwrite the end behind.
TEST(Clip3D, FlagsTheEndsBehindTheNearPlaneAndFindsTheCrossing) {
    const std::tuple<V3, V3, int, V3> rows[] = {
        {{2, 0, 1}, {0, 0, -1}, 2, {1.1, 0, 1.1 - 1}},
        {{1, 2, 0.1}, {3, 4, 0.1}, 0, {0, 0, 0}},
        {{1, 2, 0.0999}, {4, 5, -6}, 3, {0, 0, 0}},
        {{1, 2, 0.1}, {3, 4, -1}, 2, {1, 2, 1.1 - 1}},
        {{0, 0, 0x1.9999999999999p-4}, {0, 0, 1.1}, 1, {0, 0, 0.1}},
        {{0, 0, 0}, {4, 2, 1}, 1, {0.4, 0.2, 0.1}}};
    for (auto [a, b, flags, w] : rows) {
        unsigned char aBehind = 7, bBehind = 7;
        double c[3] = {7, 7, 7};
        EXPECT_EQ(Tal_Clip3DLine(a.data(), b.data(), &aBehind, &bBehind, c), 0);
        Tal_Clip3DLine(a.data(), b.data(), &aBehind, &bBehind, (flags & 1 ? a : b).data());
        EXPECT_EQ(std::make_tuple(aBehind, bBehind), std::make_tuple(flags & 1, flags >> 1));
        EXPECT_TRUE(Near(c, w)) << "flags " << flags;
        EXPECT_TRUE(Near((flags & 1 ? a : b).data(), w)) << "over the end behind";
    }
}

// A line no longer than 1e-12, or with a reciprocal length below it, measures to its start; abeam
// the start and as far from it as the line is long are within.
TEST(PerpDistTo2DLine, DistanceToTheLineAndWithinTheSegmentsDisc) {
    const std::tuple<V2, V2, V2, int, double> rows[] = {
        {{0, 0}, {1e-12, 0}, {3, 4}, 0, 5},
        {{0, 0}, {1e13, 0}, {3, 4}, 0, 5},
        {{0, 0}, {4, 0}, {0, 3}, 1, 3},
        {{0, 0}, {5, 0}, {3, 4}, 1, 4},
        {{0, 0}, {4, 0}, {4, 3}, 0, 3},
        {{1, 1}, {1, 5}, {-1, 0}, 0, 2},
        {{2, 2}, {4, 4}, {4, 2}, 1, std::sqrt(2.0)}};
    for (const auto& [start, end, p, within, distance] : rows) {
        unsigned char in = 7;
        double got = 7, alone = 7;
        const Tal_Err err = Tal_PerpDistTo2DLine(&p, &start, &end, &in, &got) |
                            Tal_PerpDistTo2DLine(&p, &start, &end, nullptr, &alone);
        EXPECT_EQ(std::make_tuple(err, int(in), got, alone),
                  std::make_tuple(0, within, distance, distance))
            << "(" << p.x << ", " << p.y << ") to (" << start.x << ", " << start.y << ")-(" << end.x
            << ", " << end.y << ")";
    }
}

const Tal_FloatRect kRect{0, 0, 100, 100};

// Exact 64-bit cross products at the corners, skipping lines through one (rounding decides there).
TEST(ClipToRect, RandomSegmentsAgreeWithExactGeometry) {
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<int64_t> coord(-60, 160);
    int shown = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const int64_t x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        int pos = 0, neg = 0;
        for (int64_t c = 0; c < 4; ++c) {  // (0, 0), (100, 0), (100, 100), (0, 100)
            const int64_t cross =
                (x1 - x0) * (c / 2 * 100 - y0) - (y1 - y0) * ((c == 1 || c == 2) * 100 - x0);
            pos += cross >= 0;
            neg += cross <= 0;
        }
        const bool boxMeets = std::max(x0, x1) >= 0 && std::min(x0, x1) <= 100 &&
                              std::max(y0, y1) >= 0 && std::min(y0, y1) <= 100;
        if (boxMeets && pos + neg > 4 && (x0 != x1 || y0 != y1)) continue;
        V2 p0{double(x0), double(y0)}, p1{double(x1), double(y1)};
        unsigned char visible;
        Tal_ClipLine2Rect(&kRect, &p0, &p1, &visible);
        ASSERT_EQ(visible, boxMeets && pos && neg) << x0 << "," << y0 << " " << x1 << "," << y1;
        shown += visible;
        for (const V2& p : {p0, p1}) {  // in the rect (1e-12 of slack) and on the line
            if (!visible) break;
            const double offLine = double(x1 - x0) * (p.y - y0) - double(y1 - y0) * (p.x - x0);
            ASSERT_LE(std::max(std::fabs(p.x - 50), std::fabs(p.y - 50)), 50 + 1e-12)
                << p.x << ", " << p.y;
            ASSERT_LT(std::fabs(offLine), 1e-9) << p.x << ", " << p.y;
        }
    }
    EXPECT_GT(shown, 5000);
}

}  // namespace
