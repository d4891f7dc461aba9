// Planes, rays, the edge-on test, line distance and clipping: exact values at the boundaries, the
// flags and reports of rejected input, aliasing, and random cases against independent models.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "support/reports.h"
#include "tal/geometry.h"
#include "tal/rect.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;
typedef Tal_Vector2T<double> V2;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const Report kCantIntersect = Msg(0x11002F, "unable to intersect plane.");

// Distance in ulps between two finite doubles of the same sign (or zeros).
int64_t UlpDistance(double a, double b) {
    int64_t ia, ib;
    std::memcpy(&ia, &a, 8);
    std::memcpy(&ib, &b, 8);
    if (ia < 0) ia = INT64_MIN - ia;
    if (ib < 0) ib = INT64_MIN - ib;
    return ia > ib ? ia - ib : ib - ia;
}

// NaN-aware equality: equal values or both NaN.
bool Same(double a, double b) {
    return a == b || (a != a && b != b);
}

struct Vec3 {
    double x, y, z;
};
Vec3 Sub(const Vec3& a, const Vec3& b) {
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vec3& a, const Vec3& b) {
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vec3 Unit(const Vec3& v) {
    const double l = std::sqrt(Dot(v, v));
    return {v.x / l, v.y / l, v.z / l};
}

// ---- Plane of a polygon -----------------------------------------------------------------------

struct PlaneCase {
    const char* name;
    std::vector<Vec3> points;
    double plane[4];  // NaN d where expected
};

class PlaneOfPolygon : public ::testing::TestWithParam<PlaneCase> {};

TEST_P(PlaneOfPolygon, NewellNormalThroughTheCentroid) {
    const PlaneCase& c = GetParam();
    std::vector<double> flat;
    for (const Vec3& p : c.points)
        flat.insert(flat.end(), {p.x, p.y, p.z});
    double plane[4] = {7, 7, 7, 7};
    EXPECT_EQ(Tal_GetPlaneEquation(reinterpret_cast<const double(*)[3]>(flat.data()),
                                   long(c.points.size()), plane),
              0);
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(Same(plane[i], c.plane[i])) << i << ": " << plane[i];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaneOfPolygon,
    ::testing::Values(
        PlaneCase{"CounterClockwiseFacesPlusZ",
                  {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},
                  {0, 0, 1, 0}},
        PlaneCase{"LiftedSquare", {{0, 0, 5}, {1, 0, 5}, {1, 1, 5}, {0, 1, 5}}, {0, 0, 1, -5}},
        PlaneCase{
            "ClockwiseFacesMinusZ", {{0, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 0, 0}}, {0, 0, -1, 0}},
        PlaneCase{"XFacingTriangle", {{3, 0, 0}, {3, 2, 0}, {3, 0, 2}}, {1, 0, 0, -3}},
        // A normal shorter than 1e-12 is left as Newell's sums give it.
        PlaneCase{"TinyNormalKeptUnnormalized",
                  {{0, 0, 0}, {1e-7, 0, 0}, {1e-7, 1e-7, 0}, {0, 1e-7, 0}},
                  {0, 0, 1e-7 * 2e-7, 0}},
        PlaneCase{"CollinearHasZeroNormal", {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}}, {0, 0, 0, 0}},
        PlaneCase{"NoPointsGivesNaNOffset", {}, {0, 0, 0, kNaN}}),
    [](const auto& info) { return info.param.name; });

