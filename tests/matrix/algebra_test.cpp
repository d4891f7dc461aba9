// Products, transpose, inversion, determinant, normal matrix and decomposition.
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

const double kNaN = NAN, kEps = 0x1p-52, kPi = taltest::kPi;
const Reports kNone,
    kCantInvert4 = {taltest::Msg(Tal_ReportCode(0x2D), "unable to invert matrix.")};

std::vector<double> Transposed(const double* a, int n) {
    std::vector<double> t(n * n);
    for (int i = 0; i < n * n; ++i)
        t[i] = a[i % n * n + i / n];
    return t;
}

// Largest distance of a x b from the identity.
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
        std::generate_n(*a.m, 16, [&] { return u(rng); });
        std::generate_n(*b.m, 16, [&] { return u(rng); });
        std::generate_n(*c.m, 9, [&] { return u(rng); });
        std::generate_n(*d.m, 9, [&] { return u(rng); });
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
        const std::pair<std::vector<uint64_t>, std::vector<double>> members[] = {
            {Bits(x *= b), ab},
            {Bits(y *= y), Product(*a.m, *a.m, 4)},
            {Bits(z *= c), Product(*a.m, *a3as4.m, 4)},
            {Bits(v *= c), dc},
            {Bits(w *= w), Product(*d.m, *d.m, 3)},
            {Bits(sum += d), cd}};
        const char* names[] = {"4x4 *= 4x4", "4x4 *= itself", "4x4 *= 3x3",
                               "3x3 *= 3x3", "3x3 *= itself", "3x3 += 3x3"};
        for (int i = 0; i < 6; ++i)
            ASSERT_EQ(members[i].first, Bits(members[i].second)) << names[i];
    }
}

// Diagonally dominant (+-4 on the diagonal, [-1, 1] everywhere), hence well conditioned; the 3x3
// is the upper left of the 4x4. Each 4x4 element is its signed cofactor over the determinant; the
// two-lane minors equal the portable ones bit for bit.
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
        ASSERT_EQ(Tal_InverseMatrixQuiet(a3, inv3, &failed3), 0);
        ASSERT_EQ(Tal_InverseMatrix4Quiet(a, inv, &failed), 0);
        ASSERT_EQ(std::make_tuple(failed3, failed), std::make_tuple(0, 0)) << "failure flags";
        ASSERT_LE(IdentityError(a3, inv3, 3), 16 * kEps);
        ASSERT_LE(IdentityError(a, inv, 4), 32 * kEps);
        const double d = Talp_Matrix4MinorsPortable(a, k), d2 = Talp_Matrix4Minors(a, fast);
        EXPECT_EQ(Tal_GetMatrix4Determinant(a, &det), 0);
        ASSERT_EQ(Bits(fast, 16), Bits(k, 16)) << "two-lane minors";
        const double alone = Talp_Matrix4MinorsPortable(a, nullptr);  // row 0 minors only
        ASSERT_EQ(std::make_tuple(d2, det, alone), std::make_tuple(d, d, d)) << "determinants";
        for (int i = 0; i < 16; ++i)
            ASSERT_EQ(inv[i], k[i % 4 * 4 + i / 4] * ((i / 4 + i % 4) % 2 ? -1 : 1) / d) << i;
        ASSERT_ON_COPY(3, a3, Tal_InverseMatrix(m, m), 0, inv3);
        ASSERT_ON_COPY(4, a, Tal_InverseMatrix4(m, m), 0, inv);
        ASSERT_ON_COPY(4, a, Tal_CalcNormalMatrix4(m, m), 0, Transposed(inv, 4));
        Tal_Matrix3 member;
        std::memcpy(member.m, a3, sizeof a3);
        ASSERT_FALSE(member.InvertQuiet());
        ASSERT_EQ(Bits(member), Bits(inv3, 9)) << "InvertQuiet";
    }
}

// Rows: source, code, what dst holds afterwards (rows in their places). The largest first column
// element is the pivot, ties going to the higher row: in column 0 of the last two rows, in column 1
// of the rank-2 row.
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
        SCOPED_TRACE(::testing::PrintToString(src));
        taltest::ClearReports();
        EXPECT_EQ(Tal_InverseMatrixQuiet(src.data(), dst, &failed), err);
        EXPECT_EQ(failed, err ? 1 : 0);
        EXPECT_EQ(Bits(dst, 9), Bits(want.data(), 9));
        EXPECT_EQ(Tal_InverseMatrixQuiet(src.data(), again, nullptr), err);
        EXPECT_EQ(taltest::TakeReports(), kNone);
        EXPECT_EQ(Tal_InverseMatrix(src.data(), again), err);
        EXPECT_EQ(Bits(again, 9), Bits(dst, 9)) << "the reporting form";
        EXPECT_EQ(taltest::TakeReports(), err ? report : kNone);
    }
}

