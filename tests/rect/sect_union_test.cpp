// Intersection, union and the comparison modes against per-pixel set operations, exhaustively
// over every rectangle (empty and inverted ones included) with edges in [-2, 2].
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "rect/rect_kinds.h"
#include "support/reports.h"

using namespace recttest;

namespace {

constexpr int kLo = -2, kHi = 2, kSide = kHi - kLo;  // pixels [-2, 1] on each axis

// Pixel set of a rectangle as a bit mask over the kSide x kSide grid.
uint32_t Pixels(const Edges& e) {
    uint32_t m = 0;
    for (int64_t y = kLo; y < kHi; ++y)
        for (int64_t x = kLo; x < kHi; ++x)
            if (e.left <= x && x < e.right && e.top <= y && y < e.bottom)
                m |= 1u << ((y - kLo) * kSide + (x - kLo));
    return m;
}

// Smallest rectangle holding every pixel of a non-empty mask.
Edges Bounds(uint32_t m) {
    Edges b{kHi, kHi, kLo, kLo};
    for (int i = 0; i < kSide * kSide; ++i) {
        if (!(m >> i & 1)) continue;
        const int64_t x = kLo + i % kSide, y = kLo + i / kSide;
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
    }
    return b;
}

std::vector<Edges> AllRects() {
    std::vector<Edges> v;
    for (int l = kLo; l <= kHi; ++l)
        for (int t = kLo; t <= kHi; ++t)
            for (int r = kLo; r <= kHi; ++r)
                for (int b = kLo; b <= kHi; ++b)
                    v.push_back({l, t, r, b});
    return v;
}

template <class K>
void CheckSect(const Edges& ea, const Edges& eb) {
    using R = typename K::R;
    const R a = K::Make(ea), b = K::Make(eb);
    const uint32_t common = Pixels(ea) & Pixels(eb);
    const Edges want = common ? Bounds(common) : Edges{0, 0, 0, 0};

    R out = K::Make({7, 7, 7, 7});
    ASSERT_EQ(K::Sect(&a, &b, &out), common != 0);
    ASSERT_EQ(EdgesOf(out, K::Scale), want);
    ASSERT_EQ(Pixels(EdgesOf(out, K::Scale)), common);
    ASSERT_EQ(K::Sect(&a, &b, nullptr), common != 0);

    R inA = a, inB = b;  // out is one of the inputs
    ASSERT_EQ(K::Sect(&inA, &b, &inA), common != 0);
    ASSERT_EQ(EdgesOf(inA, K::Scale), want);
    ASSERT_EQ(K::Sect(&a, &inB, &inB), common != 0);
    ASSERT_EQ(EdgesOf(inB, K::Scale), want);
}

template <class K>
void CheckUnion(const Edges& ea, const Edges& eb) {
    using R = typename K::R;
    const R a = K::Make(ea), b = K::Make(eb);
    const uint32_t pa = Pixels(ea), pb = Pixels(eb);
    const Edges want = !pb ? ea : !pa ? eb : Bounds(pa | pb);

    R out = K::Make({7, 7, 7, 7});
    ASSERT_EQ(K::Union(&a, &b, &out), Tal_Err_NONE);
    ASSERT_EQ(EdgesOf(out, K::Scale), want);

    R inA = a, inB = b;
    ASSERT_EQ(K::Union(&inA, &b, &inA), Tal_Err_NONE);
    ASSERT_EQ(EdgesOf(inA, K::Scale), want);
    ASSERT_EQ(K::Union(&a, &inB, &inB), Tal_Err_NONE);
    // Out being b keeps b only when both are empty; an empty b alone still yields a.
    ASSERT_EQ(EdgesOf(inB, K::Scale), !pa && !pb ? eb : want);
}

// Modes whose meaning is a pixel relation on non-empty rectangles.
template <class K>
void CheckCompare(const Edges& ea, const Edges& eb) {
    using R = typename K::R;
    const R a = K::Make(ea), b = K::Make(eb);
    const uint32_t pa = Pixels(ea), pb = Pixels(eb);
    const int64_t wa = ea.right - ea.left, wb = eb.right - eb.left;
    const int64_t ha = ea.bottom - ea.top, hb = eb.bottom - eb.top;

    ASSERT_EQ(K::Empty(&a), pa == 0);
    ASSERT_EQ(K::Equal(&a, &b), pa == pb);
    ASSERT_EQ(K::Compare(0, &a, &b), ea == eb);
    ASSERT_EQ(K::Compare(1, &a, &b), wa > wb && ha > hb);
    ASSERT_EQ(K::Compare(2, &a, &b), wa >= wb && ha >= hb);
    ASSERT_EQ(K::Compare(3, &a, &b), wa < wb && ha < hb);
    ASSERT_EQ(K::Compare(4, &a, &b), wa <= wb && ha <= hb);
    ASSERT_EQ(K::Compare(7, &a, &b), (pa & pb) != 0);
    if (pa && pb) {
        const uint32_t interior = Pixels({ea.left + 1, ea.top + 1, ea.right - 1, ea.bottom - 1});
        ASSERT_EQ(K::Compare(6, &a, &b), (pb & ~pa) == 0);
        ASSERT_EQ(K::Compare(5, &a, &b), (pb & ~interior) == 0);
    }
    if (ea.left <= ea.right && ea.top <= ea.bottom && eb.left <= eb.right && eb.top <= eb.bottom) {
        // Closed ranges [lo, hi] meet when the larger start is not past the smaller end.
        const bool touch = std::max(ea.top, eb.top) <= std::min(ea.bottom, eb.bottom) &&
                           std::max(ea.left, eb.left) <= std::min(ea.right, eb.right);
        ASSERT_EQ(K::Compare(8, &a, &b), touch);
    }
}

template <class K>
class RectSetOps : public ::testing::Test {};
using IntegerKinds = ::testing::Types<RectKind, LRectKind, FixedRectKind>;
struct KindNames {
    template <class K>
    static std::string GetName(int) {
        return std::is_same<K, RectKind>::value    ? "Rect"
               : std::is_same<K, LRectKind>::value ? "LRect"
                                                   : "FixedRect";
    }
};
TYPED_TEST_SUITE(RectSetOps, IntegerKinds, KindNames);

TYPED_TEST(RectSetOps, IntersectionIsThePixelIntersection) {
    const std::vector<Edges> all = AllRects();
    for (const Edges& a : all)
        for (const Edges& b : all) {
            CheckSect<TypeParam>(a, b);
            if (::testing::Test::HasFatalFailure()) return;
        }
}

TYPED_TEST(RectSetOps, UnionIsTheBoundsOfThePixelUnion) {
    const std::vector<Edges> all = AllRects();
    for (const Edges& a : all)
        for (const Edges& b : all) {
            CheckUnion<TypeParam>(a, b);
            if (::testing::Test::HasFatalFailure()) return;
        }
}

TYPED_TEST(RectSetOps, CompareModesMatchPixelRelations) {
    const std::vector<Edges> all = AllRects();
    for (const Edges& a : all)
        for (const Edges& b : all) {
            CheckCompare<TypeParam>(a, b);
            if (::testing::Test::HasFatalFailure()) return;
        }
}

TEST(FloatRectSect, IntersectionIsThePixelIntersection) {
    const std::vector<Edges> all = AllRects();
    for (const Edges& a : all)
        for (const Edges& b : all) {
            CheckSect<FloatRectKind>(a, b);
            if (::testing::Test::HasFatalFailure()) return;
        }
}

TEST(FloatRectSect, NaNEdgeGivesEmptyAndZeroes) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const Tal_FloatRect good{0, 0, 4, 4};
    const Tal_FloatRect bad[] = {{nan, 0, 4, 4}, {0, nan, 4, 4}, {0, 0, nan, 4}, {0, 0, 4, nan}};
    for (const Tal_FloatRect& b : bad) {
        Tal_FloatRect out{1, 1, 1, 1};
        EXPECT_FALSE(Tal_SectFloatRect(&good, &b, &out));
        EXPECT_EQ(out.left, 0.0);
        EXPECT_EQ(out.bottom, 0.0);
        out = {1, 1, 1, 1};
        EXPECT_FALSE(Tal_SectFloatRect(&b, &good, &out));
        EXPECT_EQ(out.right, 0.0);
    }
}

