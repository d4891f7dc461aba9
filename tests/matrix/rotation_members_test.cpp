// Building steps (through the members), angles, directions, slerp and the other matrix members.
#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <complex>
#include <cstring>
#include <numeric>
#include <random>

#include "matrix/rotation_angles.h"
#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

typedef long double LD;
typedef std::array<LD, 16> M;
typedef std::complex<LD> C;
using taltest::Bits;
const double kNaN = std::nan(""), kInf = HUGE_VAL, kPi = taltest::kPi, kRad = kPi / 180;

// A uniform draw from the test's own generator.
struct Uniform {
    std::mt19937_64 gen;
    double operator()(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    }
};

M Mul(const M& x, const M& y) {
    M r{};
    for (int i = 0; i < 64; ++i)
        r[i / 4] += x[i / 16 * 4 + i % 4] * y[i % 4 * 4 + i / 4 % 4];
    return r;
}

// Rodrigues, row vectors: row i is e_i cos + (k x e_i) sin + k k_i (1 - cos).
M Turn(LD ax, LD ay, LD az, LD t) {
    const LD n = std::sqrt(ax * ax + ay * ay + az * az), k[3] = {ax / n, ay / n, az / n};
    M r{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i) {
        const int a = i / 3, b = i % 3, b1 = (b + 1) % 3, b2 = (b + 2) % 3;
        r[a * 4 + b] = (a == b) * std::cos(t) + k[a] * k[b] * (1 - std::cos(t)) +
                       (k[b1] * (a == b2) - k[b2] * (a == b1)) * std::sin(t);
    }
    return r;
}

M XYZ(LD x, LD y, LD z) {
    return Mul(Mul(Turn(0, 0, 1, z), Turn(0, 1, 0, y)), Turn(1, 0, 0, x));
}

template <class A>
LD MaxDiff(const A& m, const M& ref) {
    LD worst = 0;
    for (int i = 0; i < 16; ++i)
        worst = std::max(worst, std::fabs(m[i] - ref[i]));
    return worst;
}

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

// A 3D step post-multiplies, m := m x step (4e-14 is about 2^-48 of the 8 reached); with separate 0
// the turns follow the matrix's own axes, each about its current image (skipped once vanished).
TEST(ThreeDimensionalSteps, RandomStepsPostMultiplyThePriorTransformAndAnglesRebuildTurns) {
    Uniform U{std::mt19937_64(0xa715)};
    for (int iter = 0; iter < 10000; ++iter) {
        Tal_Matrix4 m;
        M want;
        const int k = iter % 5, v = iter % 10 == 9 ? iter / 10 % 3 : 9;  // v: a vanished row
        for (int i = 0; i < 16; ++i)  // affine when the axes' images are taken
            want[i] = m.m[i / 4][i % 4] = k == 4 && (i % 4 == 3 || i / 4 == v) ? i == 15 : U(-2, 2);
        const double x = U(-3, 3), y = U(-3, 3), z = U(-3, 3), t = U(-7, 7), turns[3] = {x, y, t};
        M step = k == 2 ? Turn(x, y, z, t) : k == 3 ? XYZ(x, y, t) : Turn(1, 0, 0, 0);
        const int at[2][3] = {{12, 13, 14}, {0, 5, 10}};  // translation row, or the diagonal
        for (int j = 0; j < 3 && k < 2; ++j)
            step[at[k][j]] = j == 0 ? x : j == 1 ? y : z;
        want = Mul(want, step);
        for (int i = 0; k == 4 && i < 3; ++i)
            if (i != v)  // a zero row stays zero
                want = Mul(want, Turn(want[4 * i], want[4 * i + 1], want[4 * i + 2], turns[i]));
        if (k == 0) m.Translate(x, y, z);
        if (k == 1) m.Scale(x, y, z);
        if (k == 2) m.RotateAxis(x, y, z, t);
        if (k == 3) m.RotateXYZ(x, y, t);
        if (k == 4) Tal_RotateMatrix4XYZPlus(x, y, t, 0, &m.m[0][0]);
        ASSERT_LT(MaxDiff(&m.m[0][0], want), 4e-14) << iter;
        // Its ordered angles, in range, rebuild the axis turn (ill-conditioned only as angles).
        double e[3];
        ASSERT_EQ(Tal_ConvertAxisAngleToOrderedXYZRotation(x, y, z, t, e, e + 1, e + 2), 0);
        ASSERT_LE(std::max({std::fabs(e[0]), std::fabs(e[2]), 2 * std::fabs(e[1])}), kPi) << iter;
        ASSERT_LT(MaxDiff(XYZ(e[0], e[1], e[2]), Turn(x, y, z, t)), 1e-9) << iter;
    }
}

