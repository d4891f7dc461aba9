// Point in polygon (the even-odd boundary rules, the tolerance band, the out-of-memory report,
// random outlines against an exact model), transform polygons, screen mappings, signed areas.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "support/poly_model.h"
#include "support/reports.h"
#include "tal/poly.h"

namespace {

using taltest::InsideModel;
using taltest::IPt;
using V2 = Tal_Vector2T<double>;
using F2 = Tal_Vector2T<float>;
const double kNaN = NAN, kInf = INFINITY, kE12 = 0x1p-12, kE30 = 0x1p-30, kBelow1 = 1 - kE30;
const double kFar = 1e15, kFarIn = kFar - 0.375, kFarOut = kFar - 0.625, kFarY = kFar + 50;

template <typename T>
int Inside(const T& p, const std::vector<T>& v, double tolerance) {
    unsigned char inside = 7;
    EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&p, v.data(), long(v.size()), tolerance, &inside), 0);
    return inside;
}

const std::vector<V2> kOutlines[] = {
    {{0, 0}, {10, 0}, {10, 10}, {0, 10}},
    {{0, 0}},
    {{0, 0}, {-0.0, 0}},
    {{kNaN, 1}, {kNaN, 1}},
    {{kFar, kFar}, {kFar + 100, kFar}, {kFar + 100, kFar + 100}, {kFar, kFar + 100}},
    {{kE30, 0}},
    {{3, 4}}};

struct Row {
    int outline;
    double x, y, tolerance;
    int inside, asFloat;
};

// Also with the tolerance negated, and at 0 on the square as a quad. One vertex compares bitwise
// (-0.0 is another), then by distance (1e-200 squared would underflow); far out the band still
// reaches 0.5; float vertices round the squared distance to float; a vertical edge is never hit;
// (2, 8) is in the square but not in the triangle of its first three corners.
TEST(PointInPoly, BandEdgesSignedZerosNaNFarOutlinesAndFloatRounding) {
    const Row rows[] = {{0, -3, 5, 3, 1, 0},
                        {0, -3, -4, 5, 1, 0},
                        {0, 5, -1e-12, 0, 1, 0},
                        {0, 5, -1.1e-12, 0, 0, 0},
                        {0, kNaN, 5, 1, 0, 0},
                        {0, 0, 5, kNaN, 0, 0},
                        {0, 1e300, -1e300, kInf, 1, 0},
                        {1, -0.0, 0, 0, 1, 0},
                        {1, 0, 0, kNaN, 1, 0},
                        {2, 0, 0, 0, 0, 0},
                        {2, 0, 1, 1, 1, 0},
                        {3, kNaN, 1, 1, 0, 0},
                        {4, kFarIn, kFarY, 0.5, 1, 0},
                        {4, kFarOut, kFarY, 0.5, 0, 0},
                        {1, 1, kE12, 1, 0, 0},
                        {1, 1, kE12, 1, 1, 1},
                        {5, 1, 0, kBelow1, 1, 0},
                        {5, 1, 0, kBelow1, 0, 1},
                        {1, 1e-200, 0, 0, 0, 0},
                        {0, 2, 8, 0, 1, 0},
                        {0, 0, 5, 0, 0, 0},
                        {6, 6, 8, 5, 1, 0}};
    for (const Row& r : rows) {
        const std::vector<V2>& v = kOutlines[r.outline];
        std::vector<F2> vf;
        for (const V2& q : v)
            vf.push_back({float(q.x), float(q.y)});
        const V2 p{r.x, r.y};
        const F2 pf{float(r.x), float(r.y)};
        unsigned char quad = 7;
        if (r.outline == 0) Tal_IsFloatPointInQuad(&p, v.data(), &quad);
        const int got = r.asFloat ? Inside(pf, vf, r.tolerance) : Inside(p, v, r.tolerance);
        const int negated = r.asFloat ? Inside(pf, vf, -r.tolerance) : Inside(p, v, -r.tolerance);
        EXPECT_EQ(std::make_tuple(got, negated, r.tolerance || r.outline ? r.inside : int(quad)),
                  std::make_tuple(r.inside, r.inside, r.inside))
            << "outline " << r.outline << ", point " << r.x << ", " << r.y << ", tolerance "
            << r.tolerance << (r.asFloat ? " (float)" : "") << "; got as given, negated, quad";
    }
    unsigned char inside = 7;
    EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&kOutlines[0][2], kOutlines[0].data(), 4, 0, &inside),
              0);
    EXPECT_EQ(inside, 1) << "the point is vertex 2 itself";
}

