// Transform polygons, screen mappings and signed areas against exact cases and wider references.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "support/reports.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> V2;
#define SAME(a, b) ((a).x == (b).x && (a).y == (b).y)
#define NEAR(a, b) (std::hypot((a).x - (b).x, (a).y - (b).y) <= 1e-9 * std::hypot(1, (b).x, (b).y))
#define OUTLINE(p) \
    std::vector<double>(&(p).GetPolyPoints()->x, &(p).GetPolyPoints()->x + 2 * (p).NumPolyPoints())
const V2 kSquare[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

Tal_Matrix3 M3(double a, double b, double c, double d, double e, double f, double g, double h) {
    return Tal_Matrix3{{{a, b, c}, {d, e, f}, {g, h, 1}}};
}

Tal_TransformPoly2D Square(const Tal_Matrix3& m) {
    Tal_TransformPoly2D p;
    for (long i = 0; i < 4; ++i)
        p.SetLayerPoint(i, kSquare[i]);
    return p.TransformPoints(m), p;
}

TEST(TransformPoly2D, RowsStrictlyInsideTheBoundHideTheLayerElseTransformsCompose) {
    const double below = std::nextafter(1e-6, 0.0), nan = std::nan("");  // 1e-6 * 1e-6 == 1e-12
    const Tal_Matrix3 shown[] = {M3(1e-6, 0, 0, 0, 1, 0, 0, 0), M3(nan, 0, 0, 0, 1, 0, 0, 0),
                                 M3(1, 0, 0, 0, 0, 1, 0, 0), M3(below, 0, 0, 0, 1, 0, 0, 0),
                                 M3(1, 0, 0, 0, 0, below, 0, 0)};  // row 1 counts its third column
    for (int k = 0; k < 5; ++k) {
        const Tal_TransformPoly2D p = Square(shown[k]);
        V2 q = {0.5, 0.5};
        EXPECT_EQ(p.IsVisible(), k < 3) << k;
        for (long i = 0; k >= 3 && i < 4; ++i)  // hidden: no hit, corners as they were
            EXPECT_TRUE(!p.IsPointInside(&q, 1e6) && p.GetPoint(i, &q) && SAME(q, kSquare[i]));
    }
    Tal_TransformPoly2D p = Square(M3(0, 0, 0, 0, 1, 0, 0, 0));  // then compose as they stand
    p.SetLayerPoint(0, {2, 2});
    EXPECT_FALSE(p.IsVisible()) << "SetLayerPoint keeps the flag";
    p.TransformPoints(M3(2, 1, 7, -1, 3, 9, 4, -2));
    p.TransformPoints(M3(0.5, 0, 3, 0.25, 2, 1, -8, 16));
    for (long i = 0; i < 4; ++i) {
        const V2 c = i ? kSquare[i] : V2{2, 2}, a{2 * c.x - c.y + 4, c.x + 3 * c.y - 2};
        std::pair<V2, V2> e;
        EXPECT_TRUE(SAME(p.GetPolyPoints()[i], V2({0.5 * a.x + 0.25 * a.y - 8, 2 * a.y + 16})));
        EXPECT_TRUE(p.GetEdge(i, &e) && SAME(e.second, p.GetPolyPoints()[(i + 1) % 4])) << i;
    }
}

TEST(TransformPoly2D, EdgeDistanceToleranceAndTheTwoMatrixScreenMapping) {
    const Tal_TransformPoly2D p = Square(M3(1, 0, 0, 0, 1, 0, 0, 0));
    V2 q[] = {{0.5, 0.25}, {2, 2}, {1, 1}, {-0.5, 0.75}, {-3, 0.5}, {0.5, -1}, {1.05, 0.5}};
    const double d[] = {0.25, std::sqrt(2.0), 0, 0.5, std::sqrt(9.25), std::sqrt(1.25)};
    for (int k = 0; k < 6; ++k)  // beside an edge near its start the foot counts, else corners
        EXPECT_EQ(p.GetMinimumEdgeDistance(&q[k]), d[k]) << k;
    EXPECT_TRUE(p.IsPointInside(&q[6], 0.1) && !p.IsPointInside(&q[6], 0.01));
    const Tal_Matrix3 a = M3(1, 2, 3, 4, 5, 6, 7, 8), b = M3(1, 0, 0, 0, 1, 0, 10, 20);
    V2 s{1, 1}, t{1, 1};  // (1, 1, 1) x a = (12, 15, 10): its W scales b's translation
    EXPECT_TRUE(Tal_TransformPoint2DtoScreen(a, b, &s) && Tal_TransformPoint2DtoScreen(b, a, &t));
    EXPECT_TRUE(SAME(s, V2({112, 215})) && SAME(t, V2({102, 135})));
}

// Eye to screen: (100 x / z + 320, 100 y / z + 240), W = z; then a y-down screen, 2 per unit.
const Tal_Matrix4 kProj{{{100, 0, 0, 0}, {0, 100, 0, 0}, {320, 240, 1, 1}, {0, 0, 0, 0}}};
const Tal_Matrix3 kScreen{{{2, 0, 0}, {0, -2, 0}, {320, 240, 1}}};
// Only corner 1 behind: eye z of the corners 1.625, -0.375, 0.375, 2.375.
const Tal_Matrix4 kOneBehind{{{1, 0, -1, 0}, {0, 1, 0.5, 0}, {0, 0, 1, 0}, {0, 0, 1, 1}}};
const V2 kLayer[4] = {{-1, -0.75}, {1, -0.75}, {1, 0.75}, {-1, 0.75}};

V2 Project(const long double* a, const long double* b, long double t) {  // a + t (b - a)
    const long double x = a[0] + t * (b[0] - a[0]), y = a[1] + t * (b[1] - a[1]);
    const long double z = a[2] + t * (b[2] - a[2]);
    return {double(100 * x / z + 320), double(100 * y / z + 240)};
}

Tal_Matrix4 At(double z, double a = 0, double b = 0, double c = 0, double x = 0, double y = 0) {
    Tal_Matrix4 m;
    return m.SetIdentity().RotateXYZ(a, b, c).Translate(x, y, z);
}

Tal_TransformPoly3D Placed(const Tal_Matrix4& toEye, bool init = true) {
    Tal_TransformPoly3D p;
    for (long i = 0; i < 4; ++i)
        p.SetLayerPoint(i, kLayer[i]);
    p.TransformPointsToEye(toEye);
    p.TransformPointsToScreen(kProj);
    if (init) p.InitPolyPoints();
    return p;
}

TEST(TransformPoly3D, RandomPlacementsMatchAReferenceClipping) {
    std::mt19937_64 rng(0x3d0);
    std::uniform_real_distribution<double> a(-3.2, 3.2), s(-1, 1), d(-1.2, 1.6);
    for (int n = 0; n < 20000; ++n) {
        const Tal_Matrix4 m = At(d(rng), a(rng), a(rng), a(rng), s(rng), s(rng));
        long double e[4][3];
        bool front[4], nearPlane = false;
        for (int i = 0; i < 4; ++i) {
            for (int c = 0; c < 3; ++c)  // (x, y, 0, 1) x m
                e[i][c] = kLayer[i].x * (long double)m.m[0][c] +
                          kLayer[i].y * (long double)m.m[1][c] + m.m[3][c];
            front[i] = e[i][2] >= 0.1;
            nearPlane |= std::fabs(e[i][2] - 0.1L) < 1e-9L;  // too close to classify independently
        }
        if (nearPlane) continue;
        std::vector<V2> want;  // one clipping pass from corner 0
        for (int i = 0, j = 1; i < 4; j = (++i + 1) % 4) {
            const long double t = (0.1L - e[i][2]) / (e[j][2] - e[i][2]);
            if (front[i]) want.push_back(Project(e[i], e[j], 0));
            if (front[i] != front[j]) want.push_back(Project(e[i], e[j], t));
        }
        Tal_TransformPoly3D p = Placed(m);
        ASSERT_TRUE(p.NumPolyPoints() == long(want.size()) && p.IsVisible() == !want.empty()) << n;
        for (long k = 0; k < long(want.size()); ++k)  // relative: crossings magnify rounding
            ASSERT_TRUE(NEAR(p.GetPolyPoints()[k], want[k])) << n;
    }
}

TEST(TransformPoly3D, NearPlaneBoundaryZeroWAndEmptyOutlines) {
    Tal_TransformPoly3D at = Placed(At(0.1)), gone = Placed(At(0.0999)), raw = Placed(At(5), false);
    V2 centre{320, 240}, s{1, 1}, q{1, 1}, r{1, 1};
    std::pair<V2, V2> e{r, r};
    EXPECT_EQ(at.NumPolyPoints(), 4);  // exactly at the plane is in front, and maps
    EXPECT_TRUE(Tal_TransformPoint3DtoScreen(At(0.1), kProj, kScreen, &s) &&
                NEAR(s, V2({2960, -2240})));
    EXPECT_FALSE(Tal_TransformPoint3DtoScreen(At(std::nextafter(0.1, 0.0)), kProj, kScreen, &q));
    for (long i = 0; i < 4; ++i)
        EXPECT_FALSE(gone.GetPoint(i, &r) || gone.GetEdge(i, &e));
    EXPECT_TRUE(!gone.IsVisible() && gone.PolyPointsInit() && gone.NumPolyPoints() == 0);
    EXPECT_TRUE(!gone.IsPointInside(&centre, 1e9) && gone.GetMinimumEdgeDistance(&centre) == -1);
    EXPECT_TRUE(raw.IsVisible() && !raw.PolyPointsInit() && !raw.IsPointInside(&centre, 0));
    EXPECT_EQ(raw.GetMinimumEdgeDistance(&centre), 100 * 0.75 / 5);  // edges need no outline
    taltest::TakeReports();
    EXPECT_THROW(Tal_TransformPoint3DtoScreen(kProj, kProj, kScreen, &q), long);  // W = z = 0
    EXPECT_EQ(taltest::TakeReports(),
              std::vector<taltest::Report>{taltest::Msg(0x11003B, "homogeneous point has W=0")});
    EXPECT_TRUE(SAME(q, V2({1, 1})) && SAME(r, q) && SAME(e.first, q) && SAME(e.second, q));
}

TEST(TransformPoly3D, OnlyANonDegenerateScreenTransformInvalidatesTheOutline) {
    const Tal_Matrix4 flat{{{100, 0, 0, 0}, {0, 0, 0, 0}, {320, 240, 1, 1}, {0, 0, 0, 0}}};
    for (int stage = 0; stage < 2; ++stage) {  // row 1 vanishes: only the flags clear
        Tal_TransformPoly3D p = Placed(kOneBehind);
        const std::vector<double> outline = OUTLINE(p);  // corner 2 is its fourth point
        V2 q{};
        stage ? p.TransformPointsToEye(flat) : p.TransformPointsToScreen(flat);
        EXPECT_TRUE(p.IsVisible() && p.GetPoint(1, &q) && p.GetPoint(2, &q) && q.x == outline[6]);
        EXPECT_TRUE(p.PolyPointsInit() && OUTLINE(p) == outline);
        p.TransformPointsToScreen(kProj);
        EXPECT_TRUE(!p.PolyPointsInit() && p.NumPolyPoints() == 0);
    }
}

TEST(TransformPoly3D, CopiesAreDeepReuseBlocksAndSurviveFailedAllocations) {
    const int32_t live = Bas_LiveTrackedCount();
    {
        Tal_TransformPoly3D five = Placed(kOneBehind), b(five), c = Placed(At(2)), sq(c);
        Tal_TransformPoly3D e = Placed(At(2), false);
        const V2 *eight = c.GetPolyPoints(), *four = sq.GetPolyPoints();
        const std::vector<double> outline = OUTLINE(five), square = OUTLINE(c);
        V2 q{};
        c = five;              // fits the block of eight
        five = Placed(At(2));  // the copies stay
        EXPECT_TRUE(c.GetPolyPoints() == eight && OUTLINE(c) == outline && !c.GetPoint(1, &q));
        EXPECT_TRUE(OUTLINE(b) == outline && b.GetPolyPoints() != five.GetPolyPoints());
        Bas_FailNextTrackedAllocations(3);
        EXPECT_EQ(Tal_TransformPoly3D(e).GetPolyPoints(), nullptr);  // an empty copy needs no block
        EXPECT_THROW(Tal_TransformPoly3D copy(b), std::bad_alloc);
        EXPECT_THROW(sq = b, std::bad_alloc);
        EXPECT_THROW(e.InitPolyPoints(), std::bad_alloc);
        EXPECT_TRUE(sq.GetPolyPoints() == four && OUTLINE(sq) == square && sq.GetPoint(1, &q));
        EXPECT_TRUE(!e.PolyPointsInit() && e.NumPolyPoints() == 0);
    }
    EXPECT_EQ(Bas_LiveTrackedCount(), live) << "tracked blocks leaked";
}

TEST(SignedPolygonArea2D, IntegerOutlinesAgainstA64BitShoelace) {
    EXPECT_EQ(Tal_SignedPolygonArea2D(nullptr, -1), 0.0);
    std::mt19937_64 rng(0xa4ea);
    std::uniform_int_distribution<int> coord(-(1 << 20), 1 << 20), size(0, 12);
    for (int n = 0; n < 5000; ++n) {
        std::vector<V2> v(size(rng));
        int64_t twice = 0;  // below 2^53 throughout: the result must be exact
        for (V2& p : v)
            p = {double(coord(rng)), double(coord(rng))};
        for (size_t i = v.size(), j = 0; i-- > 0; j = i)  // edges (i, j), the closing one first
            twice += int64_t(v[i].x) * int64_t(v[j].y) - int64_t(v[j].x) * int64_t(v[i].y);
        ASSERT_EQ(Tal_SignedPolygonArea2D(v.data(), long(v.size())), double(twice) * 0.5) << n;
    }
}

}  // namespace