TEST(RotateMatrix4, AxesShorterThan1em12ReportAndLeaveTheMatrixOrZeroTheAngles) {
    const double axes[][3] = {
        {0, 0, 0}, {-0.0, 0, 0}, {9e-13, 0, 0}, {5e-13, 5e-13, 5e-13}, {0, 1e-12, 0}};
    const double before[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, -1, -2, -3, -4, -5, -6, -0.0};
    const auto bad = taltest::Msg(0x11002E, "unable to build rotation matrix.");
    taltest::TakeReports();
    for (const auto& x : axes) {
        double m[16], a[3] = {9, 9, 9};
        std::memcpy(m, before, sizeof m);
        const Tal_Err want = x[1] == 1e-12 ? 0 : Tal_Err_BAD_AXIS;  // 1e-12 is long enough
        EXPECT_EQ(Tal_RotateMatrix4(x[0], x[1], x[2], 1, m), want);
        EXPECT_EQ(Tal_ConvertAxisAngleToOrderedXYZRotation(x[0], x[1], x[2], 1, a, a + 1, a + 2),
                  want);
        EXPECT_EQ(taltest::TakeReports(),
                  (want ? std::vector{bad, bad} : std::vector<taltest::Report>{}));
        if (!want) continue;
        EXPECT_EQ(Bits(m, 16), Bits(before, 16)) << "matrix left, axis x " << x[0];
        EXPECT_EQ(std::vector<double>(a, a + 3), std::vector<double>(3, 0.0)) << "angles zeroed";
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

// NaN angles and a zero depth flow through unreported; NaN masks (0xDB: 3x3 columns 0 and 1).
TEST(Rotations, NaNAnglesAndZeroDepthRunIntoTheResultsUnreported) {
    const Tal_Matrix4 id = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}};
    Tal_Matrix4 m[6] = {id, id, id, id, id, id};
    taltest::ClearReports();
    m[0].RotateAxis(0, 0, 1, kNaN);
    m[1].RotateXYZ(kNaN, 0, 0);
    m[2].Project(-0.0);
    Tal_RotateMatrix(&m[3].m[0][0], kNaN, 1, 2);
    Tal_RotateMatrix4XYZPlus(0, kNaN, 0, 0, m[4].m[0]);
    Tal_ConvertAxisAngleToOrderedXYZRotation(0, 0, 1, kNaN, *m[5].m, *m[5].m + 1, *m[5].m + 2);
    std::array<int, 6> nan{};
    for (int i = 0; i < 96; ++i)
        nan[i / 16] |= std::isnan(m[i / 16].m[i % 16 / 4][i % 4]) << i % 16;
    EXPECT_EQ(nan, (std::array<int, 6>{0x7777, 0xFFFF, 0x8088, 0xDB, 0xFFFF, 7}));
    EXPECT_EQ(m[2].m[2][3], -kInf) << "1 / -0.0";
    EXPECT_EQ(taltest::TakeReports(), std::vector<taltest::Report>{});
}

// x (pi/4 from these elements) folds into z (0 either way) once cos(asin R[2][0]) < 1e-5.
TEST(OrderedXYZAngles, FoldXIntoZOnlyWithinTheGimbalBand) {
    double t = std::sqrt(1 - 1.01e-10);  // cos y about 1.005e-5: clear of the band
    while (std::cos(std::asin(std::nextafter(t, 2.0))) >= 1e-5)
        t = std::nextafter(t, 2.0);
    for (double u : {t, -t, std::nextafter(t, 2.0), -std::nextafter(t, 2.0)}) {
        const double r[16] = {1, 0, 0, 0, 0, 1, 0, 0, u, -1, 1, 0, 0, 0, 0, 1};
        Tal_Vector3T<double> a;
        Talp_OrderedXYZFromRotation(r, &a);
        EXPECT_EQ(std::make_tuple(a.x, a.z), std::make_tuple(std::fabs(u) == t ? kPi / 4 : 0, 0.0))
            << u;
    }
}

