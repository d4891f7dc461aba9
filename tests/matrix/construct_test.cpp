// Normalize, construction, comparison, classification, embedding, quaternions and bearings.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

using taltest::Bits;
const double kNaN = NAN, kEps = 0x1p-52, kPi = taltest::kPi;
const double kId3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
const double kId4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Row {
    const char* what;
    std::vector<uint64_t> got;
    std::vector<double> want;
};
template <typename... V>
Row MakeRow(const char* what, std::vector<uint64_t> got, V... want) {
    return {what, got, {double(want)...}};
}
Row MakeRow(const char* what, std::vector<uint64_t> got, const double* first, const double* end) {
    return {what, got, {first, end}};
}
#define ROW(got, ...) MakeRow(#got, Bits(got), __VA_ARGS__)

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
        V v = in;
        const V out = {in.x * r, in.y * r, in.z * r, in.w};
        const auto outcome = taltest::Thrown([&] { v.Normalize(); });
        EXPECT_EQ(std::make_tuple(outcome, Bits(v)),
                  std::make_tuple(std::make_pair(code, reports), Bits(out)))
            << "(" << in.x << ", " << in.y << ", " << in.z << ", " << in.w << ")";
    }
}

// Exact, bit for bit; targets start as NaN or -0.0; the setters cover the functions they call.
TEST(ConstructAndMeasure, ResultsOnExactMatricesByTable) {
    const Tal_Matrix4 a = {{{1, 2, 2, 4}, {2, 4, 5, 6}, {1, 1, 1, 1}, {5, 6, 7, 1}}};  // no zeros
    const Tal_Matrix3 c = {{{1, 2, 2}, {2, 3, 6}, {5, 6, 1}}};
    const Tal_Vector4T<double> u = {1, 2, 3, kNaN}, v = {4, 5, 6, kNaN}, w = {7, 8, 9, kNaN};
    Tal_Matrix4 proj = a, diff = a, sum = a, t4 = a, nan4, zero4, from3;
    Tal_Matrix3 dropZ, diff3 = c, t3 = c, nan3, zero3;
    std::fill_n(&nan4.m[0][0], 16, kNaN);
    from3 = nan4;
    std::fill_n(&zero4.m[0][0], 16, -0.0);
    std::fill_n(&nan3.m[0][0], 9, kNaN);
    std::fill_n(&zero3.m[0][0], 9, -0.0);
    Tal_Matrix4Decomp d;
    Tal_Matrix4(nan4).SetIdentity().Scale(2, 3, 4).Translate(1, 2, 3).Decompose(&d);
    const Row rows[] = {
        ROW(nan4.SetCOB(u, v, w), 1, 4, 7, 0, 2, 5, 8, 0, 3, 6, 9, 0, 0, 0, 0, 1),
        ROW(Tal_Matrix4(nan4).SetIdentity(), kId4, kId4 + 16),
        ROW(nan3.SetIdentity(), kId3, kId3 + 9),
        ROW(zero4.SetZero(), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0),
        ROW(zero3.SetZero(), 0, 0, 0, 0, 0, 0, 0, 0, 0),
        ROW(a.GetScaleSquared(), 25, 81, 4),
        ROW(a.GetScale(), 5, 9, 2),
        ROW(c.GetScaleSquared(), 9, 49),
        ROW(c.GetScale(), 3, 7),
        ROW(proj.Project(4), 1, 2, -2, 0.5, 2, 4, -1, 1.25, 1, 1, 0, 0.25, 5, 6, 6, 1.75),
        ROW(dropZ.AssignFromByDroppingZ(a), 1, 2, 4, 2, 4, 6, 5, 6, 1),
        ROW(from3 = c, 1, 2, 0, 0, 2, 3, 0, 0, 0, 0, 1, 0, 5, 6, 0, 1),
        ROW(t4.Transpose(), 1, 2, 1, 5, 2, 4, 1, 6, 2, 5, 1, 7, 4, 6, 1, 1),
        ROW(diff -= t4, 0, 0, 1, -1, 0, 0, 4, 0, -1, -4, 0, -6, 1, 0, 6, 0),
        ROW(sum += t4, 2, 4, 3, 9, 4, 8, 6, 12, 3, 6, 2, 8, 9, 12, 8, 2),
        ROW(t3.Transpose(), 1, 2, 5, 2, 3, 6, 2, 6, 1),
        ROW(diff3 -= t3, 0, 0, -3, 0, 0, 0, 3, 0, 0),
        ROW(a.Determinant(), -5),
        ROW(c.Determinant(), 17),
        ROW(d, 1, 2, 3, 2, 3, 4, 0, 0, 0, -0.0, 0, -0.0)};
    for (const auto& row : rows)
        EXPECT_EQ(row.got, Bits(row.want)) << row.what;
}

