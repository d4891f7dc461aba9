// Point in polygon: the boundary cases of the even-odd rule, repeated vertices, the single-vertex
// test and its float rounding, the tolerance band, the out-of-memory path, and random outlines
// against an exact integer model and a classic crossing-number loop.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "support/reports.h"
#include "tal/poly.h"

namespace {

using taltest::Msg;
using taltest::TakeReports;
typedef Tal_Vector2T<double> V2;
typedef Tal_Vector2T<float> F2;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Runs the instance of T; returns the flag, and the result through err.
template <typename T>
int Inside(const T& p, const std::vector<T>& v, double tol, long* err = nullptr) {
    unsigned char inside = 7;
    const long e = Tal_IsFloatPointInConcavePoly(&p, v.data(), long(v.size()), tol, &inside);
    if (err) *err = e;
    EXPECT_EQ(e, 0);
    return inside;
}

std::vector<F2> ToFloat(const std::vector<V2>& v) {
    std::vector<F2> out;
    for (const V2& p : v)
        out.push_back({float(p.x), float(p.y)});
    return out;
}

// ---- The square (0,0) (10,0) (10,10) (0,10) ---------------------------------------------------

const std::vector<V2> kSquare{{0, 0}, {10, 0}, {10, 10}, {0, 10}};

struct SquareCase {
    const char* name;
    V2 point;
    double tolerance;
    int inside;
};

class Square : public ::testing::TestWithParam<SquareCase> {};

TEST_P(Square, DoubleAndFloatInstancesAgree) {
    const SquareCase& c = GetParam();
    EXPECT_EQ(Inside(c.point, kSquare, c.tolerance), c.inside);
    EXPECT_EQ(Inside(F2{float(c.point.x), float(c.point.y)}, ToFloat(kSquare), c.tolerance),
              c.inside);
    // The sign of the tolerance does not matter.
    EXPECT_EQ(Inside(c.point, kSquare, -c.tolerance), c.inside);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Square,
    ::testing::Values(SquareCase{"Centre", {5, 5}, 0, 1}, SquareCase{"Right", {15, 5}, 0, 0},
                      SquareCase{"OnTheBottomEdge", {5, 0}, 0, 1},
                      SquareCase{"OnTheRightEdgeCountsTheTopOnce", {10, 5}, 0, 1},
                      // Vertical edges never straddle and x = 0 is excluded by the half-open rule.
                      SquareCase{"OnTheLeftEdge", {0, 5}, 0, 0},
                      SquareCase{"OnTheLeftEdgeWithinTolerance", {0, 5}, 0.5, 1},
                      SquareCase{"TopRightCorner", {10, 10}, 0, 1},
                      SquareCase{"BottomLeftCorner", {0, 0}, 0, 0},
                      SquareCase{"NearTheBottomEdge", {0.2, -0.2}, 0.5, 1},
                      SquareCase{"OutsideASmallTolerance", {0.2, -0.2}, 0.1, 0},
                      // Beside the left edge exactly at the band's edge, and a hair beyond.
                      SquareCase{"BandBoundaryIncluded", {-3, 5}, 3, 1},
                      SquareCase{"JustBeyondTheBand", {-3, 5}, 2.9999999, 0},
                      // Near a corner only the distance to the vertex counts.
                      SquareCase{"NearACornerDiagonally", {-3, -4}, 5, 1},
                      SquareCase{"JustBeyondACorner", {-3, -4}, 4.9999999, 0},
                      // A hair above the bottom edge: the relative test still calls it on.
                      SquareCase{"WithinTheOnOutlineTolerance", {5, -1e-12}, 0, 1},
                      SquareCase{"BeyondTheOnOutlineTolerance", {5, -1.1e-12}, 0, 0},
                      SquareCase{"NaNPoint", {kNaN, 5}, 1, 0},
                      SquareCase{"InfinitePoint", {kInf, 5}, 1, 0},
                      SquareCase{"NaNToleranceIsNoBand", {0, 5}, kNaN, 0},
                      SquareCase{"InfiniteToleranceTakesEverything", {1e300, -1e300}, kInf, 1}),
    [](const auto& info) { return info.param.name; });

// ---- Repeated vertices and the single-vertex case ---------------------------------------------

struct ListCase {
    const char* name;
    std::vector<V2> vertices;
    V2 point;
    double tolerance;
    int inside;
};

class VertexLists : public ::testing::TestWithParam<ListCase> {};

TEST_P(VertexLists, DuplicatesAndDegenerateOutlines) {
    const ListCase& c = GetParam();
    EXPECT_EQ(Inside(c.point, c.vertices, c.tolerance), c.inside);
}

const double kNegZero = -0.0;

INSTANTIATE_TEST_SUITE_P(
    Cases, VertexLists,
    ::testing::Values(
        ListCase{"OneVertexHit", {{3, 4}}, {3, 4}, 0, 1},
        ListCase{"OneVertexMiss", {{3, 4}}, {3, 4.0000001}, 0, 0},
        ListCase{"FourCopiesAreOneVertex", {{3, 4}, {3, 4}, {3, 4}, {3, 4}}, {3, 4}, 0, 1},
        ListCase{"OneVertexNumericCompare", {{0, 0}}, {kNegZero, 0}, 0, 1},
        ListCase{"OneVertexBandBoundary", {{0, 0}, {0, 0}}, {3, 4}, 5, 1},
        ListCase{"OneVertexBeyondTheBand", {{0, 0}}, {3, 4.000001}, 5, 0},
        ListCase{"OneVertexNegativeTolerance", {{0, 0}}, {3, 4}, -5, 1},
        ListCase{"OneVertexNaNToleranceIsExact", {{0, 0}}, {0, 0}, kNaN, 1},
        // -0.0 differs bitwise, so this is a two-vertex outline with no area and no band.
        ListCase{"SignedZerosAreTwoVertices", {{0, 0}, {kNegZero, 0}}, {0, 0}, 0, 0},
        ListCase{"SignedZerosWithABand", {{0, 0}, {kNegZero, 0}}, {0, 1}, 1, 1},
        ListCase{"NaNVertexMatchesNothing", {{kNaN, 1}, {kNaN, 1}}, {kNaN, 1}, 1, 0},
        ListCase{"TwoVerticesBetween", {{0, 0}, {10, 0}}, {5, 0}, 0, 1},
        ListCase{"TwoVerticesRightEnd", {{0, 0}, {10, 0}}, {10, 0}, 0, 1},
        ListCase{"TwoVerticesLeftEnd", {{0, 0}, {10, 0}}, {0, 0}, 0, 0},
        ListCase{"TwoVerticesOff", {{0, 0}, {10, 0}}, {5, 1}, 0, 0},
        ListCase{"TwoVerticesSlanted", {{0, 0}, {10, 20}}, {2.5, 5}, 0, 1},
        ListCase{"TwoVerticesVertical", {{0, 0}, {0, 10}}, {0, 5}, 0, 0},
        ListCase{"ClosingRepeatKept", {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}}, {5, 5}, 0, 1},
        ListCase{"ConsecutiveRepeats",
                 {{0, 0}, {10, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 10}},
                 {5, 5},
                 0,
                 1},
        // Far from the origin the band still reaches 0.5 beside the left edge.
        ListCase{"BandFarOut",
                 {{1e15, 1e15}, {1e15 + 100, 1e15}, {1e15 + 100, 1e15 + 100}, {1e15, 1e15 + 100}},
                 {1e15 - 0.375, 1e15 + 50},
                 0.5,
                 1},
        ListCase{"BeyondTheBandFarOut",
                 {{1e15, 1e15}, {1e15 + 100, 1e15}, {1e15 + 100, 1e15 + 100}, {1e15, 1e15 + 100}},
                 {1e15 - 0.625, 1e15 + 50},
                 0.5,
                 0},
        // A pentagram: its central pentagon is covered twice.
        ListCase{"StarCentreIsOutside",
                 {{0, 10}, {5.88, -8.09}, {-9.51, 3.09}, {9.51, 3.09}, {-5.88, -8.09}},
                 {0, 0},
                 0,
                 0},
        ListCase{"StarTipIsInside",
                 {{0, 10}, {5.88, -8.09}, {-9.51, 3.09}, {9.51, 3.09}, {-5.88, -8.09}},
                 {0, 7},
                 0,
                 1}),
    [](const auto& info) { return info.param.name; });

