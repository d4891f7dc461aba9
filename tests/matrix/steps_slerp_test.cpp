// 2D building steps through the members against complex arithmetic, and slerp against the
// angles between quaternions.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <random>
#include <vector>

#include "support/matrix_models.h"
#include "tal/matrix.h"

namespace {

typedef long double LD;
typedef std::complex<LD> C;
using taltest::Bits;
const double kNaN = std::nan(""), kPi = taltest::kPi, kRad = kPi / 180;

// A uniform draw from the test's own generator.
struct Uniform {
    std::mt19937_64 gen;
    double operator()(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    }
};

TEST(TwoDimensionalSteps, ShortcutsLeaveTheMatrixBitForBitAndDirectionsAreExact) {
    const std::array<double, 9> before = {-0.0, kNaN, 3, 1e-300, -7, 0.5, 1e300, -0.0, 2};
    for (double d : {0.0, -0.0, 720.0, -1080.0, 360.0 * 0x1p40, 1.0}) {  // 1.0: the unit scale
        auto m = before;
        EXPECT_EQ(d == 1 ? Tal_ScaleMatrix(&m[0], 1, 1, kNaN, 7) : Tal_RotateMatrix(&m[0], d, 4, 5),
                  0);
        EXPECT_EQ(Bits(m), Bits(before)) << d;
    }
    double s[9] = {-0.0, 0, 0, 0, 1, 0, 0, 0, 1};  // just off 1 multiplies: -0.0 becomes +0.0
    EXPECT_EQ(Tal_ScaleMatrix(s, 1, std::nextafter(1.0, 2.0), 0, 0), 0);
    EXPECT_FALSE(std::signbit(s[0]));
    Tal_Matrix3 m = {{{-0.0, kNaN, 2}, {3, -0.0, 5}, {6, 7, 8}}}, before3 = m;  // a zero skew
    EXPECT_EQ(Bits(m.Skew(0, 45).Skew(-0.0, kNaN)), Bits(before3));
    const auto d = Tal_ComputeDirectionalComponents({{{3, -4, 5}, {-6, 7, 8}, {1e9, -1e9, 9}}});
    EXPECT_EQ(std::vector<double>({d.first.x, d.first.y, d.second.x, d.second.y}),
              std::vector<double>({3, -4, -6, 7}));
}

// After any prior P a step turns (scales, moves) p x P about the centre; a skew turns it by the
// axis angle, shears x by -y tan(skew), turns back. 1e-11 is about 2^-46 of the several hundred
// reached.
TEST(TwoDimensionalSteps, RandomStepsActAfterThePriorTransform) {
    Uniform U{std::mt19937_64(0x5eed2d)};
    for (int iter = 0; iter < 8000; ++iter) {
        Tal_Matrix3 m = {{{U(-3, 3), U(-3, 3)}, {U(-3, 3), U(-3, 3)}, {U(-3, 3), U(-3, 3), 1}}};
        const int k = iter % 4, centred = iter / 4 % 2 && k < 3;  // else the overloads about (0, 0)
        const double cx = centred * U(-50, 50), cy = centred * U(-50, 50), a = U(-720, 720);
        const double b = U(-80, 80), sx = b / 20, sy = a / 180, px = U(-20, 20), py = U(-20, 20);
        const auto at = [&](int c) { return px * LD(m.m[0][c]) + py * LD(m.m[1][c]) + m.m[2][c]; };
        const std::vector<double> perspective = {m.m[0][2], m.m[1][2], m.m[2][2]};
        const C d = C(at(0) - cx, at(1) - cy), w = std::polar(1.0L, std::fmod(LD(a), 360) * kRad);
        if (k == 0) centred ? m.Rotate(a, cx, cy) : m.Rotate(a);
        if (k == 1) centred ? m.Scale(sx, sy, cx, cy) : m.Scale(sx, sy);
        if (k == 2) m.Translate(cx, cy);
        if (k == 3) m.Skew(b, a);
        const C u = d * w, e[4] = {u, C(d.real() * sx, d.imag() * sy), d + C(cx, cy),
                                   C(u.real() - u.imag() * std::tan(b * kRad), u.imag()) / w};
        ASSERT_LT(std::abs(C(at(0) - cx, at(1) - cy) - e[k]), 1e-11) << iter;
        const std::vector<double> third = {m.m[0][2], m.m[1][2], m.m[2][2]};
        ASSERT_EQ(third, perspective) << iter << ": an affine step keeps the third column";
    }
}

// Well conditioned at 0 and pi: 2 atan2(|a - sb|, |a + sb|).
LD Angle(const Tal_Quat& a, const Tal_Quat& b, LD s = 1) {
    const LD pa[4] = {a.x, a.y, a.z, a.w}, pb[4] = {s * b.x, s * b.y, s * b.z, s * b.w};
    LD dd = 0, ss = 0;
    for (int i = 0; i < 4; ++i) {
        dd += (pa[i] - pb[i]) * (pa[i] - pb[i]);
        ss += (pa[i] + pb[i]) * (pa[i] + pb[i]);
    }
    return 2 * std::atan2(std::sqrt(dd), std::sqrt(ss));
}

Tal_Quat Slerp(const Tal_Quat& a, const Tal_Quat& b, double t) {
    Tal_Quat out;
    return Tal_Slerp(&a, &b, t, &out) ? Tal_Quat{kNaN, kNaN, kNaN, kNaN} : out;
}

// To +-(0, 0, s, c), |d| = c: weights 1 - t, +-t for any t from the least c with 1 - c <= 1e-5 on.
TEST(Slerp, NearlyEqualInputsCopyTheFirstAndNearlyParallelOrLongOnesBlendLinearly) {
    const Tal_Quat q = {0.1, -0.0, 0.7, 0.7}, near = {0.1, 9e-13, 0.7, 0.7};  // < 563 x 2^-49
    for (double t : {0.0, 1.0, 7.0, kNaN}) {
        EXPECT_EQ(Bits(Slerp(q, q, t)), Bits(q)) << t;
        EXPECT_EQ(Bits(Slerp(q, near, t)), Bits(q)) << t;
    }
    EXPECT_NE(Bits(Slerp(q, {0.1, 1.1e-12, 0.7, 0.7}, 1.0)), Bits(q)) << "just past the floor";
    EXPECT_EQ(Bits(Slerp({0, 0, 0, 2}, {0, 0, 0.5, 2}, 0.5)), Bits(Tal_Quat{0, 0, 0.25, 2}));
    for (int i = 0; i < 12; ++i) {  // 1 - c is exact
        const double c = 1 - (std::floor(1e-5 * 0x1p53) + i / 6) * 0x1p-53, t = i % 3 - 0.5;
        const double s = std::sqrt(1 - c * c), g = 1 - i % 2 * 2.0;
        const Tal_Quat q = Slerp({0, 0, 0, 1}, {0, 0, g * s, g * c}, t);
        const std::vector<double> linear = {0, 0, t * s, (1 - t) + t * c};
        EXPECT_EQ(taltest::Values(q) == linear, i < 6)
            << i << ": 1 - c = " << 1 - c << ", t = " << t;
    }
}

// Along the shorter arc at constant angular speed: the angle from q0 is |t| theta, from the
// nearer of +-q1 |1 - t| theta (within about 13 ulps), extrapolating along the great circle. The
// output may be either input.
TEST(Slerp, RandomArcsRunAtConstantSpeedAlongTheShorterArc) {
    std::mt19937_64 gen(0x51e4);
    std::normal_distribution<double> n;
    for (int iter = 0; iter < 3000; ++iter) {
        Tal_Quat q[2];
        for (Tal_Quat& v : q) {
            const double x = n(gen), y = n(gen), z = n(gen), w = n(gen);
            const double k = 1 / std::sqrt(x * x + y * y + z * z + w * w);
            v = {x * k, y * k, z * k, w * k};
        }
        const LD s = Angle(q[0], q[1]) > kPi / 2 ? -1 : 1, theta = Angle(q[0], q[1], s);
        if (theta < 0.05) continue;  // clear of the linear band
        for (double t : {0.0, 0.25, 0.5, 15.0 / 16, 1.0, -0.25, 1.25}) {
            const Tal_Quat out = Slerp(q[0], q[1], t);
            ASSERT_NEAR(Angle(q[0], out), std::fabs(t) * theta, 3e-15) << iter << " " << t;
            ASSERT_NEAR(Angle(out, q[1], s), std::fabs(1 - t) * theta, 3e-15) << iter << " " << t;
        }
        Tal_Quat a = q[0], b = q[1];
        ASSERT_EQ(Tal_Slerp(&a, &q[1], 0.3, &a) + Tal_Slerp(&q[0], &b, 0.3, &b), 0);
        ASSERT_EQ(Bits(a), Bits(Slerp(q[0], q[1], 0.3))) << iter << ": output over the first input";
        ASSERT_EQ(Bits(b), Bits(a)) << iter << ": output over the second input";
    }
}

}  // namespace
