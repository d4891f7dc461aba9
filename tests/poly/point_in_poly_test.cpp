// Point in polygon: the even-odd boundary rules, single and repeated vertices, the tolerance band,
// the out-of-memory report, and random outlines against an exact integer model.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

#include "support/reports.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> V2;
typedef Tal_Vector2T<float> F2;
const double kNaN = NAN, kInf = INFINITY;

template <typename T>
int Inside(const T& p, const std::vector<T>& v, double tolerance) {
    unsigned char inside = 7;
    EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&p, v.data(), long(v.size()), tolerance, &inside), 0);
    return inside;
}

// Rows the grid model below skips or cannot reach, each also
// with the tolerance negated and, at 0, as a quad: the band's exact reach beside an edge and at a
// corner; a hair off an edge is on it by the relative test; NaN matches nothing; one distinct
// vertex compares bitwise (-0.0 is another vertex), then numerically; far out the band reaches 0.5.
TEST(PointInPoly, SpecialValuesSignedZerosAndFarOutlines) {
    const double f = 1e15, g = f + 50;
    // clang-format off
    const std::vector<V2> outlines[] = {{{0, 0}, {10, 0}, {10, 10}, {0, 10}}, {{0, 0}},
        {{0, 0}, {-0.0, 0}}, {{kNaN, 1}, {kNaN, 1}},
        {{f, f}, {f + 100, f}, {f + 100, f + 100}, {f, f + 100}}};
    const double rows[][5] = {  // {outline, x, y, tolerance, inside}
        {0, -3, 5, 3, 1}, {0, -3, -4, 5, 1}, {0, 5, -1e-12, 0, 1}, {0, 5, -1.1e-12, 0, 0},
        {0, kNaN, 5, 1, 0}, {0, 0, 5, kNaN, 0}, {0, 1e300, -1e300, kInf, 1}, {1, -0.0, 0, 0, 1},
        {1, 0, 0, kNaN, 1}, {2, 0, 0, 0, 0}, {2, 0, 1, 1, 1}, {3, kNaN, 1, 1, 0},
        {4, f - 0.375, g, 0.5, 1}, {4, f - 0.625, g, 0.5, 0}};
    // clang-format on
    for (const auto& [k, x, y, tol, want] : rows) {
        const V2 p{x, y};
        const std::vector<V2>& v = outlines[int(k)];
        unsigned char quad = 7;
        EXPECT_EQ(Tal_IsFloatPointInQuad(&p, outlines[0].data(), &quad), 0);
        EXPECT_TRUE(Inside(p, v, tol) == want && Inside(p, v, -tol) == want) << x << "," << y;
        EXPECT_TRUE(tol != 0 || k != 0 || quad == want) << x << "," << y;
    }
    unsigned char inside = 7;  // the point may be one of the vertices
    const V2* sq = outlines[0].data();
    EXPECT_TRUE(Tal_IsFloatPointInConcavePoly(&sq[2], sq, 4, 0, &inside) == 0 && inside);
    // A single float vertex rounds the squared distance to float: 1 + 2^-24 and 1 - 2^-30 give 1.
    const double e12 = std::ldexp(1.0, -12), e30 = std::ldexp(1.0, -30);
    EXPECT_TRUE(Inside(F2{1, float(e12)}, {{0, 0}}, 1.0) && !Inside(V2{1, e12}, {{0, 0}}, 1.0));
    EXPECT_TRUE(!Inside(F2{1, 0}, {{float(e30), 0}}, 1 - e30) &&
                Inside(V2{1, 0}, {{e30, 0}}, 1 - e30));
}

// Below one vertex nothing is read; a count no list could hold is reported, inside left 0: the
// largest count of all, and the smallest no list of each vertex size could hold.
TEST(PointInPoly, BadCountsAreOutsideOrReportedAsOutOfMemory) {
    const auto check = [](const auto& p, long count) {
        unsigned char inside = 7;
        taltest::TakeReports();
        const long err =
            Tal_IsFloatPointInConcavePoly(&p, count < 1 ? nullptr : &p, count, 1, &inside);
        EXPECT_TRUE(err == (count < 1 ? 0 : Tal_Err_OUT_OF_MEMORY) && inside == 0) << count;
        EXPECT_EQ(taltest::TakeReports(),
                  std::vector<taltest::Report>(
                      count > 0, taltest::Msg(Tal_ReportCode(0), "out of memory: vertex list")));
    };
    for (const long count : {0L, -1L, LONG_MIN, LONG_MAX, long(PTRDIFF_MAX / 16)})
        check(V2{5, 5}, count);
    for (const long count : {LONG_MAX, long(PTRDIFF_MAX / 8)})
        check(F2{5, 5}, count);
}