TEST(FloatInstance, SingleVertexRoundsTheSumOfSquaresToFloat) {
    // 1 + 2^-24 rounds to 1 in float: inside the unit band there, outside it in double.
    const double dy = std::ldexp(1.0, -12);
    EXPECT_EQ(Inside(F2{1, float(dy)}, std::vector<F2>{{0, 0}}, 1.0), 1);
    EXPECT_EQ(Inside(V2{1, dy}, std::vector<V2>{{0, 0}}, 1.0), 0);
    // 1 - 2^-30 rounds to 1 in float, beyond a band of exactly that width.
    const double v = std::ldexp(1.0, -30);
    EXPECT_EQ(Inside(F2{1, 0}, std::vector<F2>{{float(v), 0}}, 1 - v), 0);
    EXPECT_EQ(Inside(V2{1, 0}, std::vector<V2>{{v, 0}}, 1 - v), 1);
}

TEST(PointInPoly, CountBelowOneIsOutsideAndReadsNothing) {
    for (long count : {0L, -1L, LONG_MIN}) {
        unsigned char inside = 7;
        const V2 p{0, 0};
        EXPECT_EQ(Tal_IsFloatPointInConcavePoly<V2>(&p, nullptr, count, 1, &inside), 0);
        EXPECT_EQ(inside, 0);
    }
}

