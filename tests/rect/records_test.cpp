// Record layouts, set/copy/equal, emptiness, containment and the rectangle of two points.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>

#include "tal/rect.h"

namespace {

template <class T>
void ExpectBytes(const T& rec, const void* want) {
    EXPECT_EQ(std::memcmp(&rec, want, sizeof rec), 0);
}

TEST(RectRecords, SettersStoreFieldsInMemoryOrder) {
    Tal_Point p;
    EXPECT_EQ(Tal_SetPt(&p, 3, 7), Tal_Err_NONE);
    const int16_t pWant[] = {7, 3};  // v first
    ExpectBytes(p, pWant);

    Tal_Rect r;
    EXPECT_EQ(Tal_SetRect(&r, 1, 2, 3, 4), Tal_Err_NONE);
    const int16_t rWant[] = {2, 1, 4, 3};  // top, left, bottom, right
    ExpectBytes(r, rWant);

    Tal_LRect lr;
    EXPECT_EQ(Tal_SetLRect(&lr, 1, 2, 3, INT32_MIN), Tal_Err_NONE);
    const int32_t lrWant[] = {1, 2, 3, INT32_MIN};
    ExpectBytes(lr, lrWant);

    Tal_FixedRect fr;
    EXPECT_EQ(Tal_SetFixedRect(&fr, 0x10000, -1, INT32_MAX, 4), Tal_Err_NONE);
    const int32_t frWant[] = {0x10000, -1, INT32_MAX, 4};
    ExpectBytes(fr, frWant);

    Tal_LPoint lp;
    Tal_FixedPoint fp;
    EXPECT_EQ(Tal_SetLPt(&lp, INT32_MIN, 9), Tal_Err_NONE);
    EXPECT_EQ(Tal_SetFixedPt(&fp, 5, -6), Tal_Err_NONE);
    const int32_t lpWant[] = {INT32_MIN, 9}, fpWant[] = {5, -6};
    ExpectBytes(lp, lpWant);
    ExpectBytes(fp, fpWant);

    Tal_WHRect wh;
    EXPECT_EQ(Tal_SetWHRect(&wh, 4, 3, 2, INT16_MIN), Tal_Err_NONE);
    const int16_t whWant[] = {4, 3, 2, INT16_MIN};
    ExpectBytes(wh, whWant);
}

TEST(RectRecords, CopiesAreExactAndSelfCopyIsHarmless) {
    Tal_Rect r{1, 2, 3, 4}, r2{};
    Tal_LRect lr{INT32_MIN, 2, INT32_MAX, 4}, lr2{};
    Tal_FixedRect fr{5, 6, 7, 8}, fr2{};
    Tal_WHRect wh{{9, 8, 7, 6}}, wh2{};
    Tal_Point p{1, 2}, p2{};
    Tal_LPoint lp{3, 4}, lp2{};
    Tal_FixedPoint fp{5, 6}, fp2{};
    EXPECT_EQ(Tal_CopyRect(&r, &r2) | Tal_CopyLRect(&lr, &lr2) | Tal_CopyFixedRect(&fr, &fr2) |
                  Tal_CopyWHRect(&wh, &wh2) | Tal_CopyPt(&p, &p2) | Tal_CopyLPt(&lp, &lp2) |
                  Tal_CopyFixedPt(&fp, &fp2),
              Tal_Err_NONE);
    EXPECT_EQ(std::memcmp(&r, &r2, sizeof r), 0);
    EXPECT_EQ(std::memcmp(&lr, &lr2, sizeof lr), 0);
    EXPECT_EQ(std::memcmp(&fr, &fr2, sizeof fr), 0);
    EXPECT_EQ(std::memcmp(&wh, &wh2, sizeof wh), 0);
    EXPECT_TRUE(Tal_EqualPt(&p, &p2) && Tal_EqualLPt(&lp, &lp2) && Tal_EqualFixedPt(&fp, &fp2));

    Tal_CopyRect(&r2, &r2);
    Tal_CopyLRect(&lr2, &lr2);
    Tal_CopyWHRect(&wh2, &wh2);
    EXPECT_EQ(std::memcmp(&r, &r2, sizeof r), 0);
    EXPECT_EQ(std::memcmp(&lr, &lr2, sizeof lr), 0);
    EXPECT_EQ(std::memcmp(&wh, &wh2, sizeof wh), 0);
}

struct EqualCase {
    const char* name;
    int32_t a[4], b[4];  // left, top, right, bottom
    bool equal, aEmpty;
};

const EqualCase kEqualCases[] = {
    {"same edges", {1, 2, 3, 4}, {1, 2, 3, 4}, true, false},
    {"one edge differs", {1, 2, 3, 4}, {1, 2, 3, 5}, false, false},
    {"two different empties", {0, 0, 0, 5}, {9, 9, 1, 1}, true, true},
    {"zero height is empty", {0, 0, 5, 0}, {0, 0, 5, 1}, false, true},
    {"inverted vs non-empty", {5, 0, 0, 5}, {0, 0, 5, 5}, false, true},
    {"one unit", {-1, -1, 0, 0}, {-1, -1, 0, 0}, true, false},
    {"limits",
     {INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX},
     {INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX},
     true,
     false},
};

TEST(RectRecords, EqualityTreatsAllEmptiesAlike) {
    for (const EqualCase& c : kEqualCases) {
        Tal_Rect a, b;
        Tal_SetRect(&a, int16_t(c.a[0]), int16_t(c.a[1]), int16_t(c.a[2]), int16_t(c.a[3]));
        Tal_SetRect(&b, int16_t(c.b[0]), int16_t(c.b[1]), int16_t(c.b[2]), int16_t(c.b[3]));
        const Tal_LRect la{c.a[0], c.a[1], c.a[2], c.a[3]}, lb{c.b[0], c.b[1], c.b[2], c.b[3]};
        const Tal_FixedRect fa{c.a[0], c.a[1], c.a[2], c.a[3]}, fb{c.b[0], c.b[1], c.b[2], c.b[3]};
        EXPECT_EQ(Tal_EqualRect(&a, &b), c.equal) << c.name;
        EXPECT_EQ(Tal_EqualLRect(&la, &lb), c.equal) << c.name;
        EXPECT_EQ(Tal_EqualFixedRect(&fa, &fb), c.equal) << c.name;
        EXPECT_EQ(Tal_EmptyRect(&a), c.aEmpty) << c.name;
        EXPECT_EQ(Tal_EmptyLRect(&la), c.aEmpty) << c.name;
        EXPECT_EQ(Tal_EmptyFixedRect(&fa), c.aEmpty) << c.name;
    }
}

TEST(RectRecords, WHEqualityComparesRawValues) {
    Tal_WHRect a, b;
    Tal_SetWHRect(&a, 0, 0, 0, 5);
    Tal_SetWHRect(&b, 0, 0, 0, 6);
    EXPECT_FALSE(Tal_EqualWHRect(&a, &b));  // no emptiness rule for these
    Tal_SetWHRect(&b, 0, 0, 0, 5);
    EXPECT_TRUE(Tal_EqualWHRect(&a, &b));
    Tal_SetWHRect(&b, 5, 0, 0, 0);
    EXPECT_FALSE(Tal_EqualWHRect(&a, &b));
}

TEST(RectPoints, EqualityNeedsBothCoordinates) {
    Tal_Point a, b;
    Tal_SetPt(&a, 1, 2);
    Tal_SetPt(&b, 2, 1);
    EXPECT_FALSE(Tal_EqualPt(&a, &b));
    const Tal_LPoint la{1, 2}, lb{1, 3};
    EXPECT_FALSE(Tal_EqualLPt(&la, &lb));
    EXPECT_TRUE(Tal_EqualLPt(&la, &la));
    const Tal_FixedPoint fa{INT32_MIN, 0}, fb{INT32_MIN, 0};
    EXPECT_TRUE(Tal_EqualFixedPt(&fa, &fb));
}

// Containment against the half-open definition, exhaustively on a small grid, every kind.
TEST(RectPoints, ContainmentIsHalfOpen) {
    for (int l = -2; l <= 2; ++l)
        for (int t = -2; t <= 2; ++t)
            for (int r = -2; r <= 2; ++r)
                for (int b = -2; b <= 2; ++b)
                    for (int x = -3; x <= 3; ++x)
                        for (int y = -3; y <= 3; ++y) {
                            const bool in = l <= x && x < r && t <= y && y < b;
                            Tal_Rect r16;
                            Tal_Point p16;
                            Tal_SetRect(&r16, int16_t(l), int16_t(t), int16_t(r), int16_t(b));
                            Tal_SetPt(&p16, int16_t(x), int16_t(y));
                            const Tal_LRect r32{l, t, r, b};
                            const Tal_LPoint p32{x, y};
                            const Tal_FixedRect rf{l * 65536, t * 65536, r * 65536, b * 65536};
                            const Tal_FixedPoint pf{x * 65536 + 0xFFFF, y * 65536};
                            ASSERT_EQ(Tal_PtInRect(&p16, &r16), in);
                            ASSERT_EQ(Tal_LPtInRect(&p32, &r32), in);
                            ASSERT_EQ(Tal_FixedPtInRect(&pf, &rf), in);
                        }
}

TEST(RectPoints, RightAndBottomEdgesAreOutside) {
    Tal_Rect r;
    Tal_SetRect(&r, 0, 0, 10, 5);
    Tal_Point p;
    Tal_SetPt(&p, 10, 5);
    EXPECT_FALSE(Tal_PtInRect(&p, &r));
    Tal_SetPt(&p, 9, 4);
    EXPECT_TRUE(Tal_PtInRect(&p, &r));
    const Tal_LRect full{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX};
    const Tal_LPoint corner{INT32_MIN, INT32_MIN}, far{INT32_MAX, 0};
    EXPECT_TRUE(Tal_LPtInRect(&corner, &full));
    EXPECT_FALSE(Tal_LPtInRect(&far, &full));
}

TEST(RectPoints, TwoPointsSpanMinToMax) {
    Tal_Point a, b;
    Tal_SetPt(&a, 5, INT16_MIN);
    Tal_SetPt(&b, INT16_MIN, 7);
    Tal_Rect r;
    EXPECT_EQ(Tal_Pt2Rect(&a, &b, &r), Tal_Err_NONE);
    EXPECT_EQ(r.left, INT16_MIN);
    EXPECT_EQ(r.top, INT16_MIN);
    EXPECT_EQ(r.right, 5);
    EXPECT_EQ(r.bottom, 7);
    EXPECT_EQ(Tal_Pt2Rect(&a, &a, &r), Tal_Err_NONE);
    EXPECT_TRUE(Tal_EmptyRect(&r));

    const Tal_LPoint la{INT32_MAX, -1}, lb{INT32_MIN, 1};
    Tal_LRect lr;
    EXPECT_EQ(Tal_LPt2Rect(&la, &lb, &lr), Tal_Err_NONE);
    EXPECT_EQ(lr.left, INT32_MIN);
    EXPECT_EQ(lr.top, -1);
    EXPECT_EQ(lr.right, INT32_MAX);
    EXPECT_EQ(lr.bottom, 1);

    const Tal_FixedPoint fa{0x18000, 0x20000}, fb{-0x8000, 0x10000};
    Tal_FixedRect fr;
    EXPECT_EQ(Tal_FixedPt2Rect(&fa, &fb, &fr), Tal_Err_NONE);
    EXPECT_EQ(fr.left, -0x8000);
    EXPECT_EQ(fr.top, 0x10000);
    EXPECT_EQ(fr.right, 0x18000);
    EXPECT_EQ(fr.bottom, 0x20000);
}

}  // namespace
