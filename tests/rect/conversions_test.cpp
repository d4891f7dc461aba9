// Fixed-to-integer rectangle conversions against exact 64-bit floor/ceiling arithmetic, the
// ordering In inside nearest inside Out, and the integer-to-fixed direction.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <random>

#include "tal/rect.h"

namespace {

int64_t FloorDiv(int64_t n, int64_t d) {
    return n >= 0 ? n / d : -((-n + d - 1) / d);
}
int64_t Floor(int32_t v) {
    return FloorDiv(v, 65536);
}
int64_t Ceil(int32_t v) {
    return -FloorDiv(-int64_t(v), 65536);
}
int64_t Nearest(int32_t v) {
    return FloorDiv(2 * int64_t(v) + 65536, 131072);
}  // halves up
int16_t Wrap16(int64_t v) {
    return int16_t(uint16_t(uint64_t(v)));
}

enum Mode { kNearest, kIn, kOut };

// Every conversion of one fixed rectangle, read back by edge name as 16-bit and 32-bit results.
struct Converted {
    Tal_Rect r;
    Tal_LRect l;
};

Converted Convert(Mode m, const Tal_FixedRect& f) {
    Converted c{};
    switch (m) {
        case kNearest:
            EXPECT_EQ(Tal_FixedRect2Rect(&f, &c.r), Tal_Err_NONE);
            EXPECT_EQ(Tal_FixedRect2LRect(&f, &c.l), Tal_Err_NONE);
            break;
        case kIn:
            EXPECT_EQ(Tal_FixedRect2RectIn(&f, &c.r), Tal_Err_NONE);
            EXPECT_EQ(Tal_FixedRect2LRectIn(&f, &c.l), Tal_Err_NONE);
            break;
        case kOut:
            EXPECT_EQ(Tal_FixedRect2RectOut(&f, &c.r), Tal_Err_NONE);
            EXPECT_EQ(Tal_FixedRect2LRectOut(&f, &c.l), Tal_Err_NONE);
            break;
    }
    return c;
}

struct ConvCase {
    const char* name;
    int32_t v;                       // one fixed coordinate, used for every edge
    int32_t nearest, lowIn, highIn;  // In rounds left/top up and right/bottom down
};

const ConvCase kConvCases[] = {
    {"1.5 rounds up", 0x18000, 2, 2, 1},
    {"-1.5 rounds up", -0x18000, -1, -1, -2},
    {"-0.5 rounds to zero", -0x8000, 0, 0, -1},
    {"just under a half", 0x7FFF, 0, 1, 0},
    {"smallest positive", 1, 0, 1, 0},
    {"smallest negative", -1, 0, 0, -1},
    {"whole number is exact", 7 << 16, 7, 7, 7},
    {"32767.5 wraps to -32768", 0x7FFF8000, -32768, -32768, 32767},
    {"largest fixed", INT32_MAX, -32768, -32768, 32767},
    {"smallest fixed", INT32_MIN, -32768, -32768, -32768},
};

TEST(RectConversions, KnownValuesEveryMode) {
    for (const ConvCase& c : kConvCases) {
        const Tal_FixedRect f{c.v, c.v, c.v, c.v};
        const Converted n = Convert(kNearest, f), in = Convert(kIn, f), out = Convert(kOut, f);
        EXPECT_EQ(n.r.left, c.nearest) << c.name;
        EXPECT_EQ(n.l.bottom, c.nearest) << c.name;
        EXPECT_EQ(in.r.left, c.lowIn) << c.name;
        EXPECT_EQ(in.l.top, c.lowIn) << c.name;
        EXPECT_EQ(in.r.right, c.highIn) << c.name;
        EXPECT_EQ(in.l.bottom, c.highIn) << c.name;
        // Out is In mirrored: floor on the low edges, ceiling on the high ones.
        EXPECT_EQ(out.r.left, c.highIn) << c.name;
        EXPECT_EQ(out.l.right, c.lowIn) << c.name;
    }
}

TEST(RectConversions, HalfUnitRectangleInAndOut) {
    const Tal_FixedRect f{0x8000, 0x8000, 0x38000, 0x38000};  // (0.5, 0.5, 3.5, 3.5)
    const Converted in = Convert(kIn, f), out = Convert(kOut, f);
    EXPECT_TRUE(in.r.left == 1 && in.r.top == 1 && in.r.right == 3 && in.r.bottom == 3);
    EXPECT_TRUE(out.r.left == 0 && out.r.top == 0 && out.r.right == 4 && out.r.bottom == 4);
    EXPECT_TRUE(in.l.left == 1 && in.l.top == 1 && in.l.right == 3 && in.l.bottom == 3);
    EXPECT_TRUE(out.l.left == 0 && out.l.top == 0 && out.l.right == 4 && out.l.bottom == 4);
}

// Fields are mapped by name although the 16-bit record stores them in another order.
TEST(RectConversions, FieldsMapByName) {
    const Tal_FixedRect f{1 << 16, 2 << 16, 3 << 16, 4 << 16};
    Tal_Rect r;
    Tal_FixedRect2Rect(&f, &r);
    EXPECT_TRUE(r.left == 1 && r.top == 2 && r.right == 3 && r.bottom == 4);
    Tal_FixedRect back;
    EXPECT_EQ(Tal_Rect2FixedRect(&r, &back), Tal_Err_NONE);
    EXPECT_TRUE(back.left == f.left && back.top == f.top && back.right == f.right &&
                back.bottom == f.bottom);
}

TEST(RectConversions, RandomEdgesMatchExactRoundingAndNest) {
    std::mt19937 rng(1234);
    for (int i = 0; i < 50000; ++i) {
        const int32_t e[4] = {int32_t(rng()), int32_t(rng()), int32_t(rng()), int32_t(rng())};
        const Tal_FixedRect f{e[0], e[1], e[2], e[3]};
        const Converted n = Convert(kNearest, f), in = Convert(kIn, f), out = Convert(kOut, f);
        const int16_t nr[4] = {n.r.left, n.r.top, n.r.right, n.r.bottom};
        const int16_t ir[4] = {in.r.left, in.r.top, in.r.right, in.r.bottom};
        const int16_t orr[4] = {out.r.left, out.r.top, out.r.right, out.r.bottom};
        const int32_t nl[4] = {n.l.left, n.l.top, n.l.right, n.l.bottom};
        const int32_t il[4] = {in.l.left, in.l.top, in.l.right, in.l.bottom};
        const int32_t ol[4] = {out.l.left, out.l.top, out.l.right, out.l.bottom};
        for (int k = 0; k < 4; ++k) {
            const bool low = k < 2;  // left and top
            const int64_t wantIn = low ? Ceil(e[k]) : Floor(e[k]);
            const int64_t wantOut = low ? Floor(e[k]) : Ceil(e[k]);
            ASSERT_EQ(nr[k], Wrap16(Nearest(e[k]))) << e[k];
            ASSERT_EQ(ir[k], Wrap16(wantIn)) << e[k];
            ASSERT_EQ(orr[k], Wrap16(wantOut)) << e[k];
            // The 32-bit targets are the 16-bit results sign-extended.
            ASSERT_EQ(nl[k], nr[k]);
            ASSERT_EQ(il[k], ir[k]);
            ASSERT_EQ(ol[k], orr[k]);
            if (Ceil(e[k]) > INT16_MAX) continue;  // wrapped: the ordering no longer holds
            // In inside nearest inside Out, each edge within one unit of the fixed value.
            const int64_t lo = low ? ol[k] : il[k], mid = nl[k], hi = low ? il[k] : ol[k];
            ASSERT_TRUE(lo <= mid && mid <= hi && hi - lo <= 1) << e[k];
            ASSERT_TRUE(lo * 65536 <= e[k] && e[k] <= hi * 65536) << e[k];
        }
    }
}

TEST(RectConversions, EverySixteenBitValueRoundTrips) {
    for (int32_t v = INT16_MIN; v <= INT16_MAX; ++v) {
        Tal_Rect r;
        Tal_SetRect(&r, int16_t(v), int16_t(-1 - v), int16_t(v), int16_t(-1 - v));
        Tal_FixedRect f;
        Tal_Rect2FixedRect(&r, &f);
        ASSERT_EQ(f.left, v * 65536);
        ASSERT_EQ(f.top, (-1 - v) * 65536);
        for (Mode m : {kNearest, kIn, kOut}) {
            const Converted c = Convert(m, f);
            ASSERT_TRUE(c.r.left == v && c.r.top == -1 - v && c.r.right == v &&
                        c.r.bottom == -1 - v);
            ASSERT_TRUE(c.l.left == v && c.l.bottom == -1 - v);
        }
    }
}

TEST(RectConversions, ThirtyTwoBitToFixedWrapsBeyondSixteenBits) {
    const Tal_LRect l{32768, 65536, -32769, INT32_MIN};
    Tal_FixedRect f;
    EXPECT_EQ(Tal_LRect2FixedRect(&l, &f), Tal_Err_NONE);
    EXPECT_EQ(f.left, INT32_MIN);
    EXPECT_EQ(f.top, 0);
    EXPECT_EQ(f.right, 0x7FFF0000);
    EXPECT_EQ(f.bottom, 0);
    const Tal_LRect small{-3, 4, 32767, -32768};
    EXPECT_EQ(Tal_LRect2FixedRect(&small, &f), Tal_Err_NONE);
    EXPECT_TRUE(f.left == -3 * 65536 && f.top == 4 * 65536 && f.right == 0x7FFF0000 &&
                f.bottom == INT32_MIN);
}

}  // namespace
