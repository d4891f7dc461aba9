// Failures, comparisons and determinants of the matrix members.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Bits;
using taltest::Values;
const double kNaN = std::nan(""), kInf = HUGE_VAL;

// Axes shorter than 1e-12 report, leave the matrix and zero the angles.
TEST(RotateMatrix4, AxesShorterThan1em12ReportAndLeaveTheMatrixOrZeroTheAngles) {
    const double axes[][3] = {
        {0, 0, 0}, {-0.0, 0, 0}, {9e-13, 0, 0}, {5e-13, 5e-13, 5e-13}, {0, 1e-12, 0}};
    const double before[16] = {1, 2, 3, 4, 5, 6, 7, 8, 9, -1, -2, -3, -4, -5, -6, -0.0};
    const auto bad = taltest::Msg(0x11002E, "unable to build rotation matrix.");
    taltest::ClearReports();
    for (const auto& x : axes) {
        double m[16], a[3] = {9, 9, 9};
        std::memcpy(m, before, sizeof m);
        const Tal_Err want = x[1] == 1e-12 ? 0 : Tal_Err_BAD_AXIS;
        EXPECT_EQ(Tal_RotateMatrix4(x[0], x[1], x[2], 1, m), want);
        EXPECT_EQ(Tal_ConvertAxisAngleToOrderedXYZRotation(x[0], x[1], x[2], 1, a, a + 1, a + 2),
                  want);
        EXPECT_EQ(taltest::TakeReports(), std::vector<taltest::Report>(want ? 2 : 0, bad));
        if (!want) continue;
        EXPECT_EQ(std::make_tuple(Bits(m), Values(a)),
                  std::make_tuple(Bits(before), std::vector<double>(3, 0.0)))
            << "axis x " << x[0];
    }
}

// f on a copy of m must throw code after one report at site, leaving the copy as it was.
template <class M, class F>
void ExpectThrows(M m, F f, long code, int site, const char* text) {
    const M before = m;
    const auto outcome = taltest::Thrown([&] { f(m); });
    EXPECT_EQ(std::make_tuple(outcome.first, outcome.second, Bits(m)),
              std::make_tuple(code, std::vector{taltest::Msg(0x110000 | site, text)}, Bits(before)))
        << text;
}

// tiny is regular but under the 1e-16 determinant threshold; quiet: true, no report, unchanged.
TEST(MatrixMembers, FailuresThrowReportOnceAndLeaveTheMatrix) {
    const auto invert = [](auto& m) { m.Invert(); };
    const auto quiet = [](auto m) {
        auto q = m;
        EXPECT_EQ(std::make_tuple(q.InvertQuiet(), Bits(q), taltest::TakeReports()),
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
    quiet(singular);
    quiet(tiny);
    Tal_Matrix4 q = {{{2, 0, 0, 0}, {0, 4, 0, 0}, {0, 0, 8, 0}, {1, 2, 3, 1}}}, q4 = q;
    Tal_Matrix3 p = {{{2, 0, 0}, {0, 4, 0}, {1, 2, 1}}};  // exact inverses, by each member
    EXPECT_FALSE(q.InvertQuiet());
    EXPECT_EQ(Values(q4.Invert()), Values(q));
    EXPECT_EQ(Values(q), std::vector<double>(
                             {0.5, 0, 0, 0, 0, 0.25, 0, 0, 0, 0, 0.125, 0, -0.5, -0.5, -0.375, 1}));
    EXPECT_EQ(Values(p.Invert()), std::vector<double>({0.5, 0, 0, 0, 0.25, 0, -0.5, -0.5, 1}));
}

// == is byte-wise; the walks fail on |v - target| > eps: NaN never fails, the last element counts.
TEST(MatrixMembers, EqualityIsByteWiseAndTheEpsilonWalksMissNothing) {
    Tal_Matrix3 plus = {}, minus = {{{-0.0, 0, 0}, {0, 0, 0}, {0, 0, 0}}};
    const Tal_Matrix3 k = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}}, kCopy = k;
    Tal_Matrix4 a = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, kNaN, 1, 0}, {0, 0, 0, 1}}}, b = a;
    Tal_Matrix4 zero, negZero = a;
    zero.SetZero();
    negZero.SetZero().m[3][1] = -0.0;
    EXPECT_EQ(
        std::vector<bool>({k == kCopy, plus == minus, plus != minus, minus.IsZero(), a == b, a != b,
                           a.IsIdentity(), zero != negZero, negZero.IsZero(), a.IsZero()}),
        std::vector<bool>({true, false, true, true, true, false, true, true, true, false}));
    const std::tuple<int, int, double, double, bool> rows[] = {
        // r, c of the 4x4, v, eps, within
        {1, 1, 1.5, 0.5, true},    {1, 1, 1.5, 0.49, false},   {0, 1, kNaN, 0, true},
        {0, 1, 1e300, kNaN, true}, {3, 3, 1 + 1e-9, 0, false}, {3, 0, -kInf, 1e300, false},
        {3, 3, kNaN, 0, true}};
    for (const auto& [r, c, v, eps, within] : rows) {
        const int r3 = std::min(r, 2), c3 = std::min(c, 2);  // the 3x3 takes the nearest element
        Tal_Matrix4 i4 = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}, z4 = {};
        Tal_Matrix3 i3 = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}}, z3 = {};
        i4.m[r][c] = i3.m[r3][c3] = v;  // off the identity, or off zero by as much
        z4.m[r][c] = z3.m[r3][c3] = v - (r == c);
        EXPECT_EQ(std::vector<bool>({i4.IsIdentityWithinEpsilon(eps), z4.IsZeroWithinEpsilon(eps),
                                     i3.IsIdentityWithinEpsilon(eps), z3.IsZeroWithinEpsilon(eps),
                                     i4.IsFinite()}),
                  std::vector<bool>({within, within, within, within, bool(std::isfinite(v))}))
            << "element " << r << ", " << c << " = " << v << ", eps " << eps
            << " (identity and zero of the 4x4, of the 3x3, finite)";
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

}  // namespace
