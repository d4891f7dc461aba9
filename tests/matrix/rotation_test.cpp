// Building steps, ordered-XYZ angles and directional components: the fixed points of the 2D
// steps, the shortcuts bit for bit, the bad-axis report, and random cases against long double
// models built here from the elementary rotations and Rodrigues' formula.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;
typedef long double LD;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kPi = 3.141592653589793;
const Report kBadAxis = Msg(0x11002E, "unable to build rotation matrix.");
const Report kCantDecompose = Msg(0x11002D, "unable to decompose matrix.");

// ---- Long double reference model ------------------------------------------------------------

struct M4 {
    LD a[4][4];
};

M4 Identity() {
    M4 r{};
    for (int i = 0; i < 4; ++i)
        r.a[i][i] = 1;
    return r;
}

M4 FromDoubles(const double* m) {
    M4 r;
    for (int i = 0; i < 16; ++i)
        r.a[i / 4][i % 4] = m[i];
    return r;
}

M4 Mul(const M4& x, const M4& y) {
    M4 r{};
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r.a[i][j] += x.a[i][k] * y.a[k][j];
    return r;
}

// Row-vector elementary turns: about z, +x goes towards +y.
M4 Rx(LD t) {
    M4 r = Identity();
    r.a[1][1] = std::cos(t), r.a[1][2] = std::sin(t);
    r.a[2][1] = -std::sin(t), r.a[2][2] = std::cos(t);
    return r;
}
M4 Ry(LD t) {
    M4 r = Identity();
    r.a[0][0] = std::cos(t), r.a[0][2] = -std::sin(t);
    r.a[2][0] = std::sin(t), r.a[2][2] = std::cos(t);
    return r;
}
M4 Rz(LD t) {
    M4 r = Identity();
    r.a[0][0] = std::cos(t), r.a[0][1] = std::sin(t);
    r.a[1][0] = -std::sin(t), r.a[1][1] = std::cos(t);
    return r;
}
M4 OrderedXYZ(LD x, LD y, LD z) {
    return Mul(Mul(Rz(z), Ry(y)), Rx(x));
}

// Rodrigues: row i is the right-handed turn of e_i about the unit axis k,
// v cos + (k x v) sin + k (k.v)(1 - cos).
M4 Rodrigues(LD ax, LD ay, LD az, LD angle) {
    const LD len = std::sqrt(ax * ax + ay * ay + az * az);
    const LD k[3] = {ax / len, ay / len, az / len};
    const LD c = std::cos(angle), s = std::sin(angle);
    M4 r = Identity();
    for (int i = 0; i < 3; ++i) {
        LD v[3] = {0, 0, 0};
        v[i] = 1;
        const LD cross[3] = {k[1] * v[2] - k[2] * v[1], k[2] * v[0] - k[0] * v[2],
                             k[0] * v[1] - k[1] * v[0]};
        for (int j = 0; j < 3; ++j)
            r.a[i][j] = v[j] * c + cross[j] * s + k[j] * k[i] * (1 - c);
    }
    return r;
}

LD MaxDiff(const double* m, const M4& ref) {
    LD worst = 0;
    for (int i = 0; i < 16; ++i)
        worst = std::max(worst, std::fabs(m[i] - ref.a[i / 4][i % 4]));
    return worst;
}

bool SameBytes(const double* a, const double* b, int n) {
    return std::memcmp(a, b, n * sizeof(double)) == 0;
}

// (x, y) through a 3x3 by the row-vector rule, in long double.
void Apply3(const double* m, LD x, LD y, LD* ox, LD* oy) {
    *ox = x * m[0] + y * m[3] + m[6];
    *oy = x * m[1] + y * m[4] + m[7];
}

class Random {
public:
    explicit Random(uint64_t seed) : gen_(seed) {}
    double Uniform(double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen_);
    }
    void Fill(double* m, int n, double lo, double hi) {
        for (int i = 0; i < n; ++i)
            m[i] = Uniform(lo, hi);
    }

private:
    std::mt19937_64 gen_;
};

// ---- 2D steps ----------------------------------------------------------------------------------

TEST(RotateMatrix, WholeTurnsLeaveTheMatrixBitForBit) {
    const double before[9] = {-0.0, kNaN, 3, 1e-300, -7, 0.5, 1e300, -0.0, 2};
    for (double degrees : {0.0, -0.0, 360.0, 720.0, -360.0, 3600.0, -1080.0, 360.0 * 0x1p40}) {
        double m[9];
        std::memcpy(m, before, sizeof m);
        EXPECT_EQ(Tal_RotateMatrix(m, degrees, 4, 5), 0);
        EXPECT_TRUE(SameBytes(m, before, 9)) << degrees;
    }
}

