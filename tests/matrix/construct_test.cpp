// Normalize, construction, comparison, classification, embedding, quaternions and bearings.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "matrix/nearly_equal.h"
#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Bits;
const double kNaN = NAN, kInf = HUGE_VAL, kEps = 0x1p-52, kPi = taltest::kPi;
const double kId3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const double kId4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Rows: input, reciprocal length x, y, z are scaled by (1: left as it was), code thrown, reports.
TEST(Vector4Normalize, ResultsReportsAndThrowsByTable) {
    using V = Tal_Vector4T<double>;
    const long zero = Tal_Err_ZERO_VECTOR;
    const auto P = taltest::Msg(Tal_ReportCode(0x37), "attempt to normalize a homegeneous point");
    const auto Z = taltest::Msg(Tal_ReportCode(0x37), "cannot normalize zero vector");
    const std::tuple<V, double, long, std::vector<taltest::Report>> cases[] = {
        {{0, 2, 0, 0}, 0.5, 0, {}},      {{3, 4, 12, 0}, 1 / 13.0, 0, {}},
        {{0, 0, 0, 1}, 1, zero, {P, Z}}, {{1e-7, 0, 0, 0}, 1, zero, {Z}},
        {{1e-6, 0, 0, 0}, 1e6, 0, {}},   {{3, 4, 0, 9e-13}, 0.2, 0, {}},
        {{3, 4, 0, 1e-12}, 0.2, 0, {P}}, {{3, 4, 0, -1e-12}, 0.2, 0, {P}},
        {{3, 4, 0, kNaN}, 0.2, 0, {P}}};
    for (const auto& [in, r, code, reports] : cases) {
        taltest::ClearReports();
        V v = in;
        long thrown = 0;
        try {
            v.Normalize();
        } catch (long c) {
            thrown = c;
        }
        const V out = {in.x * r, in.y * r, in.z * r, in.w};
        EXPECT_EQ(std::make_tuple(taltest::TakeReports(), thrown, Bits(v)),
                  std::make_tuple(reports, code, Bits(out)))
            << "(" << in.x << ", " << in.y << ", " << in.z << ", " << in.w << ")";
    }
}

// Strictly below max(563 x 2^-49, 1e-12 x the larger magnitude), mirrored for negatives.
TEST(NearlyEqual, BoundariesBothWaysRound) {
    const double floor = 563 * 0x1p-49, below = std::nextafter(floor, 0);
    const std::tuple<double, double, bool> cases[] = {
        {0, 0, true},      {0, floor, false},           {0, below, true},
        {-below, 0, true}, {1e6, 1e6 + 1e-6, false},    {1e6, 1e6 + 0.9e-6, true},
        {-1, 1, false},    {-1e6, -1e6 - 0.9e-6, true}, {-1e6, -1e6 - 1.1e-6, false},
        {kNaN, 1, false},  {kNaN, kNaN, false},         {kInf, kInf, false}};
    for (const auto& [a, b, want] : cases) {
        EXPECT_EQ(Talp_NearlyEqual(a, b, 563, 1e-12), want) << a << " vs " << b;
        EXPECT_EQ(Talp_NearlyEqual(b, a, 563, 1e-12), want) << b << " vs " << a;
    }
}