TEST(FloatRectSect, FractionalEdgesAndSignedZeroOut) {
    const Tal_FloatRect a{0.25, 0.5, 1.75, 2.0}, b{1.0, -3.0, 9.0, 0.75};
    Tal_FloatRect out;
    EXPECT_TRUE(Tal_SectFloatRect(&a, &b, &out));
    EXPECT_EQ(out.left, 1.0);
    EXPECT_EQ(out.top, 0.5);
    EXPECT_EQ(out.right, 1.75);
    EXPECT_EQ(out.bottom, 0.75);
    const Tal_FloatRect far{5, 5, 6, 6};
    EXPECT_FALSE(Tal_SectFloatRect(&a, &far, &out));
    EXPECT_FALSE(std::signbit(out.left));  // a plain +0.0, not copied from anywhere
}

// ---- The nine modes on fixed pairs, every kind ----

struct ModeCase {
    const char* name;
    Edges a, b;
    bool want[9];  // modes 0..8
};

const ModeCase kModeCases[] = {
    {"strictly inside", {0, 0, 10, 10}, {2, 2, 5, 5}, {0, 1, 1, 0, 0, 1, 1, 1, 1}},
    {"identical", {0, 0, 10, 10}, {0, 0, 10, 10}, {1, 0, 1, 0, 1, 0, 1, 1, 1}},
    {"around", {2, 2, 5, 5}, {0, 0, 10, 10}, {0, 0, 0, 1, 1, 0, 0, 1, 1}},
    {"sharing the right edge", {0, 0, 5, 5}, {5, 0, 10, 5}, {0, 0, 1, 0, 1, 0, 0, 0, 1}},
    {"touching at a corner", {0, 0, 5, 5}, {5, 5, 10, 10}, {0, 0, 1, 0, 1, 0, 0, 0, 1}},
    {"one unit apart", {0, 0, 5, 5}, {6, 0, 11, 5}, {0, 0, 1, 0, 1, 0, 0, 0, 0}},
    {"wider but shorter", {0, 0, 9, 2}, {0, 0, 3, 3}, {0, 0, 0, 0, 0, 0, 0, 1, 1}},
    {"inside with a shared edge", {0, 0, 10, 10}, {0, 2, 5, 5}, {0, 1, 1, 0, 0, 0, 1, 1, 1}},
    // Mode 8 on inverted ranges follows its own order of tests.
    {"b inverted, same top", {0, 3, 5, 8}, {0, 3, 5, 1}, {0, 0, 1, 0, 0, 0, 1, 0, 1}},
    {"a inverted above b", {0, 1, 5, 0}, {0, 3, 5, 8}, {0, 0, 0, 0, 1, 0, 0, 0, 0}},
    {"a inverted below b top", {0, 5, 5, 1}, {0, 3, 5, 8}, {0, 0, 0, 0, 1, 0, 0, 0, 1}},
    {"empty b enclosed by edges", {0, 0, 10, 10}, {3, 3, 3, 3}, {0, 1, 1, 0, 0, 1, 1, 0, 1}},
};

