// Inset, offset and centering: exact values at the 16- and 32-bit limits, and random inputs
// against wide (64-bit) arithmetic reduced to the field width.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "tal/rect.h"

namespace {

int16_t Wrap16(int64_t v) {
    return int16_t(uint16_t(uint64_t(v)));
}
int32_t Wrap32(int64_t v) {
    return int32_t(uint32_t(uint64_t(v)));
}

struct Case16 {
    const char* name;
    int16_t l, t, r, b, dh, dv;
    int16_t inset[4], offset[4];  // left, top, right, bottom after each
};

const Case16 kCases16[] = {
    {"plain", 0, 0, 10, 8, 2, 1, {2, 1, 8, 7}, {2, 1, 12, 9}},
    {"negative deltas grow", 0, 0, 10, 8, -2, -1, {-2, -1, 12, 9}, {-2, -1, 8, 7}},
    {"inset past the middle inverts", 0, 0, 4, 4, 3, 3, {3, 3, 1, 1}, {3, 3, 7, 7}},
    {"full range inset by one",
     INT16_MIN,
     INT16_MIN,
     INT16_MAX,
     INT16_MAX,
     1,
     1,
     {INT16_MIN + 1, INT16_MIN + 1, INT16_MAX - 1, INT16_MAX - 1},
     {INT16_MIN + 1, INT16_MIN + 1, INT16_MIN, INT16_MIN}},
    {"minimum delta wraps",
     0,
     5,
     0,
     5,
     INT16_MIN,
     INT16_MIN,
     {INT16_MIN, -32763, INT16_MIN, -32763},
     {INT16_MIN, -32763, INT16_MIN, -32763}},
};

TEST(RectMove, SixteenBitInsetAndOffsetWrapInSixteenBits) {
    for (const Case16& c : kCases16) {
        Tal_Rect in, off;
        Tal_SetRect(&in, c.l, c.t, c.r, c.b);
        off = in;
        EXPECT_EQ(Tal_InsetRect(&in, c.dh, c.dv), Tal_Err_NONE);
        EXPECT_EQ(Tal_OffsetRect(&off, c.dh, c.dv), Tal_Err_NONE);
        const int16_t gotIn[] = {in.left, in.top, in.right, in.bottom};
        const int16_t gotOff[] = {off.left, off.top, off.right, off.bottom};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(gotIn[i], c.inset[i]) << c.name << " inset edge " << i;
            EXPECT_EQ(gotOff[i], c.offset[i]) << c.name << " offset edge " << i;
        }
    }
}

TEST(RectMove, ThirtyTwoBitLimitsWrap) {
    Tal_LRect r{INT32_MAX, INT32_MIN, INT32_MIN, INT32_MAX};
    EXPECT_EQ(Tal_OffsetLRect(&r, 1, -1), Tal_Err_NONE);
    EXPECT_EQ(r.left, INT32_MIN);
    EXPECT_EQ(r.top, INT32_MAX);
    EXPECT_EQ(r.right, INT32_MIN + 1);
    EXPECT_EQ(r.bottom, INT32_MAX - 1);
    Tal_FixedRect f{0, 0, 0, 0};
    EXPECT_EQ(Tal_InsetFixedRect(&f, INT32_MIN, INT32_MIN), Tal_Err_NONE);
    EXPECT_EQ(f.left, INT32_MIN);
    EXPECT_EQ(f.right, INT32_MIN);  // 0 - INT32_MIN wraps back to INT32_MIN
}

TEST(RectMove, RandomInsetOffsetMatchWideArithmetic) {
    std::mt19937 rng(20240603);
    for (int i = 0; i < 20000; ++i) {
        const int32_t e[4] = {int32_t(rng()), int32_t(rng()), int32_t(rng()), int32_t(rng())};
        const int32_t dh = int32_t(rng()), dv = int32_t(rng());
        Tal_LRect in{e[0], e[1], e[2], e[3]}, off = in;
        Tal_FixedRect fin{e[0], e[1], e[2], e[3]}, foff = fin;
        Tal_InsetLRect(&in, dh, dv);
        Tal_OffsetLRect(&off, dh, dv);
        Tal_InsetFixedRect(&fin, dh, dv);
        Tal_OffsetFixedRect(&foff, dh, dv);
        ASSERT_EQ(in.left, Wrap32(int64_t(e[0]) + dh));
        ASSERT_EQ(in.top, Wrap32(int64_t(e[1]) + dv));
        ASSERT_EQ(in.right, Wrap32(int64_t(e[2]) - dh));
        ASSERT_EQ(in.bottom, Wrap32(int64_t(e[3]) - dv));
        ASSERT_EQ(off.right, Wrap32(int64_t(e[2]) + dh));
        ASSERT_EQ(off.bottom, Wrap32(int64_t(e[3]) + dv));
        ASSERT_TRUE(fin.left == in.left && fin.top == in.top && fin.right == in.right &&
                    fin.bottom == in.bottom);
        ASSERT_TRUE(foff.left == off.left && foff.top == off.top && foff.right == off.right &&
                    foff.bottom == off.bottom);

        const int16_t s[4] = {int16_t(e[0]), int16_t(e[1]), int16_t(e[2]), int16_t(e[3])};
        Tal_Rect r16;
        Tal_SetRect(&r16, s[0], s[1], s[2], s[3]);
        Tal_InsetRect(&r16, int16_t(dh), int16_t(dv));
        ASSERT_EQ(r16.left, Wrap16(int64_t(s[0]) + int16_t(dh)));
        ASSERT_EQ(r16.bottom, Wrap16(int64_t(s[3]) - int16_t(dv)));
    }
}