TEST(PlaneOfPolygon, RandomPlanarPolygonsAgreeWithTheEdgeCrossProduct) {
    std::mt19937_64 rng(20240611);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    for (int trial = 0; trial < 2000; ++trial) {
        const Vec3 n = Unit({unit(rng), unit(rng), unit(rng)});
        Vec3 helper = std::fabs(n.x) < 0.6 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
        const Vec3 u = Unit(Cross(n, helper));
        const Vec3 v = Cross(n, u);
        const Vec3 origin{100 * unit(rng), 100 * unit(rng), 100 * unit(rng)};
        // A convex outline (on a circle), counter-clockwise about n.
        const int count = 3 + trial % 6;
        const double r = 1 + 9 * (unit(rng) + 1) / 2;
        std::vector<double> flat;
        std::vector<Vec3> pts;
        for (int i = 0; i < count; ++i) {
            const double a = (i + 0.4 * (unit(rng) + 1) / 2) * 2 * M_PI / count;
            const double s = r * std::cos(a), t = r * std::sin(a);
            const Vec3 p{origin.x + s * u.x + t * v.x, origin.y + s * u.y + t * v.y,
                         origin.z + s * u.z + t * v.z};
            pts.push_back(p);
            flat.insert(flat.end(), {p.x, p.y, p.z});
        }
        double plane[4];
        Tal_GetPlaneEquation(reinterpret_cast<const double(*)[3]>(flat.data()), count, plane);
        const Vec3 expect = Unit(Cross(Sub(pts[1], pts[0]), Sub(pts[2], pts[1])));
        ASSERT_NEAR(plane[0], expect.x, 1e-9) << trial;
        ASSERT_NEAR(plane[1], expect.y, 1e-9) << trial;
        ASSERT_NEAR(plane[2], expect.z, 1e-9) << trial;
        for (const Vec3& p : pts)
            ASSERT_NEAR(plane[0] * p.x + plane[1] * p.y + plane[2] * p.z + plane[3], 0, 1e-9);
    }
}

TEST(PlaneFromPointAndNormal, KeepsTheNormalAndMayWriteOverEitherInput) {
    const double point[3] = {0, 0, 1}, normal[3] = {0, 0, 2};
    double plane[4];
    EXPECT_EQ(Tal_GetPlaneEquation2(point, normal, plane), 0);
    EXPECT_EQ(std::vector<double>(plane, plane + 4), (std::vector<double>{0, 0, 2, -2}));

    double overNormal[4] = {0, 0, 2, 9};
    Tal_GetPlaneEquation2(point, overNormal, overNormal);
    EXPECT_EQ(std::vector<double>(overNormal, overNormal + 4), (std::vector<double>{0, 0, 2, -2}));

    double overPoint[4] = {0, 0, 1, 9};
    Tal_GetPlaneEquation2(overPoint, normal, overPoint);
    EXPECT_EQ(std::vector<double>(overPoint, overPoint + 4), (std::vector<double>{0, 0, 2, -2}));
}

// ---- Ray and plane ----------------------------------------------------------------------------

struct RayCase {
    const char* name;
    double plane[4];
    unsigned char forwardOnly;
    double ray[8];
    double hit[3];
    unsigned char behind, ok;
};

class RayPlane : public ::testing::TestWithParam<RayCase> {};