// Plain functions and members on exact matrices, bit for bit: construction over NaN or -0.0,
// row measures over every column, the projection step, the 2D slice, sums, transposes, the
// determinant and decomposition.
TEST(ConstructAndMeasure, ResultsOnExactMatricesByTable) {
    const Tal_Matrix4 a = {{{1, 2, 2, 4}, {2, 4, 5, 6}, {1, 1, 1, 1}, {5, 6, 7, 1}}};  // no zeros
    const Tal_Matrix3 c = {{{1, 2, 2}, {2, 3, 6}, {5, 6, 1}}};
    const Tal_Vector4T<double> u = {1, 2, 3, kNaN}, v = {4, 5, 6, kNaN}, w = {7, 8, 9, kNaN};
    Tal_Matrix4 proj = a, diff = a, sum = a, t4 = a, cob, zero4, id4;
    Tal_Matrix3 dropZ, diff3 = c, t3 = c, id3, zero3;
    Tal_Matrix4Decomp d;
    double plain4[3][16], plain3[9];
    std::fill(&plain4[0][0], &plain4[0][0] + 48, kNaN);
    std::fill(plain4[1], plain4[1] + 16, -0.0);
    std::fill(plain3, plain3 + 9, kNaN);
    const Tal_Err codes = Tal_IdentityMatrix4(plain4[0]) | Tal_ZeroMatrix4(plain4[1]) |
                          Tal_SetMatrix4CoB(&u, &v, &w, plain4[2]) | Tal_SetIdentityMatrix(plain3);
    EXPECT_EQ(codes, 0);
    std::fill(&cob.m[0][0], &cob.m[0][0] + 16, kNaN);
    std::fill(&zero4.m[0][0], &zero4.m[0][0] + 16, -0.0);
    std::fill(&zero3.m[0][0], &zero3.m[0][0] + 9, -0.0);
    std::fill(&id3.m[0][0], &id3.m[0][0] + 9, kNaN);
    id4.SetIdentity().Scale(2, 3, 4).Translate(1, 2, 3).Decompose(&d);
    const struct {
        const char* what;
        std::vector<uint64_t> got;
        std::vector<double> want;
    } rows[] = {{"Tal_IdentityMatrix4", Bits(plain4[0], 16), {kId4, kId4 + 16}},
                {"Tal_ZeroMatrix4", Bits(plain4[1], 16), std::vector<double>(16, 0.0)},
                {"Tal_SetMatrix4CoB",
                 Bits(plain4[2], 16),
                 {1, 4, 7, 0, 2, 5, 8, 0, 3, 6, 9, 0, 0, 0, 0, 1}},
                {"Tal_SetIdentityMatrix", Bits(plain3, 9), {kId3, kId3 + 9}},
                {"Tal_Matrix4::GetScaleSquared", Bits(a.GetScaleSquared()), {25, 81, 4}},
                {"Tal_Matrix4::GetScale", Bits(a.GetScale()), {5, 9, 2}},
                {"Tal_Matrix3::GetScaleSquared", Bits(c.GetScaleSquared()), {9, 49}},
                {"Tal_Matrix3::GetScale", Bits(c.GetScale()), {3, 7}},
                {"Tal_Matrix4::Project(4)",
                 Bits(proj.Project(4)),
                 {1, 2, -2, 0.5, 2, 4, -1, 1.25, 1, 1, 0, 0.25, 5, 6, 6, 1.75}},
                {"Tal_Matrix3::AssignFromByDroppingZ",
                 Bits(dropZ.AssignFromByDroppingZ(a)),
                 {1, 2, 4, 2, 4, 6, 5, 6, 1}},
                {"Tal_Matrix4::Transpose",
                 Bits(t4.Transpose()),
                 {1, 2, 1, 5, 2, 4, 1, 6, 2, 5, 1, 7, 4, 6, 1, 1}},
                {"Tal_Matrix4::operator-=",
                 Bits(diff -= t4),
                 {0, 0, 1, -1, 0, 0, 4, 0, -1, -4, 0, -6, 1, 0, 6, 0}},
                {"Tal_Matrix4::operator+=",
                 Bits(sum += t4),
                 {2, 4, 3, 9, 4, 8, 6, 12, 3, 6, 2, 8, 9, 12, 8, 2}},
                {"Tal_Matrix3::Transpose", Bits(t3.Transpose()), {1, 2, 5, 2, 3, 6, 2, 6, 1}},
                {"Tal_Matrix3::operator-=", Bits(diff3 -= t3), {0, 0, -3, 0, 0, 0, 3, 0, 0}},
                {"Tal_Matrix4::Determinant", Bits(a.Determinant()), {-5}},
                {"Tal_Matrix3::Determinant", Bits(c.Determinant()), {17}},
                {"Tal_Matrix4::Decompose", Bits(d), {1, 2, 3, 2, 3, 4, 0, 0, 0, -0.0, 0, -0.0}},
                {"Tal_Matrix4::SetCOB",
                 Bits(cob.SetCOB(u, v, w)),
                 {1, 4, 7, 0, 2, 5, 8, 0, 3, 6, 9, 0, 0, 0, 0, 1}},
                {"Tal_Matrix4::SetZero", Bits(zero4.SetZero()), std::vector<double>(16, 0.0)},
                {"Tal_Matrix3::SetZero", Bits(zero3.SetZero()), std::vector<double>(9, 0.0)},
                {"Tal_Matrix3::SetIdentity", Bits(id3.SetIdentity()), {1, 0, 0, 0, 1, 0, 0, 0, 1}}};
    for (const auto& row : rows)
        EXPECT_EQ(row.got, Bits(row.want)) << row.what;
}