// Below one vertex nothing is read; the smallest count no list of the vertex size could hold (and
// the largest long, where a long can express it) is reported as out of memory. inside is left 0.
template <typename T>
void ExpectBadCounts() {
    const T p{5, 5};
    std::vector<long> counts = {0, -1, LONG_MIN};
    const intmax_t tooMany = PTRDIFF_MAX / intmax_t(sizeof(T));
    if (tooMany <= LONG_MAX) counts.insert(counts.end(), {long(tooMany), LONG_MAX});
    const auto oom = taltest::Msg(Tal_ReportCode(0), "out of memory: vertex list");
    for (long count : counts) {
        unsigned char inside = 7;
        taltest::ClearReports();
        const long err =
            Tal_IsFloatPointInConcavePoly(&p, count < 1 ? nullptr : &p, count, 1, &inside);
        EXPECT_EQ(std::make_tuple(err, int(inside)),
                  std::make_tuple(count < 1 ? 0 : long(Tal_Err_OUT_OF_MEMORY), 0))
            << "count " << count << ", vertex size " << sizeof(T);
        EXPECT_EQ(taltest::TakeReports(), std::vector<taltest::Report>(count > 0, oom)) << count;
    }
}

TEST(PointInPoly, BadCountsAreOutsideOrReportedAsOutOfMemory) {
    ExpectBadCounts<V2>();
    ExpectBadCounts<F2>();
}

// Outlines in half units (some across 64 vertices, the previous vertex repeated now and then),
// every half-unit grid point, with no band and with one of 1.3 units (260 hundredths of a half).
TEST(PointInPoly, RandomOutlinesMatchTheExactModelInBothInstances) {
    std::mt19937_64 rng(4242);
    std::uniform_int_distribution<int64_t> coord(-8, 8);
    long points = 0, inside = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<IPt> distinct;
        std::vector<V2> vd;
        std::vector<F2> vf;
        for (int i = trial % 3 ? 1 + trial % 12 : 60 + trial % 10; i > 0; --i) {
            const bool repeat = !distinct.empty() && rng() % 8 == 0;
            const IPt q = repeat ? distinct.back() : IPt{2 * coord(rng), 2 * coord(rng)};
            vd.push_back({q.x / 2.0, q.y / 2.0});
            vf.push_back({q.x / 2.0f, q.y / 2.0f});
            if (distinct.empty() || q.x != distinct.back().x || q.y != distinct.back().y)
                distinct.push_back(q);
        }
        const double tol = trial % 2 ? 0.0 : 1.3;
        for (int64_t y = -19; y <= 19; ++y)
            for (int64_t x = -19; x <= 19; ++x) {
                bool ambiguous = false;
                const int want = InsideModel(distinct, {x, y}, tol ? 260 : 0, ambiguous);
                if (ambiguous) continue;
                ++points;
                inside += want;
                const auto got = std::make_pair(Inside(V2{x / 2.0, y / 2.0}, vd, tol),
                                                Inside(F2{x / 2.0f, y / 2.0f}, vf, tol));
                ASSERT_EQ(got, std::make_pair(want, want))
                    << "(double, float) in trial " << trial << " at " << x / 2.0 << ", " << y / 2.0;
            }
    }
    EXPECT_GT(inside, points / 10);
    EXPECT_GT(points, 400000);
}

using Edge = std::pair<V2, V2>;
const V2 kSquare[4] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

