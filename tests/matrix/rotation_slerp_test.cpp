// Spherical interpolation: the nearly-equal shortcut, the linear fallback, the sign rule, and
// random arcs against the angle-interpolation property computed in long double.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "support/reports.h"
#include "tal/matrix.h"

namespace {

typedef long double LD;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

bool SameBytes(const Tal_Quat& a, const Tal_Quat& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

LD Dot(const Tal_Quat& a, const Tal_Quat& b) {
    return static_cast<LD>(a.x) * b.x + static_cast<LD>(a.y) * b.y + static_cast<LD>(a.z) * b.z +
           static_cast<LD>(a.w) * b.w;
}

// Angle between two unit 4-vectors, well conditioned at 0 and pi: 2 atan2(|a - b|, |a + b|).
LD AngleBetween(const Tal_Quat& a, const Tal_Quat& b) {
    const LD d[4] = {LD(a.x) - b.x, LD(a.y) - b.y, LD(a.z) - b.z, LD(a.w) - b.w};
    const LD s[4] = {LD(a.x) + b.x, LD(a.y) + b.y, LD(a.z) + b.z, LD(a.w) + b.w};
    LD dd = 0, ss = 0;
    for (int i = 0; i < 4; ++i)
        dd += d[i] * d[i], ss += s[i] * s[i];
    return 2 * std::atan2(std::sqrt(dd), std::sqrt(ss));
}

Tal_Quat Negated(const Tal_Quat& q) {
    return {-q.x, -q.y, -q.z, -q.w};
}

Tal_Quat RandomUnit(std::mt19937_64& gen) {
    std::normal_distribution<double> n;
    Tal_Quat q = {n(gen), n(gen), n(gen), n(gen)};
    const double len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
    return {q.x / len, q.y / len, q.z / len, q.w / len};
}

Tal_Quat Slerp(const Tal_Quat& a, const Tal_Quat& b, double t) {
    Tal_Quat out;
    EXPECT_EQ(Tal_Slerp(&a, &b, t, &out), 0);
    return out;
}

TEST(Slerp, NearlyEqualInputsCopyTheFirstWhateverT) {
    const Tal_Quat q0 = {0.1, -0.0, 0.7, 0.7};
    const Tal_Quat nearly[] = {
        q0,
        {std::nextafter(0.1, 1.0), 0.0, 0.7, std::nextafter(0.7, 0.0)},
        {0.1, 9e-13, 0.7, 0.7},  // below the absolute floor of 563 x 2^-49
    };
    for (const Tal_Quat& q1 : nearly) {
        for (double t : {0.0, 0.5, 1.0, -3.0, 7.0, kNaN}) {
            const Tal_Quat out = Slerp(q0, q1, t);
            EXPECT_TRUE(SameBytes(out, q0)) << t;
        }
    }
    // Just past the floor the arc is computed (linearly, the angle is tiny).
    const Tal_Quat apart = {0.1, 1.1e-12, 0.7, 0.7};
    EXPECT_FALSE(SameBytes(Slerp(q0, apart, 1.0), q0));
}

TEST(Slerp, OppositeQuaternionsAreTheSameTurn) {
    const Tal_Quat q = {0, 0, 0, 1}, minus = {0, 0, 0, -1};
    for (double t : {0.0, 0.1, 0.25, 0.5, 0.9, 1.0, 2.5, -1.0}) {
        const Tal_Quat out = Slerp(q, minus, t);
        EXPECT_EQ(out.x, 0.0);
        EXPECT_EQ(out.z, 0.0);
        // (1 - t) + t, rounded twice.
        EXPECT_NEAR(out.w, 1.0, 4e-16 * (1 + std::fabs(t))) << t;
    }
}

TEST(Slerp, QuarterTurnHalfway) {
    const Tal_Quat a = {0, 0, 0, 1}, b = {0, 0, 1, 0};
    const Tal_Quat out = Slerp(a, b, 0.5);
    EXPECT_EQ(out.x, 0.0);
    EXPECT_EQ(out.y, 0.0);
    EXPECT_NEAR(out.z, std::sqrt(0.5), 2e-16);
    EXPECT_NEAR(out.w, std::sqrt(0.5), 2e-16);
}

// Random arcs: the result stays on the unit sphere, runs at constant angular speed along the
// shorter arc (angle from q0 = t theta, from the nearer of +-q1 = (1 - t) theta), and meets the
// endpoints within an ulp. Extrapolation continues the same great circle.
TEST(Slerp, RandomArcsRunAtConstantSpeedAlongTheShorterArc) {
    std::mt19937_64 gen(0x51e4);
    const double ts[] = {0.0, 1.0 / 16, 0.25, 0.5, 0.75, 15.0 / 16, 1.0, -0.25, 1.25};
    int checked = 0;
    for (int iter = 0; iter < 3000; ++iter) {
        const Tal_Quat q0 = RandomUnit(gen), q1 = RandomUnit(gen);
        const LD d = Dot(q0, q1);
        if (1 - std::fabs(d) < 1e-3) continue;  // the linear band is tested on its own
        const Tal_Quat target = d < 0 ? Negated(q1) : q1;
        const LD theta = AngleBetween(q0, target);
        ASSERT_LE(theta, 1.5707963267948966L + 1e-15);  // shorter arc: at most a quarter turn
        for (double t : ts) {
            const Tal_Quat out = Slerp(q0, q1, t);
            // Norm within 4 ulps, angles within about 13 ulps of the quarter turn.
            ASSERT_NEAR(std::sqrt(Dot(out, out)), 1.0, 9e-16) << iter << " " << t;
            ASSERT_NEAR(AngleBetween(q0, out), std::fabs(t) * theta, 3e-15) << iter << " " << t;
            ASSERT_NEAR(AngleBetween(out, target), std::fabs(1 - t) * theta, 3e-15) << iter;
            ++checked;
        }
        const Tal_Quat start = Slerp(q0, q1, 0.0), end = Slerp(q0, q1, 1.0);
        ASSERT_LT(AngleBetween(start, q0), 3e-16);
        ASSERT_LT(AngleBetween(end, target), 3e-16);
    }
    EXPECT_GT(checked, 20000);
}

TEST(Slerp, NearlyParallelInputsBlendLinearly) {
    std::mt19937_64 gen(0x11e);
    for (int iter = 0; iter < 1000; ++iter) {
        const Tal_Quat q0 = RandomUnit(gen);
        // A turn of about 2e-3 rad between them: 1 - |d| is about 5e-7, inside the 1e-5 band.
        Tal_Quat q1 = {q0.x + 1e-3, q0.y - 1e-3, q0.z, q0.w};
        const double len = std::sqrt(q1.x * q1.x + q1.y * q1.y + q1.z * q1.z + q1.w * q1.w);
        q1 = {q1.x / len, q1.y / len, q1.z / len, q1.w / len};
        if (iter % 2) q1 = Negated(q1);
        const LD sign = iter % 2 ? -1 : 1;
        ASSERT_LE(1 - std::fabs(Dot(q0, q1)), 1e-5);
        for (double t : {0.0, 0.3, 1.0, 2.0}) {
            const Tal_Quat out = Slerp(q0, q1, t);
            const LD s0 = 1 - LD(t), s1 = sign * t;
            ASSERT_NEAR(out.x, s0 * q0.x + s1 * q1.x, 5e-16) << iter;
            ASSERT_NEAR(out.y, s0 * q0.y + s1 * q1.y, 5e-16) << iter;
            ASSERT_NEAR(out.w, s0 * q0.w + s1 * q1.w, 5e-16) << iter;
        }
    }
}

TEST(Slerp, LongerThanUnitInputsBlendLinearlyInsteadOfNaN) {
    const Tal_Quat a = {0, 0, 0, 2}, b = {0, 0, 0.5, 2};  // d = 4: acos would be NaN
    const Tal_Quat out = Slerp(a, b, 0.5);
    EXPECT_EQ(out.z, 0.25);
    EXPECT_EQ(out.w, 2.0);
}

TEST(Slerp, NaNComponentGivesNaNWithoutReport) {
    taltest::TakeReports();
    const Tal_Quat a = {kNaN, 0, 0, 1}, b = {0, 0, 1, 0};
    const Tal_Quat out = Slerp(a, b, 0.5);
    EXPECT_TRUE(std::isnan(out.w));
    EXPECT_TRUE(taltest::TakeReports().empty());
}

TEST(Slerp, OutputMayBeEitherInput) {
    std::mt19937_64 gen(0xa11a5);
    for (int iter = 0; iter < 200; ++iter) {
        Tal_Quat q0 = RandomUnit(gen), q1 = RandomUnit(gen);
        const double t = std::uniform_real_distribution<double>(-0.5, 1.5)(gen);
        const Tal_Quat expected = Slerp(q0, q1, t);
        Tal_Quat a = q0, b = q1;
        ASSERT_EQ(Tal_Slerp(&a, &q1, t, &a), 0);
        ASSERT_EQ(Tal_Slerp(&q0, &b, t, &b), 0);
        ASSERT_TRUE(SameBytes(a, expected));
        ASSERT_TRUE(SameBytes(b, expected));
    }
}

}  // namespace