// f on a copy of m must throw code after one report at site, leaving the copy as it was.
template <class M, class F>
void ExpectThrows(M m, F f, long code, int site, const char* text) {
    const M before = m;
    taltest::ClearReports();
    try {
        f(m);
        ADD_FAILURE() << text;
    } catch (long c) {
        EXPECT_EQ(c, code);
    }
    EXPECT_EQ(taltest::TakeReports(), (std::vector{taltest::Msg(0x110000 | site, text)}));
    EXPECT_EQ(Bits(m), Bits(before)) << text;
}

TEST(MatrixMembers, FailuresThrowReportOnceAndLeaveTheMatrix) {
    const auto invert = [](auto& m) { m.Invert(); };
    // tiny is regular but under the 1e-16 determinant threshold; quiet: true, no report, unchanged.
    const auto quiet = [](auto m) {
        auto q = m;
        const bool failed = q.InvertQuiet();
        EXPECT_EQ(std::make_tuple(failed, Bits(q), taltest::TakeReports()),
                  std::make_tuple(true, Bits(m), std::vector<taltest::Report>{}));
    };
    const Tal_Matrix3 singular = {{{1, 0, 1}, {0, 1, 1}, {1, 1, 2}}};
    ExpectThrows(singular, invert, Tal_Err_CANT_INVERT, 0x23, "unable to invert matrix.");
    const Tal_Matrix4 tiny = {{{1e-6, 0, 0, 0}, {0, 1e-6, 0, 0}, {0, 0, 1e-6, 0}, {0, 0, 0, 1}}};
    ExpectThrows(tiny, invert, Tal_Err_CANT_INVERT, 0x2D, "unable to invert matrix.");
    const auto turn = [](Tal_Matrix4& m) { m.RotateAxis(0, 0, 0, 1); };
    ExpectThrows(tiny, turn, Tal_Err_BAD_AXIS, 0x2E, "unable to build rotation matrix.");
    const auto split = [](Tal_Matrix4 m, Tal_Matrix4Decomp d = {}) { m.Project(4).Decompose(&d); };
    ExpectThrows(tiny, split, Tal_Err_CANT_DECOMPOSE, 0x2D, "unable to decompose matrix.");
    Tal_Matrix4 q = {{{2, 0, 0, 0}, {0, 4, 0, 0}, {0, 0, 8, 0}, {1, 2, 3, 1}}};
    quiet(singular);
    quiet(tiny);
    Tal_Matrix4 q4 = q;  // exact inverses, by each member
    Tal_Matrix3 p = {{{2, 0, 0}, {0, 4, 0}, {1, 2, 1}}};
    EXPECT_FALSE(q.InvertQuiet());
    EXPECT_EQ(taltest::Values(q4.Invert()), taltest::Values(q));
    EXPECT_EQ(taltest::Values(q), std::vector<double>({0.5, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 0.125, 0,
                                                       -0.5, -0.5, -0.375, 1}));
    EXPECT_EQ(taltest::Values(p.Invert()),
              std::vector<double>({0.5, 0, 0, 0, 0.25, 0, -0.5, -0.5, 1}));
}