TEST(PointInPoly, ACountNoListCanHoldIsReportedAsOutOfMemory) {
    // The smallest such count for each vertex size, and the largest count of all.
    const std::vector<taltest::Report> report{Msg(Tal_ReportCode(0), "out of memory: vertex list")};
    const V2 p{5, 5};
    for (long count : {LONG_MAX, long(PTRDIFF_MAX / 16)}) {
        unsigned char inside = 7;
        TakeReports();
        EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&p, kSquare.data(), count, 0, &inside),
                  Tal_Err_OUT_OF_MEMORY);
        EXPECT_EQ(inside, 0);
        EXPECT_EQ(TakeReports(), report);
    }
    const F2 pf{5, 5};
    const std::vector<F2> square = ToFloat(kSquare);
    for (long count : {LONG_MAX, long(PTRDIFF_MAX / 8)}) {
        unsigned char inside = 7;
        EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&pf, square.data(), count, 1, &inside),
                  Tal_Err_OUT_OF_MEMORY);
        EXPECT_EQ(inside, 0);
        EXPECT_EQ(TakeReports(), report);
    }
}

TEST(PointInPoly, ThePointMayBeOneOfTheVertices) {
    unsigned char inside = 7;
    EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&kSquare[2], kSquare.data(), 4, 0, &inside), 0);
    EXPECT_EQ(inside, 1);
}

// ---- Random outlines against independent models -----------------------------------------------

// Integer points, in half units so that test points fall on edges, vertices and in between.
struct IPt {
    int64_t x, y;
};

std::vector<IPt> Distinct(const std::vector<IPt>& v) {
    std::vector<IPt> d;
    for (const IPt& q : v)
        if (d.empty() || q.x != d.back().x || q.y != d.back().y) d.push_back(q);
    return d;
}