TEST_P(RayPlane, WritesHitAndBehindAndFlagsOrReports) {
    const RayCase& c = GetParam();
    double hit[3] = {7, 7, 7};
    unsigned char behind = 7, ok = 7;
    TakeReports();
    EXPECT_EQ(Tal_RayIntersectPlane(c.plane, c.forwardOnly, c.ray, hit, &behind, &ok), 0);
    EXPECT_TRUE(TakeReports().empty());
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Same(hit[i], c.hit[i])) << i << ": " << hit[i];
    EXPECT_EQ(behind, c.behind);
    EXPECT_EQ(ok, c.ok);

    // Without the flag a rejected hit is reported; the hit and behind are written all the same.
    double hit2[3] = {7, 7, 7};
    const Tal_Err expected = c.ok ? 0 : Tal_Err_CANT_INTERSECT_PLANE;
    EXPECT_EQ(Tal_RayIntersectPlane(c.plane, c.forwardOnly, c.ray, hit2, nullptr, nullptr),
              expected);
    EXPECT_EQ(TakeReports(), c.ok ? std::vector<Report>{} : std::vector<Report>{kCantIntersect});
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(Same(hit2[i], c.hit[i]));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RayPlane,
    ::testing::Values(
        RayCase{"AheadAccepted", {0, 0, 1, -5}, 1, {0, 0, 0, 1, 0, 0, 1, 0}, {0, 0, 5}, 0, 1},
        RayCase{"BehindRejectedWhenForwardOnly",
                {0, 0, 1, -5},
                1,
                {0, 0, 10, 1, 0, 0, 1, 0},
                {0, 0, 5},
                1,
                0},
        RayCase{
            "BehindAcceptedBothWays", {0, 0, 1, -5}, 0, {0, 0, 10, 1, 0, 0, 1, 0}, {0, 0, 5}, 1, 1},
        RayCase{"OriginOnThePlaneIsNotAhead",
                {0, 0, 1, -5},
                1,
                {0, 0, 5, 1, 0, 0, 1, 0},
                {0, 0, 5},
                0,
                0},
        RayCase{"OriginOnThePlaneBothWays",
                {0, 0, 1, -5},
                0,
                {0, 0, 5, 1, 0, 0, 1, 0},
                {0, 0, 5},
                0,
                1},
        RayCase{
            "ParallelKeepsTheOrigin", {0, 0, 1, -5}, 0, {1, 2, 3, 1, 1, 0, 0, 0}, {1, 2, 3}, 0, 0},
        // 1e-12 itself is no longer parallel; just inside the bound it is.
        RayCase{"DenominatorAtTheBound",
                {0, 0, 1, -5},
                0,
                {0, 0, 4, 1, 1, 0, 1e-12, 0},
                {1 / 1e-12, 0, 4 + (1 / 1e-12) * 1e-12},
                0,
                1},
        RayCase{"DenominatorJustInsideTheBound",
                {0, 0, 1, -5},
                0,
                {0, 0, 4, 1, 1, 0, std::nextafter(1e-12, 0.0), 0},
                {0, 0, 4},
                0,
                0},
        RayCase{
            "WValuesAreNotRead", {0, 0, 1, -5}, 1, {0, 0, 0, kNaN, 0, 0, 2, kNaN}, {0, 0, 5}, 0, 1},
        RayCase{"NaNDirectionAcceptedBothWays",
                {0, 0, 1, -5},
                0,
                {0, 0, 0, 1, 0, 0, kNaN, 0},
                {kNaN, kNaN, kNaN},
                0,
                1},
        RayCase{"NaNDirectionNotAhead",
                {0, 0, 1, -5},
                1,
                {0, 0, 0, 1, 0, 0, kNaN, 0},
                {kNaN, kNaN, kNaN},
                0,
                0}),
    [](const auto& info) { return info.param.name; });

TEST(RayPlane, HitMayOverwriteTheRayOrigin) {
    const double plane[4] = {0, 0, 1, -5};
    double ray[8] = {1, 2, 0, 1, 0, 0, 1, 0};
    EXPECT_EQ(Tal_RayIntersectPlane(plane, 1, ray, ray, nullptr, nullptr), 0);
    EXPECT_EQ(std::vector<double>(ray, ray + 3), (std::vector<double>{1, 2, 5}));
}

TEST(RayPlane, RandomHitsLieOnThePlaneOnTheRightSide) {
    std::mt19937_64 rng(77);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    int behindCount = 0;
    for (int trial = 0; trial < 5000; ++trial) {
        const Vec3 n = Unit({unit(rng), unit(rng), unit(rng)});
        const double plane[4] = {n.x, n.y, n.z, 50 * unit(rng)};
        const Vec3 o{50 * unit(rng), 50 * unit(rng), 50 * unit(rng)};
        const Vec3 d{unit(rng), unit(rng), unit(rng)};
        if (std::fabs(Dot(n, d)) < 0.05) continue;
        const double ray[8] = {o.x, o.y, o.z, 1, d.x, d.y, d.z, 0};
        double hit[3];
        unsigned char behind, ok;
        Tal_RayIntersectPlane(plane, 1, ray, hit, &behind, &ok);
        const double scale = 1 + std::fabs(hit[0]) + std::fabs(hit[1]) + std::fabs(hit[2]);
        ASSERT_NEAR(Dot(n, {hit[0], hit[1], hit[2]}) + plane[3], 0, 1e-12 * scale * 64) << trial;
        // Signed distance of the origin against the direction says which way the plane lies.
        const double t = -(Dot(n, o) + plane[3]) / Dot(n, d);
        ASSERT_EQ(behind, t < 0 ? 1 : 0);
        ASSERT_EQ(ok, t > 0 ? 1 : 0);
        behindCount += behind;
    }
    EXPECT_GT(behindCount, 1000);
}

// ---- Edge-on test -----------------------------------------------------------------------------

const double kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// Row vectors: the z axis goes to x, x to -z; then the whole moves 10 along z.
const double kTurnAndPush[16] = {0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 10, 1};

struct EdgeOnCase {
    const char* name;
    const double* m;
    double quad[4][3];
    double tolerance;
    unsigned char parallel;
    unsigned char edgeOn;
};