TEST(RotateMatrix, ReducesModulo360BeforeTakingTheSine) {
    double a[9], b[9];
    Tal_SetIdentityMatrix(a);
    Tal_SetIdentityMatrix(b);
    Tal_RotateMatrix(a, 450, 3, -2);
    Tal_RotateMatrix(b, 90, 3, -2);
    EXPECT_TRUE(SameBytes(a, b, 9));
}

TEST(RotateMatrix, QuarterTurnOnIdentityKeepsTheCosineResidue) {
    double m[9];
    Tal_SetIdentityMatrix(m);
    ASSERT_EQ(Tal_RotateMatrix(m, 90, 0, 0), 0);
    const double c = std::cos(90 * 0.017453292519943295);
    EXPECT_NE(c, 0.0);
    const double expected[9] = {c, 1, 0, -1, c, 0, 0, 0, 1};
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(m[i], expected[i]) << i;
}

TEST(RotateMatrix, QuarterTurnAboutACentreKeepsTheCentre) {
    double m[9];
    Tal_SetIdentityMatrix(m);
    Tal_RotateMatrix(m, 90, 10, 0);
    LD x, y;
    Apply3(m, 10, 0, &x, &y);
    // Within 2 ulps of 10.
    EXPECT_NEAR(x, 10, 4e-15);
    EXPECT_NEAR(y, 0, 4e-15);
    Apply3(m, 11, 0, &x, &y);
    EXPECT_NEAR(x, 10, 4e-15);
    EXPECT_NEAR(y, 1, 4e-15);
}

// Against the point they must keep fixed: after any prior transform P, the step turns (scales)
// the image p x P about the centre.
TEST(TwoDimensionalSteps, RandomStepsActAfterThePriorTransformAboutTheCentre) {
    Random rnd(0x5eed2d);
    for (int iter = 0; iter < 4000; ++iter) {
        double prior[9], m[9];
        rnd.Fill(prior, 9, -3, 3);
        prior[2] = prior[5] = 0, prior[8] = 1;
        const double cx = rnd.Uniform(-50, 50), cy = rnd.Uniform(-50, 50);
        const double px = rnd.Uniform(-20, 20), py = rnd.Uniform(-20, 20);
        LD qx, qy;
        Apply3(prior, px, py, &qx, &qy);
        std::memcpy(m, prior, sizeof m);
        LD ex, ey;
        if (iter % 2 == 0) {
            const double deg = rnd.Uniform(-720, 720);
            ASSERT_EQ(Tal_RotateMatrix(m, deg, cx, cy), 0);
            const LD r = std::fmod(static_cast<LD>(deg), 360.0L) * 0.017453292519943295L;
            ex = cx + (qx - cx) * std::cos(r) - (qy - cy) * std::sin(r);
            ey = cy + (qx - cx) * std::sin(r) + (qy - cy) * std::cos(r);
        } else {
            const double sx = rnd.Uniform(-4, 4), sy = rnd.Uniform(-4, 4);
            ASSERT_EQ(Tal_ScaleMatrix(m, sx, sy, cx, cy), 0);
            ex = cx + (qx - cx) * sx;
            ey = cy + (qy - cy) * sy;
        }
        LD x, y;
        Apply3(m, px, py, &x, &y);
        // The magnitudes reach a few hundred: 1e-11 is about 2^-44 relative.
        ASSERT_NEAR(x, ex, 1e-11) << iter;
        ASSERT_NEAR(y, ey, 1e-11) << iter;
    }
}

TEST(ScaleMatrix, UnitScaleIsAShortcutAndAnythingElseIsNot) {
    const double before[9] = {-0.0, 2, 0, 3, kNaN, 0, -0.0, 5, 1};
    double m[9];
    std::memcpy(m, before, sizeof m);
    EXPECT_EQ(Tal_ScaleMatrix(m, 1, 1, kNaN, 7), 0);
    EXPECT_TRUE(SameBytes(m, before, 9));
    // Not exactly 1: a real product, which at least turns the -0.0 of m[0][0] into +0.0.
    EXPECT_EQ(Tal_ScaleMatrix(m, 1, std::nextafter(1.0, 2.0), 0, 0), 0);
    EXPECT_FALSE(SameBytes(m, before, 9));
}