// Exact even-odd membership with points on non-vertical edges counted in, by 64-bit arithmetic:
// the sign of py - yint is the sign of ((py - y1)(x0 - x1) - (y0 - y1)(px - x1)) / (x0 - x1).
bool ExactInside(const std::vector<IPt>& d, const IPt& p) {
    int crossings = 0;
    for (size_t i = 0; i < d.size(); ++i) {
        const IPt& a = d[i];
        const IPt& b = d[(i + 1) % d.size()];
        if (!((a.x < p.x && p.x <= b.x) || (b.x < p.x && p.x <= a.x))) continue;
        const int64_t num = (p.y - b.y) * (a.x - b.x) - (a.y - b.y) * (p.x - b.x);
        if (num == 0) return true;
        if ((num < 0) != (a.x - b.x < 0)) ++crossings;
    }
    return crossings % 2 == 1;
}

// Exact band of width tol100/100 half units: beside an edge with the foot on it (and the point no
// farther from the start than the edge is long), or near a vertex. Sets ambiguous when a decision
// falls on an equality that rounding may tip either way.
bool ExactBand(const std::vector<IPt>& d, const IPt& p, int64_t tol100, bool& ambiguous) {
    const int64_t tolSq = tol100 * tol100;
    bool in = false;
    for (size_t i = 0; i < d.size(); ++i) {
        const IPt& a = d[i];
        const IPt& b = d[(i + 1) % d.size()];
        const int64_t dx = b.x - a.x, dy = b.y - a.y, wx = p.x - a.x, wy = p.y - a.y;
        const int64_t len2 = dx * dx + dy * dy, w2 = wx * wx + wy * wy;
        const int64_t dot = dx * wx + dy * wy, cross = dx * wy - dy * wx;
        if (100 * 100 * w2 == tolSq) ambiguous = true;
        in = in || 100 * 100 * w2 <= tolSq;
        // With dot == 0 the foot is the start, and the vertex test decides alike.
        const bool foot = dot >= 0 && w2 <= len2;
        if (foot && 100 * 100 * cross * cross == tolSq * len2) ambiguous = true;
        in = in || (foot && 100 * 100 * cross * cross <= tolSq * len2);
    }
    return in;
}

// The whole expected answer for the distinct outline d; tol100 = 0 for no band.
bool Expected(const std::vector<IPt>& d, const IPt& p, int64_t tol100, bool& ambiguous) {
    if (d.size() == 1) {
        const int64_t dx = p.x - d[0].x, dy = p.y - d[0].y;
        return tol100 > 0 ? 100 * 100 * (dx * dx + dy * dy) <= tol100 * tol100 : dx == 0 && dy == 0;
    }
    return ExactInside(d, p) || (tol100 > 0 && ExactBand(d, p, tol100, ambiguous));
}

std::vector<IPt> RandomOutline(std::mt19937_64& rng, int count, int range) {
    std::uniform_int_distribution<int> c(-range, range);
    std::vector<IPt> v;
    for (int i = 0; i < count; ++i) {
        // Repeat the previous vertex now and then.
        if (!v.empty() && rng() % 8 == 0)
            v.push_back(v.back());
        else
            v.push_back({2 * c(rng), 2 * c(rng)});
    }
    return v;
}

template <typename T>
std::vector<T> Scaled(const std::vector<IPt>& v) {
    std::vector<T> out;
    for (const IPt& q : v)
        out.push_back({decltype(T::x)(q.x / 2.0), decltype(T::x)(q.y / 2.0)});
    return out;
}

