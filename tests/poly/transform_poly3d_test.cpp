// The 3D transform polygon: the clipped outline against a reference clipping of the quadrilateral
// by z = 0.1 for random placements (grouped by corners behind), the near-plane boundary, hit
// tests against a convexity-sign test and a crossing loop, the degenerate-matrix rule, the
// outline cache states, deep copies with block reuse, allocation failures and leaks.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <new>
#include <random>
#include <vector>

#include "tal/host.h"
#include "tal/matrix.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> V2;
typedef Tal_Vector3T<double> V3;
typedef std::pair<V2, V2> Edge;

constexpr double kFocal = 100, kCx = 320, kCy = 240;
const V2 kLayer[4] = {{-1, -0.75}, {1, -0.75}, {1, 0.75}, {-1, 0.75}};

// Eye to screen: (x, y, z) -> (f x / z + cx, f y / z + cy), W = z.
Tal_Matrix4 Projection() {
    return Tal_Matrix4{{{kFocal, 0, 0, 0}, {0, kFocal, 0, 0}, {kCx, kCy, 1, 1}, {0, 0, 0, 0}}};
}

Tal_Matrix4 Placement(double ax, double ay, double az, double tx, double ty, double tz) {
    Tal_Matrix4 m;
    m.SetIdentity().RotateXYZ(ax, ay, az).Translate(tx, ty, tz);
    return m;
}

// Tilted so that only corner 1 goes behind: eye z of the corners 1.625, -0.375, 0.375, 2.375.
const Tal_Matrix4 kOneBehind{{{1, 0, -1, 0}, {0, 1, 0.5, 0}, {0, 0, 1, 0}, {0, 0, 1, 1}}};

Tal_TransformPoly3D Layer() {
    Tal_TransformPoly3D p;
    for (long i = 0; i < 4; ++i)
        p.SetLayerPoint(i, kLayer[i]);
    return p;
}

Tal_TransformPoly3D Placed(const Tal_Matrix4& toEye, bool init = true) {
    Tal_TransformPoly3D p = Layer();
    p.TransformPointsToEye(toEye);
    p.TransformPointsToScreen(Projection());
    if (init) p.InitPolyPoints();
    return p;
}

std::vector<V2> Outline(const Tal_TransformPoly3D& p) {
    return std::vector<V2>(p.GetPolyPoints(), p.GetPolyPoints() + p.NumPolyPoints());
}

bool Same(const V2& a, const V2& b) {
    return a.x == b.x && a.y == b.y;
}

// Checks that every test leaves no tracked block behind and no injected failure pending.
class Poly3D : public ::testing::Test {
protected:
    void SetUp() override { live_ = Bas_LiveTrackedCount(); }
    void TearDown() override {
        Bas_FailNextTrackedAllocations(0);
        EXPECT_EQ(Bas_LiveTrackedCount(), live_) << "tracked blocks leaked";
    }
    int32_t live_ = 0;
};

// ---- Reference: clip the eye-space quadrilateral by z >= 0.1, then project
// -----------------------

struct Reference {
    int behind = 0;
    bool front[4] = {};
    bool nearPlane = false;  // a corner too close to z = 0.1 to classify independently
    std::vector<V2> outline;
};

Reference ReferenceOutline(const Tal_Matrix4& toEye) {
    Reference r;
    long double eye[4][3];
    for (int i = 0; i < 4; ++i) {
        for (int c = 0; c < 3; ++c)
            eye[i][c] = kLayer[i].x * (long double)toEye.m[0][c] +
                        kLayer[i].y * (long double)toEye.m[1][c] + toEye.m[3][c];
        r.front[i] = eye[i][2] >= 0.1L;
        r.behind += !r.front[i];
        r.nearPlane |= std::fabs(eye[i][2] - 0.1L) < 1e-9L;
    }
    auto project = [&r](long double x, long double y, long double z) {
        r.outline.push_back(
            V2{double((kFocal * x + kCx * z) / z), double((kFocal * y + kCy * z) / z)});
    };
    for (int i = 0; i < 4; ++i) {  // one Sutherland-Hodgman pass from corner 0
        const long double* a = eye[i];
        const long double* b = eye[(i + 1) % 4];
        const bool aIn = a[2] >= 0.1L, bIn = b[2] >= 0.1L;
        if (aIn) project(a[0], a[1], a[2]);
        if (aIn != bIn) {
            const long double t = (0.1L - a[2]) / (b[2] - a[2]);
            project(a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]), 0.1L);
        }
    }
    return r;
}

