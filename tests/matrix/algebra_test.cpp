// Products, transpose, inversion and its failures, determinants, normal matrix, decomposition.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "matrix/minors.h"
#include "matrix/rotation_angles.h"
#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using Reports = std::vector<taltest::Report>;
using taltest::Bits;
using taltest::Product;
using taltest::Values;

const double kNaN = NAN, kEps = 0x1p-52, kPi = taltest::kPi;
const Reports kNone;

std::vector<double> Transposed(const double* a, int n) {
    std::vector<double> t(n * n);
    for (int i = 0; i < n * n; ++i)
        t[i] = a[i % n * n + i / n];
    return t;
}

double IdentityError(const double* a, const double* b, int n) {
    const std::vector<double> p = Product(a, b, n);
    double worst = 0;
    for (int i = 0; i < n * n; ++i)
        worst = std::max(worst, std::fabs(p[i] - (i % (n + 1) == 0)));
    return worst;
}

// Runs call on m, an N x N copy of start, and asserts the code it returns and m afterwards.
#define ASSERT_ON_COPY(N, start, call, code, want)     \
    do {                                               \
        double m[N * N];                               \
        std::memcpy(m, start, sizeof m);               \
        ASSERT_EQ(call, code) << #call;                \
        ASSERT_EQ(Bits(m, N* N), Bits(want)) << #call; \
    } while (0)

// The members run on copies: this := this x b, b may be this; a 3x3 b is embedded first.
TEST(ConcatMatrix, FunctionsAndMembersMatchTheLeftToRightProductUnderEveryAliasing) {
    std::mt19937_64 rng(12);
    std::uniform_real_distribution<double> u(-1e3, 1e3);
    for (int n = 0; n < 2000; ++n) {
        SCOPED_TRACE(n);
        Tal_Matrix4 a, b, a3as4;
        Tal_Matrix3 c, d;
        for (auto [m, count] : {std::pair{*a.m, 16}, {*b.m, 16}, {*c.m, 9}, {*d.m, 9}})
            std::generate_n(m, count, [&] { return u(rng); });
        Tal_Matrix3ToMatrix4(*c.m, *a3as4.m);
        const std::vector<double> ab = Product(*a.m, *b.m, 4), dc = Product(*d.m, *c.m, 3);
        ASSERT_ON_COPY(4, *a.m, Tal_ConcatMatrix4(*a.m, *b.m, m), 0, ab);
        ASSERT_ON_COPY(4, *a.m, Tal_ConcatMatrix4(m, *b.m, m), 0, ab);
        ASSERT_ON_COPY(4, *b.m, Tal_ConcatMatrix4(*a.m, m, m), 0, ab);
        ASSERT_ON_COPY(3, *c.m, Tal_ConcatMatrix(*d.m, m), 0,
                       Product(*c.m, *d.m, 3));  // c := c x d
        ASSERT_ON_COPY(3, *c.m, Tal_ConcatMatrix(m, m), 0, Product(*c.m, *c.m, 3));
        ASSERT_ON_COPY(4, *a.m, Tal_TransposeMatrix4(m, m), 0, Transposed(*a.m, 4));
        Tal_Matrix4 x = a, y = a, z = a;
        Tal_Matrix3 v = d, w = d, sum = c;
        std::vector<double> cd(9);
        for (int i = 0; i < 9; ++i)
            cd[i] = c.m[i / 3][i % 3] + d.m[i / 3][i % 3];
        const std::tuple<const char*, std::vector<uint64_t>, std::vector<double>> members[] = {
            {"4x4 *= 4x4", Bits(x *= b), ab},
            {"4x4 *= itself", Bits(y *= y), Product(*a.m, *a.m, 4)},
            {"4x4 *= 3x3", Bits(z *= c), Product(*a.m, *a3as4.m, 4)},
            {"3x3 *= 3x3", Bits(v *= c), dc},
            {"3x3 *= itself", Bits(w *= w), Product(*d.m, *d.m, 3)},
            {"3x3 += 3x3", Bits(sum += d), cd}};
        for (const auto& [what, got, want] : members)
            ASSERT_EQ(got, Bits(want)) << what;
    }
}

