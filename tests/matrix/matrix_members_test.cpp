// Tal_Matrix3 and Tal_Matrix4 members: against the plain functions they forward to (bit for
// bit), the throwing contract and the state after a throw, byte-wise against value equality,
// the epsilon walks, and exact integer references for the determinant and the adjugate.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
const Report kCantInvert3 = Msg(0x110023, "unable to invert matrix.");
const Report kCantInvert4 = Msg(0x11002D, "unable to invert matrix.");
const Report kCantDecompose = Msg(0x11002D, "unable to decompose matrix.");
const Report kBadAxis = Msg(0x11002E, "unable to build rotation matrix.");

template <typename M>
bool SameBytes(const M& a, const M& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

template <typename M>
M Filled(std::mt19937_64& gen, double lo, double hi) {
    M m;
    std::uniform_real_distribution<double> u(lo, hi);
    for (auto& row : m.m)
        for (double& v : row)
            v = u(gen);
    return m;
}

Tal_Matrix3 Identity3() {
    Tal_Matrix3 m;
    m.SetIdentity();
    return m;
}

Tal_Matrix4 Identity4() {
    Tal_Matrix4 m;
    m.SetIdentity();
    return m;
}

// Runs f, which must throw a long, and returns it (0 when nothing was thrown).
template <typename F>
long Thrown(F f) {
    try {
        f();
    } catch (long code) {
        return code;
    }
    return 0;
}

// (x, y) through a 3x3 with the row-vector rule, in long double.
void Apply(const Tal_Matrix3& m, double x, double y, long double* ox, long double* oy) {
    *ox = x * static_cast<long double>(m.m[0][0]) + y * static_cast<long double>(m.m[1][0]) +
          m.m[2][0];
    *oy = x * static_cast<long double>(m.m[0][1]) + y * static_cast<long double>(m.m[1][1]) +
          m.m[2][1];
}

// ---- Members against their plain functions, bit for bit ------------------------------------

TEST(Matrix3Members, BuildingStepsEqualThePlainFunctions) {
    std::mt19937_64 gen(0x3a3);
    for (int iter = 0; iter < 500; ++iter) {
        const Tal_Matrix3 start = Filled<Tal_Matrix3>(gen, -3, 3);
        const Tal_Matrix3 b = Filled<Tal_Matrix3>(gen, -3, 3);
        Tal_Matrix3 member = start, plain = start;
        member.Translate(1.5, -2).Rotate(37).Rotate(-12, 4, 5).Scale(2, 3).Scale(0.5, 4, -1, 2);
        member *= b;
        Tal_TranslateMatrix(&plain.m[0][0], 1.5, -2);
        Tal_RotateMatrix(&plain.m[0][0], 37, 0, 0);
        Tal_RotateMatrix(&plain.m[0][0], -12, 4, 5);
        Tal_ScaleMatrix(&plain.m[0][0], 2, 3, 0, 0);
        Tal_ScaleMatrix(&plain.m[0][0], 0.5, 4, -1, 2);
        Tal_ConcatMatrix(&b.m[0][0], &plain.m[0][0]);
        ASSERT_TRUE(SameBytes(member, plain)) << iter;

        long type = -1;
        Tal_GetMatrixType(&member.m[0][0], &type);
        ASSERT_EQ(member.GetType(), type);
    }
}

TEST(Matrix4Members, BuildingStepsEqualThePlainFunctions) {
    std::mt19937_64 gen(0x4a4);
    for (int iter = 0; iter < 500; ++iter) {
        const Tal_Matrix4 start = Filled<Tal_Matrix4>(gen, -3, 3);
        const Tal_Matrix4 b = Filled<Tal_Matrix4>(gen, -3, 3);
        const Tal_Matrix3 c = Filled<Tal_Matrix3>(gen, -3, 3);
        Tal_Matrix4 member = start, plain = start;
        member.Translate(1, 2, 3).Scale(2, -1, 0.5).RotateXYZ(0.3, -0.2, 1.1);
        member.RotateAxis(1, 2, -3, 0.8);
        member *= b;
        member *= c;
        Tal_TranslateMatrix4(1, 2, 3, &plain.m[0][0]);
        Tal_ScaleMatrix4(2, -1, 0.5, &plain.m[0][0]);
        Tal_RotateMatrix4XYZ(0.3, -0.2, 1.1, &plain.m[0][0]);
        Tal_RotateMatrix4(1, 2, -3, 0.8, &plain.m[0][0]);
        Tal_ConcatMatrix4(&plain.m[0][0], &b.m[0][0], &plain.m[0][0]);
        double embedded[16];
        Tal_Matrix3ToMatrix4(&c.m[0][0], embedded);
        Tal_ConcatMatrix4(&plain.m[0][0], embedded, &plain.m[0][0]);
        ASSERT_TRUE(SameBytes(member, plain)) << iter;

        double det = 0;
        Tal_GetMatrix4Determinant(&member.m[0][0], &det);
        ASSERT_EQ(member.Determinant(), det);
    }
}

TEST(Matrix4Members, AssignmentAndBasisEqualThePlainFunctions) {
    std::mt19937_64 gen(0x5a5);
    const Tal_Matrix3 src = Filled<Tal_Matrix3>(gen, -3, 3);
    Tal_Matrix4 member = Filled<Tal_Matrix4>(gen, -3, 3), plain;
    member = src;
    Tal_Matrix3ToMatrix4(&src.m[0][0], &plain.m[0][0]);
    EXPECT_TRUE(SameBytes(member, plain));

    const Tal_Vector4T<double> a = {1, 2, 3, 99}, b = {4, 5, 6, 99}, c = {7, 8, 9, 99};
    member.SetCOB(a, b, c);
    Tal_SetMatrix4CoB(&a, &b, &c, &plain.m[0][0]);
    EXPECT_TRUE(SameBytes(member, plain));

    member.SetZero();
    Tal_ZeroMatrix4(&plain.m[0][0]);
    EXPECT_TRUE(SameBytes(member, plain));
}

TEST(MatrixMembers, ConcatenationAppliesThisFirstThenTheArgument) {
    std::mt19937_64 gen(0xc0c);
    for (int iter = 0; iter < 200; ++iter) {
        Tal_Matrix3 a = Filled<Tal_Matrix3>(gen, -2, 2);
        const Tal_Matrix3 b = Filled<Tal_Matrix3>(gen, -2, 2);
        const Tal_Matrix3 old = a;
        a *= b;
        // The full homogeneous product, old a first: elements up to 12, 1e-14 is ~8 ulps.
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                long double sum = 0;
                for (int k = 0; k < 3; ++k)
                    sum += static_cast<long double>(old.m[r][k]) * b.m[k][c];
                ASSERT_NEAR(a.m[r][c], sum, 1e-14) << iter;
            }
    }
    // Squaring in place reads the argument before it writes itself.
    Tal_Matrix3 t = Identity3();
    t.Translate(2, 3);
    t *= t;
    EXPECT_EQ(t.m[2][0], 4.0);
    EXPECT_EQ(t.m[2][1], 6.0);
    Tal_Matrix4 u = Identity4();
    u.Translate(2, 3, 4);
    u *= u;
    EXPECT_EQ(u.m[3][2], 8.0);
}