// Element (r, c) of a 3x3 identity and (r + 1, c + 1) of a 4x4 one set to v. Rows: r, c, v, eps,
// whether == holds for every element, whether the difference stays within eps.
TEST(EqualMatrix, ValuesCompareWithDoubleEqualityOrWithinEps) {
    const double e = kEps, under = std::nextafter(0.5, 0);
    const std::tuple<int, int, double, double, bool, bool> cases[] = {
        {1, 2, -0.0, 0, true, true},      {2, 2, 1.5, 0.5, false, true},
        {2, 2, 1.5, under, false, false}, {0, 1, kNaN, 0, false, true},
        {2, 0, -1e-300, 0, false, false}, {2, 2, 1 + 2 * e, e, false, false},
        {0, 0, 2, 1, false, true}};
    for (const auto& [r, c, v, eps, equal, within] : cases) {
        Tal_Matrix3 a3, b3;
        Tal_Matrix4 a4, b4;
        std::memcpy(a3.m, kId3, sizeof kId3);
        std::memcpy(a4.m, kId4, sizeof kId4);
        b3 = a3;
        b4 = a4;
        b3.m[r][c] = b4.m[r + 1][c + 1] = v;
        unsigned char eq3 = 7, eq4 = 7, self = 7;
        const Tal_Err codes = Tal_EqualMatrix(a3.m[0], b3.m[0], &eq3) |
                              Tal_EqualMatrix4(b4.m[0], a4.m[0], &eq4) |
                              Tal_EqualMatrix4(b4.m[0], b4.m[0], &self);
        const bool within3 = Tal_EqualMatrixWithinEpsilon(a3, b3, eps);
        const bool within4 = Tal_EqualMatrixWithinEpsilon(b4, a4, eps);
        // NaN equals nothing, itself included.
        EXPECT_EQ(std::make_tuple(codes, eq3, eq4, self, within3, within4),
                  std::make_tuple(0, equal, equal, v == v, within, within))
            << "element " << r << ", " << c << " = " << v << ", eps " << eps;
    }
}

// Elements i and j of the 3x3 identity set to v and w (-1: none); the first matching class wins.
TEST(GetMatrixType, ClassifiesByExactComparisonsWithNaNUnequal) {
    const long I = Tal_MatrixType_IDENTITY, T = Tal_MatrixType_TRANSLATE;
    const long S = Tal_MatrixType_SCALE, ST = Tal_MatrixType_SCALE_TRANSLATE;
    const long A = Tal_MatrixType_AFFINE, P = Tal_MatrixType_PERSPECTIVE;
    const std::tuple<int, double, int, double, long> cases[] = {
        {-1, 0, -1, 0, I},     {1, -0.0, -1, 0, I}, {6, 5, -1, 0, T},    {7, -1e-300, -1, 0, T},
        {6, kNaN, -1, 0, T},   {4, 0, -1, 0, S},    {0, -1, 4, -1, S},   {0, kNaN, -1, 0, S},
        {0, 2, 6, 5, ST},      {3, 0.5, 7, 3, A},   {3, kNaN, -1, 0, A}, {1, 0.5, 8, 2, P},
        {2, 1e-300, -1, 0, P}, {5, -1, -1, 0, P},   {8, kNaN, -1, 0, P}};
    for (const auto& [i, v, j, w, want] : cases) {
        double m[9];
        std::memcpy(m, kId3, sizeof m);
        if (i >= 0) m[i] = v;
        if (j >= 0) m[j] = w;
        long type = -1;
        Tal_Matrix3 member;
        std::memcpy(member.m, m, sizeof m);
        EXPECT_EQ(Tal_GetMatrixType(m, &type), 0);
        EXPECT_EQ(std::make_tuple(type, long(member.GetType())), std::make_tuple(want, want))
            << i << " = " << v << ", " << j << " = " << w;
    }
}

