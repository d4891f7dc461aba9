// The 2D transform polygon: the degenerate-row boundary, composition of transforms, the corner and
// edge queries, hit tests against the point-in-polygon test, nearest-edge distances against a
// segment model, copying, and the two-matrix screen mapping against a long double reference.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "tal/matrix.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> V2;
typedef std::pair<V2, V2> Edge;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const V2 kSquare[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

Tal_Matrix3 Make3(double a, double b, double c, double d, double e, double f, double g, double h,
                  double i) {
    return Tal_Matrix3{{{a, b, c}, {d, e, f}, {g, h, i}}};
}

Tal_TransformPoly2D Square() {
    Tal_TransformPoly2D p;
    for (long i = 0; i < 4; ++i)
        p.SetLayerPoint(i, kSquare[i]);
    return p;
}

bool Same(const V2& a, const V2& b) {
    return a.x == b.x && a.y == b.y;
}

// The smallest x whose square is not below 1e-12, so that x*x sits on the boundary or just past.
double RootOfBound() {
    double x = std::sqrt(1e-12);
    while (x * x >= 1e-12)
        x = std::nextafter(x, 0.0);
    return std::nextafter(x, 1.0);
}

// ---- The degenerate-row rule --------------------------------------------------------------------

struct DegenerateCase {
    const char* name;
    Tal_Matrix3 m;
    bool visible;
};

class Degenerate : public ::testing::TestWithParam<DegenerateCase> {};

TEST_P(Degenerate, VisibilityAndCorners) {
    const DegenerateCase& c = GetParam();
    Tal_TransformPoly2D p = Square();
    p.TransformPoints(c.m);
    EXPECT_EQ(p.IsVisible(), c.visible);
    EXPECT_EQ(p.NumPolyPoints(), 4);
    V2 out{};
    for (long i = 0; i < 4; ++i) {
        EXPECT_TRUE(p.GetPoint(i, &out));
        if (!c.visible) {
            EXPECT_TRUE(Same(out, kSquare[i])) << "corner " << i << " moved";
        }
    }
    const V2 centre{0.5, 0.5};
    if (!c.visible) {
        EXPECT_FALSE(p.IsPointInside(&centre, 1e6));
    }
}

const double kEdge = RootOfBound();
const double kBelow = std::nextafter(kEdge, 0.0);

INSTANTIATE_TEST_SUITE_P(
    Rows, Degenerate,
    ::testing::Values(
        DegenerateCase{"Row0Zero", Make3(0, 0, 0, 0, 1, 0, 0, 0, 1), false},
        DegenerateCase{"Row1Zero", Make3(1, 0, 0, 0, 0, 0, 5, 5, 1), false},
        DegenerateCase{"Row1PerspectiveOnlyCounts", Make3(1, 0, 0, 0, 0, 1, 0, 0, 1), true},
        DegenerateCase{"Row0AtTheBoundIsKept", Make3(kEdge, 0, 0, 0, 1, 0, 0, 0, 1), true},
        DegenerateCase{"Row0JustBelowTheBound", Make3(kBelow, 0, 0, 0, 1, 0, 0, 0, 1), false},
        DegenerateCase{"Row1JustBelowTheBound", Make3(1, 0, 0, 0, 0, kBelow, 0, 0, 1), false},
        DegenerateCase{"NaNRowIsNotDegenerate", Make3(kNaN, 0, 0, 0, 1, 0, 0, 0, 1), true}),
    [](const ::testing::TestParamInfo<DegenerateCase>& i) { return std::string(i.param.name); });

TEST(TransformPoly2D, BoundIsTheSquaredLength) {
    ASSERT_GE(kEdge * kEdge, 1e-12);
    ASSERT_LT(kBelow * kBelow, 1e-12);
}

TEST(TransformPoly2D, DegenerateMatrixKeepsCornersAndLaterOneRestoresVisibility) {
    Tal_TransformPoly2D p = Square();
    p.TransformPoints(Make3(0, 0, 0, 0, 1, 0, 0, 0, 1));
    p.SetLayerPoint(0, {2, 2});
    EXPECT_FALSE(p.IsVisible()) << "SetLayerPoint must not reset the flag";
    p.TransformPoints(Make3(2, 0, 0, 0, 2, 0, 1, 1, 1));
    EXPECT_TRUE(p.IsVisible());
    EXPECT_TRUE(Same(p.GetPolyPoints()[0], V2{5, 5}));
}

// ---- Transforms compose, queries read the corners -----------------------------------------------

TEST(TransformPoly2D, TwoTransformsActAsTheirProductAndIgnoreTheThirdColumn) {
    const Tal_Matrix3 a = Make3(2, 1, 7, -1, 3, 9, 4, -2, 5);
    const Tal_Matrix3 b = Make3(0.5, 0, 3, 0.25, 2, 1, -8, 16, 2);
    // The product equals the two steps only for an affine first matrix.
    Tal_Matrix3 ab = Make3(2, 1, 0, -1, 3, 0, 4, -2, 1);
    Tal_ConcatMatrix(&b.m[0][0], &ab.m[0][0]);
    Tal_TransformPoly2D twice = Square(), once = Square();
    twice.TransformPoints(a);
    twice.TransformPoints(b);
    once.TransformPoints(ab);
    for (long i = 0; i < 4; ++i) {
        const V2 c = kSquare[i];
        const V2 viaA{c.x * 2 + c.y * -1 + 4, c.x * 1 + c.y * 3 - 2};
        const V2 expected{viaA.x * 0.5 + viaA.y * 0.25 - 8, viaA.x * 0 + viaA.y * 2 + 16};
        EXPECT_TRUE(Same(twice.GetPolyPoints()[i], expected)) << i;  // small integers: exact
        EXPECT_TRUE(Same(once.GetPolyPoints()[i], expected)) << i;
    }
}

TEST(TransformPoly2D, EdgesWrapAndPointsAreTheCorners) {
    const Tal_TransformPoly2D p = Square();
    Edge e;
    for (long i = 0; i < 4; ++i) {
        ASSERT_TRUE(p.GetEdge(i, &e));
        EXPECT_TRUE(Same(e.first, kSquare[i]) && Same(e.second, kSquare[(i + 1) % 4])) << i;
        V2 q{};
        p.GetPolyPoint(i, &q);
        EXPECT_TRUE(Same(q, kSquare[i]));
    }
    p.InitPolyPoints();
    EXPECT_EQ(p.NumPolyPoints(), 4);
}

TEST(TransformPoly2D, CopiesAreIndependent) {
    Tal_TransformPoly2D a = Square();
    a.TransformPoints(Make3(0, 0, 0, 0, 1, 0, 0, 0, 1));
    Tal_TransformPoly2D b(a);
    Tal_TransformPoly2D c;
    c = a;
    a.SetLayerPoint(2, {9, 9});
    a.TransformPoints(Make3(1, 0, 0, 0, 1, 0, 0, 0, 1));
    for (const Tal_TransformPoly2D* p : {&b, &c}) {
        EXPECT_FALSE(p->IsVisible());
        EXPECT_TRUE(Same(p->GetPolyPoints()[2], kSquare[2]));
        EXPECT_NE(p->GetPolyPoints(), a.GetPolyPoints());
    }
}

// ---- Hit tests and distances --------------------------------------------------------------------

TEST(TransformPoly2D, HitTestMatchesThePointInPolygonTestOfTheCorners) {
    std::mt19937_64 rng(0x2d2d);
    std::uniform_real_distribution<double> u(-3, 3);
    for (int n = 0; n < 2000; ++n) {
        Tal_TransformPoly2D p = Square();
        p.TransformPoints(Make3(u(rng), u(rng), 0, u(rng), u(rng), 0, u(rng), u(rng), 1));
        const V2 q{u(rng), u(rng)};
        const double tol = n % 3 == 0 ? 0.0 : 0.1;
        unsigned char inside = 9;
        ASSERT_EQ(Tal_IsFloatPointInConcavePoly(&q, p.GetPolyPoints(), 4, tol, &inside), 0);
        ASSERT_EQ(p.IsPointInside(&q, tol), inside != 0) << n;
    }
}

struct DistanceCase {
    V2 point;
    double distance;
};

TEST(TransformPoly2D, EdgeDistanceOfTheUnitSquare) {
    const Tal_TransformPoly2D p = Square();
    const DistanceCase cases[] = {
        {{0.5, 0.25}, 0.25},           // perpendicular to the bottom edge
        {{2, 2}, std::sqrt(2.0)},      // no foot on an edge: nearest corner
        {{0.5, 0.5}, 0.5},             // every edge alike
        {{1, 1}, 0.0},                 // a corner
        {{-0.5, 0.75}, 0.5},           // beside the left edge, near its start (0, 1)
        {{-3, 0.5}, std::sqrt(9.25)},  // further from the start than the edge is long: corners
        {{0.5, -1}, std::sqrt(1.25)},  // the same below the bottom edge
    };
    for (const DistanceCase& c : cases)
        EXPECT_EQ(p.GetMinimumEdgeDistance(&c.point), c.distance) << c.point.x << "," << c.point.y;
}

// The rule takes the perpendicular only when the point is no further from the edge's start than
// the edge is long, so it lies between the true segment distance and the nearest corner distance.
double SegmentDistance(const V2& p, const V2& a, const V2& b) {
    const long double dx = b.x - a.x, dy = b.y - a.y, wx = p.x - a.x, wy = p.y - a.y;
    long double t = (dx * wx + dy * wy) / (dx * dx + dy * dy);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return double(std::hypot(wx - t * dx, wy - t * dy));
}

TEST(TransformPoly2D, EdgeDistanceLiesBetweenSegmentAndCornerDistances) {
    std::mt19937_64 rng(0xd15);
    std::uniform_real_distribution<double> u(-4, 4);
    for (int n = 0; n < 3000; ++n) {
        Tal_TransformPoly2D p = Square();
        p.TransformPoints(Make3(u(rng), u(rng), 0, u(rng), u(rng), 0, u(rng), u(rng), 1));
        const V2 q{u(rng), u(rng)};
        const V2* c = p.GetPolyPoints();
        double segment = INFINITY, corner = INFINITY;
        for (int i = 0; i < 4; ++i) {
            segment = std::fmin(segment, SegmentDistance(q, c[i], c[(i + 1) % 4]));
            corner = std::fmin(corner, std::hypot(c[i].x - q.x, c[i].y - q.y));
        }
        const double d = p.GetMinimumEdgeDistance(&q);
        ASSERT_GE(d, segment * (1 - 1e-12)) << n;
        ASSERT_LE(d, corner * (1 + 1e-12)) << n;
    }
}

// ---- One point through two matrices -------------------------------------------------------------

TEST(TransformPoint2DtoScreen, FirstMatrixActsFirst) {
    const Tal_Matrix3 move = Make3(1, 0, 0, 0, 1, 0, 10, 0, 1);
    const Tal_Matrix3 twice = Make3(2, 0, 0, 0, 2, 0, 0, 0, 1);
    V2 p{1, 1};
    EXPECT_TRUE(Tal_TransformPoint2DtoScreen(move, twice, &p));
    EXPECT_TRUE(Same(p, V2{22, 2}));
    p = {1, 1};
    EXPECT_TRUE(Tal_TransformPoint2DtoScreen(twice, move, &p));
    EXPECT_TRUE(Same(p, V2{12, 2}));
}

TEST(TransformPoint2DtoScreen, AffinePartOfTheProductAgainstLongDouble) {
    std::mt19937_64 rng(0x5c2);
    std::uniform_real_distribution<double> u(-2, 2);
    for (int n = 0; n < 2000; ++n) {
        double a[9], b[9];
        for (double& v : a)
            v = u(rng);
        for (double& v : b)
            v = u(rng);
        const Tal_Matrix3 first = Make3(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8]);
        const Tal_Matrix3 second = Make3(b[0], b[1], b[2], b[3], b[4], b[5], b[6], b[7], b[8]);
        V2 p{u(rng), u(rng)};
        const long double x = p.x, y = p.y;
        // (x, y, 1) x first, all three columns, then x second without its third column.
        const long double hx = x * a[0] + y * a[3] + a[6], hy = x * a[1] + y * a[4] + a[7],
                          hw = x * a[2] + y * a[5] + a[8];
        const long double ex = hx * b[0] + hy * b[3] + hw * b[6];
        const long double ey = hx * b[1] + hy * b[4] + hw * b[7];
        ASSERT_TRUE(Tal_TransformPoint2DtoScreen(first, second, &p));
        ASSERT_NEAR(p.x, double(ex), 1e-12 * 64) << n;
        ASSERT_NEAR(p.y, double(ey), 1e-12 * 64) << n;
    }
}

}  // namespace