class ClippedOutline : public Poly3D, public ::testing::WithParamInterface<int> {};

TEST_P(ClippedOutline, MatchesTheReferenceClipping) {
    const int behind = GetParam();
    const size_t expectedCount[5] = {4, 5, 4, 3, 0};
    std::mt19937_64 rng(0x3d0 + behind);
    std::uniform_real_distribution<double> angle(-3.2, 3.2), shift(-1, 1), depth(-1.2, 1.6);
    int matched = 0;
    for (int n = 0; n < 40000 && matched < 400; ++n) {
        const Tal_Matrix4 toEye =
            Placement(angle(rng), angle(rng), angle(rng), shift(rng), shift(rng), depth(rng));
        const Reference ref = ReferenceOutline(toEye);
        if (ref.behind != behind || ref.nearPlane) continue;
        ++matched;
        const Tal_TransformPoly3D p = Placed(toEye);
        ASSERT_EQ(ref.outline.size(), expectedCount[behind]);
        ASSERT_EQ(size_t(p.NumPolyPoints()), ref.outline.size()) << n;
        EXPECT_EQ(p.IsVisible(), behind < 4);
        for (size_t k = 0; k < ref.outline.size(); ++k) {
            V2 got{};
            p.GetPolyPoint(long(k), &got);
            const V2 want = ref.outline[k];
            // Relative: crossing points sit at z = 0.1, where the projection magnifies rounding.
            const double tol = 1e-9 * (1 + std::fabs(want.x) + std::fabs(want.y));
            ASSERT_NEAR(got.x, want.x, tol) << "case " << n << " point " << k;
            ASSERT_NEAR(got.y, want.y, tol) << "case " << n << " point " << k;
        }
        for (long i = 0; i < 4; ++i) {
            V2 q{};
            EXPECT_EQ(p.GetPoint(i, &q), ref.front[i]) << "corner " << i;
        }
    }
    EXPECT_EQ(matched, 400) << "too few placements with " << behind << " corners behind";
}

INSTANTIATE_TEST_SUITE_P(CornersBehind, ClippedOutline, ::testing::Values(0, 1, 2, 3, 4));

// ---- The near plane, exactly -------------------------------------------------------------------

TEST_F(Poly3D, CornersExactlyAtTheNearPlaneAreInFront) {
    Tal_TransformPoly3D p = Placed(Placement(0, 0, 0, 0, 0, 0.1));
    ASSERT_EQ(p.NumPolyPoints(), 4);
    for (long i = 0; i < 4; ++i) {
        V2 q{};
        ASSERT_TRUE(p.GetPoint(i, &q));
        EXPECT_TRUE(Same(q, p.GetPolyPoints()[i]));
        EXPECT_NEAR(q.x, kFocal * kLayer[i].x / 0.1 + kCx, 1e-9);
    }
}

TEST_F(Poly3D, OneCornerBehindGivesExitAndEntryPoints) {
    const Tal_TransformPoly3D p = Placed(kOneBehind);
    V2 q{};
    EXPECT_TRUE(p.GetPoint(0, &q));
    EXPECT_FALSE(p.GetPoint(1, &q));
    Edge e0, e1;
    ASSERT_TRUE(p.GetEdge(0, &e0));
    ASSERT_TRUE(p.GetEdge(1, &e1));
    ASSERT_EQ(p.NumPolyPoints(), 5);
    EXPECT_TRUE(Same(p.GetPolyPoints()[0], e0.first));
    EXPECT_TRUE(Same(p.GetPolyPoints()[1], e0.second));  // exit through the near plane
    EXPECT_TRUE(Same(p.GetPolyPoints()[2], e1.first));   // entry again
}

