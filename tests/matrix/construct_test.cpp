// Construction, 2D steps, comparison, classification, embedding, quaternions, slerp, bearings.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <complex>
#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"

namespace {

typedef long double LD;
typedef std::complex<LD> C;
using taltest::Bits;
using taltest::Values;
const double kNaN = NAN, kInf = HUGE_VAL, kEps = 0x1p-52, kPi = taltest::kPi, kRad = kPi / 180;
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

// (r, c) of a 4x4 and (r3, c3) of a 3x3 identity set to v, and a zero matrix off by as much; want
// within eps. The walks fail on |v - target| > eps: NaN never fails, the last element counts.
TEST(EqualMatrix, ValuesCompareWithDoubleEqualityOrWithinEps) {
    const double e = kEps, under = std::nextafter(0.5, 0);
    const std::tuple<int, int, int, int, double, double, bool> cases[] = {
        {2, 3, 1, 2, -0.0, 0, true},       {3, 3, 2, 2, 1.5, 0.5, true},
        {3, 3, 2, 2, 1.5, under, false},   {1, 2, 0, 1, kNaN, 0, true},
        {3, 1, 2, 0, -1e-300, 0, false},   {3, 3, 2, 2, 1 + 2 * e, e, false},
        {1, 1, 0, 0, 2, 1, true},          {1, 1, 1, 1, 1.5, 0.49, false},
        {0, 1, 0, 1, 1e300, kNaN, true},   {3, 3, 2, 2, 1 + 1e-9, 0, false},
        {3, 0, 2, 0, -kInf, 1e300, false}, {3, 3, 2, 2, kNaN, 0, true},
        {1, 1, 1, 1, 1.5, 0.5, true},      {0, 1, 0, 1, kNaN, 0, true}};
    for (const auto& [r, c, r3, c3, v, eps, within] : cases) {
        Tal_Matrix4 a4, b4, z4 = {};
        Tal_Matrix3 a3, b3, z3 = {};
        std::memcpy(a3.m, kId3, sizeof kId3);
        std::memcpy(a4.m, kId4, sizeof kId4);
        b3 = a3;
        b4 = a4;
        b4.m[r][c] = b3.m[r3][c3] = v;
        z4.m[r][c] = z3.m[r3][c3] = v - (r == c);
        const bool equal = v == (r == c);
        unsigned char eq3 = 7, eq4 = 7, self = 7;  // NaN equals nothing, itself included
        const Tal_Err err = Tal_EqualMatrix(a3.m[0], b3.m[0], &eq3) |
                            Tal_EqualMatrix4(b4.m[0], a4.m[0], &eq4) |
                            Tal_EqualMatrix4(b4.m[0], b4.m[0], &self);
        EXPECT_EQ(std::make_tuple(err, eq3, eq4, self, Tal_EqualMatrixWithinEpsilon(a3, b3, eps),
                                  Tal_EqualMatrixWithinEpsilon(b4, a4, eps),
                                  b4.IsIdentityWithinEpsilon(eps), z4.IsZeroWithinEpsilon(eps),
                                  b3.IsIdentityWithinEpsilon(eps), z3.IsZeroWithinEpsilon(eps)),
                  std::make_tuple(0, equal, equal, v == v, within, within, within, within, within,
                                  within))
            << "element " << r << ", " << c << " = " << v << ", eps " << eps
            << ": ==, then within eps by function, member, member of the zero matrix";
        EXPECT_EQ(b4.IsFinite(), bool(std::isfinite(v))) << v;
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

// == is byte-wise; the zero and identity tests are exact.
TEST(MatrixMembers, EqualityIsByteWiseAndZeroAndIdentityAreExact) {
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

// After any prior P a step turns (scales, moves) p x P about the centre; a skew turns by the axis
// angle, shears x by -y tan(skew), turns back. 1e-11: about 2^-46 of the values reached.
TEST(TwoDimensionalSteps, RandomStepsActAfterThePriorTransform) {
    std::mt19937_64 gen(0x5eed2d);
    const auto U = [&](double lo, double hi) {
        return std::uniform_real_distribution<double>(lo, hi)(gen);
    };
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

// The angle from q0 is |t| theta, from the nearer of +-q1 |1 - t| theta (about 13 ulps), also
// extrapolating; the output may be either input.
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