class QuadEdgeOn : public ::testing::TestWithParam<EdgeOnCase> {};

TEST_P(QuadEdgeOn, ComparesTheNormalWithTheViewStrictly) {
    const EdgeOnCase& c = GetParam();
    unsigned char edgeOn = 7;
    EXPECT_EQ(Tal_IsQuadEdgeOn(c.m, c.quad, c.tolerance, c.parallel, &edgeOn), 0);
    EXPECT_EQ(edgeOn, c.edgeOn);
}

#define FACING_Z                              \
    {                                         \
        {-1, -1, 5}, {1, -1, 5}, {1, 1, 5}, { \
            -1, 1, 5                          \
        }                                     \
    }
#define FACING_X_AT(x)                      \
    {                                       \
        {x, -1, 4}, {x, 1, 4}, {x, 1, 6}, { \
            x, -1, 6                        \
        }                                   \
    }

INSTANTIATE_TEST_SUITE_P(
    Cases, QuadEdgeOn,
    ::testing::Values(
        EdgeOnCase{"FacingTheEyeParallel", kIdentity, FACING_Z, 0.5, 1, 0},
        EdgeOnCase{"FacingTheEyePerspective", kIdentity, FACING_Z, 0.5, 0, 0},
        EdgeOnCase{"SideOnParallel", kIdentity, FACING_X_AT(3), 1e-9, 1, 1},
        EdgeOnCase{"ZeroToleranceNeverHolds", kIdentity, FACING_X_AT(3), 0, 1, 0},
        // In perspective the same quad is seen at 3/sqrt(34) = 0.514 off edge-on.
        EdgeOnCase{"SideOnButOffAxisInPerspective", kIdentity, FACING_X_AT(3), 0.5, 0, 0},
        EdgeOnCase{"OffAxisWithinAWideTolerance", kIdentity, FACING_X_AT(3), 0.52, 0, 1},
        EdgeOnCase{"OnTheViewAxisInPerspective", kIdentity, FACING_X_AT(0), 1e-9, 0, 1},
        EdgeOnCase{"TurnedSideOnByTheMatrix", kTurnAndPush, FACING_Z, 1e-9, 1, 1},
        EdgeOnCase{"TurnedSideOnInPerspective",
                   kTurnAndPush,
                   {{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}},
                   1e-9,
                   0,
                   1},
        EdgeOnCase{"CollapsedQuadHasNoNormal",
                   kIdentity,
                   {{1, 1, 5}, {1, 1, 5}, {1, 1, 5}, {1, 1, 5}},
                   2,
                   1,
                   0},
        EdgeOnCase{"ParallelViewIgnoresTheCentre",
                   kIdentity,
                   {{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}},
                   1e-9,
                   1,
                   1},
        EdgeOnCase{"CentreAtTheEyeInPerspective",
                   kIdentity,
                   {{0, -1, -1}, {0, 1, -1}, {0, 1, 1}, {0, -1, 1}},
                   2,
                   0,
                   0},
        EdgeOnCase{"NaNToleranceNeverHolds", kIdentity, FACING_X_AT(3), kNaN, 1, 0}),
    [](const auto& info) { return info.param.name; });

// ---- Distance from a line ---------------------------------------------------------------------

struct DistCase {
    const char* name;
    V2 point, start, end;
    double distance;
    unsigned char within;
};

class PerpDist : public ::testing::TestWithParam<DistCase> {};