TEST(ScaleMatrix, DoublingAboutACentreKeepsIt) {
    double m[9];
    Tal_SetIdentityMatrix(m);
    Tal_ScaleMatrix(m, 2, 2, 5, 5);
    LD x, y;
    Apply3(m, 5, 5, &x, &y);
    EXPECT_EQ(x, 5);
    EXPECT_EQ(y, 5);
    Apply3(m, 6, 5, &x, &y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 5);
}

TEST(TranslateMatrix, ZeroOffsetStillMultiplies) {
    // -0.0 + 0 is +0.0: the product ran, so there is no shortcut for (0, 0).
    double m[9] = {1, 0, 0, 0, 1, 0, -0.0, -0.0, 1};
    EXPECT_EQ(Tal_TranslateMatrix(m, 0, 0), 0);
    EXPECT_FALSE(std::signbit(m[6]));
    EXPECT_FALSE(std::signbit(m[7]));
    Tal_TranslateMatrix(m, 5, 7);
    LD x, y;
    Apply3(m, 1, 1, &x, &y);
    EXPECT_EQ(x, 6);
    EXPECT_EQ(y, 8);
}

// ---- 4x4 steps ---------------------------------------------------------------------------------

TEST(RotateMatrix4, ShortAxesReportAndLeaveTheMatrix) {
    const double axes[][3] = {{0, 0, 0}, {-0.0, 0, 0}, {9e-13, 0, 0}, {5e-13, 5e-13, 5e-13}};
    for (const auto& a : axes) {
        double m[16], before[16];
        Random(7).Fill(before, 16, -1, 1);
        std::memcpy(m, before, sizeof m);
        TakeReports();
        EXPECT_EQ(Tal_RotateMatrix4(a[0], a[1], a[2], 1.0, m), Tal_Err_BAD_AXIS);
        EXPECT_EQ(TakeReports(), std::vector<Report>{kBadAxis});
        EXPECT_TRUE(SameBytes(m, before, 16));
    }
    // Exactly 1e-12 long is long enough.
    double m[16];
    Tal_IdentityMatrix4(m);
    EXPECT_EQ(Tal_RotateMatrix4(0, 1e-12, 0, 1.0, m), 0);
    EXPECT_TRUE(TakeReports().empty());
}

TEST(RotateMatrix4, AxisLengthDoesNotMatter) {
    double a[16], b[16];
    Tal_IdentityMatrix4(a);
    Tal_IdentityMatrix4(b);
    Tal_RotateMatrix4(0, 0, 5, 0.7, a);
    Tal_RotateMatrix4(0, 0, 1, 0.7, b);
    EXPECT_TRUE(SameBytes(a, b, 16));
}

TEST(RotateMatrix4, CoordinateAxesGiveTheElementaryTurns) {
    for (int axis = 0; axis < 3; ++axis) {
        for (double t : {0.3, -2.5, kPi / 2}) {
            double m[16];
            Tal_IdentityMatrix4(m);
            ASSERT_EQ(Tal_RotateMatrix4(axis == 0, axis == 1, axis == 2, t, m), 0);
            const M4 ref = axis == 0 ? Rx(t) : axis == 1 ? Ry(t) : Rz(t);
            EXPECT_LE(MaxDiff(m, ref), 0x1p-53) << axis << " " << t;
        }
    }
}

TEST(RotateMatrix4, RandomAxesMatchRodriguesAfterThePriorTransform) {
    Random rnd(0xa715);
    for (int iter = 0; iter < 4000; ++iter) {
        double m[16];
        rnd.Fill(m, 16, -2, 2);
        const M4 prior = FromDoubles(m);
        const double ax = rnd.Uniform(-3, 3), ay = rnd.Uniform(-3, 3), az = rnd.Uniform(-3, 3);
        const double angle = rnd.Uniform(-7, 7);
        ASSERT_EQ(Tal_RotateMatrix4(ax, ay, az, angle, m), 0);
        // Elements up to about 8: 2e-14 is about 2^-49 relative.
        ASSERT_LT(MaxDiff(m, Mul(prior, Rodrigues(ax, ay, az, angle))), 2e-14) << iter;
    }
}