template <typename Poly>
std::vector<double> Outline(const Poly& p) {
    std::vector<double> xy;
    for (long k = 0; k < p.NumPolyPoints(); ++k) {
        V2 q;
        p.GetPolyPoint(k, &q);
        xy.insert(xy.end(), {q.x, q.y});
    }
    return xy;
}

// Per corner GetPoint and GetEdge and what they write (7: untouched), visibility, the outline.
template <typename Poly>
std::vector<double> Observe(const Poly& p) {
    std::vector<double> seen;
    for (long i = 0; i < 4; ++i) {
        V2 q{7, 7};
        Edge e{q, q};
        const bool point = p.GetPoint(i, &q), edge = p.GetEdge(i, &e);
        seen.insert(seen.end(), {double(point), q.x, q.y, double(edge), e.first.x, e.first.y,
                                 e.second.x, e.second.y});
    }
    seen.push_back(p.IsVisible());
    const std::vector<double> outline = Outline(p);
    seen.insert(seen.end(), outline.begin(), outline.end());
    return seen;
}

// What Observe shows of these corners, all in front and the outline.
std::vector<double> Shown(const V2* c, bool visible) {
    std::vector<double> seen;
    for (int i = 0; i < 4; ++i) {
        const V2 &a = c[i], &b = c[(i + 1) % 4];
        seen.insert(seen.end(), {1, a.x, a.y, 1, a.x, a.y, b.x, b.y});
    }
    seen.push_back(visible);
    seen.insert(seen.end(), &c[0].x, &c[0].x + 8);
    return seen;
}

Tal_Matrix3 M3(double a, double b, double c, double d, double e, double f, double g, double h) {
    return Tal_Matrix3{{{a, b, c}, {d, e, f}, {g, h, 1}}};
}

Tal_TransformPoly2D Square(const Tal_Matrix3& m) {
    Tal_TransformPoly2D p;
    for (long i = 0; i < 4; ++i)
        p.SetLayerPoint(i, kSquare[i]);
    p.TransformPoints(m);
    return p;
}

// 1e-6 * 1e-6 == 1e-12 is outside the open band; a hidden layer keeps its corners, hits nothing.
TEST(TransformPoly2D, RowsStrictlyInsideTheBoundHideTheLayerAndKeepTheCorners) {
    const double below = std::nextafter(1e-6, 0.0);
    const V2 centre{0.5, 0.5}, zeros[4] = {};
    const std::pair<Tal_Matrix3, bool> rows[] = {{M3(1e-6, 0, 0, 0, 1, 0, 0, 0), true},
                                                 {M3(1, 0, 0, 0, 0, 1, 0, 0), true},
                                                 {M3(below, 0, 0, 0, 1, 0, 0, 0), false},
                                                 {M3(1, 0, 0, 0, 0, below, 0, 0), false}};
    for (const auto& [m, visible] : rows) {
        const Tal_TransformPoly2D p = Square(m);
        EXPECT_EQ(p.IsPointInside(&centre, 1e6), visible) << m.m[0][0] << ", " << m.m[1][2];
        if (visible) continue;
        EXPECT_EQ(Observe(p), Shown(kSquare, false)) << m.m[0][0] << ", " << m.m[1][2];
    }
    EXPECT_TRUE(Square(M3(NAN, 0, 0, 0, 1, 0, 0, 0)).IsVisible()) << "NaN is never in the band";
    EXPECT_EQ(Observe(Tal_TransformPoly2D()), Shown(zeros, true)) << "default construction";
}

// Eye to screen: (100 x / z + 320, 100 y / z + 240), W = z; a y-down screen, 2 per unit.
const Tal_Matrix4 kProj{{{100, 0, 0, 0}, {0, 100, 0, 0}, {320, 240, 1, 1}, {0, 0, 0, 0}}};
const Tal_Matrix3 kScreen{{{2, 0, 0}, {0, -2, 0}, {320, 240, 1}}};
// Only corner 1 behind: eye z of the corners 1.625, -0.375, 0.375, 2.375; five outline points.
const Tal_Matrix4 kOneBehind{{{1, 0, -1, 0}, {0, 1, 0.5, 0}, {0, 0, 1, 0}, {0, 0, 1, 1}}};
const V2 kLayer[4] = {{-1, -0.75}, {1, -0.75}, {1, 0.75}, {-1, 0.75}};

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