TEST_F(Poly3D, AllCornersBehind) {
    Tal_TransformPoly3D p = Placed(Placement(0, 0, 0, 0, 0, 0.0999));
    EXPECT_FALSE(p.IsVisible());
    EXPECT_TRUE(p.PolyPointsInit());
    EXPECT_EQ(p.NumPolyPoints(), 0);
    const V2 centre{kCx, kCy};
    EXPECT_FALSE(p.IsPointInside(&centre, 1e9));
    EXPECT_EQ(p.GetMinimumEdgeDistance(&centre), -1.0);
    for (long i = 0; i < 4; ++i) {
        V2 q{7, 7};
        Edge e{{7, 7}, {7, 7}};
        EXPECT_FALSE(p.GetPoint(i, &q));
        EXPECT_FALSE(p.GetEdge(i, &e));
        EXPECT_TRUE(Same(q, {7, 7}) && Same(e.first, {7, 7}) && Same(e.second, {7, 7}));
    }
}

TEST_F(Poly3D, QueriesBeforeInitPolyPoints) {
    const Tal_TransformPoly3D p = Placed(Placement(0, 0, 0, 0, 0, 5), false);
    EXPECT_TRUE(p.IsVisible());
    EXPECT_EQ(p.NumPolyPoints(), 0);
    const V2 centre{kCx, kCy};
    EXPECT_FALSE(p.IsPointInside(&centre, 0));
    EXPECT_EQ(p.GetMinimumEdgeDistance(&centre), 100 * 0.75 / 5);  // edges need no outline
}

// ---- Hit tests ----------------------------------------------------------------------------------

double Cross(const V2& a, const V2& b, const V2& p) {
    return (b.x - a.x) * (p.y - a.y) - (p.x - a.x) * (b.y - a.y);
}

bool CrossingTest(const std::vector<V2>& v, const V2& p) {
    bool inside = false;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        if ((v[i].y > p.y) != (v[j].y > p.y) &&
            p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x)
            inside = !inside;
    }
    return inside;
}

TEST_F(Poly3D, HitTestAgreesWithAreaSignAndCrossingTest) {
    std::mt19937_64 rng(0x417);
    std::uniform_real_distribution<double> angle(-1.4, 1.4), shift(-1, 1), depth(-0.5, 3);
    std::uniform_real_distribution<double> sx(-400, 1000), sy(-400, 900);
    int insideSeen = 0, outsideSeen = 0;
    for (int n = 0; n < 3000; ++n) {
        const Tal_TransformPoly3D p = Placed(
            Placement(angle(rng), angle(rng), angle(rng), shift(rng), shift(rng), depth(rng)));
        const std::vector<V2> v = Outline(p);
        if (v.size() < 3) continue;
        const double area = Tal_SignedPolygonArea2D(v.data(), long(v.size()));
        for (int k = 0; k < 16; ++k) {
            const V2 q{sx(rng), sy(rng)};
            // Convex outline: inside when q lies on the area's side of every edge, clearly.
            bool allSide = true, nearEdge = false;
            for (size_t i = 0; i < v.size(); ++i) {
                const V2 &a = v[i], &b = v[(i + 1) % v.size()];
                const double c = Cross(a, b, q), len = std::hypot(b.x - a.x, b.y - a.y);
                nearEdge |= std::fabs(c) <= 1e-6 * len * (1 + std::fabs(q.x) + std::fabs(q.y));
                allSide &= (c > 0) == (area > 0);
            }
            if (nearEdge) continue;
            const bool inside = p.IsPointInside(&q, 0);
            ASSERT_EQ(inside, allSide) << n;
            ASSERT_EQ(inside, CrossingTest(v, q)) << n;
            (inside ? insideSeen : outsideSeen)++;
        }
    }
    EXPECT_GT(insideSeen, 1000);
    EXPECT_GT(outsideSeen, 1000);
}