TEST(RotateMatrix4, NaNAngleFlowsThroughWithoutReport) {
    double m[16];
    Tal_IdentityMatrix4(m);
    TakeReports();
    EXPECT_EQ(Tal_RotateMatrix4(1, 0, 0, kNaN, m), 0);
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_TRUE(std::isnan(m[5]));
}

TEST(TranslateScaleMatrix4, PostMultiply) {
    Random rnd(44);
    double m[16];
    rnd.Fill(m, 16, -2, 2);
    M4 ref = FromDoubles(m);
    ASSERT_EQ(Tal_TranslateMatrix4(3, -4, 5, m), 0);
    M4 t = Identity();
    t.a[3][0] = 3, t.a[3][1] = -4, t.a[3][2] = 5;
    ref = Mul(ref, t);
    EXPECT_LT(MaxDiff(m, ref), 1e-14);
    ASSERT_EQ(Tal_ScaleMatrix4(2, -0.5, 0, m), 0);
    M4 s = Identity();
    s.a[0][0] = 2, s.a[1][1] = -0.5, s.a[2][2] = 0;
    EXPECT_LT(MaxDiff(m, Mul(ref, s)), 1e-14);
    // Neither has a shortcut: the unit scale still multiplies (and normalises -0.0).
    double z[16];
    Tal_IdentityMatrix4(z);
    z[12] = -0.0;
    Tal_ScaleMatrix4(1, 1, 1, z);
    EXPECT_FALSE(std::signbit(z[12]));
}

TEST(RotateMatrix4XYZ, EqualsRzRyRxAfterThePriorTransform) {
    Random rnd(0x0dd);
    for (int iter = 0; iter < 3000; ++iter) {
        const double x = rnd.Uniform(-4, 4), y = rnd.Uniform(-4, 4), z = rnd.Uniform(-4, 4);
        double m[16];
        if (iter % 2)
            rnd.Fill(m, 16, -2, 2);
        else
            Tal_IdentityMatrix4(m);
        const M4 prior = FromDoubles(m);
        ASSERT_EQ(Tal_RotateMatrix4XYZ(x, y, z, m), 0);
        ASSERT_LT(MaxDiff(m, Mul(prior, OrderedXYZ(x, y, z))), 2e-14) << iter;
    }
}

// With separate 0 the turns follow the matrix's own axes: for a pure turn-and-scale L the
// result is Rz x Ry x Rx x L (the turns act first), for a pure translation T it is
// T x Rz x Ry x Rx (the translation row turns with the frame).
TEST(RotateMatrix4XYZPlus, InPlaceTurnsAboutTheMatrixOwnAxes) {
    Random rnd(0x1dea);
    for (int iter = 0; iter < 2000; ++iter) {
        const double x = rnd.Uniform(-3, 3), y = rnd.Uniform(-3, 3), z = rnd.Uniform(-3, 3);
        double m[16];
        Tal_IdentityMatrix4(m);
        M4 expected;
        if (iter % 2 == 0) {
            Tal_ScaleMatrix4(1.5, 1.5, 1.5, m);
            Tal_RotateMatrix4XYZ(rnd.Uniform(-3, 3), rnd.Uniform(-3, 3), rnd.Uniform(-3, 3), m);
            expected = Mul(OrderedXYZ(x, y, z), FromDoubles(m));
        } else {
            Tal_TranslateMatrix4(rnd.Uniform(-9, 9), rnd.Uniform(-9, 9), rnd.Uniform(-9, 9), m);
            expected = Mul(FromDoubles(m), OrderedXYZ(x, y, z));
        }
        ASSERT_EQ(Tal_RotateMatrix4XYZPlus(x, y, z, 0, m), 0);
        ASSERT_LT(MaxDiff(m, expected), 1e-13) << iter;
    }
}

TEST(RotateMatrix4XYZPlus, ZeroFirstRowSkipsTheXStepOnly) {
    double m[16], other[16];
    Tal_IdentityMatrix4(m);
    m[0] = 0;
    const M4 prior = FromDoubles(m);
    std::memcpy(other, m, sizeof m);
    ASSERT_EQ(Tal_RotateMatrix4XYZPlus(0.7, 0.4, -0.9, 0, m), 0);
    ASSERT_EQ(Tal_RotateMatrix4XYZPlus(0.0, 0.4, -0.9, 0, other), 0);
    EXPECT_TRUE(SameBytes(m, other, 16));  // the x angle never took part
    EXPECT_TRUE(TakeReports().empty());
    // Y about the bare y axis, then Z about the turned z axis: prior x Rz x Ry.
    EXPECT_LT(MaxDiff(m, Mul(Mul(prior, Rz(-0.9L)), Ry(0.4L))), 1e-15);
}