TEST_P(PerpDist, DistanceAndWhetherTheFootIsOnTheSegment) {
    const DistCase& c = GetParam();
    unsigned char within = 7;
    double distance = 7;
    EXPECT_EQ(Tal_PerpDistTo2DLine(&c.point, &c.start, &c.end, &within, &distance), 0);
    EXPECT_TRUE(Same(distance, c.distance)) << distance;
    EXPECT_EQ(within, c.within);
    double alone = 7;
    EXPECT_EQ(Tal_PerpDistTo2DLine(&c.point, &c.start, &c.end, nullptr, &alone), 0);
    EXPECT_TRUE(Same(alone, c.distance));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PerpDist,
    ::testing::Values(DistCase{"Beside", {5, 3}, {0, 0}, {10, 0}, 3, 1},
                      DistCase{"BeforeTheStart", {-1, 2}, {0, 0}, {10, 0}, 2, 0},
                      DistCase{"AbeamTheEndButFartherThanItsLength", {9, 5}, {0, 0}, {10, 0}, 5, 0},
                      DistCase{"AtTheStart", {0, 0}, {0, 0}, {10, 0}, 0, 1},
                      DistCase{"AtTheEnd", {10, 0}, {0, 0}, {10, 0}, 0, 1},
                      DistCase{"PastTheEndOnTheLine", {11, 0}, {0, 0}, {10, 0}, 0, 0},
                      DistCase{"VerticalLine", {3, 4}, {0, 0}, {0, 8}, 3, 1},
                      DistCase{"ZeroLengthLine", {3, 4}, {0, 0}, {0, 0}, 5, 0},
                      DistCase{"LengthAtTheShortBound", {3, 4}, {0, 0}, {1e-12, 0}, 5, 0},
                      DistCase{"LengthBeyondOneE12", {3, 4}, {0, 0}, {2e12, 0}, 5, 0},
                      DistCase{"LengthAtOneE12IsAUsableLine", {3, 4}, {0, 0}, {1e12, 0}, 4, 1},
                      DistCase{"NaNPoint", {kNaN, 0}, {0, 0}, {10, 0}, kNaN, 0},
                      DistCase{"InfiniteEnd", {3, 4}, {0, 0}, {kInf, 0}, 5, 0}),
    [](const auto& info) { return info.param.name; });

TEST(PerpDist, DistanceMayOverwriteThePoint) {
    V2 p{5, 3};
    const V2 a{0, 0}, b{10, 0};
    Tal_PerpDistTo2DLine(&p, &a, &b, nullptr, &p.x);
    EXPECT_EQ(p.x, 3);
}

// ---- Near-plane clipping ----------------------------------------------------------------------

struct Clip3Case {
    const char* name;
    double a[3], b[3];
    unsigned char aBehind, bBehind;
    double clipped[3];
};

class Clip3D : public ::testing::TestWithParam<Clip3Case> {};

TEST_P(Clip3D, FlagsTheEndBehindAndFindsTheCrossing) {
    const Clip3Case& c = GetParam();
    unsigned char aBehind = 7, bBehind = 7;
    double clipped[3] = {7, 7, 7};
    EXPECT_EQ(Tal_Clip3DLine(c.a, c.b, &aBehind, &bBehind, clipped), 0);
    EXPECT_EQ(aBehind, c.aBehind);
    EXPECT_EQ(bBehind, c.bBehind);
    for (int i = 0; i < 3; ++i)
        EXPECT_LE(UlpDistance(clipped[i], c.clipped[i]), 1) << i << ": " << clipped[i];
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Clip3D,
    ::testing::Values(
        Clip3Case{"FirstBehind", {0, 0, 0}, {0, 0, 1}, 1, 0, {0, 0, 0.1}},
        // 1.1 - 1 is the crossing's z, 6 ulps above 0.1.
        Clip3Case{"SecondBehind", {2, 0, 1}, {0, 0, -1}, 0, 1, {1.1, 0, 1.1 - 1}},
        Clip3Case{"BothOnThePlaneAreInFront", {1, 2, 0.1}, {3, 4, 0.1}, 0, 0, {0, 0, 0}},
        Clip3Case{"OneOnThePlaneOneBehind", {1, 2, 0.1}, {3, 4, -1}, 0, 1, {1, 2, 1.1 - 1}},
        Clip3Case{"BothInFront", {1, 2, 3}, {4, 5, 6}, 0, 0, {0, 0, 0}},
        Clip3Case{"BothBehind", {1, 2, 0.0999}, {4, 5, -6}, 1, 1, {0, 0, 0}},
        Clip3Case{"JustBehindTheNearPlane",
                  {0, 0, 0x1.9999999999999p-4},
                  {0, 0, 1.1},
                  1,
                  0,
                  {0, 0, 0.1}}),
    [](const auto& info) { return info.param.name; });