// The foot counts when no farther from the edge's start than it is long, else the nearer corner.
// (1, 1, 1) x a = (12, 15, 10): its W scales b's translation.
TEST(TransformPoly2D, EdgeDistanceHitsAndTheTwoMatrixScreenMapping) {
    const Tal_TransformPoly2D p = Square(M3(1, 0, 0, 0, 1, 0, 0, 0));
    const std::pair<V2, double> rows[] = {
        {{0.5, 0.25}, 0.25},     {{2, 2}, std::sqrt(2.0)},     {{1, 1}, 0},
        {{-0.5, 0.75}, 0.5},     {{-3, 0.5}, std::sqrt(9.25)}, {{0.5, -1}, std::sqrt(1.25)},
        {{3, 3}, std::sqrt(8.0)}};
    for (const auto& [q, distance] : rows)
        EXPECT_EQ(p.GetMinimumEdgeDistance(&q), distance) << q.x << ", " << q.y;
    const V2 beside{1.05, 0.5}, upperLeft{0.2, 0.8};  // the latter not in the first three corners
    EXPECT_EQ(std::make_tuple(p.IsPointInside(&beside, 0.1), p.IsPointInside(&beside, 0.01),
                              p.IsPointInside(&upperLeft, 0)),
              std::make_tuple(true, false, true));
    const Tal_Matrix3 a = M3(1, 2, 3, 4, 5, 6, 7, 8), b = M3(1, 0, 0, 0, 1, 0, 10, 20);
    V2 s{1, 1}, t{1, 1};
    const bool both =
        Tal_TransformPoint2DtoScreen(a, b, &s) && Tal_TransformPoint2DtoScreen(b, a, &t);
    EXPECT_EQ(std::vector<double>({double(both), s.x, s.y, t.x, t.y}),
              std::vector<double>({1, 112, 215, 102, 135}));
}

// One clipping pass from corner 0 in long double: each corner in front, then each crossing.
TEST(TransformPoly3D, RandomPlacementsMatchAReferenceClipping) {
    std::mt19937_64 rng(0x3d0);
    std::uniform_real_distribution<double> a(-3.2, 3.2), s(-1, 1), d(-1.2, 1.6);
    for (int n = 0; n < 20000; ++n) {
        const Tal_Matrix4 m = At(d(rng), a(rng), a(rng), a(rng), s(rng), s(rng));
        long double e[4][3];
        bool nearPlane = false;  // too close to classify independently
        for (int i = 0; i < 4; ++i) {
            for (int c = 0; c < 3; ++c)  // (x, y, 0, 1) x m
                e[i][c] = kLayer[i].x * (long double)m.m[0][c] +
                          kLayer[i].y * (long double)m.m[1][c] + m.m[3][c];
            nearPlane |= std::fabs(e[i][2] - 0.1L) < 1e-9L;
        }
        std::vector<double> want;
        for (int i = 0; i < 4 && !nearPlane; ++i) {
            const int j = (i + 1) % 4;
            const long double t = (0.1L - e[i][2]) / (e[j][2] - e[i][2]);
            for (long double u : {0.0L, t}) {
                if (u == 0 ? e[i][2] < 0.1 : (e[i][2] >= 0.1) == (e[j][2] >= 0.1)) continue;
                const long double z = e[i][2] + u * (e[j][2] - e[i][2]);
                for (int c = 0; c < 2; ++c)
                    want.push_back(
                        double(100 * (e[i][c] + u * (e[j][c] - e[i][c])) / z + (c ? 240 : 320)));
            }
        }
        if (nearPlane) continue;
        const Tal_TransformPoly3D p = Placed(m);
        const std::vector<double> got = Outline(p);
        ASSERT_EQ(std::make_pair(got.size(), p.IsVisible()),
                  std::make_pair(want.size(), !want.empty()))
            << n;
        for (size_t k = 0; k < want.size(); ++k)  // relative: crossings magnify rounding
            ASSERT_NEAR(got[k], want[k], 1e-9 * (1 + std::fabs(want[k])))
                << "placement " << n << ", coordinate " << k;
    }
}