// ---- Ordered-XYZ angles ------------------------------------------------------------------------

TEST(OrderedXYZAngles, RoundTripAwayFromGimbalLockThroughScaleAndTranslation) {
    Random rnd(0xe01e);
    for (int iter = 0; iter < 4000; ++iter) {
        const double x = rnd.Uniform(-3.1, 3.1), y = rnd.Uniform(-1.55, 1.55);
        const double z = rnd.Uniform(-3.1, 3.1);
        double m[16];
        Tal_IdentityMatrix4(m);
        if (iter % 2)
            Tal_ScaleMatrix4(rnd.Uniform(0.1, 9), rnd.Uniform(0.1, 9), rnd.Uniform(0.1, 9), m);
        ASSERT_EQ(Tal_RotateMatrix4XYZ(x, y, z, m), 0);
        if (iter % 2) Tal_TranslateMatrix4(rnd.Uniform(-99, 99), 3, rnd.Uniform(-99, 99), m);
        double ox = 9, oy = 9, oz = 9;
        ASSERT_EQ(Tal_GetOrderedXYZRotationFromMatrix(m, &ox, &oy, &oz), 0);
        // cos y >= 0.02 here, so the angles lose at most about 50 ulps of conditioning.
        ASSERT_NEAR(ox, x, 1e-12) << iter;
        ASSERT_NEAR(oy, y, 1e-12) << iter;
        ASSERT_NEAR(oz, z, 1e-12) << iter;
    }
}

TEST(OrderedXYZAngles, SimpleCaseComesBack) {
    double m[16], x, y, z;
    Tal_IdentityMatrix4(m);
    Tal_RotateMatrix4XYZ(0.3, 0.2, 0.1, m);
    ASSERT_EQ(Tal_GetOrderedXYZRotationFromMatrix(m, &x, &y, &z), 0);
    EXPECT_NEAR(x, 0.3, 1e-15);
    EXPECT_NEAR(y, 0.2, 1e-15);
    EXPECT_NEAR(z, 0.1, 1e-15);
}

// Within cos y < 1e-5 of the pole x folds into z and is reported as 0; the folded angles still
// rebuild the same turn up to the residual cos y.
TEST(OrderedXYZAngles, GimbalLockFoldsXIntoZ) {
    struct Case {
        double x, y, z;
        bool folded;
    };
    const Case cases[] = {
        {0.3, kPi / 2, 0.2, true},         {0.3, -kPi / 2, 0.2, true},
        {-1.0, kPi / 2 - 5e-6, 2.0, true}, {1.2, -kPi / 2 + 9e-6, -0.4, true},
        {0.3, kPi / 2 - 2e-5, 0.2, false}, {-2.0, -kPi / 2 + 3e-5, 1.0, false},
    };
    for (const Case& c : cases) {
        double m[16], x, y, z;
        Tal_IdentityMatrix4(m);
        Tal_RotateMatrix4XYZ(c.x, c.y, c.z, m);
        ASSERT_EQ(Tal_GetOrderedXYZRotationFromMatrix(m, &x, &y, &z), 0);
        const LD residual = std::fabs(std::cos(static_cast<LD>(c.y)));
        if (c.folded) {
            EXPECT_EQ(x, 0.0) << c.y;
            EXPECT_LT(MaxDiff(m, OrderedXYZ(x, y, z)), 2 * residual + 1e-12) << c.y;
        } else {
            EXPECT_NEAR(x, c.x, 1e-9) << c.y;
            EXPECT_NEAR(z, c.z, 1e-9) << c.y;
        }
    }
    double m[16], x, y, z;
    Tal_IdentityMatrix4(m);
    Tal_RotateMatrix4XYZ(0.3, kPi / 2, 0.2, m);
    Tal_GetOrderedXYZRotationFromMatrix(m, &x, &y, &z);
    EXPECT_NEAR(y, kPi / 2, 1e-7);
    EXPECT_NEAR(z, 0.5, 1e-7);
}

TEST(OrderedXYZAngles, MirrorIsAHalfTurnAboutX) {
    double m[16], x, y, z;
    Tal_IdentityMatrix4(m);
    m[0] = -1;
    ASSERT_EQ(Tal_GetOrderedXYZRotationFromMatrix(m, &x, &y, &z), 0);
    EXPECT_EQ(x, kPi);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 0.0);
}