// ---- Throwing contract -------------------------------------------------------------------------

TEST(MatrixMembers, FailedInversionThrowsReportsAndLeavesTheMatrix) {
    struct Case3 {
        const char* name;
        double m[9];
    };
    const Case3 singular3[] = {
        {"zero", {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {"first column zero", {0, 1, 2, -0.0, 3, 4, 0, 5, 6}},
        {"rank two", {1, 0, 1, 0, 1, 1, 1, 1, 2}},
    };
    for (const Case3& c : singular3) {
        Tal_Matrix3 m, before;
        std::memcpy(m.m, c.m, sizeof c.m);
        before = m;
        TakeReports();
        EXPECT_EQ(Thrown([&] { m.Invert(); }), Tal_Err_CANT_INVERT) << c.name;
        EXPECT_EQ(TakeReports(), std::vector<Report>{kCantInvert3}) << c.name;
        EXPECT_TRUE(SameBytes(m, before)) << c.name;
        EXPECT_TRUE(m.InvertQuiet()) << c.name;
        EXPECT_TRUE(TakeReports().empty()) << c.name;
        EXPECT_TRUE(SameBytes(m, before)) << c.name;
    }

    // Regular but below the 1e-16 determinant threshold.
    Tal_Matrix4 tiny = Identity4();
    tiny.Scale(1e-6, 1e-6, 1e-6);
    Tal_Matrix4 zero;
    zero.SetZero();
    for (Tal_Matrix4 m : {tiny, zero}) {
        const Tal_Matrix4 before = m;
        TakeReports();
        EXPECT_EQ(Thrown([&] { m.Invert(); }), Tal_Err_CANT_INVERT);
        EXPECT_EQ(TakeReports(), std::vector<Report>{kCantInvert4});
        EXPECT_TRUE(SameBytes(m, before));
        EXPECT_TRUE(m.InvertQuiet());
        EXPECT_TRUE(TakeReports().empty());
        EXPECT_TRUE(SameBytes(m, before));
    }
}

TEST(MatrixMembers, SuccessfulInversionEqualsThePlainFunction) {
    std::mt19937_64 gen(0x1a1);
    for (int iter = 0; iter < 300; ++iter) {
        const Tal_Matrix3 a = Filled<Tal_Matrix3>(gen, -3, 3);
        Tal_Matrix3 plain3, m3 = a, q3 = a;
        if (Tal_InverseMatrixQuiet(&a.m[0][0], &plain3.m[0][0], nullptr) != 0) continue;
        m3.Invert();
        EXPECT_FALSE(q3.InvertQuiet());
        ASSERT_TRUE(SameBytes(m3, plain3));
        ASSERT_TRUE(SameBytes(q3, plain3));

        const Tal_Matrix4 b = Filled<Tal_Matrix4>(gen, -3, 3);
        Tal_Matrix4 plain4, m4 = b, q4 = b;
        if (Tal_InverseMatrix4Quiet(&b.m[0][0], &plain4.m[0][0], nullptr) != 0) continue;
        m4.Invert();
        EXPECT_FALSE(q4.InvertQuiet());
        ASSERT_TRUE(SameBytes(m4, plain4));
        ASSERT_TRUE(SameBytes(q4, plain4));
    }
    Tal_Matrix3 id = Identity3();
    EXPECT_FALSE(id.InvertQuiet());
    EXPECT_TRUE(id.IsIdentity());
}

TEST(MatrixMembers, ZeroAxisThrowsBadAxisAndLeavesTheMatrix) {
    std::mt19937_64 gen(0xbad);
    Tal_Matrix4 m = Filled<Tal_Matrix4>(gen, -1, 1);
    const Tal_Matrix4 before = m;
    TakeReports();
    EXPECT_EQ(Thrown([&] { m.RotateAxis(0, 0, 0, 1.0); }), Tal_Err_BAD_AXIS);
    EXPECT_EQ(TakeReports(), std::vector<Report>{kBadAxis});
    EXPECT_TRUE(SameBytes(m, before));
}

TEST(MatrixMembers, DecomposeThrowsOnPerspectiveAndMatchesThePlainFunction) {
    Tal_Matrix4 m = Identity4();
    m.Scale(2, 3, 4).RotateXYZ(0.1, 0.2, 0.3).Translate(5, 6, 7);
    Tal_Matrix4Decomp member, plain;
    m.Decompose(&member);
    Tal_DecomposeMatrix4(&m.m[0][0], &plain, nullptr);
    EXPECT_EQ(std::memcmp(&member, &plain, sizeof member), 0);

    m.m[1][3] = 0.5;
    std::memset(&member, 0x7f, sizeof member);
    TakeReports();
    EXPECT_EQ(Thrown([&] { m.Decompose(&member); }), Tal_Err_CANT_DECOMPOSE);
    EXPECT_EQ(TakeReports(), std::vector<Report>{kCantDecompose});
    const Tal_Matrix4Decomp zero = {};
    EXPECT_EQ(std::memcmp(&member, &zero, sizeof zero), 0);
}

TEST(MatrixMembers, NaNAnglesFlowThroughWithoutThrowing) {
    Tal_Matrix3 m3 = Identity3();
    EXPECT_EQ(Thrown([&] { m3.Rotate(kNaN, 1, 2); }), 0);
    EXPECT_TRUE(std::isnan(m3.m[0][0]));
    Tal_Matrix4 m4 = Identity4();
    EXPECT_EQ(Thrown([&] { m4.RotateXYZ(kNaN, 0, 0); }), 0);
    EXPECT_FALSE(m4.IsFinite());
    EXPECT_TRUE(TakeReports().empty());
}

// ---- Equality and the epsilon walks ------------------------------------------------------------

TEST(MatrixMembers, EqualityComparesBytesThePlainFunctionsValues) {
    Tal_Matrix3 plus, minus;
    plus.SetZero();
    for (auto& row : minus.m)
        for (double& v : row)
            v = -0.0;
    EXPECT_FALSE(plus == minus);
    EXPECT_TRUE(plus != minus);
    EXPECT_TRUE(plus.IsZero());
    EXPECT_TRUE(minus.IsZero());
    unsigned char equal = 9;
    Tal_EqualMatrix(&plus.m[0][0], &minus.m[0][0], &equal);
    EXPECT_EQ(equal, 1);

    Tal_Matrix4 a = Identity4(), b = Identity4();
    a.m[2][1] = b.m[2][1] = kNaN;
    EXPECT_TRUE(a == b);
    EXPECT_FALSE(a != b);
    Tal_EqualMatrix4(&a.m[0][0], &b.m[0][0], &equal);
    EXPECT_EQ(equal, 0);
    b.m[3][3] = std::nextafter(1.0, 2.0);
    EXPECT_FALSE(a == b);
}

TEST(MatrixMembers, EpsilonWalks) {
    struct Case {
        const char* name;
        int index;     // element changed from the identity (flat, 4x4 numbering)
        double value;  // its new value
        double eps;
        bool identity;  // expected IsIdentityWithinEpsilon
    };
    const Case cases[] = {
        {"exact", 0, 1.0, 0.0, true},
        {"diagonal at eps passes", 5, 1.5, 0.5, true},
        {"diagonal past eps fails", 5, 1.5, 0.49, false},
        {"off diagonal at eps passes", 1, -0.25, 0.25, true},
        {"off diagonal past eps fails", 1, -0.25, 0.2, false},
        {"signed zero passes exactly", 1, -0.0, 0.0, true},
        {"NaN element never fails", 1, kNaN, 0.0, true},
        {"NaN eps lets all pass", 1, 1e300, kNaN, true},
        {"infinite element fails", 0, kInf, 1e300, false},
    };
    for (const Case& c : cases) {
        Tal_Matrix4 m4 = Identity4();
        m4.m[c.index / 4][c.index % 4] = c.value;
        EXPECT_EQ(m4.IsIdentityWithinEpsilon(c.eps), c.identity) << c.name;
        // The same element in the 3x3 (indices 0, 1 and 5 are in its upper 2x2 too).
        Tal_Matrix3 m3 = Identity3();
        const int r = c.index / 4, col = c.index % 4;
        m3.m[r][col] = c.value;
        EXPECT_EQ(m3.IsIdentityWithinEpsilon(c.eps), c.identity) << c.name;
    }
    Tal_Matrix3 z;
    z.SetZero();
    z.m[2][2] = 1e-3;
    EXPECT_TRUE(z.IsZeroWithinEpsilon(1e-3));
    EXPECT_FALSE(z.IsZeroWithinEpsilon(9e-4));
    EXPECT_FALSE(z.IsZero());
    z.m[2][2] = kNaN;
    EXPECT_TRUE(z.IsZero());
    Tal_Matrix4 z4;
    z4.SetZero();
    EXPECT_TRUE(z4.IsZero());
    EXPECT_FALSE(z4.IsIdentity());
    z4.m[3][3] = 2;
    EXPECT_TRUE(z4.IsZeroWithinEpsilon(2));
    EXPECT_FALSE(z4.IsZeroWithinEpsilon(1.9));
}

TEST(Matrix4Members, IsFiniteFindsEveryBadElement) {
    for (int i = 0; i < 16; ++i) {
        for (double bad : {kInf, -kInf, kNaN}) {
            Tal_Matrix4 m = Identity4();
            m.m[i / 4][i % 4] = bad;
            EXPECT_FALSE(m.IsFinite()) << i;
        }
    }
    Tal_Matrix4 big = Identity4();
    big.m[3][0] = 1.7976931348623157e308;
    EXPECT_TRUE(big.IsFinite());
}

// ---- Exact references: determinant, adjugate, transpose, minors --------------------------------

int64_t Det2(int64_t a, int64_t b, int64_t c, int64_t d) {
    return a * d - b * c;
}

TEST(Matrix3Members, DeterminantAndAdjugateAgainstExactIntegers) {
    std::mt19937_64 gen(0xde7);
    std::uniform_int_distribution<int> u(-20000, 20000);
    for (int iter = 0; iter < 5000; ++iter) {
        int64_t a[3][3];
        Tal_Matrix3 m;
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                m.m[r][c] = static_cast<double>(a[r][c] = u(gen));
        // Cofactor C[r][c] from the 2x2 minor; the adjugate is its transpose.
        int64_t adj[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                const int r0 = r == 0 ? 1 : 0, r1 = r == 2 ? 1 : 2;
                const int c0 = c == 0 ? 1 : 0, c1 = c == 2 ? 1 : 2;
                const int64_t minor = Det2(a[r0][c0], a[r0][c1], a[r1][c0], a[r1][c1]);
                adj[c][r] = (r + c) % 2 ? -minor : minor;
            }
        const int64_t det = a[0][0] * adj[0][0] + a[0][1] * adj[1][0] + a[0][2] * adj[2][0];
        // |det| < 2^53 and every partial product is exact in doubles.
        ASSERT_EQ(m.Determinant(), static_cast<double>(det)) << iter;
        m.Adjoint();
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                ASSERT_EQ(m.m[r][c], static_cast<double>(adj[r][c])) << iter;
    }
}

TEST(MatrixMembers, TransposeSwapsAcrossTheDiagonal) {
    std::mt19937_64 gen(0x7a7);
    Tal_Matrix3 m3 = Filled<Tal_Matrix3>(gen, -1, 1);
    const Tal_Matrix3 old3 = m3;
    m3.Transpose();
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(m3.m[r][c], old3.m[c][r]);
    Tal_Matrix4 m4 = Filled<Tal_Matrix4>(gen, -1, 1), plain;
    Tal_TransposeMatrix4(&m4.m[0][0], &plain.m[0][0]);
    m4.Transpose();
    EXPECT_TRUE(SameBytes(m4, plain));
}

TEST(Matrix3Members, DroppingIndicesTakesTheMinorInOrder) {
    Tal_Matrix4 src;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            src.m[r][c] = 10 * r + c;
    for (long row = 0; row < 4; ++row) {
        for (long col = 0; col < 4; ++col) {
            Tal_Matrix3 m;
            m.AssignFromByDroppingIndices(src, row, col);
            for (int r = 0; r < 3; ++r)
                for (int c = 0; c < 3; ++c)
                    ASSERT_EQ(m.m[r][c], 10 * (r < row ? r : r + 1) + (c < col ? c : c + 1))
                        << row << col;
        }
    }
}

TEST(Matrix3Members, OutOfRangeIndicesNeverWritePastTheNineElements) {
    Tal_Matrix4 src;
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            src.m[r][c] = 10 * r + c;
    const long bad[] = {-1, 4, 100, LONG_MIN, LONG_MAX};
    for (long row : bad) {
        for (long col : {0L, 2L, -1L, 4L, LONG_MIN}) {
            Tal_Matrix3 guarded[3];
            for (Tal_Matrix3& g : guarded)
                for (auto& r : g.m)
                    for (double& v : r)
                        v = -1;
            guarded[1].AssignFromByDroppingIndices(src, row, col);
            Tal_Matrix3 expected;
            // An index outside 0..3 behaves as dropping the last row (column).
            expected.AssignFromByDroppingIndices(src, 3, col >= 0 && col < 4 ? col : 3);
            EXPECT_TRUE(SameBytes(guarded[1], expected)) << row << " " << col;
            for (int g : {0, 2})
                for (auto& r : guarded[g].m)
                    for (double v : r)
                        ASSERT_EQ(v, -1);
        }
    }
}

TEST(MatrixMembers, ThreeByThreeThroughFourByFourAndBack) {
    std::mt19937_64 gen(0x343);
    Tal_Matrix3 m = Filled<Tal_Matrix3>(gen, -5, 5);
    Tal_Matrix4 wide;
    wide = m;
    Tal_Matrix3 back;
    back.AssignFromByDroppingZ(wide);
    Tal_Matrix3 expected = m;
    expected.m[0][2] = 0, expected.m[1][2] = 0, expected.m[2][2] = 1;
    EXPECT_TRUE(SameBytes(back, expected));
}

// ---- Measures, sums, skew and projection -------------------------------------------------------

TEST(MatrixMembers, ScaleMeasuresCountThePerspectiveColumn) {
    Tal_Matrix3 m = Identity3();
    m.m[0][2] = 1;
    EXPECT_EQ(m.GetScale().x, std::sqrt(2.0));
    EXPECT_EQ(m.GetScale().y, 1.0);
    m.Scale(3, 4);
    const Tal_Vector2T<double> s2 = m.GetScaleSquared();
    EXPECT_EQ(s2.x, 10.0);  // 3^2 + 0 + 1^2
    EXPECT_EQ(s2.y, 16.0);

    Tal_Matrix4 w = Identity4();
    w.Scale(2, 3, 6);
    w.m[2][3] = 8;
    const Tal_Vector3T<double> s = w.GetScale();
    EXPECT_EQ(s.x, 2.0);
    EXPECT_EQ(s.y, 3.0);
    EXPECT_EQ(s.z, 10.0);
    EXPECT_EQ(w.GetScaleSquared().z, 100.0);
}

TEST(MatrixMembers, SumsAndDifferencesAliasSafely) {
    std::mt19937_64 gen(0x5a);
    Tal_Matrix3 a = Filled<Tal_Matrix3>(gen, -1, 1);
    const Tal_Matrix3 old = a;
    Tal_Matrix3& alias = a;
    a += alias;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(a.m[r][c], 2 * old.m[r][c]);
    a -= alias;
    EXPECT_TRUE(a.IsZero());
    Tal_Matrix4 b = Identity4(), c = Identity4();
    c.m[3][0] = 5;
    b -= c;
    EXPECT_EQ(b.m[3][0], -5.0);
    EXPECT_EQ(b.m[0][0], 0.0);
    b += c;
    EXPECT_EQ(b.m[0][0], 1.0);
}

TEST(Matrix3Members, SkewShearsAlongTheTurnedAxis) {
    std::mt19937_64 gen(0x5e);
    Tal_Matrix3 m = Filled<Tal_Matrix3>(gen, -1, 1);
    m.m[1][1] = -0.0;
    const Tal_Matrix3 before = m;
    m.Skew(0, 45);
    m.Skew(-0.0, kNaN);
    EXPECT_TRUE(SameBytes(m, before));

    struct Case {
        double skew, axis;
    };
    const Case cases[] = {{30, 0}, {-20, 90}, {15, 33}, {45, -120}, {10, 360}};
    for (const Case& c : cases) {
        Tal_Matrix3 s = Identity3();
        s.Skew(c.skew, c.axis);
        const long double a = c.axis * 0.017453292519943295L;
        const long double k = std::tan(c.skew * 0.017453292519943295L);
        // Turn by the axis angle, shear x by -y tan(skew), turn back.
        const double px = 1.25, py = -2.5;
        const long double ux = px * std::cos(a) - py * std::sin(a);
        const long double uy = px * std::sin(a) + py * std::cos(a);
        const long double vx = ux - uy * k, vy = uy;
        const long double ex = vx * std::cos(a) + vy * std::sin(a);
        const long double ey = -vx * std::sin(a) + vy * std::cos(a);
        long double x, y;
        Apply(s, px, py, &x, &y);
        EXPECT_NEAR(x, ex, 1e-14) << c.skew << " " << c.axis;
        EXPECT_NEAR(y, ey, 1e-14) << c.skew << " " << c.axis;
    }
}

TEST(Matrix4Members, ProjectMapsDepthToW) {
    Tal_Matrix4 p = Identity4();
    p.Project(4);
    // (x, y, z, 1) x P = (x, y, z - 1, z / d)
    const double x = 3, y = -2, z = 8;
    double out[4];
    for (int c = 0; c < 4; ++c)
        out[c] = x * p.m[0][c] + y * p.m[1][c] + z * p.m[2][c] + p.m[3][c];
    EXPECT_EQ(out[0], 3.0);
    EXPECT_EQ(out[1], -2.0);
    EXPECT_EQ(out[2], 7.0);
    EXPECT_EQ(out[3], 2.0);

    Tal_Matrix4 zero = Identity4();
    EXPECT_EQ(Thrown([&] { zero.Project(0); }), 0);
    EXPECT_EQ(zero.m[2][3], kInf);
    Tal_Matrix4 negzero = Identity4();
    negzero.Project(-0.0);
    EXPECT_EQ(negzero.m[2][3], -kInf);
    EXPECT_FALSE(zero.IsFinite());
}

TEST(Matrix3Members, TranslateMovesPointsAfterwards) {
    Tal_Matrix3 m = Identity3();
    m.Translate(5, 7);
    EXPECT_EQ(m.m[2][0], 5.0);
    EXPECT_EQ(m.m[2][1], 7.0);
    long double x, y;
    Apply(m, 1, 1, &x, &y);
    EXPECT_EQ(x, 6);
    EXPECT_EQ(y, 8);
    EXPECT_EQ(m.GetType(), Tal_MatrixType_TRANSLATE);
}

}  // namespace
