// Rectangles: bounds of the transformed corners against an independent corner model, the limits
// and rounding of each kind, the inexact flag, and the state an overflow leaves.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>

#include "support/reports.h"
#include "tal/matrix.h"
#include "tal/xform.h"
#include "xform/xform_support.h"

namespace {

using taltest::Msg;
using taltest::Report;
using taltest::TakeReports;

struct M3 {
    double m[9];
};
M3 Scale(double sx, double sy, double tx = 0, double ty = 0) {
    return {{sx, 0, 0, 0, sy, 0, tx, ty, 1}};
}
M3 Rotate45() {
    const double c = std::sqrt(0.5);
    return {{c, c, 0, -c, c, 0, 0, 0, 1}};
}
M3 Perspective() {
    return {{2, 0, 0.5, 0, 3, 0.25, 1, 1, 1}};
}

// Corners in the fixed order, mapped with the stated-order sums.
void ModelCorners(const double* m, double l, double t, double r, double b, double* xs, double* ys) {
    const double cx[4] = {l, r, r, l}, cy[4] = {t, t, b, b};
    for (int i = 0; i < 4; ++i) {
        xs[i] = cx[i] * m[0] + cy[i] * m[3] + m[6];
        ys[i] = cx[i] * m[1] + cy[i] * m[4] + m[7];
    }
}

int16_t ModelShort(double v) {
    v = std::min(std::max(v, -32767.0), 32766.0);
    return int16_t(std::floor(v + 0.5));
}

// ---- 16-bit rectangles ------------------------------------------------------------------------

struct RectCase {
    const char* name;
    M3 m;
    Tal_Rect in;  // top, left, bottom, right
    Tal_Rect out;
    unsigned char inexact;
};

class ShortRects : public ::testing::TestWithParam<RectCase> {};

TEST_P(ShortRects, BoundsLimitsRoundsAndFlags) {
    const RectCase& c = GetParam();
    Tal_Rect r = c.in;
    unsigned char inexact = 7;
    TakeReports();
    ASSERT_EQ(Tal_TransformRect(c.m.m, &r, nullptr, &inexact), 0);
    EXPECT_EQ(r.top, c.out.top);
    EXPECT_EQ(r.left, c.out.left);
    EXPECT_EQ(r.bottom, c.out.bottom);
    EXPECT_EQ(r.right, c.out.right);
    EXPECT_EQ(inexact, c.inexact);
    EXPECT_TRUE(TakeReports().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, ShortRects,
    ::testing::Values(
        RectCase{"ScaleBeyondRangeIsLimited",
                 Scale(4000, 4000),
                 {0, 0, 10, 10},
                 {0, 0, 32766, 32766},
                 0},
        RectCase{"TranslateBelowRangeIsLimited",
                 Scale(1, 1, -40000, 0),
                 {0, 0, 10, 10},
                 {0, -32767, 10, -32767},
                 0},
        RectCase{"SmallScaleRoundsDown", Scale(0.11, 0.11), {0, 0, 10, 10}, {0, 0, 1, 1}, 0},
        RectCase{"MirrorSwapsEdges", Scale(-1, -2, 0, 0), {1, 2, 3, 4}, {-6, -4, -2, -2}, 0},
        RectCase{"ScaleTranslateIsExact", Scale(2, 3, 5, 7), {1, 2, 3, 4}, {10, 9, 16, 13}, 0},
        RectCase{"RotationIsInexact", Rotate45(), {0, 0, 10, 10}, {0, -7, 14, 7}, 1},
        RectCase{"PerspectiveColumnIgnored", Perspective(), {0, 0, 10, 10}, {1, 1, 31, 21}, 1},
        RectCase{"HalfRoundsUp", Scale(0.5, 0.5, -0.5, 0), {1, -3, 3, 1}, {1, -2, 2, 0}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ShortRects, CornersComeBackUnlimitedAndUnrounded) {
    const M3 m = Scale(5000, 0.3, 0.1, 0);
    Tal_Rect r = {1, 2, 3, 40};
    Tal_Vector2T<double> corners[4];
    ASSERT_EQ(Tal_TransformRect(m.m, &r, corners, nullptr), 0);
    double xs[4], ys[4];
    ModelCorners(m.m, 2, 1, 40, 3, xs, ys);
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(xformtest::SameBits(corners[i].x, xs[i])) << i;
        EXPECT_TRUE(xformtest::SameBits(corners[i].y, ys[i])) << i;
    }
    EXPECT_EQ(r.right, 32766);
    EXPECT_EQ(corners[1].x, 40 * 5000 + 0.1);
}

// ---- Every kind against the corner model on random input -------------------------------------

TEST(AllRects, MatchTheBoundsOfTheModelCorners) {
    xformtest::Rng rng(0xbeef);
    for (int round = 0; round < 4000; ++round) {
        double m[9];
        rng.Fill(m, -3, 3);
        if (round % 3 == 0) m[1] = m[3] = 0;  // axis-aligned images too
        m[6] = rng.Uniform(-2e4, 2e4);
        m[7] = rng.Uniform(-2e4, 2e4);
        const int32_t l = rng.Int(-9000, 9000), t = rng.Int(-9000, 9000);
        const int32_t r = l + rng.Int(0, 9000), b = t + rng.Int(0, 9000);
        double xs[4], ys[4];
        ModelCorners(m, l, t, r, b, xs, ys);
        const double minX = *std::min_element(xs, xs + 4), maxX = *std::max_element(xs, xs + 4);
        const double minY = *std::min_element(ys, ys + 4), maxY = *std::max_element(ys, ys + 4);
        long type;
        ASSERT_EQ(Tal_GetMatrixType(m, &type), 0);
        const unsigned char wantInexact = type >= Tal_MatrixType_AFFINE;

        Tal_Rect s = {int16_t(t), int16_t(l), int16_t(b), int16_t(r)};
        unsigned char inexact = 9;
        ASSERT_EQ(Tal_TransformRect(m, &s, nullptr, &inexact), 0);
        ASSERT_EQ(s.left, ModelShort(minX));
        ASSERT_EQ(s.top, ModelShort(minY));
        ASSERT_EQ(s.right, ModelShort(maxX));
        ASSERT_EQ(s.bottom, ModelShort(maxY));
        ASSERT_EQ(inexact, wantInexact);

        Tal_FloatRect f = {double(l), double(t), double(r), double(b)};
        ASSERT_EQ(Tal_TransformFloatRect(m, &f, nullptr, &inexact), 0);
        ASSERT_TRUE(f.left == minX && f.top == minY && f.right == maxX && f.bottom == maxY);
        ASSERT_EQ(inexact, wantInexact);

        Tal_LRect lr = {l, t, r, b};
        const Tal_LRect got = Tal_TransformBounds(*reinterpret_cast<const Tal_Matrix3*>(m), lr);
        if (r == l || b == t) {
            ASSERT_TRUE(got.left == 0 && got.top == 0 && got.right == 0 && got.bottom == 0);
        } else {
            ASSERT_EQ(got.left, int32_t(std::floor(minX)));
            ASSERT_EQ(got.top, int32_t(std::floor(minY)));
            ASSERT_EQ(got.right, int32_t(std::ceil(maxX)));
            ASSERT_EQ(got.bottom, int32_t(std::ceil(maxY)));
        }

        // 16.16: the same corners in fixed point, translation in whole units.
        Tal_FixedRect x = {l * 4, t * 4, r * 4, b * 4};
        Tal_FixedPoint fc[4];
        ASSERT_EQ(Tal_TransformFixRect(m, &x, fc, &inexact), 0);
        int32_t fx[4], fy[4];
        const double cx[4] = {l * 4.0, r * 4.0, r * 4.0, l * 4.0};
        const double cy[4] = {t * 4.0, t * 4.0, b * 4.0, b * 4.0};
        for (int i = 0; i < 4; ++i) {
            fx[i] = int32_t(std::floor(cx[i] * m[0] + cy[i] * m[3] + 65536 * m[6] + 0.5));
            fy[i] = int32_t(std::floor(cx[i] * m[1] + cy[i] * m[4] + 65536 * m[7] + 0.5));
            ASSERT_EQ(fc[i], (Tal_FixedPoint{fx[i], fy[i]}));
        }
        ASSERT_EQ(x.left, *std::min_element(fx, fx + 4));
        ASSERT_EQ(x.top, *std::min_element(fy, fy + 4));
        ASSERT_EQ(x.right, *std::max_element(fx, fx + 4));
        ASSERT_EQ(x.bottom, *std::max_element(fy, fy + 4));
    }
}

// ---- Double rectangles ------------------------------------------------------------------------

TEST(FloatRects, PerspectiveColumnIsIgnoredAndFlagged) {
    const M3 m = Perspective();
    Tal_FloatRect r = {0, 0, 10, 10};
    Tal_Vector2T<double> corners[4];
    unsigned char inexact = 0;
    ASSERT_EQ(Tal_TransformFloatRect(m.m, &r, corners, &inexact), 0);
    EXPECT_EQ(inexact, 1);
    EXPECT_TRUE(r.left == 1 && r.top == 1 && r.right == 21 && r.bottom == 31);
    EXPECT_TRUE(corners[2].x == 21 && corners[2].y == 31);  // (right, bottom)
}

TEST(FloatRects, NullOutputsAreOptional) {
    const M3 m = Scale(2, 2);
    Tal_FloatRect r = {1, 2, 3, 4};
    ASSERT_EQ(Tal_TransformFloatRect(m.m, &r, nullptr, nullptr), 0);
    EXPECT_TRUE(r.left == 2 && r.top == 4 && r.right == 6 && r.bottom == 8);
}

// ---- 16.16 rectangles: an overflow leaves the rectangle and flag, the corners as far as done --

TEST(FixedRects, OverflowLeavesRectAndFlagAndPartCorners) {
    // x' = x * 1 + y * 1: the corner (right, bottom) overflows in x, after two corners were done.
    const double m[9] = {1, 0, 0, 1, 1, 0, 0, 0, 1};
    Tal_FixedRect r = {0, 0, 0x40000000, 0x40000000};
    const Tal_FixedRect before = r;
    Tal_FixedPoint corners[4] = {{9, 9}, {9, 9}, {9, 9}, {9, 9}};
    unsigned char inexact = 5;
    TakeReports();
    EXPECT_EQ(Tal_TransformFixRect(m, &r, corners, &inexact), Tal_Err_OVERFLOW);
    EXPECT_EQ(TakeReports(),
              std::vector<Report>{Msg(0x110027, "overflow in fixed point transformation.")});
    EXPECT_EQ(std::memcmp(&r, &before, sizeof r), 0);
    EXPECT_EQ(inexact, 5);
    EXPECT_EQ(corners[0], (Tal_FixedPoint{0, 0}));
    EXPECT_EQ(corners[1], (Tal_FixedPoint{0x40000000, 0}));
    EXPECT_EQ(corners[2], (Tal_FixedPoint{0x40000000, 0x40000000}));  // built, not yet mapped
    EXPECT_EQ(corners[3], (Tal_FixedPoint{0, 0x40000000}));
}

TEST(FixedRects, OneUnitTranslationMovesBy65536) {
    const M3 m = Scale(1, 1, 1, -1);
    Tal_FixedRect r = {0, 0, 0x10000, 0x20000};
    unsigned char inexact = 1;
    ASSERT_EQ(Tal_TransformFixRect(m.m, &r, nullptr, &inexact), 0);
    EXPECT_TRUE(r.left == 0x10000 && r.top == -0x10000 && r.right == 0x20000 &&
                r.bottom == 0x10000);
    EXPECT_EQ(inexact, 0);
}

// ---- 32-bit outward bounds ------------------------------------------------------------------

struct BoundsCase {
    const char* name;
    M3 m;
    Tal_LRect in, out;
};

class Bounds : public ::testing::TestWithParam<BoundsCase> {};

TEST_P(Bounds, OutwardRoundedAndLimited) {
    const BoundsCase& c = GetParam();
    const Tal_LRect got = Tal_TransformBounds(*reinterpret_cast<const Tal_Matrix3*>(c.m.m), c.in);
    EXPECT_EQ(got.left, c.out.left);
    EXPECT_EQ(got.top, c.out.top);
    EXPECT_EQ(got.right, c.out.right);
    EXPECT_EQ(got.bottom, c.out.bottom);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Bounds,
    ::testing::Values(
        BoundsCase{"SmallScaleRoundsOutward", Scale(0.11, 0.11), {0, 0, 10, 10}, {0, 0, 2, 2}},
        BoundsCase{"ZeroWidthIsEmpty", Scale(2, 2, 5, 5), {3, 0, 3, 10}, {0, 0, 0, 0}},
        BoundsCase{"InvertedIsEmpty", Scale(2, 2), {0, 10, 10, 0}, {0, 0, 0, 0}},
        BoundsCase{
            "NegativeFractionsFloorAway", Scale(1, 1, -0.5, -0.25), {0, 0, 1, 1}, {-1, -1, 1, 1}},
        BoundsCase{"HugeIsLimited",
                   Scale(1e10, 1e10, -1e10, 0),
                   {-1, 0, 2, 1},
                   {INT32_MIN, 0, INT32_MAX, INT32_MAX}},
        BoundsCase{"RotationCoversTheCorners", Rotate45(), {0, 0, 10, 10}, {-8, 0, 8, 15}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
