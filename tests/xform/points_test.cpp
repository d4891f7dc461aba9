// Point arrays: range tests at their exact borders, the state left by an overflow, the divide rule,
// and every function against an independent per-point model.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <vector>

#include "support/reports.h"
#include "tal/xform.h"
#include "xform/xform_support.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;
using xformtest::SameBits;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
const Report kPointOverflow = Msg(0x110026, "overflow in point transformation.");
const Report kFixedOverflow = Msg(0x110027, "overflow in fixed point transformation.");

// 3x3 (row-major, row vector) with the given 2x2 part and translation.
struct Affine {
    double m[9];
    Affine(double a, double b, double c, double d, double tx, double ty)
        : m{a, b, 0, c, d, 0, tx, ty, 1} {}
    static Affine Translate(double tx, double ty) { return Affine(1, 0, 0, 1, tx, ty); }
};

// ---- 16-bit points: the exclusive bounds and rounding --------------------------------------

// The record stores v first; tables read better horizontal first.
Tal_Point Pt(int16_t h, int16_t v) {
    return Tal_Point{v, h};
}

struct ShortCase {
    const char* name;
    double tx, ty;
    Tal_Point in;
    Tal_Err err;
    Tal_Point out;  // state after the call, failed or not
};

class ShortPoints : public ::testing::TestWithParam<ShortCase> {};

TEST_P(ShortPoints, RangeAndRounding) {
    const ShortCase& c = GetParam();
    const Affine a = Affine::Translate(c.tx, c.ty);
    Tal_Point p = c.in;
    TakeReports();
    EXPECT_EQ(Tal_TransformPoints(a.m, 1, &p), c.err);
    EXPECT_EQ(p, c.out);
    EXPECT_EQ(TakeReports(), c.err ? std::vector<Report>{kPointOverflow} : std::vector<Report>{});
}

