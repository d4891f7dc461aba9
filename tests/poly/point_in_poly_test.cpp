// Point in polygon: the even-odd boundary rules, single and repeated vertices, the tolerance band,
// the out-of-memory report, and random outlines against an exact integer model.
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

// Each row also runs with the tolerance negated, and with tolerance 0 on the square as a quad.
// The band reaches exactly 3 beside an edge and 5 from a corner; 1e-12 off an edge is on it; NaN
// matches nothing; one vertex compares bitwise (-0.0 is another vertex), then by distance; far out
// the band still reaches 0.5; a single float vertex rounds the squared distance to float; with no
// band one vertex is met only exactly (1e-200 squared would underflow to 0); a point on a
// vertical edge is never on it (the half-open rule counts no vertical edge), and (2, 8) is in
// the square but not in the triangle of its first three corners.
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

}  // namespace