// Rows: source, the z scale of the uniform embedding.
TEST(Matrix3ToMatrix4, DropsThePerspectiveColumnAndScalesZOnlyWhenUniform) {
    const double plain[9] = {1, 2, 1, 3, 4, 5, 6, 7, 8};
    const double embedded[16] = {1, 2, 0, 0, 3, 4, 0, 0, 0, 0, 1, 0, 6, 7, 0, 1};
    double dst[16], ref[16];
    std::fill(dst, dst + 16, kNaN);
    EXPECT_EQ(Tal_Matrix3ToMatrix4(plain, dst), 0);
    EXPECT_EQ(Bits(dst, 16), Bits(embedded, 16));
    const double c = 2 * std::cos(kPi / 6), s = 2 * std::sin(kPi / 6);
    const std::pair<std::array<double, 9>, double> cases[] = {{{c, s, 0, -s, c, 0, 9, 8, 1}, 2},
                                                              {{2, 0, 0, 0, 3, 0, 0, 0, 1}, 1},
                                                              {{-3, 0, 0, 0, 3, 0, 0, 0, 1}, 3},
                                                              {{0, 0, 0, 0, 0, 0, 0, 0, 1}, 0},
                                                              {{kNaN, 0, 0, 0, 1, 0, 0, 0, 1}, 1}};
    for (const auto& [src, z] : cases) {
        std::fill(dst, dst + 16, kNaN);
        EXPECT_EQ(Tal_Matrix3ToMatrix4Uniform(src.data(), dst), 0);
        EXPECT_NEAR(dst[10], z, 4 * kEps) << src[0];
        Tal_Matrix3ToMatrix4(src.data(), ref);
        dst[10] = ref[10];
        EXPECT_EQ(Bits(dst, 16), Bits(ref, 16)) << "the rest as the plain embedding: " << src[0];
    }
}

// Random unit quaternions against the axis turn they stand for; the quaternion read back from
// the matrix (either sign) makes the same matrix.
TEST(QuatMatrix4, MatchesTheAxisTurnAndRoundTrips) {
    std::mt19937_64 rng(20240605);
    std::normal_distribution<double> g;
    for (int n = 0; n < 5000; ++n) {
        Tal_Quat q = {g(rng), g(rng), g(rng), g(rng)}, back;
        const double len = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z + q.w * q.w);
        q = {q.x / len, q.y / len, q.z / len, q.w / len};
        double m[16], again[16], turn[16];
        std::memcpy(turn, kId4, sizeof turn);
        const double s = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
        ASSERT_EQ(Tal_RotateMatrix4(q.x, q.y, q.z, 2 * std::atan2(s, q.w), turn), 0);
        EXPECT_EQ(Tal_QuatToMatrix4(&q, m) | Tal_Matrix4ToQuat(m, &back), 0);
        Tal_QuatToMatrix4(&back, again);
        for (int i = 0; i < 16; ++i) {
            ASSERT_NEAR(m[i], turn[i], 64 * kEps) << "quaternion " << n << ", element " << i;
            ASSERT_NEAR(again[i], turn[i], 64 * kEps) << "read back " << n << ", element " << i;
        }
    }
    const Tal_Quat doubled = {0, 0, 0, 2};  // not normalised: squared norm 4 scales by 4
    double m[16];
    Tal_QuatToMatrix4(&doubled, m);
    EXPECT_EQ(std::vector<double>(m, m + 16),
              std::vector<double>({4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 4, 0, 0, 0, 0, 1}));
}

TEST(VecToAngle, ClockwiseBearingsFromUpInZeroTo360) {
    const std::tuple<double, double, double> cases[] = {
        {1, 0, 90},  {0, 1, 180},  {-1, 0, 270}, {1, -1, 45},   {-1, -1, 315},
        {1, 1, 135}, {0, -1, 360}, {0, 0, 90},   {0, -0.0, 90}, {-0.0, 5, 180}};
    for (const auto& [x, y, degrees] : cases)
        EXPECT_NEAR(Tal_VecToAngle({x, y}), degrees, 1e-12) << x << ", " << y;
    EXPECT_EQ(Tal_VecToAngle({0, -1}), 360) << "straight down is 360, not 0";
    EXPECT_TRUE(std::isnan(Tal_VecToAngle({kNaN, 1})));
}

}  // namespace