// Exactly at the near plane is in front. W = z = 0 is reported and thrown, the point unchanged.
TEST(TransformPoly3D, NearPlaneBoundaryZeroWAndEmptyOutlines) {
    V2 s{1, 1}, q{1, 1}, centre{320, 240};
    EXPECT_EQ(Placed(At(0.1)).NumPolyPoints(), 4);
    EXPECT_TRUE(Tal_TransformPoint3DtoScreen(At(0.1), kProj, kScreen, &s));
    EXPECT_LE(std::hypot(s.x - 2960, s.y + 2240), 1e-9) << s.x << ", " << s.y;
    EXPECT_FALSE(Tal_TransformPoint3DtoScreen(At(std::nextafter(0.1, 0.0)), kProj, kScreen, &q));
    Tal_TransformPoly3D gone = Placed(At(0.0999)), raw = Placed(At(5), false);
    std::vector<double> none;  // no corner and no edge, nothing written, invisible
    for (int i = 0; i < 4; ++i)
        none.insert(none.end(), {0, 7, 7, 0, 7, 7, 7, 7});
    none.push_back(0);
    EXPECT_EQ(
        std::make_tuple(Observe(gone), gone.PolyPointsInit(), gone.IsPointInside(&centre, 1e9),
                        gone.GetMinimumEdgeDistance(&centre)),
        std::make_tuple(none, true, false, -1.0));
    EXPECT_EQ(std::make_tuple(raw.IsVisible(), raw.PolyPointsInit(), raw.IsPointInside(&centre, 0),
                              raw.GetMinimumEdgeDistance(&centre)),
              std::make_tuple(true, false, false, 100 * 0.75 / 5))
        << "before InitPolyPoints nothing hits, but edges need no outline";
    const V2 zeros[4] = {};
    std::vector<double> fresh = Shown(zeros, true);
    fresh.resize(33);  // no outline
    Tal_TransformPoly3D empty;
    EXPECT_EQ(std::make_tuple(Observe(empty), empty.PolyPointsInit(), empty.GetPolyPoints()),
              std::make_tuple(fresh, false, (const V2*)nullptr))
        << "default construction";
    taltest::ClearReports();
    EXPECT_THROW(Tal_TransformPoint3DtoScreen(kProj, kProj, kScreen, &q), long);
    EXPECT_EQ(taltest::TakeReports(),
              std::vector{taltest::Msg(0x11003B, "homogeneous point has W=0")});
    EXPECT_EQ(std::make_pair(q.x, q.y), std::make_pair(1.0, 1.0));
    // A degenerate matrix in either transform clears every clipped flag: all corners show again.
    Tal_Matrix4 flat = At(1);
    flat.Scale(1, 1e-7, 1);
    for (const bool toEye : {true, false}) {
        Tal_TransformPoly3D behind = Placed(At(0.0999));
        if (toEye)
            behind.TransformPointsToEye(flat);
        else
            behind.TransformPointsToScreen(flat);
        std::vector<bool> shown;
        for (long i = 0; i < 4; ++i)
            shown.push_back(behind.GetPoint(i, &s));
        EXPECT_EQ(shown, std::vector<bool>(4, true)) << (toEye ? "to eye" : "to screen");
    }
}

// Corners 2 and 3 behind: eye z 2.5, 2.5, -0.5, -0.5.
const Tal_Matrix4 kBackHalf{{{1, 0, 0, 0}, {0, 1, -2, 0}, {0, 0, 1, 0}, {0, 0, 1, 1}}};