// Diagonally dominant, so well conditioned; each 4x4 element is its signed cofactor over det.
TEST(InverseMatrix, RandomWellConditionedTimesInverseIsIdentityAlsoInPlace) {
    std::mt19937_64 rng(31);
    std::uniform_real_distribution<double> u(-1, 1);
    for (int n = 0; n < 5000; ++n) {
        SCOPED_TRACE(n);
        double a3[9], inv3[9], a[16], inv[16], k[16], fast[16], det;
        for (int i = 0; i < 16; ++i)
            a[i] = u(rng) + (i % 5 ? 0 : u(rng) < 0 ? -4 : 4);
        for (int i = 0; i < 9; ++i)
            a3[i] = a[i / 3 * 4 + i % 3];
        unsigned char failed3 = 9, failed = 9;
        ASSERT_EQ(std::make_tuple(Tal_InverseMatrixQuiet(a3, inv3, &failed3),
                                  Tal_InverseMatrix4Quiet(a, inv, &failed), failed3, failed),
                  std::make_tuple(0, 0, 0, 0))
            << "codes and failure flags";
        ASSERT_LE(IdentityError(a3, inv3, 3), 16 * kEps);
        ASSERT_LE(IdentityError(a, inv, 4), 32 * kEps);
        const double d = Talp_Matrix4MinorsPortable(a, k), d2 = Talp_Matrix4Minors(a, fast);
        const double alone = Talp_Matrix4MinorsPortable(a, nullptr);  // row 0 minors only
        ASSERT_EQ(std::make_tuple(Bits(fast), Tal_GetMatrix4Determinant(a, &det), d2, det, alone),
                  std::make_tuple(Bits(k), 0, d, d, d))
            << "two-lane minors; determinants";
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(inv[i], k[i % 4 * 4 + i / 4] * ((i / 4 + i % 4) % 2 ? -1 : 1) / d) << i;
        ASSERT_ON_COPY(3, a3, Tal_InverseMatrix(m, m), 0, inv3);
        ASSERT_ON_COPY(4, a, Tal_InverseMatrix4(m, m), 0, inv);
        ASSERT_ON_COPY(4, a, Tal_CalcNormalMatrix4(m, m), 0, Transposed(inv, 4));
        Tal_Matrix3 member;
        std::memcpy(member.m, a3, sizeof a3);
        const bool failedQuietly = member.InvertQuiet();
        ASSERT_EQ(std::make_tuple(failedQuietly, Bits(member)), std::make_tuple(false, Bits(inv3)));
    }
}

// Rows: source, code, dst afterwards. The largest element pivots, ties going to the higher row.
TEST(InverseMatrix, PivotRulesAndWhatAFailureLeaves) {
    using M = std::array<double, 9>;
    const Tal_Err fail = Tal_Err_CANT_INVERT;
    const M id = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const std::tuple<M, Tal_Err, M> cases[] = {
        {{0, 0, 1, 0, 1, 0, 1, 0, 0}, 0, {0, 0, 1, 0, 1, 0, 1, 0, 0}},
        {{2, 0, 0, 0, 1, 0, 0, 0, 1}, 0, {0.5, 0, 0, 0, 1, 0, 0, 0, 1}},
        {{1e-20, 0, 0, 0, 1, 0, 0, 0, 1}, 0, {1e20, 0, 0, 0, 1, 0, 0, 0, 1}},
        {{std::nextafter(1e-20, 0), 0, 0, 0, 1, 0, 0, 0, 1}, fail, id},
        {{0, 1, 2, 0, 3, 4, 0, 5, 6}, fail, id},
        {{1, 0, 1, 0, 1, 1, 1, 1, 2}, fail, {1, 1, -1, 0, 1, 0, 0, -1, 1}},
        {{2, 4, 6, 2, 4, 7, 0, 0, 1}, fail, {1, -1, 0, 0, 0.5, 0, 0, 0, 1}}};
    const Reports report = {taltest::Msg(Tal_ReportCode(0x23), "unable to invert matrix.")};
    for (const auto& [src, err, want] : cases) {
        double dst[9], again[9];
        unsigned char failed = 9;
        std::fill(dst, dst + 9, kNaN);
        taltest::ClearReports();
        const Tal_Err quiet = Tal_InverseMatrixQuiet(src.data(), dst, &failed),
                      flagless = Tal_InverseMatrixQuiet(src.data(), again, nullptr);
        const Reports silent = taltest::TakeReports();
        const Tal_Err loud = Tal_InverseMatrix(src.data(), again);
        EXPECT_EQ(std::make_tuple(quiet, failed, Bits(dst), flagless, silent, loud, Bits(again),
                                  taltest::TakeReports()),
                  std::make_tuple(err, err ? 1 : 0, Bits(want), err, kNone, err, Bits(want),
                                  err ? report : kNone))
            << ::testing::PrintToString(src) << ": quiet, flag, dst, without a flag, reports, "
            << "the reporting form, its dst, its reports";
    }
}