struct CenterCase {
    const char* name;
    int32_t ref[4], r[4], want[4];  // left, top, right, bottom
};

const CenterCase kCenterCases[] = {
    {"odd slack truncates", {0, 0, 10, 10}, {0, 0, 3, 3}, {3, 3, 6, 6}},
    {"already centred", {2, 2, 8, 8}, {2, 2, 8, 8}, {2, 2, 8, 8}},
    {"larger than the reference", {0, 0, 3, 3}, {0, 0, 6, 6}, {-1, -1, 5, 5}},  // -3/2 = -1
    {"away from the origin", {-100, 50, -80, 90}, {7, 7, 11, 27}, {-92, 60, -88, 80}},
    {"empty rectangle keeps its size", {0, 0, 10, 10}, {5, 5, 2, 2}, {6, 6, 3, 3}},
};

TEST(RectMove, CenterKeepsSizeAndSplitsSlackTowardZero) {
    for (const CenterCase& c : kCenterCases) {
        Tal_Rect ref16, r16;
        Tal_SetRect(&ref16, int16_t(c.ref[0]), int16_t(c.ref[1]), int16_t(c.ref[2]),
                    int16_t(c.ref[3]));
        Tal_SetRect(&r16, int16_t(c.r[0]), int16_t(c.r[1]), int16_t(c.r[2]), int16_t(c.r[3]));
        const Tal_LRect ref{c.ref[0], c.ref[1], c.ref[2], c.ref[3]};
        Tal_LRect r{c.r[0], c.r[1], c.r[2], c.r[3]};
        EXPECT_EQ(Tal_CenterRect(&ref16, &r16), Tal_Err_NONE);
        EXPECT_EQ(Tal_CenterLRect(&ref, &r), Tal_Err_NONE);
        const int32_t got16[] = {r16.left, r16.top, r16.right, r16.bottom};
        const int32_t got32[] = {r.left, r.top, r.right, r.bottom};
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(got16[i], c.want[i]) << c.name << " 16-bit edge " << i;
            EXPECT_EQ(got32[i], c.want[i]) << c.name << " 32-bit edge " << i;
        }
    }
}

TEST(RectMove, SixteenBitCenterTakesDifferencesInSixteenBits) {
    // Reference width 60000 wraps to -5536, so the slack is -5540 and the halves wrap around.
    Tal_Rect ref, r;
    Tal_SetRect(&ref, -30000, 0, 30000, 10);
    Tal_SetRect(&r, 0, 0, 4, 4);
    EXPECT_EQ(Tal_CenterRect(&ref, &r), Tal_Err_NONE);
    EXPECT_EQ(r.left, 32766);
    EXPECT_EQ(r.right, -32766);
    EXPECT_EQ(r.top, 3);
    EXPECT_EQ(r.bottom, 7);
    // The 32-bit member sees the true width.
    const Tal_LRect lref{-30000, 0, 30000, 10};
    Tal_LRect lr{0, 0, 4, 4};
    Tal_CenterLRect(&lref, &lr);
    EXPECT_EQ(lr.left, -2);
    EXPECT_EQ(lr.right, 2);
}

TEST(RectMove, CenterAtThirtyTwoBitLimitsWraps) {
    const Tal_LRect ref{INT32_MIN, 0, INT32_MAX, 2};  // width wraps to -1
    Tal_LRect r{0, 0, 1, 2};
    EXPECT_EQ(Tal_CenterLRect(&ref, &r), Tal_Err_NONE);
    EXPECT_EQ(r.left, INT32_MAX);  // slack -2, half -1: INT32_MIN - 1 wraps
    EXPECT_EQ(r.right, INT32_MIN);
    EXPECT_EQ(r.top, 0);
}

TEST(RectMove, RandomCenterSplitsSlackAsWideArithmeticSays) {
    std::mt19937 rng(77);
    std::uniform_int_distribution<int32_t> coord(-(1 << 20), 1 << 20);
    for (int i = 0; i < 20000; ++i) {
        const int32_t rl = coord(rng), rt = coord(rng), rr = coord(rng), rb = coord(rng);
        const int32_t l = coord(rng), t = coord(rng), r = coord(rng), b = coord(rng);
        const Tal_LRect ref{rl, rt, rr, rb};
        Tal_LRect got{l, t, r, b};
        Tal_CenterLRect(&ref, &got);
        const Tal_FixedRect fref{rl, rt, rr, rb};
        Tal_FixedRect fgot{l, t, r, b};
        Tal_CenterFixedRect(&fref, &fgot);  // the same operation on raw 32-bit values
        ASSERT_TRUE(fgot.left == got.left && fgot.top == got.top && fgot.right == got.right &&
                    fgot.bottom == got.bottom);
        const int64_t w = int64_t(r) - l, h = int64_t(b) - t;
        const int64_t gapL = got.left - int64_t(rl), gapT = got.top - int64_t(rt);
        ASSERT_EQ(got.right - int64_t(got.left), w);
        ASSERT_EQ(got.bottom - int64_t(got.top), h);
        ASSERT_EQ(gapL, (int64_t(rr) - rl - w) / 2);  // 64-bit division truncates too
        ASSERT_EQ(gapT, (int64_t(rb) - rt - h) / 2);
        ASSERT_LE(std::abs(gapL - (int64_t(rr) - got.right)), 1);
    }
}

}  // namespace