TEST_F(Poly3D, ToleranceBandAroundTheOutline) {
    const Tal_TransformPoly3D p = Placed(Placement(0, 0, 0, 0, 0, 1));  // (220,165)-(420,315)
    const struct {
        V2 point;
        double tolerance;
        bool inside;
    } cases[] = {{{219, 200}, 0, false}, {{219, 200}, 2, true}, {{219, 200}, 0.5, false},
                 {{420, 315}, 0, true},  {{425, 320}, 8, true}, {{425, 320}, 7, false}};
    for (const auto& c : cases)
        EXPECT_EQ(p.IsPointInside(&c.point, c.tolerance), c.inside)
            << c.point.x << "," << c.point.y << " tol " << c.tolerance;
}

// ---- The degenerate-matrix rule -----------------------------------------------------------------

TEST_F(Poly3D, DegenerateMatrixOnlyClearsTheClippedFlags) {
    Tal_Matrix4 flat = Projection();
    flat.m[1][1] = 0;  // row 1 vanishes
    const Tal_Matrix4 toEye = kOneBehind;
    for (int stage = 0; stage < 2; ++stage) {
        Tal_TransformPoly3D p = Placed(toEye);
        const std::vector<V2> before = Outline(p);
        ASSERT_EQ(before.size(), 5u);
        V2 hidden{};
        ASSERT_FALSE(p.GetPoint(0, &hidden) && p.GetPoint(1, &hidden) && p.GetPoint(2, &hidden) &&
                     p.GetPoint(3, &hidden));
        if (stage == 0) {
            p.TransformPointsToScreen(flat);
        } else {
            p.TransformPointsToEye(flat);
        }
        EXPECT_TRUE(p.IsVisible());
        EXPECT_TRUE(p.PolyPointsInit()) << "a valid outline stays valid";
        const std::vector<V2> after = Outline(p);
        ASSERT_EQ(after.size(), before.size());
        for (size_t k = 0; k < after.size(); ++k)
            EXPECT_TRUE(Same(after[k], before[k]));
        for (long i = 0; i < 4; ++i)
            EXPECT_TRUE(p.GetPoint(i, &hidden)) << "flag " << i << " still set";
    }
}

// ---- The outline cache --------------------------------------------------------------------------

struct CacheCase {
    const char* name;
    std::function<void(Tal_TransformPoly3D&)> action;
    bool fromInvalid, fromValid;  // the state after the action
};

class OutlineCache : public Poly3D, public ::testing::WithParamInterface<CacheCase> {};

TEST_P(OutlineCache, StateAfterAction) {
    const CacheCase& c = GetParam();
    for (const bool valid : {false, true}) {
        Tal_TransformPoly3D p = Placed(Placement(0, 0, 0, 0, 0, 2), valid);
        ASSERT_EQ(p.PolyPointsInit(), valid);
        c.action(p);
        EXPECT_EQ(p.PolyPointsInit(), valid ? c.fromValid : c.fromInvalid) << "from " << valid;
        if (!p.PolyPointsInit()) {
            EXPECT_EQ(p.NumPolyPoints(), 0);
        }
    }
}