template <class K>
void CheckModeTable() {
    for (const ModeCase& c : kModeCases) {
        const typename K::R a = K::Make(c.a), b = K::Make(c.b);
        for (int16_t mode = 0; mode < 9; ++mode)
            EXPECT_EQ(K::Compare(mode, &a, &b), c.want[mode]) << c.name << ", mode " << mode;
        for (int16_t mode : {int16_t(9), int16_t(-1), int16_t(INT16_MIN), int16_t(INT16_MAX)})
            EXPECT_FALSE(K::Compare(mode, &a, &b)) << c.name << ", mode " << mode;
    }
}

TYPED_TEST(RectSetOps, NineModesOnKnownPairs) {
    CheckModeTable<TypeParam>();
}

// ---- Extremes ----

TEST(RectExtremes, SixteenBitWidthsAreExactIn32Bits) {
    Tal_Rect full, small;
    Tal_SetRect(&full, INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX);
    Tal_SetRect(&small, 0, 0, 5, 5);
    EXPECT_TRUE(Tal_RectCompare(1, &full, &small));  // width 65535, not -1
    EXPECT_TRUE(Tal_RectCompare(5, &full, &small));
    Tal_Rect out;
    EXPECT_TRUE(Tal_SectRect(&full, &small, &out));
    EXPECT_TRUE(Tal_EqualRect(&out, &small));
    EXPECT_EQ(Tal_UnionRect(&full, &small, &out), Tal_Err_NONE);
    EXPECT_EQ(out.left, INT16_MIN);
    EXPECT_EQ(out.bottom, INT16_MAX);
}

TEST(RectExtremes, ThirtyTwoBitWidthsWrap) {
    Tal_LRect full, small;
    Tal_SetLRect(&full, INT32_MIN, 0, INT32_MAX, 10);  // width 2^32 - 1 wraps to -1
    Tal_SetLRect(&small, 0, 0, 5, 20);
    EXPECT_FALSE(Tal_LRectCompare(1, &full, &small));
    EXPECT_TRUE(Tal_LRectCompare(3, &full, &small));
    const Tal_LRect inside{0, 0, 5, 10};
    EXPECT_TRUE(Tal_LRectCompare(6, &full, &inside));
    Tal_FixedRect ffull{INT32_MIN, 0, INT32_MAX, 10}, fsmall{0, 0, 5, 20};
    EXPECT_TRUE(Tal_FixedRectCompare(3, &ffull, &fsmall));
    Tal_LRect out;
    EXPECT_TRUE(Tal_SectLRect(&full, &small, &out));
    EXPECT_EQ(out.left, 0);
    EXPECT_EQ(out.bottom, 10);
    EXPECT_EQ(Tal_UnionLRect(&full, &small, &out), Tal_Err_NONE);
    EXPECT_EQ(out.left, INT32_MIN);
    EXPECT_EQ(out.right, INT32_MAX);
    EXPECT_EQ(out.bottom, 20);
}

TEST(RectReports, SetOperationsReportNothing) {
    taltest::TakeReports();
    Tal_Rect a{0, 0, 0, 0}, b{5, 5, 1, 1};
    Tal_SectRect(&a, &b, &a);
    Tal_UnionRect(&a, &b, &b);
    Tal_RectCompare(99, &a, &b);
    EXPECT_TRUE(taltest::TakeReports().empty());
}

}  // namespace