TEST(OrderedXYZAngles, NonAffineMatricesReportAndGiveZeros) {
    const int bad[] = {3, 7, 11, 15};  // perspective terms, then m[3][3] = 0
    for (int index : bad) {
        double m[16], x = 9, y = 9, z = 9;
        Tal_IdentityMatrix4(m);
        Tal_RotateMatrix4XYZ(0.3, 0.2, 0.1, m);
        m[index] = index == 15 ? 0.0 : 1e-300;
        TakeReports();
        EXPECT_EQ(Tal_GetOrderedXYZRotationFromMatrix(m, &x, &y, &z), Tal_Err_CANT_DECOMPOSE);
        EXPECT_EQ(TakeReports(), std::vector<Report>{kCantDecompose});
        EXPECT_EQ(x, 0.0);
        EXPECT_EQ(y, 0.0);
        EXPECT_EQ(z, 0.0);
    }
}

TEST(AxisAngleToOrderedXYZ, RandomAxesRebuildRodrigues) {
    Random rnd(0xa0a);
    for (int iter = 0; iter < 4000; ++iter) {
        const double ax = rnd.Uniform(-2, 2), ay = rnd.Uniform(-2, 2), az = rnd.Uniform(-2, 2);
        const double angle = rnd.Uniform(-6.3, 6.3);
        double x, y, z;
        ASSERT_EQ(Tal_ConvertAxisAngleToOrderedXYZRotation(ax, ay, az, angle, &x, &y, &z), 0);
        ASSERT_LE(std::fabs(y), kPi / 2);
        ASSERT_LE(std::fabs(x), kPi);
        ASSERT_LE(std::fabs(z), kPi);
        const M4 ref = Rodrigues(ax, ay, az, angle);
        double got[16];
        for (int i = 0; i < 16; ++i)
            got[i] = static_cast<double>(OrderedXYZ(x, y, z).a[i / 4][i % 4]);
        // Near the pole the angles themselves are ill-conditioned, the turn is not.
        ASSERT_LT(MaxDiff(got, ref), 1e-9) << iter;
    }
}

TEST(AxisAngleToOrderedXYZ, BadInputs) {
    double x = 9, y = 9, z = 9;
    TakeReports();
    EXPECT_EQ(Tal_ConvertAxisAngleToOrderedXYZRotation(0, 0, 0, 1.0, &x, &y, &z), Tal_Err_BAD_AXIS);
    EXPECT_EQ(TakeReports(), std::vector<Report>{kBadAxis});
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(z, 0.0);
    // A NaN angle is no failure: the angles come back NaN, nothing is reported.
    EXPECT_EQ(Tal_ConvertAxisAngleToOrderedXYZRotation(0, 0, 1, kNaN, &x, &y, &z), 0);
    EXPECT_TRUE(TakeReports().empty());
    EXPECT_TRUE(std::isnan(z));
}

// ---- Directional components --------------------------------------------------------------------

TEST(DirectionalComponents, TranslationCancels) {
    Tal_Matrix3 m;
    m.SetIdentity();
    m.m[2][0] = 123.25;
    m.m[2][1] = -7.5;
    const auto d = Tal_ComputeDirectionalComponents(m);
    EXPECT_EQ(d.first.x, 1.0);
    EXPECT_EQ(d.first.y, 0.0);
    EXPECT_EQ(d.second.x, 0.0);
    EXPECT_EQ(d.second.y, 1.0);
}

TEST(DirectionalComponents, RandomMatricesGiveTheirFirstTwoRows) {
    Random rnd(0xd1c);
    for (int iter = 0; iter < 2000; ++iter) {
        Tal_Matrix3 m;
        rnd.Fill(&m.m[0][0], 9, -10, 10);
        const auto d = Tal_ComputeDirectionalComponents(m);
        // Only the subtraction of the translation rounds: within 2 ulps of 20.
        const double tol = 8e-15;
        ASSERT_NEAR(d.first.x, m.m[0][0], tol);
        ASSERT_NEAR(d.first.y, m.m[0][1], tol);
        ASSERT_NEAR(d.second.x, m.m[1][0], tol);
        ASSERT_NEAR(d.second.y, m.m[1][1], tol);
    }
}

}  // namespace