TEST(Clip3D, ClippedMayOverwriteTheEndBehind) {
    double a[3] = {0, 0, 0};
    const double b[3] = {4, 2, 1};
    unsigned char aBehind, bBehind;
    Tal_Clip3DLine(a, b, &aBehind, &bBehind, a);
    EXPECT_EQ(aBehind, 1);
    EXPECT_DOUBLE_EQ(a[0], 0.4);
    EXPECT_DOUBLE_EQ(a[1], 0.2);
    EXPECT_DOUBLE_EQ(a[2], 0.1);
}

TEST(Clip3D, RandomCrossingsLieOnTheSegmentAtTheNearPlane) {
    std::mt19937_64 rng(3);
    std::uniform_real_distribution<double> coord(-20.0, 20.0);
    for (int trial = 0; trial < 5000; ++trial) {
        const double a[3] = {coord(rng), coord(rng), coord(rng)};
        const double b[3] = {coord(rng), coord(rng), coord(rng)};
        unsigned char aBehind, bBehind;
        double c[3];
        Tal_Clip3DLine(a, b, &aBehind, &bBehind, c);
        ASSERT_EQ(aBehind, a[2] < 0.1 ? 1 : 0);
        ASSERT_EQ(bBehind, b[2] < 0.1 ? 1 : 0);
        if (aBehind == bBehind) continue;
        ASSERT_NEAR(c[2], 0.1, 1e-13);
        // On the segment: the crossing splits it in the ratio of the z distances.
        const double s = (0.1 - a[2]) / (b[2] - a[2]);
        ASSERT_NEAR(c[0], a[0] + (b[0] - a[0]) * s, 1e-12);
        ASSERT_NEAR(c[1], a[1] + (b[1] - a[1]) * s, 1e-12);
    }
}

// ---- Clipping to a rectangle ------------------------------------------------------------------

const Tal_FloatRect kRect{0, 0, 100, 100};

struct ClipCase {
    const char* name;
    V2 p0, p1;
    V2 out0, out1;
    unsigned char visible;
};

class ClipToRect : public ::testing::TestWithParam<ClipCase> {};

TEST_P(ClipToRect, ClipsBothEndsInPlace) {
    const ClipCase& c = GetParam();
    V2 p0 = c.p0, p1 = c.p1;
    unsigned char visible = 7;
    EXPECT_EQ(Tal_ClipLine2Rect(&kRect, &p0, &p1, &visible), 0);
    EXPECT_EQ(visible, c.visible);
    EXPECT_LE(UlpDistance(p0.x, c.out0.x), 2) << p0.x;
    EXPECT_LE(UlpDistance(p0.y, c.out0.y), 2) << p0.y;
    EXPECT_LE(UlpDistance(p1.x, c.out1.x), 2) << p1.x;
    EXPECT_LE(UlpDistance(p1.y, c.out1.y), 2) << p1.y;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ClipToRect,
    ::testing::Values(
        ClipCase{"Across", {-50, 25}, {150, 75}, {0, 37.5}, {100, 62.5}, 1},
        ClipCase{"OneEndOut", {50, 50}, {150, 100}, {50, 50}, {100, 75}, 1},
        ClipCase{"Horizontal", {-10, 50}, {110, 50}, {0, 50}, {100, 50}, 1},
        ClipCase{"InsideAlongAnEdge", {0, 0}, {100, 0}, {0, 0}, {100, 0}, 1},
        ClipCase{"PastACorner", {-10, 5}, {5, -10}, {-5, 0}, {-5, 0}, 0},
        // The box rule: boxes that touch the rect are kept, since the touching point is visible.
        ClipCase{"AlongTheTopEdgeFromOutside", {-10, 0}, {110, 0}, {0, 0}, {100, 0}, 1},
        ClipCase{"AlongTheLeftEdgeFromOutside", {0, -10}, {0, 110}, {0, 0}, {0, 100}, 1},
        ClipCase{"ThroughACornerOnly", {-10, 10}, {10, -10}, {0, 0}, {0, 0}, 1},
        ClipCase{"EndingAtACorner", {0, 0}, {-10, -10}, {0, 0}, {0, 0}, 1},
        ClipCase{"EndingOnAnEdgeFromOutside", {-10, 50}, {0, 50}, {0, 50}, {0, 50}, 1},
        ClipCase{"BoxTouchesACornerLineMisses", {-10, 0}, {0, -10}, {0, -10}, {0, -10}, 0},
        // Boxes clear of the rect are rejected before clipping: both ends unchanged.
        ClipCase{"VerticalBesideTheLeftEdge", {-1, -10}, {-1, 110}, {-1, -10}, {-1, 110}, 0},
        ClipCase{"HorizontalBelow", {-10, 100.5}, {110, 100.5}, {-10, 100.5}, {110, 100.5}, 0},
        ClipCase{"PointOutside", {-3, -3}, {-3, -3}, {-3, -3}, {-3, -3}, 0},
        ClipCase{"PointOnTheEdge", {100, 40}, {100, 40}, {100, 40}, {100, 40}, 1},
        // The second end, outside the x slab, has no run left towards the clipped first end.
        ClipCase{"ZeroRunStopsTheClip", {0, -10}, {-10, 0}, {-10, 0}, {-10, 0}, 0}),
    [](const auto& info) { return info.param.name; });