Tal_Matrix4 Flat() {
    Tal_Matrix4 m = Projection();
    m.m[0][0] = 1e-7;
    return m;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, OutlineCache,
    ::testing::Values(
        CacheCase{"Init", [](Tal_TransformPoly3D& p) { p.InitPolyPoints(); }, true, true},
        CacheCase{"Invalidate", [](Tal_TransformPoly3D& p) { p.InvalidatePolyPoints(); }, false,
                  false},
        CacheCase{"ToScreen",
                  [](Tal_TransformPoly3D& p) { p.TransformPointsToScreen(Projection()); }, false,
                  false},
        CacheCase{"DegenerateToScreen",
                  [](Tal_TransformPoly3D& p) { p.TransformPointsToScreen(Flat()); }, false, true},
        CacheCase{
            "ToEye",
            [](Tal_TransformPoly3D& p) { p.TransformPointsToEye(Placement(1, 0, 0, 0, 0, 0)); },
            false, true},
        CacheCase{"SetLayerPoint",
                  [](Tal_TransformPoly3D& p) {
                      p.SetLayerPoint(0, {5, 5});
                  },
                  false, true},
        CacheCase{"ClipEdge", [](Tal_TransformPoly3D& p) { p.ClipEdgeToScreen(2); }, false, true},
        CacheCase{"CopiedIn", [](Tal_TransformPoly3D& p) { p = Tal_TransformPoly3D(p); }, false,
                  true}),
    [](const ::testing::TestParamInfo<CacheCase>& i) { return std::string(i.param.name); });

// ---- Copies, block reuse, allocation failures ---------------------------------------------------

TEST_F(Poly3D, CopiesAreDeepAndIndependent) {
    Tal_TransformPoly3D a = Placed(kOneBehind);  // five points
    const std::vector<V2> five = Outline(a);
    const int32_t live = Bas_LiveTrackedCount();
    Tal_TransformPoly3D b(a);
    EXPECT_EQ(Bas_LiveTrackedCount(), live + 1);
    Tal_TransformPoly3D c;
    c = a;
    EXPECT_EQ(Bas_LiveTrackedCount(), live + 2);
    a.InvalidatePolyPoints();
    a.SetLayerPoint(0, {0, 0});
    a.TransformPointsToScreen(Projection());
    a.InitPolyPoints();
    for (const Tal_TransformPoly3D* p : {&b, &c}) {
        EXPECT_NE(p->GetPolyPoints(), a.GetPolyPoints());
        ASSERT_EQ(Outline(*p).size(), five.size());
        for (size_t k = 0; k < five.size(); ++k)
            EXPECT_TRUE(Same(Outline(*p)[k], five[k]));
        V2 q{};
        EXPECT_FALSE(p->GetPoint(0, &q) && p->GetPoint(1, &q) && p->GetPoint(2, &q) &&
                     p->GetPoint(3, &q));
    }
}

TEST_F(Poly3D, AssignmentReusesABlockLargeEnough) {
    const Tal_TransformPoly3D five = Placed(kOneBehind);
    Tal_TransformPoly3D target = Placed(Placement(0, 0, 0, 0, 0, 2));  // reserved eight
    const V2* block = target.GetPolyPoints();
    const int32_t live = Bas_LiveTrackedCount();
    target = five;
    EXPECT_EQ(target.GetPolyPoints(), block);
    EXPECT_EQ(Bas_LiveTrackedCount(), live);
    Tal_TransformPoly3D copy(five);  // exactly five: a four-point copy fits, an eight does not
    const V2* copied = copy.GetPolyPoints();
    copy = Tal_TransformPoly3D(Placed(Placement(0, 0, 0, 0, 0, 2)));
    EXPECT_EQ(copy.GetPolyPoints(), copied);
    copy.InvalidatePolyPoints();
    copy.InitPolyPoints();  // needs eight: a new block
    EXPECT_NE(copy.GetPolyPoints(), copied);
    EXPECT_EQ(copy.NumPolyPoints(), 4);
    const Tal_TransformPoly3D& self = target;
    target = self;  // self-assignment keeps the outline
    EXPECT_EQ(target.NumPolyPoints(), 5);
}

TEST_F(Poly3D, EmptyOutlinesCopyWithoutABlock) {
    const Tal_TransformPoly3D unbuilt = Placed(Placement(0, 0, 0, 0, 0, 2), false);
    const Tal_TransformPoly3D behind = Placed(Placement(0, 0, 0, 0, 0, -1));
    const int32_t live = Bas_LiveTrackedCount();
    Bas_FailNextTrackedAllocations(1);  // any allocation would throw
    Tal_TransformPoly3D a(unbuilt), b(behind);
    Bas_FailNextTrackedAllocations(0);
    EXPECT_EQ(Bas_LiveTrackedCount(), live);
    EXPECT_EQ(a.GetPolyPoints(), nullptr);
    EXPECT_FALSE(a.PolyPointsInit());
    EXPECT_TRUE(b.PolyPointsInit());
    EXPECT_FALSE(b.IsVisible());
}