TEST(RandomOutlines, GridPointsMatchTheExactModelInBothInstances) {
    std::mt19937_64 rng(4242);
    long points = 0, ambiguousSkipped = 0, insideCount = 0;
    for (int trial = 0; trial < 300; ++trial) {
        // Small outlines on the stack, and across the 64-vertex edge onto the heap.
        const int count = trial % 3 == 0 ? 60 + trial % 10 : 1 + trial % 12;
        const std::vector<IPt> outline = RandomOutline(rng, count, 8);
        const std::vector<V2> vd = Scaled<V2>(outline);
        const std::vector<F2> vf = Scaled<F2>(outline);
        const std::vector<IPt> distinct = Distinct(outline);
        const double tol = trial % 2 ? 0.0 : 1.3;  // 260 hundredths of a half unit
        for (int64_t y = -19; y <= 19; y += 1) {
            for (int64_t x = -19; x <= 19; x += 1) {
                bool ambiguous = false;
                const bool expect = Expected(distinct, {x, y}, tol > 0 ? 260 : 0, ambiguous);
                if (ambiguous) {
                    ++ambiguousSkipped;
                    continue;
                }
                ++points;
                insideCount += expect;
                const V2 pd{x / 2.0, y / 2.0};
                const F2 pf{float(x / 2.0), float(y / 2.0)};
                ASSERT_EQ(Inside(pd, vd, tol), expect)
                    << "trial " << trial << " at " << pd.x << "," << pd.y;
                ASSERT_EQ(Inside(pf, vf, tol), expect) << "trial " << trial;
            }
        }
    }
    EXPECT_GT(insideCount, points / 10);
    EXPECT_LT(ambiguousSkipped, points / 20);
}

// The classic crossing-number loop: a horizontal ray, vertices straddling in y.
bool ClassicInside(const std::vector<V2>& v, const V2& p) {
    bool c = false;
    for (size_t i = 0, j = v.size() - 1; i < v.size(); j = i++) {
        if (((v[i].y > p.y) != (v[j].y > p.y)) &&
            (p.x < (v[j].x - v[i].x) * (p.y - v[i].y) / (v[j].y - v[i].y) + v[i].x))
            c = !c;
    }
    return c;
}

double SegmentDistance(const V2& p, const V2& a, const V2& b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0;
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

TEST(RandomOutlines, AgreeWithTheClassicLoopAwayFromTheOutline) {
    std::mt19937_64 rng(99);
    std::uniform_real_distribution<double> coord(-100, 100);
    int compared = 0;
    for (int trial = 0; trial < 200; ++trial) {
        const int count = 3 + trial % 150;
        std::vector<V2> v;
        for (int i = 0; i < count; ++i)
            v.push_back({coord(rng), coord(rng)});
        for (int k = 0; k < 100; ++k) {
            const V2 p{coord(rng), coord(rng)};
            double nearest = kInf;
            for (int i = 0; i < count; ++i)
                nearest = std::min(nearest, SegmentDistance(p, v[i], v[(i + 1) % count]));
            if (nearest < 1e-9) continue;
            ++compared;
            ASSERT_EQ(Inside(p, v, 0.0), ClassicInside(v, p) ? 1 : 0) << trial << " " << k;
        }
    }
    EXPECT_GT(compared, 19000);
}

TEST(RandomOutlines, RepeatsNegativeToleranceAndTheQuadShortcutChangeNothing) {
    std::mt19937_64 rng(7);
    std::uniform_int_distribution<int> c(-10, 10);
    for (int trial = 0; trial < 400; ++trial) {
        std::vector<V2> quad;
        for (int i = 0; i < 4; ++i)
            quad.push_back({double(c(rng)), double(c(rng))});
        std::vector<V2> repeated;
        for (const V2& q : quad) {
            repeated.push_back(q);
            if (rng() % 2) repeated.push_back(q);
        }
        repeated.push_back(quad[0]);
        const double tol = trial % 2 ? 0.0 : 0.75;
        for (double y = -11; y <= 11; y += 0.5) {
            for (double x = -11; x <= 11; x += 0.5) {
                const V2 p{x, y};
                const int base = Inside(p, quad, tol);
                ASSERT_EQ(Inside(p, repeated, tol), base);
                ASSERT_EQ(Inside(p, quad, -tol), base);
                if (tol == 0) {
                    unsigned char inside = 7;
                    ASSERT_EQ(Tal_IsFloatPointInQuad(&p, quad.data(), &inside), 0);
                    ASSERT_EQ(inside, base);
                }
            }
        }
    }
}

}  // namespace