// A copy shows what a polygon placed afresh shows, also once moved back by 0.5 (nothing behind).
void ExpectSameCopy(Tal_TransformPoly3D& copy, const Tal_Matrix4& placement, const char* how) {
    Tal_TransformPoly3D original = Placed(placement);
    EXPECT_EQ(Observe(copy), Observe(original)) << how;
    for (Tal_TransformPoly3D* p : {&copy, &original}) {
        p->TransformPointsToScreen(At(-0.5));
        p->InitPolyPoints();
    }
    EXPECT_EQ(Observe(copy), Observe(original)) << how << ", moved back by 0.5";
}

// A failed copy or assignment throws with the target as it was, and leaks nothing.
TEST(TransformPoly3D, CopiesAreDeepGrowOrReuseBlocksAndSurviveFailedAllocations) {
    const int32_t live = Bas_LiveTrackedCount();
    {
        Tal_TransformPoly3D five = Placed(kOneBehind), b(five), copied(five), c = Placed(At(2)),
                            sq(c);
        Tal_TransformPoly3D grown(c), e = Placed(At(2), false), back = Placed(At(2));
        const V2 *eight = c.GetPolyPoints(), *four = sq.GetPolyPoints();
        const std::vector<double> square = Observe(c);
        c = five;
        grown = five;              // its block of four grows
        back = Placed(kBackHalf);  // flags and clip points over none
        EXPECT_EQ(c.GetPolyPoints(), eight) << "five points fit the block of eight";
        ExpectSameCopy(copied, kOneBehind, "copy constructed");
        Tal_TransformPoly3D half = Placed(kBackHalf), halfCopy(half);
        ExpectSameCopy(halfCopy, kBackHalf, "copy constructed, its last edge clipped");
        ExpectSameCopy(c, kOneBehind, "assigned into a larger block");
        ExpectSameCopy(grown, kOneBehind, "assigned into a smaller block");
        ExpectSameCopy(back, kBackHalf, "assigned over a polygon with nothing behind");
        five = Placed(At(2));
        EXPECT_EQ(Observe(b), Observe(Placed(kOneBehind))) << "copies are deep";
        Bas_FailNextTrackedAllocations(3);
        EXPECT_EQ(Tal_TransformPoly3D(e).GetPolyPoints(), nullptr)
            << "an empty copy needs no block";
        EXPECT_THROW(Tal_TransformPoly3D copy(b), std::bad_alloc);
        EXPECT_THROW(sq = b, std::bad_alloc);
        EXPECT_THROW(e.InitPolyPoints(), std::bad_alloc);
        EXPECT_EQ(std::make_pair(sq.GetPolyPoints(), Observe(sq)), std::make_pair(four, square));
        EXPECT_EQ(std::make_pair(e.PolyPointsInit(), e.NumPolyPoints()), std::make_pair(false, 0L));
        sq = Placed(At(3));
        EXPECT_EQ(sq.GetPolyPoints(), four) << "as many points as the block holds: no new block";
    }
    EXPECT_EQ(Bas_LiveTrackedCount(), live) << "tracked blocks leaked";
}

TEST(SignedPolygonArea2D, IntegerOutlinesAgainstA64BitShoelace) {
    const V2 line[6] = {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
    EXPECT_EQ(Tal_SignedPolygonArea2D(nullptr, -1), 0.0);
    EXPECT_EQ(Tal_SignedPolygonArea2D(line, 6), 0.0) << "six points on a line: exactly nothing";
    std::mt19937_64 rng(0xa4ea);
    std::uniform_int_distribution<int> coord(-(1 << 20), 1 << 20), size(0, 12);
    for (int n = 0; n < 5000; ++n) {
        std::vector<V2> v(size(rng));
        for (V2& p : v)
            p = {double(coord(rng)), double(coord(rng))};
        int64_t twice = 0;  // below 2^53 throughout: the result must be exact
        for (size_t i = 0; i < v.size(); ++i) {
            const V2 &a = v[i], &b = v[(i + 1) % v.size()];
            twice += int64_t(a.x) * int64_t(b.y) - int64_t(b.x) * int64_t(a.y);
        }
        ASSERT_EQ(Tal_SignedPolygonArea2D(v.data(), long(v.size())), double(twice) * 0.5)
            << v.size() << " points, case " << n;
    }
}

}  // namespace