// (r, c) of a 3x3 and (r + 1, c + 1) of a 4x4 identity set to v; want ==, want within eps.
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
        unsigned char eq3 = 7, eq4 = 7, self = 7;  // NaN equals nothing, itself included
        EXPECT_EQ(std::make_tuple(Tal_EqualMatrix(a3.m[0], b3.m[0], &eq3) |
                                      Tal_EqualMatrix4(b4.m[0], a4.m[0], &eq4) |
                                      Tal_EqualMatrix4(b4.m[0], b4.m[0], &self),
                                  eq3, eq4, self, Tal_EqualMatrixWithinEpsilon(a3, b3, eps),
                                  Tal_EqualMatrixWithinEpsilon(b4, a4, eps)),
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
        Tal_Matrix3 m;
        std::memcpy(m.m, kId3, sizeof kId3);
        if (i >= 0) m.m[i / 3][i % 3] = v;
        if (j >= 0) m.m[j / 3][j % 3] = w;
        long type = -1;
        EXPECT_EQ(std::make_tuple(Tal_GetMatrixType(*m.m, &type), type, long(m.GetType())),
                  std::make_tuple(0, want, want))
            << i << " = " << v << ", " << j << " = " << w;
    }
}

// Perspective column dropped; the uniform form scales z by a common x and y scale (else 1).
TEST(Matrix3ToMatrix4, DropsThePerspectiveColumnAndScalesZOnlyWhenUniform) {
    const double c = 2 * std::cos(kPi / 6), s = 2 * std::sin(kPi / 6);
    const std::pair<std::array<double, 9>, double> cases[] = {
        {{c, s, 0, -s, c, 0, 9, 8, 1}, 2},   {{2, 0, 0, 0, 3, 0, 0, 0, 1}, 1},
        {{-3, 0, 0, 0, 3, 0, 0, 0, 1}, 3},   {{0, 0, 0, 0, 0, 0, 0, 0, 1}, 0},
        {{kNaN, 0, 0, 0, 1, 0, 0, 0, 1}, 1}, {{1, 2, 1, 3, 4, 5, 6, 7, 8}, 1}};
    for (const auto& [src, z] : cases) {
        double dst[16], ref[16];
        std::fill(dst, dst + 16, kNaN);
        EXPECT_EQ(
            Tal_Matrix3ToMatrix4Uniform(src.data(), dst) | Tal_Matrix3ToMatrix4(src.data(), ref),
            0);
        EXPECT_NEAR(dst[10], z, 4 * kEps) << src[0];
        const double embedded[16] = {src[0], src[1], 0, 0, src[3], src[4], 0, 0,
                                     0,      0,      1, 0, src[6], src[7], 0, 1};
        dst[10] = 1;
        EXPECT_EQ(std::make_tuple(Bits(ref), Bits(dst)),
                  std::make_tuple(Bits(embedded), Bits(embedded)))
            << src[0];
    }
}

// Random unit quaternions against the axis turn they stand for, and read back from the matrix.
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
    EXPECT_EQ(taltest::Values(m),
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