struct IPt {
    int64_t x, y;
};

// Exact even-odd membership of p in the outline d (no consecutive repeats) by 64-bit arithmetic,
// points on non-vertical edges counted in; with tol (in hundredths) also the band: beside an edge
// with the foot on it and p no farther from its start than it is long, or near a vertex.
// ambiguous is set where an equality decides that rounding may tip.
bool Expected(const std::vector<IPt>& d, IPt p, int64_t tol, bool& ambiguous) {
    const auto near = [&](int64_t d2, int64_t len2) {
        ambiguous |= 10000 * d2 == tol * tol * len2;
        return 10000 * d2 <= tol * tol * len2;
    };
    if (d.size() == 1)
        return tol ? near((p.x - d[0].x) * (p.x - d[0].x) + (p.y - d[0].y) * (p.y - d[0].y), 1)
                   : p.x == d[0].x && p.y == d[0].y;
    bool in = false, odd = false;
    for (size_t i = 0; i < d.size(); ++i) {
        const IPt a = d[i], b = d[(i + 1) % d.size()];
        // The sign of p.y - yint is that of num / (a.x - b.x).
        const int64_t num = (p.y - b.y) * (a.x - b.x) - (a.y - b.y) * (p.x - b.x);
        if ((a.x < p.x && p.x <= b.x) || (b.x < p.x && p.x <= a.x))
            in |= num == 0, odd ^= (num < 0) != (a.x < b.x);
        const int64_t dx = b.x - a.x, dy = b.y - a.y, wx = p.x - a.x, wy = p.y - a.y;
        const bool foot = dx * wx + dy * wy >= 0 && wx * wx + wy * wy <= dx * dx + dy * dy;
        in |= tol && (near(wx * wx + wy * wy, 1) ||
                      (foot && near((dx * wy - dy * wx) * (dx * wy - dy * wx), dx * dx + dy * dy)));
    }
    return in || odd;
}

// Outlines in half units (some across 64 vertices, the previous vertex repeated now and then),
// every half-unit grid point, with no band and with one of 1.3 units.
TEST(PointInPoly, RandomOutlinesMatchTheExactModelInBothInstances) {
    std::mt19937_64 rng(4242);
    std::uniform_int_distribution<int64_t> c(-8, 8);
    long points = 0, inside = 0;
    for (int trial = 0; trial < 300; ++trial) {
        std::vector<IPt> distinct;
        std::vector<V2> vd;
        std::vector<F2> vf;
        for (int i = trial % 3 ? 1 + trial % 12 : 60 + trial % 10; i > 0; --i) {
            const bool repeat = !distinct.empty() && rng() % 8 == 0;
            const IPt q = repeat ? distinct.back() : IPt{2 * c(rng), 2 * c(rng)};
            vd.push_back({q.x / 2.0, q.y / 2.0}), vf.push_back({q.x / 2.0f, q.y / 2.0f});
            if (!repeat &&
                (distinct.empty() || q.x != distinct.back().x || q.y != distinct.back().y))
                distinct.push_back(q);
        }
        const double tol = trial % 2 ? 0.0 : 1.3;
        for (int64_t i = 0; i < 39 * 39; ++i) {
            const int64_t x = i % 39 - 19, y = i / 39 - 19;
            bool ambiguous = false;
            const bool want = Expected(distinct, {x, y}, tol ? 260 : 0, ambiguous);
            if (ambiguous) continue;
            ++points, inside += want;
            ASSERT_TRUE(Inside(V2{x / 2.0, y / 2.0}, vd, tol) == want &&
                        Inside(F2{x / 2.0f, y / 2.0f}, vf, tol) == want)
                << trial << " at " << x << "," << y;
        }
    }
    EXPECT_GT(inside, points / 10);
    EXPECT_GT(points, 400000);
}

}  // namespace