// The walks compare |v - target| > eps: at eps passes, NaN never fails, the last element counts.
TEST(MatrixMembers, EqualityIsByteWiseAndTheEpsilonWalksMissNothing) {
    Tal_Matrix3 plus = {}, minus = {{{-0.0, 0, 0}, {0, 0, 0}, {0, 0, 0}}};
    const Tal_Matrix3 k = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}, kCopy = k;
    Tal_Matrix4 a = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, kNaN, 1, 0}, {0, 0, 0, 1}}}, b = a;
    Tal_Matrix4 zero, negZero = a;
    zero.SetZero();
    negZero.SetZero().m[3][1] = -0.0;
    // +0.0 and -0.0 differ, NaNs with the same bits are equal, and either zero is zero.
    EXPECT_EQ(
        std::vector<bool>({k == kCopy, plus == minus, plus != minus, minus.IsZero(), a == b, a != b,
                           a.IsIdentity(), zero != negZero, negZero.IsZero(), a.IsZero()}),
        std::vector<bool>({true, false, true, true, true, false, true, true, true, false}));
    const struct {
        int r, c;  // of the 4x4; the 3x3 takes the nearest element
        double v, eps;
        bool within;
    } rows[] = {{1, 1, 1.5, 0.5, true},    {1, 1, 1.5, 0.49, false},   {0, 1, kNaN, 0, true},
                {0, 1, 1e300, kNaN, true}, {3, 3, 1 + 1e-9, 0, false}, {3, 0, -kInf, 1e300, false},
                {3, 3, kNaN, 0, true}};
    for (const auto& row : rows) {
        const int r3 = std::min(row.r, 2), c3 = std::min(row.c, 2);
        Tal_Matrix4 i4 = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}, z4 = {};
        Tal_Matrix3 i3 = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, z3 = {};
        i4.m[row.r][row.c] = i3.m[r3][c3] = row.v;  // off the identity, or off zero by as much
        z4.m[row.r][row.c] = z3.m[r3][c3] = row.v - (row.r == row.c);
        EXPECT_EQ(std::vector<bool>(
                      {i4.IsIdentityWithinEpsilon(row.eps), z4.IsZeroWithinEpsilon(row.eps),
                       i3.IsIdentityWithinEpsilon(row.eps), z3.IsZeroWithinEpsilon(row.eps)}),
                  std::vector<bool>(4, row.within))
            << "element " << row.r << ", " << row.c << " = " << row.v << ", eps " << row.eps
            << " (identity and zero of the 4x4, then of the 3x3)";
        EXPECT_EQ(i4.IsFinite(), std::isfinite(row.v)) << row.v;
    }
}

// Cyclic cofactors carry their sign; entries below 2^15 keep every product exact in doubles.
TEST(Matrix3Members, DeterminantAndAdjugateAgainstExactIntegers) {
    std::mt19937_64 gen(0xde7);
    for (int iter = 0; iter < 5000; ++iter) {
        long long a[3][3], ad[3][3];  // ad: the adjugate
        const auto at = [&](int r, int c) { return a[r % 3][c % 3]; };
        Tal_Matrix3 m;
        for (int i = 0; i < 9; ++i)
            m.m[i / 3][i % 3] = double(a[i / 3][i % 3] = (long long)(gen() % 40001) - 20000);
        for (int i = 0; i < 9; ++i)
            ad[i % 3][i / 3] = at(i / 3 + 1, i + 1) * at(i / 3 + 2, i + 2) -
                               at(i / 3 + 1, i + 2) * at(i / 3 + 2, i + 1);
        ASSERT_EQ(m.Determinant(), a[0][0] * ad[0][0] + a[0][1] * ad[1][0] + a[0][2] * ad[2][0]);
        m.Adjoint();
        for (int i = 0; i < 9; ++i)
            ASSERT_EQ(m.m[i / 3][i % 3], double(ad[i / 3][i % 3])) << iter;
    }
}

// An index outside 0..3 drops the last row (column); nothing lands outside the nine elements.
TEST(MatrixMembers, DroppingIndicesKeepsOrderAndBounds) {
    const Tal_Matrix4 src = {{{0, 1, 2, 3}, {10, 11, 12, 13}, {20, 21, 22, 23}, {30, 31, 32, 33}}};
    for (long row : {0L, 1L, 2L, 3L, -1L, 4L, LONG_MIN, LONG_MAX})
        for (long col : {0L, 1L, 2L, 3L, -1L, 4L, LONG_MIN}) {
            struct {
                Tal_Matrix3 g;
                double guard = 7;  // the sanitizer build also catches a write past g
            } out;
            Tal_Matrix3& g = out.g;
            g.AssignFromByDroppingIndices(src, row, col);
            ASSERT_EQ(out.guard, 7) << "written past the nine elements: " << row << " " << col;
            const long dr = row >= 0 && row < 4 ? row : 3, dc = col >= 0 && col < 4 ? col : 3;
            for (int r = 0; r < 3; ++r)  // source element (r, c) holds 10 r + c
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(g.m[r][c], 10 * (r + (r >= dr)) + c + (c >= dc)) << row << " " << col;
        }
}

}  // namespace
