// Point in polygon against an exact integer model, with and without a tolerance band.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

#include "tal/poly.h"

namespace {

using V2 = Tal_Vector2T<double>;
using F2 = Tal_Vector2T<float>;

template <typename T>
int Inside(const T& p, const std::vector<T>& v, double tolerance) {
    unsigned char inside = 7;
    EXPECT_EQ(Tal_IsFloatPointInConcavePoly(&p, v.data(), long(v.size()), tolerance, &inside), 0);
    return inside;
}

struct IPt {
    int64_t x, y;
};

// Exact even-odd membership, non-vertical edges in, band of tol hundredths; ambiguous: a tie.
bool Expected(const std::vector<IPt>& d, IPt p, int64_t tol, bool& ambiguous) {
    const auto near = [&](int64_t d2, int64_t len2) {
        ambiguous |= 10000 * d2 == tol * tol * len2;
        return 10000 * d2 <= tol * tol * len2;
    };
    bool on = false, odd = false;
    for (size_t i = 0; i < d.size(); ++i) {
        const IPt a = d[i], b = d[(i + 1) % d.size()];
        const int64_t dx = b.x - a.x, dy = b.y - a.y, wx = p.x - a.x, wy = p.y - a.y;
        const int64_t len2 = dx * dx + dy * dy, cross = dx * wy - dy * wx;
        if (d.size() == 1) return tol ? near(wx * wx + wy * wy, 1) : wx == 0 && wy == 0;
        if ((a.x < p.x && p.x <= b.x) || (b.x < p.x && p.x <= a.x)) {
            on |= cross == 0;                   // p on the line of a non-vertical edge
            odd ^= (cross < 0) == (a.x < b.x);  // the edge passes above p
        }
        const bool foot = dx * wx + dy * wy >= 0 && wx * wx + wy * wy <= len2;
        if (tol) on |= near(wx * wx + wy * wy, 1) || (foot && near(cross * cross, len2));
    }
    return on || odd;
}

// Half-unit outlines (some past 64 vertices, some repeats) on a half-unit grid, band 0 or 1.3.
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
                const int want = Expected(distinct, {x, y}, tol ? 260 : 0, ambiguous);
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