TEST(ClipToRect, NaNEndsStayAndCountAsOutside) {
    V2 p0{kNaN, 50}, p1{50, 50};
    unsigned char visible = 7;
    EXPECT_EQ(Tal_ClipLine2Rect(&kRect, &p0, &p1, &visible), 0);
    EXPECT_EQ(visible, 1);  // p1 is inside; the NaN end is kept as it is
    V2 q0{kNaN, 50}, q1{kNaN, 50};
    EXPECT_EQ(Tal_ClipLine2Rect(&kRect, &q0, &q1, &visible), 0);
    EXPECT_EQ(visible, 0);
}

// Exact: the closed segment meets the closed rect (integer coordinates, 64-bit cross products).
// Returns -1 when the line runs through a corner of the rect, where rounding may decide.
int SegmentMeetsRect(int64_t x0, int64_t y0, int64_t x1, int64_t y1) {
    const int64_t l = 0, t = 0, r = 100, b = 100;
    if (std::max(x0, x1) < l || std::min(x0, x1) > r || std::max(y0, y1) < t ||
        std::min(y0, y1) > b)
        return 0;
    const int64_t cx[4] = {l, r, r, l}, cy[4] = {t, t, b, b};
    int pos = 0, neg = 0;
    for (int i = 0; i < 4; ++i) {
        const int64_t cross = (x1 - x0) * (cy[i] - y0) - (y1 - y0) * (cx[i] - x0);
        if (cross == 0 && (x0 != x1 || y0 != y1)) return -1;
        pos += cross > 0;
        neg += cross < 0;
    }
    return pos == 0 || neg == 0 ? 0 : 1;
}

TEST(ClipToRect, RandomSegmentsAgreeWithAnExactTestAndStayOnTheSegment) {
    std::mt19937_64 rng(11);
    std::uniform_int_distribution<int> coord(-60, 160);
    int shown = 0, skipped = 0;
    for (int trial = 0; trial < 20000; ++trial) {
        const int x0 = coord(rng), y0 = coord(rng), x1 = coord(rng), y1 = coord(rng);
        const int expect = SegmentMeetsRect(x0, y0, x1, y1);
        if (expect < 0) {
            ++skipped;
            continue;
        }
        V2 p0{double(x0), double(y0)}, p1{double(x1), double(y1)};
        unsigned char visible;
        Tal_ClipLine2Rect(&kRect, &p0, &p1, &visible);
        ASSERT_EQ(visible, expect) << x0 << "," << y0 << " " << x1 << "," << y1;
        if (!visible) continue;
        ++shown;
        for (const V2& p : {p0, p1}) {
            ASSERT_GE(p.x, -1e-12);
            ASSERT_LE(p.x, 100 + 1e-12);
            ASSERT_GE(p.y, -1e-12);
            ASSERT_LE(p.y, 100 + 1e-12);
            // On the original segment: on its line and within its box.
            const double cross = double(x1 - x0) * (p.y - y0) - double(y1 - y0) * (p.x - x0);
            ASSERT_NEAR(cross, 0, 1e-9);
            ASSERT_GE(p.x, std::min(x0, x1) - 1e-12);
            ASSERT_LE(p.x, std::max(x0, x1) + 1e-12);
            ASSERT_GE(p.y, std::min(y0, y1) - 1e-12);
            ASSERT_LE(p.y, std::max(y0, y1) + 1e-12);
        }
    }
    EXPECT_GT(shown, 5000);
    EXPECT_LT(skipped, 2000);
}

}  // namespace