// Below the threshold dst holds the adjugate (transposed by the normal matrix); loud forms report.
TEST(InverseMatrix4, FailureLeavesTheAdjugateAndReportsOnlyInTheReportingForms) {
    const double t = 1e-6, t2 = t * t;  // determinant 1e-18
    const double src[16] = {t, 2 * t, 0, 0, 0, t, 0, 0, 0, 0, t, 0, 0, 0, 0, 1};
    const std::vector<double> want = {t2, -2 * t2, 0, 0, 0, t2, 0, 0, 0, 0, t2, 0, 0, 0, 0, t2 * t};
    const auto loud = taltest::Msg(Tal_ReportCode(0x2D), "unable to invert matrix.");
    double adj[16];
    unsigned char failed = 0, quiet = 0;
    taltest::ClearReports();
    EXPECT_EQ(Tal_InverseMatrix4Quiet(src, adj, &failed), Tal_Err_CANT_INVERT);
    EXPECT_EQ(taltest::Values(adj), want);
    ASSERT_ON_COPY(4, src, Tal_CalcNormalMatrix4Quiet(m, m, &quiet), Tal_Err_CANT_INVERT,
                   Transposed(adj, 4));
    EXPECT_EQ(std::make_tuple(failed, quiet, taltest::TakeReports()), std::make_tuple(1, 1, kNone));
    ASSERT_ON_COPY(4, src, Tal_InverseMatrix4(m, m), Tal_Err_CANT_INVERT, adj);
    ASSERT_ON_COPY(4, src, Tal_CalcNormalMatrix4(m, m), Tal_Err_CANT_INVERT, adj);
    EXPECT_EQ(taltest::TakeReports(), Reports(2, loud)) << "one report from each loud form";
}

// d's shear and scale rows (s: the sign of the shears) times its rotation, then its translation.
void Recompose(const Tal_Matrix4Decomp& d, double s, double* m) {
    double r[16];
    Tal_IdentityMatrix4(r);
    Tal_RotateMatrix4XYZ(d.rotate.x, d.rotate.y, d.rotate.z, r);
    Tal_IdentityMatrix4(m);
    for (int j = 0; j < 3; ++j) {
        m[j] = d.scale.x * r[j];
        m[4 + j] = s * d.shear.xy * r[j] + d.scale.y * r[4 + j];
        m[8 + j] = (s * d.shear.xz * r[j] + s * d.shear.yz * r[4 + j]) + d.scale.z * r[8 + j];
    }
    m[12] = d.translate.x;
    m[13] = d.translate.y;
    m[14] = d.translate.z;
}

// Sheared, scaled, turned, a third mirrored, half homogeneously scaled: the parts rebuild it.
TEST(DecomposeMatrix4, RandomAffineMatricesRecompose) {
    std::mt19937_64 rng(51);
    std::uniform_real_distribution<double> angle(-kPi, kPi), tilt(-1.4, 1.4), unit(-1, 1);
    std::uniform_real_distribution<double> size(0.5, 3);
    for (int n = 0; n < 5000; ++n) {
        const double w = n % 2 ? 1.0 : 0.5 + size(rng), f = n % 3 ? 1 : -1;
        const Tal_Matrix4Decomp g = {{100 * unit(rng), 9, -7},
                                     {size(rng), f * size(rng), size(rng)},
                                     {f * unit(rng), unit(rng), unit(rng)},
                                     {angle(rng), tilt(rng), angle(rng)}};
        double m[16], back[16];
        Recompose(g, 1, m);
        for (double& v : m)
            v *= w;
        Tal_Matrix4Decomp d;
        ASSERT_EQ(Tal_DecomposeMatrix4(m, &d, nullptr), 0) << n;
        const double s = d.scale.x < 0 ? -1 : 1;
        ASSERT_EQ(std::make_tuple(s, s * d.scale.y > 0, s * d.scale.z > 0),
                  std::make_tuple(f, true, true))
            << n << ": the mirror sign, then the other two scales of that sign";
        Recompose(d, s, back);        // a mirror comes back with its rotation rows negated
        for (int i = 0; i < 16; ++i)  // relative to the element: asin and atan2 in between
            ASSERT_NEAR(back[i], m[i] / w, 64 * kEps * (1 + std::fabs(m[i] / w))) << n << " " << i;
    }
}

// Rows: before, after (bit for bit: signed zeros matter). Two half turns negate z twice.
TEST(Correct3DDecompFor2D, FoldsHalfTurnsIntoScaleSigns) {
    const std::tuple<Tal_Matrix4Decomp, Tal_Matrix4Decomp> cases[] = {
        {{{1, 2, 3}, {1, 2, 5}, {0.1, 0.2, 0.3}, {kPi, 0.1, 0.3}},
         {{1, 2, 3}, {1, -2, 1}, {0.1, 0.2, 0.3}, {0, -0.1, -0.3}}},
        {{{0, 0, 0}, {2, 3, 4}, {0, 0, 0}, {-kPi, kPi, 0.5}},
         {{0, 0, 0}, {-2, -3, 1}, {0, 0, 0}, {-0.0, 0, 0.5}}},
        {{{0, 0, 0}, {2, 3, 4}, {0, 0, 0}, {3.14, 0, 0.5}},
         {{0, 0, 0}, {2, 3, 1}, {0, 0, 0}, {3.14, 0, 0.5}}}};
    for (const auto& [in, want] : cases) {
        Tal_Matrix4Decomp d = in;
        EXPECT_EQ(Tal_Correct3DDecompFor2D(&d), 0);
        EXPECT_EQ(Bits(d), Bits(want)) << "rotate.x " << in.rotate.x;
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