TEST_F(Poly3D, FailingAllocationLeavesTheOutlineAsItWas) {
    Tal_TransformPoly3D p = Placed(Placement(0, 0, 0, 0, 0, 2), false);
    Bas_FailNextTrackedAllocations(1);
    EXPECT_THROW(p.InitPolyPoints(), std::exception);
    EXPECT_FALSE(p.PolyPointsInit());
    EXPECT_EQ(p.NumPolyPoints(), 0);
    p.InitPolyPoints();
    EXPECT_EQ(p.NumPolyPoints(), 4);

    const Tal_TransformPoly3D five = Placed(kOneBehind);
    Bas_FailNextTrackedAllocations(1);
    EXPECT_THROW(Tal_TransformPoly3D copy(five), std::bad_alloc);

    const Tal_TransformPoly3D four = Placed(Placement(0, 0, 0, 0, 0, 2));
    Tal_TransformPoly3D small(four);  // a block of exactly four
    const V2* block = small.GetPolyPoints();
    const V2 first = block[0];
    Bas_FailNextTrackedAllocations(1);
    EXPECT_THROW(small = five, std::bad_alloc);
    EXPECT_EQ(small.GetPolyPoints(), block);
    EXPECT_EQ(small.NumPolyPoints(), 4);
    EXPECT_TRUE(Same(small.GetPolyPoints()[0], first));
    V2 q{};
    EXPECT_TRUE(small.GetPoint(0, &q) && small.GetPoint(1, &q)) << "flags overwritten";
}

// ---- Signed area --------------------------------------------------------------------------------

TEST(SignedPolygonArea2D, SmallOutlines) {
    const struct {
        std::vector<V2> points;
        double area;
    } cases[] = {{{}, 0.0},
                 {{{1, 1}}, 0.0},
                 {{{0, 0}, {5, 5}}, 0.0},
                 {{{0, 0}, {1, 0}, {0, 1}}, 0.5},
                 {{{0, 0}, {1, 0}, {1, 1}, {0, 1}}, 1.0},
                 {{{0, 0}, {0, 1}, {1, 1}, {1, 0}}, -1.0},
                 {{{0, 0}, {2, 0}, {2, 1}, {1, 2}, {0, 1}}, 3.0},
                 {{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {0, 0}, {2, 0}}, 4.0}};
    for (const auto& c : cases)
        EXPECT_EQ(Tal_SignedPolygonArea2D(c.points.data(), long(c.points.size())), c.area)
            << c.points.size() << " points";
    const V2 tri[3] = {{0, 0}, {1, 0}, {0, 1}};
    EXPECT_EQ(Tal_SignedPolygonArea2D(tri, -1), 0.0);
}

TEST(SignedPolygonArea2D, ExactForIntegerOutlinesAgainstA64BitShoelace) {
    std::mt19937_64 rng(0xa4ea);
    std::uniform_int_distribution<int> coord(-(1 << 20), 1 << 20), size(3, 12);
    for (int n = 0; n < 5000; ++n) {
        std::vector<V2> v(size(rng));
        int64_t twice = 0;
        for (V2& p : v)
            p = {double(coord(rng)), double(coord(rng))};
        for (size_t i = 0; i < v.size(); ++i) {
            const V2 &a = v[i], &b = v[(i + 1) % v.size()];
            twice += int64_t(a.x) * int64_t(b.y) - int64_t(b.x) * int64_t(a.y);
        }
        // Every product and partial sum stays below 2^53: the result must be exact.
        ASSERT_EQ(Tal_SignedPolygonArea2D(v.data(), long(v.size())), double(twice) * 0.5) << n;
    }
}

}  // namespace