// Below the threshold dst holds the undivided adjugate, which the quiet normal matrix transposes
// and the reporting one leaves as it is.
TEST(InverseMatrix4, FailureLeavesTheAdjugateAndReportsOnlyInTheReportingForms) {
    const double t = 1e-6, t2 = t * t;  // determinant 1e-18
    const double src[16] = {t, 2 * t, 0, 0, 0, t, 0, 0, 0, 0, t, 0, 0, 0, 0, 1};
    const double want[16] = {t2, -2 * t2, 0, 0, 0, t2, 0, 0, 0, 0, t2, 0, 0, 0, 0, t2 * t};
    double adj[16];
    unsigned char failed = 0, quiet = 0;
    taltest::ClearReports();
    EXPECT_EQ(Tal_InverseMatrix4Quiet(src, adj, &failed), Tal_Err_CANT_INVERT);
    EXPECT_EQ(std::vector<double>(adj, adj + 16), std::vector<double>(want, want + 16));
    ASSERT_ON_COPY(4, src, Tal_CalcNormalMatrix4Quiet(m, m, &quiet), Tal_Err_CANT_INVERT,
                   Transposed(adj, 4));
    EXPECT_EQ(std::make_tuple(failed, quiet, taltest::TakeReports()), std::make_tuple(1, 1, kNone))
        << "quiet forms: flags set, nothing reported";
    ASSERT_ON_COPY(4, src, Tal_InverseMatrix4(m, m), Tal_Err_CANT_INVERT, adj);
    EXPECT_EQ(taltest::TakeReports(), kCantInvert4);
    ASSERT_ON_COPY(4, src, Tal_CalcNormalMatrix4(m, m), Tal_Err_CANT_INVERT, adj);
    EXPECT_EQ(taltest::TakeReports(), kCantInvert4);
}

// The rows of d's shear and scale times its rotation (s: the sign of the shears), then its
// translation; the rotation as the rotation step builds it.
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

// Element i of a translation by 3 set to v: zeros, the flag set, and a report only without a
// flag. A zero scale (element 0) is no failure: its row stays zero, and the flag is left alone.
TEST(DecomposeMatrix4, FailuresLeaveZerosAndReportOnlyWithoutAFlag) {
    const std::tuple<int, double> cases[] = {{15, 0.0}, {15, -0.0}, {3, 1e-300},
                                             {11, -1},  {7, kNaN},  {0, 0.0}};
    const Tal_Matrix4Decomp zero = {}, zeroScale = {{3, 0, 0}, {0, 1, 1}, {0, 0, 0}, {0, 0, 0}};
    const Reports report = {taltest::Msg(Tal_ReportCode(0x2D), "unable to decompose matrix.")};
    for (const auto& [i, v] : cases) {
        const Tal_Err err = i ? Tal_Err_CANT_DECOMPOSE : 0;
        const Tal_Matrix4Decomp& want = err ? zero : zeroScale;
        double m[16];
        Tal_IdentityMatrix4(m);
        m[12] = 3;
        m[i] = v;
        unsigned char failed = 0;
        for (unsigned char* flag : {&failed, (unsigned char*)nullptr}) {
            Tal_Matrix4Decomp d;
            std::memset(&d, 0xFF, sizeof d);
            taltest::ClearReports();
            EXPECT_EQ(Tal_DecomposeMatrix4(m, &d, flag), err) << i;
            EXPECT_EQ(failed, err ? 1 : 0) << i;
            EXPECT_EQ(taltest::Values(d), taltest::Values(want)) << "element " << i << " = " << v;
            EXPECT_EQ(taltest::TakeReports(), err && !flag ? report : kNone) << i;
        }
    }
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

TEST(OrderedXYZFromRotation, ClampsAnElementPastOneAndFoldsXIntoZStraightUp) {
    double r[16] = {0, 0.6, 0, 0, 0, 0.8, 0, 0, 1 + 4 * kEps, 0, 0, 0, 0, 0, 0, 1};
    Tal_Vector3T<double> a;
    Talp_OrderedXYZFromRotation(r, &a);
    EXPECT_EQ(Bits(a), Bits(Tal_Vector3T<double>{0, kPi / 2, std::atan2(0.6, 0.8)}));
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

}  // namespace