INSTANTIATE_TEST_SUITE_P(
    Borders, ShortPoints,
    ::testing::Values(
        ShortCase{"IdentityKeepsInnerPoints", 0, 0, Pt(-32767, 32766), 0, Pt(-32767, 32766)},
        ShortCase{"IdentityOnLargestHOverflows", 0, 0, Pt(32767, 0), Tal_Err_OVERFLOW,
                  Pt(32767, 0)},
        ShortCase{"IdentityOnSmallestVOverflowsAfterH", 0, 0, Pt(1, -32768), Tal_Err_OVERFLOW,
                  Pt(1, -32768)},
        ShortCase{"ExactlyTopIsOut", 32767, 0, Pt(0, 5), Tal_Err_OVERFLOW, Pt(0, 5)},
        ShortCase{"JustBelowTopRoundsUp", 32766.6, 0, Pt(0, 5), 0, Pt(32767, 5)},
        ShortCase{"ExactlyBottomIsOut", -32768, 0, Pt(0, 5), Tal_Err_OVERFLOW, Pt(0, 5)},
        ShortCase{"JustAboveBottomRoundsDown", -32767.6, 0, Pt(0, 0), 0, Pt(-32768, 0)},
        ShortCase{"HalvesGoUp", -2.5, 2.5, Pt(0, 0), 0, Pt(-2, 3)},
        ShortCase{"YOverflowKeepsNewH", 7, 32767, Pt(2, 1), Tal_Err_OVERFLOW, Pt(9, 1)},
        ShortCase{"YBottomOverflowKeepsNewH", -7, -32769, Pt(2, 1), Tal_Err_OVERFLOW, Pt(-5, 1)},
        ShortCase{"NaNPassesAndStoresZero", kNaN, 0, Pt(4, 3), 0, Pt(0, 3)},
        ShortCase{"InfinityOverflows", std::numeric_limits<double>::infinity(), 0, Pt(4, 3),
                  Tal_Err_OVERFLOW, Pt(4, 3)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShortPointArrays, OverflowStopsAtTheFailingPointAndReportsOnce) {
    const Affine a(2, 0, 0, 1, 0, 0);  // x doubles
    Tal_Point p[4] = {Pt(100, 1), Pt(20000, 1), Pt(10, 1), Pt(0, 1)};
    TakeReports();
    EXPECT_EQ(Tal_TransformPoints(a.m, 4, p), Tal_Err_OVERFLOW);
    EXPECT_EQ(p[0], Pt(200, 1));
    EXPECT_EQ(p[1], Pt(20000, 1));
    EXPECT_EQ(p[2], Pt(10, 1));
    EXPECT_EQ(TakeReports(), std::vector<Report>{kPointOverflow});
}

// ---- 16.16 points -----------------------------------------------------------------------------

struct FixedCase {
    const char* name;
    double tx;
    Tal_FixedPoint in;
    Tal_Err err;
    Tal_FixedPoint out;
};

class FixedPoints : public ::testing::TestWithParam<FixedCase> {};

TEST_P(FixedPoints, RangeAndRounding) {
    const FixedCase& c = GetParam();
    const Affine a = Affine::Translate(c.tx, 0);
    Tal_FixedPoint p = c.in;
    TakeReports();
    EXPECT_EQ(Tal_TransformFixPoints(a.m, 1, &p), c.err);
    EXPECT_EQ(p, c.out);
    EXPECT_EQ(TakeReports(), c.err ? std::vector<Report>{kFixedOverflow} : std::vector<Report>{});
}

INSTANTIATE_TEST_SUITE_P(
    Borders, FixedPoints,
    ::testing::Values(
        FixedCase{"OneUnitAdds65536", 1.0, {0x10000, 7}, 0, {0x20000, 7}},
        FixedCase{"LargestIsOutEvenUnmoved", 0, {INT32_MAX, 0}, Tal_Err_OVERFLOW, {INT32_MAX, 0}},
        FixedCase{"SmallestIsOutEvenUnmoved", 0, {INT32_MIN, 0}, Tal_Err_OVERFLOW, {INT32_MIN, 0}},
        FixedCase{"OneInsideTop", 0, {INT32_MAX - 1, 0}, 0, {INT32_MAX - 1, 0}},
        FixedCase{"OneInsideBottom", 0, {INT32_MIN + 1, 0}, 0, {INT32_MIN + 1, 0}},
        FixedCase{"SubUnitTranslationRounds", 0.5 / 65536, {0, 0}, 0, {1, 0}},
        FixedCase{"TranslationPushesOut",
                  1.0 / 65536,
                  {INT32_MAX - 1, 0},
                  Tal_Err_OVERFLOW,
                  {INT32_MAX - 1, 0}},
        FixedCase{
            "YOverflowKeepsNewX", 2.0, {0, INT32_MAX}, Tal_Err_OVERFLOW, {0x20000, INT32_MAX}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Independent models of the integer kinds -------------------------------------------------

// The stated-order double product, then floor(d + 0.5); false when out of the open range.
bool ModelRound(double d, double lo, double hi, int32_t* out) {
    if (d >= hi || d <= lo) return false;
    *out = int32_t(std::floor(d + 0.5));
    return true;
}

template <typename P, typename Get, typename Set>
bool ModelIntegerPoint(const double* m, double unit, double lo, double hi, P& p, Get get, Set set) {
    double x, y;
    get(p, &x, &y);
    int32_t nx, ny;
    if (!ModelRound(x * m[0] + y * m[3] + unit * m[6], lo, hi, &nx)) return false;
    set(p, &nx, nullptr);
    if (!ModelRound(x * m[1] + y * m[4] + unit * m[7], lo, hi, &ny)) return false;
    set(p, nullptr, &ny);
    return true;
}

TEST(IntegerPointArrays, MatchTheModelOnRandomArraysIncludingWhereTheyStop) {
    xformtest::Rng rng(0x5eed1);
    int shortFailures = 0, fixedFailures = 0;
    for (int round = 0; round < 3000; ++round) {
        double m[9];
        rng.Fill(m, -2.0, 2.0);
        m[6] = rng.Uniform(-30000, 30000);
        m[7] = rng.Uniform(-30000, 30000);
        Tal_Point s[8], sRef[8];
        Tal_FixedPoint f[8], fRef[8];
        for (int i = 0; i < 8; ++i) {
            s[i] = sRef[i] = Pt(int16_t(rng.Int(-8000, 8000)), int16_t(rng.Int(-8000, 8000)));
            f[i] = fRef[i] = {rng.Int(INT32_MIN, INT32_MAX) / 8, rng.Int(INT32_MIN, INT32_MAX) / 8};
        }
        bool sOk = true, fOk = true;
        for (int i = 0; i < 8 && sOk; ++i)
            sOk = ModelIntegerPoint(
                m, 1.0, -32768.0, 32767.0, sRef[i],
                [](const Tal_Point& p, double* x, double* y) { *x = p.h, *y = p.v; },
                [&](Tal_Point& p, int32_t* x, int32_t* y) {
                    if (x) p.h = int16_t(*x);
                    if (y) p.v = int16_t(*y);
                });
        for (int i = 0; i < 8 && fOk; ++i)
            fOk = ModelIntegerPoint(
                m, 65536.0, -2147483648.0, 2147483647.0, fRef[i],
                [](const Tal_FixedPoint& p, double* x, double* y) { *x = p.x, *y = p.y; },
                [&](Tal_FixedPoint& p, int32_t* x, int32_t* y) {
                    if (x) p.x = *x;
                    if (y) p.y = *y;
                });
        TakeReports();
        ASSERT_EQ(Tal_TransformPoints(m, 8, s), sOk ? 0 : Tal_Err_OVERFLOW);
        ASSERT_EQ(Tal_TransformFixPoints(m, 8, f), fOk ? 0 : Tal_Err_OVERFLOW);
        ASSERT_EQ(TakeReports().size(), size_t(!sOk) + size_t(!fOk));
        for (int i = 0; i < 8; ++i) {
            ASSERT_EQ(s[i], sRef[i]) << "round " << round << " point " << i;
            ASSERT_EQ(f[i], fRef[i]) << "round " << round << " point " << i;
        }
        shortFailures += !sOk;
        fixedFailures += !fOk;
    }
    for (int n : {shortFailures, fixedFailures}) {  // both outcomes are exercised
        EXPECT_GT(n, 300);
        EXPECT_LT(n, 2700);
    }
}

TEST(IntegerPointArrays, RoundedResultIsWithinHalfOfTheWideProduct) {
    xformtest::Rng rng(77);
    for (int i = 0; i < 5000; ++i) {
        double m[9];
        rng.Fill(m, -1.5, 1.5);
        Tal_Point p = {int16_t(rng.Int(-10000, 10000)), int16_t(rng.Int(-10000, 10000))};
        const double in[3] = {double(p.h), double(p.v), 1.0};
        long double wide[3];
        xformtest::WideProduct<3>(m, in, wide);
        ASSERT_EQ(Tal_TransformPoints(m, 1, &p), 0);
        EXPECT_LE(std::fabs((long double)p.h - wide[0]), 0.5L + 1e-9L);
        EXPECT_LE(std::fabs((long double)p.v - wide[1]), 0.5L + 1e-9L);
    }
}

// ---- 3D transform of 16-bit points: limit, then truncate -------------------------------------

struct TruncCase {
    double tx;
    int16_t h;
};

class ThreeDToShort : public ::testing::TestWithParam<TruncCase> {};

TEST_P(ThreeDToShort, LimitsThenTruncatesTowardZeroSilently) {
    double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, GetParam().tx, 0, 0, 1};
    Tal_Point p = {-9, 0};  // v -9, h 0
    TakeReports();
    EXPECT_EQ(Tal_3DTransform2DPoints(m, 1, &p), 0);
    EXPECT_EQ(p.h, GetParam().h);
    EXPECT_EQ(p.v, -9);
    EXPECT_TRUE(TakeReports().empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ThreeDToShort,
                         ::testing::Values(TruncCase{40000, 32766}, TruncCase{-40000, -32767},
                                           TruncCase{2.7, 2}, TruncCase{-2.7, -2},
                                           TruncCase{32765.99, 32765}, TruncCase{32766, 32766},
                                           TruncCase{-32766.99, -32766}, TruncCase{-32767, -32767},
                                           TruncCase{kNaN, 0}));

TEST(ThreeDToShort, DividesByWLikeTheFloatForm) {
    xformtest::Rng rng(9);
    for (int i = 0; i < 2000; ++i) {
        double m[16];
        rng.Fill(m, -3, 3);
        Tal_Point p = {int16_t(rng.Int(-500, 500)), int16_t(rng.Int(-500, 500))};
        Tal_Vector3T<double> f = {double(p.h), double(p.v), 0};
        ASSERT_EQ(Tal_Transform3DFloatPoints(m, 1, &f), 0);
        ASSERT_EQ(Tal_3DTransform2DPoints(m, 1, &p), 0);
        auto expect = [](double v) {
            return int16_t(v <= -32767 ? -32767 : v >= 32766 ? 32766 : std::trunc(v));
        };
        ASSERT_EQ(p.h, expect(f.x));
        ASSERT_EQ(p.v, expect(f.y));
    }
}

// ---- Double arrays ----------------------------------------------------------------------------

// Stated-order sum: in[0]*m[c] + in[1]*m[n+c] + ..., left to right.
template <int N>
double OrderedColumn(const double* m, const double* in, int c) {
    double s = in[0] * m[c];
    for (int r = 1; r < N; ++r)
        s = s + in[r] * m[r * N + c];
    return s;
}

TEST(DoubleArrays, MatchTheOrderedSumExactlyAndTheWideProductClosely) {
    xformtest::Rng rng(2024);
    uint64_t golden = 14695981039346656037ull;
    for (int round = 0; round < 2000; ++round) {
        double m3[9], m4[16];
        rng.Fill(m3, -4, 4);
        rng.Fill(m4, -4, 4);
        Tal_Vector2T<double> p2[5];
        Tal_Vector3T<double> p3[5], q3[5];
        Tal_Vector4T<double> p4[5], q4[5];
        for (int i = 0; i < 5; ++i) {
            p2[i] = {rng.Uniform(-1e3, 1e3), rng.Uniform(-1e3, 1e3)};
            p3[i] = q3[i] = {rng.Uniform(-1e3, 1e3), rng.Uniform(-1e3, 1e3), rng.Uniform(-2, 2)};
            p4[i] = q4[i] = {rng.Uniform(-1e3, 1e3), rng.Uniform(-1e3, 1e3), rng.Uniform(-1e3, 1e3),
                             rng.Uniform(-2, 2)};
        }
        Tal_Vector2T<double> r2[5];
        std::memcpy(r2, p2, sizeof r2);
        ASSERT_EQ(Tal_TransformFloatPoints(m3, 5, r2), 0);
        ASSERT_EQ(Tal_TransformVector3(m3, 5, q3), 0);
        ASSERT_EQ(Tal_TransformVector4NoDivide(m4, 5, q4), 0);
        for (int i = 0; i < 5; ++i) {
            const double in2[3] = {p2[i].x, p2[i].y, 1.0};
            ASSERT_TRUE(SameBits(r2[i].x, OrderedColumn<3>(m3, in2, 0)));
            ASSERT_TRUE(SameBits(r2[i].y, OrderedColumn<3>(m3, in2, 1)));
            const double in3[3] = {p3[i].x, p3[i].y, p3[i].z};
            const double out3[3] = {q3[i].x, q3[i].y, q3[i].z};
            const double in4[4] = {p4[i].x, p4[i].y, p4[i].z, p4[i].w};
            const double out4[4] = {q4[i].x, q4[i].y, q4[i].z, q4[i].w};
            long double wide3[3], wide4[4];
            xformtest::WideProduct<3>(m3, in3, wide3);
            xformtest::WideProduct<4>(m4, in4, wide4);
            for (int c = 0; c < 3; ++c) {
                ASSERT_TRUE(SameBits(out3[c], OrderedColumn<3>(m3, in3, c)));
                long double mag = 0;
                for (int r = 0; r < 3; ++r)
                    mag += std::fabs((long double)in3[r] * m3[r * 3 + c]);
                ASSERT_LE(std::fabs(out3[c] - wide3[c]), mag * 4 * DBL_EPSILON);
                xformtest::Fold(golden, out3[c]);
            }
            for (int c = 0; c < 4; ++c) {
                ASSERT_TRUE(SameBits(out4[c], OrderedColumn<4>(m4, in4, c)));
                long double mag = 0;
                for (int r = 0; r < 4; ++r)
                    mag += std::fabs((long double)in4[r] * m4[r * 4 + c]);
                ASSERT_LE(std::fabs(out4[c] - wide4[c]), mag * 4 * DBL_EPSILON);
                xformtest::Fold(golden, out4[c]);
            }
        }
    }
    // The same seed gives the same bits on every platform that keeps the order and no contraction.
    RecordProperty("golden", std::to_string(golden));
}

// The divide rule at its borders, through both dividing array functions.
struct WCase {
    const char* name;
    double w;  // the transformed w, set through m[3][3] with every other w term zero
    bool divides;
};

class DivideRule : public ::testing::TestWithParam<WCase> {};

TEST_P(DivideRule, DividesOutsideTheOpenBandOnly) {
    const WCase& c = GetParam();
    const double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, c.w};
    Tal_Vector4T<double> v = {3, 6, 9, 1};
    Tal_Vector3T<double> p = {3, 6, 9};
    ASSERT_EQ(Tal_TransformVector4(m, 1, &v), 0);
    ASSERT_EQ(Tal_Transform3DFloatPoints(m, 1, &p), 0);
    const double r = 1 / c.w;
    const double want[3] = {c.divides ? 3 * r : 3, c.divides ? 6 * r : 6, c.divides ? 9 * r : 9};
    const double got4[4] = {v.x, v.y, v.z, v.w};
    const double got3[3] = {p.x, p.y, p.z};
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(SameBits(got4[i], want[i])) << i << ": " << got4[i];
        EXPECT_TRUE(SameBits(got3[i], want[i])) << i << ": " << got3[i];
    }
    EXPECT_TRUE(SameBits(got4[3], c.divides ? 1.0 : c.w));
}

INSTANTIATE_TEST_SUITE_P(
    Borders, DivideRule,
    ::testing::Values(WCase{"PlusBorderDivides", 1e-12, true},
                      WCase{"MinusBorderDivides", -1e-12, true},
                      WCase{"JustInsideIsKept", std::nextafter(1e-12, 0.0), false},
                      WCase{"HalfBorderIsKept", 5e-13, false},
                      WCase{"NegativeInsideIsKept", -5e-13, false},
                      WCase{"TenthBorderIsKept", 1e-13, false}, WCase{"ZeroIsKept", 0.0, false},
                      WCase{"TwoHalves", 2.0, true}, WCase{"NaNDivides", kNaN, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(DoubleArrays, DirectionThroughAnAffineMatrixStaysUndivided) {
    const double m[16] = {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 5, 6, 7, 1};
    Tal_Vector4T<double> v = {1, 2, 3, 0};
    ASSERT_EQ(Tal_TransformVector4(m, 1, &v), 0);
    EXPECT_EQ(v.x, -2);
    EXPECT_EQ(v.y, 1);
    EXPECT_EQ(v.z, 3);
    EXPECT_TRUE(SameBits(v.w, 0.0));
}

TEST(DoubleArrays, ThreeDPointsAgreeWithFourComponentVectorsOfWOne) {
    xformtest::Rng rng(31337);
    for (int i = 0; i < 4000; ++i) {
        double m[16];
        rng.Fill(m, -2, 2);
        if (i % 4 == 0) m[3] = m[7] = m[11] = 0, m[15] = rng.Uniform(-2e-12, 2e-12);
        Tal_Vector3T<double> p = {rng.Uniform(-9, 9), rng.Uniform(-9, 9), rng.Uniform(-9, 9)};
        Tal_Vector4T<double> v = {p.x, p.y, p.z, 1.0};
        ASSERT_EQ(Tal_Transform3DFloatPoints(m, 1, &p), 0);
        ASSERT_EQ(Tal_TransformVector4(m, 1, &v), 0);
        ASSERT_TRUE(SameBits(p.x, v.x) && SameBits(p.y, v.y) && SameBits(p.z, v.z)) << i;
    }
}

// An array that overlaps the matrix sees each earlier element's result, as a plain loop does.
TEST(DoubleArrays, ArrayOverlappingTheMatrixReadsItAfresh) {
    double buf[9] = {2, 0, 0, 0, 3, 0, 10, 20, 1};
    double ref[9];
    std::memcpy(ref, buf, sizeof buf);
    for (int i = 0; i < 4; ++i) {  // the plain loop over four points laid on the matrix itself
        const double x = ref[2 * i], y = ref[2 * i + 1];
        ref[2 * i] = x * ref[0] + y * ref[3] + ref[6];
        ref[2 * i + 1] = x * ref[1] + y * ref[4] + ref[7];
    }
    ASSERT_EQ(Tal_TransformFloatPoints(buf, 4, reinterpret_cast<Tal_Vector2T<double>*>(buf)), 0);
    for (int i = 0; i < 9; ++i)
        EXPECT_TRUE(SameBits(buf[i], ref[i])) << i;
}

// ---- Counts below one -------------------------------------------------------------------------

TEST(AllPointArrays, CountsBelowOneTouchNothing) {
    const double m[16] = {};  // every result would differ from the input
    for (long count : {0L, -1L, -5L, LONG_MIN}) {
        Tal_Point s = {1, 2};
        Tal_FixedPoint f = {3, 4};
        Tal_Vector2T<double> v2 = {5, 6};
        Tal_Vector3T<double> v3 = {7, 8, 9};
        Tal_Vector4T<double> v4 = {1, 2, 3, 4};
        TakeReports();
        EXPECT_EQ(Tal_TransformPoints(m, count, &s), 0);
        EXPECT_EQ(Tal_TransformFixPoints(m, count, &f), 0);
        EXPECT_EQ(Tal_TransformFloatPoints(m, count, &v2), 0);
        EXPECT_EQ(Tal_TransformVector3(m, count, &v3), 0);
        EXPECT_EQ(Tal_TransformVector4(m, count, &v4), 0);
        EXPECT_EQ(Tal_TransformVector4NoDivide(m, count, &v4), 0);
        EXPECT_EQ(Tal_Transform3DFloatPoints(m, count, &v3), 0);
        EXPECT_EQ(Tal_3DTransform2DPoints(m, count, &s), 0);
        EXPECT_EQ(s, (Tal_Point{1, 2}));
        EXPECT_EQ(f, (Tal_FixedPoint{3, 4}));
        EXPECT_TRUE(v2.x == 5 && v2.y == 6 && v3.x == 7 && v3.y == 8 && v3.z == 9);
        EXPECT_TRUE(v4.x == 1 && v4.y == 2 && v4.z == 3 && v4.w == 4);
        EXPECT_TRUE(TakeReports().empty());
    }
}

}  // namespace
