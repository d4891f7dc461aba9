// Every rectangle kind against per-pixel sets, narrowed 64-bit arithmetic and exact rounding.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <random>

#include "tal/rect.h"

namespace {

using Edges = std::array<int64_t, 4>;  // left, top, right, bottom
using std::max, std::min;

using ::testing::PrintToString;

template <class R>
Edges EdgesOf(const R& r, int64_t scale = 1) {
    return {int64_t(r.left) / scale, int64_t(r.top) / scale, int64_t(r.right) / scale,
            int64_t(r.bottom) / scale};
}

// A record filled by the setter from the values a, copied to a fresh record and onto itself.
template <class T, class S, class Copy, class... A>
T Made(S set, Copy copy, A... a) {
    T src, t{};
    EXPECT_EQ(set(&src, a...) | copy(&src, &t) | copy(&t, &t), Tal_Err_NONE);
    return t;
}

// Every kind behind one face; Make spreads small coordinates over the field (whole units in fixed).
#define RECT_KIND(Name, P, S)                                                                      \
    struct Name {                                                                                  \
        using R = Tal_##P##Rect;                                                                   \
        using C = decltype(R::left);                                                               \
        using Pt = Tal_##P##Point;                                                                 \
        static constexpr int64_t Scale = S;                                                        \
        static R Raw(Edges e) {                                                                    \
            return Made<R>(Tal_Set##P##Rect, Tal_Copy##P##Rect, C(e[0]), C(e[1]), C(e[2]),         \
                           C(e[3]));                                                               \
        }                                                                                          \
        static R Make(Edges e) { return Raw({e[0] * S, e[1] * S, e[2] * S, e[3] * S}); }           \
        static Pt Point(C x, C y) { return Made<Pt>(Tal_Set##P##Pt, Tal_Copy##P##Pt, x, y); }      \
        static bool PtEq(Pt a, Pt b) { return Tal_Equal##P##Pt(&a, &b); }                          \
        static bool PtIn(Pt p, const R* r) { return Tal_##P##PtInRect(&p, r); }                    \
        static Tal_Err Span(Pt a, Pt b, R* o) { return Tal_##P##Pt2Rect(&a, &b, o); }              \
        static bool Sect(const R* a, const R* b, R* o) { return Tal_Sect##P##Rect(a, b, o); }      \
        static Tal_Err Union(const R* a, const R* b, R* o) { return Tal_Union##P##Rect(a, b, o); } \
        static bool Cmp(int m, const R* a, const R* b) { return Tal_##P##RectCompare(m, a, b); }   \
        static bool Empty(const R* r) { return Tal_Empty##P##Rect(r); }                            \
        static bool Equal(const R* a, const R* b) { return Tal_Equal##P##Rect(a, b); }             \
        static Tal_Err Inset(R* r, C h, C v) { return Tal_Inset##P##Rect(r, h, v); }               \
        static Tal_Err Offset(R* r, C h, C v) { return Tal_Offset##P##Rect(r, h, v); }             \
        static Tal_Err Center(const R* ref, R* r) { return Tal_Center##P##Rect(ref, r); }          \
    };
RECT_KIND(RectKind, , 1)
RECT_KIND(LRectKind, L, 1)
RECT_KIND(FixedRectKind, Fixed, 65536)

constexpr int kLo = -2, kHi = 2, kSide = kHi - kLo;  // pixels [-2, 1] on each axis

uint32_t Pixels(const Edges& e) {
    uint32_t m = 0;
    for (int64_t i = 0; i < kSide * kSide; ++i) {
        const int64_t x = kLo + i % kSide, y = kLo + i / kSide;
        if (e[0] <= x && x < e[2] && e[1] <= y && y < e[3]) m |= 1u << i;
    }
    return m;
}

// Smallest rectangle holding every pixel of the mask; all zeros for none.
Edges Bounds(uint32_t m) {
    Edges b{kHi, kHi, kLo, kLo};
    for (int64_t i = 0; i < kSide * kSide; ++i) {
        const int64_t x = kLo + i % kSide, y = kLo + i / kSide;
        if (m >> i & 1) b = {min(b[0], x), min(b[1], y), max(b[2], x + 1), max(b[3], y + 1)};
    }
    return m ? b : Edges{0, 0, 0, 0};
}

// Sect (fresh, to nothing, over an input), union, equality and modes by pixel sets; a union over
// b keeps b only when both are empty; enclosing needs both non-empty, touching both ordered.
template <class K>
void CheckPair(const Edges& ea, const Edges& eb) {
    const typename K::R a = K::Make(ea), b = K::Make(eb);
    typename K::R out = K::Make({7, 7, 7, 7}), inA = a, inB = b, uA = a, uB = b;
    const uint32_t pa = Pixels(ea), pb = Pixels(eb);
    const bool meet = (pa & pb) != 0;
    const auto met = std::tuple(K::Sect(&a, &b, nullptr), K::Sect(&a, &b, &out),
                                K::Sect(&inA, &b, &inA), K::Sect(&a, &inB, &inB));
    ASSERT_EQ(met, std::tuple(meet, meet, meet, meet)) << "to nothing, fresh, over a, over b";
    const Edges sect = Bounds(pa & pb);
    ASSERT_EQ(std::tuple(EdgesOf(out, K::Scale), EdgesOf(inA, K::Scale), EdgesOf(inB, K::Scale)),
              std::tuple(sect, sect, sect));
    const Tal_FloatRect fa{double(ea[0]), double(ea[1]), double(ea[2]), double(ea[3])};
    Tal_FloatRect fb{double(eb[0]), double(eb[1]), double(eb[2]), double(eb[3])};
    const bool metInDoubles = Tal_SectFloatRect(&fa, &fb, &fb);
    ASSERT_EQ(std::tuple(metInDoubles, EdgesOf(fb)), std::tuple(meet, sect)) << "in doubles";
    const Edges want = !pb ? ea : !pa ? eb : Bounds(pa | pb);
    ASSERT_EQ(K::Union(&a, &b, &out) | K::Union(&uA, &b, &uA) | K::Union(&a, &uB, &uB), 0);
    ASSERT_EQ(std::tuple(EdgesOf(out, K::Scale), EdgesOf(uA, K::Scale), EdgesOf(uB, K::Scale)),
              std::tuple(want, want, !pa && !pb ? eb : want));
    const int64_t w = ea[2] - ea[0] - eb[2] + eb[0], h = ea[3] - ea[1] - eb[3] + eb[1];
    const bool by[] = {ea == eb, min(w, h) > 0, min(w, h) >= 0, max(w, h) < 0, max(w, h) <= 0};
    ASSERT_EQ(K::Equal(&a, &b), pa == pb);
    for (int m = 0; m < 5; ++m)
        ASSERT_EQ(K::Cmp(m, &a, &b), by[m]) << "mode " << m;
    ASSERT_EQ(K::Cmp(7, &a, &b), (pa & pb) != 0);
    for (int m : {9, -1, INT16_MIN})
        ASSERT_FALSE(K::Cmp(m, &a, &b)) << "mode " << m;
    const bool full = pa && pb,
               ordered = ea[0] <= ea[2] && ea[1] <= ea[3] && eb[0] <= eb[2] && eb[1] <= eb[3];
    const uint32_t interior = Pixels({ea[0] + 1, ea[1] + 1, ea[2] - 1, ea[3] - 1});
    ASSERT_EQ(full && K::Cmp(5, &a, &b), full && (pb & ~interior) == 0);
    ASSERT_EQ(full && K::Cmp(6, &a, &b), full && (pb & ~pa) == 0);
    ASSERT_EQ(ordered && K::Cmp(8, &a, &b), ordered && max(ea[1], eb[1]) <= min(ea[3], eb[3]) &&
                                                max(ea[0], eb[0]) <= min(ea[2], eb[2]));
    // b's corner as the deltas; centring halves the slack toward zero.
    using C = typename K::C;
    const int64_t s = K::Scale, dh = eb[0], dv = eb[1];
    typename K::R in = a, off = a, mid = a;
    ASSERT_EQ(K::Inset(&in, C(dh * s), C(dv * s)) | K::Offset(&off, C(dh * s), C(dv * s)) |
                  K::Center(&b, &mid),
              0);
    const int64_t left = s * eb[0] + s * (eb[2] - eb[0] - ea[2] + ea[0]) / 2;
    const int64_t top = s * eb[1] + s * (eb[3] - eb[1] - ea[3] + ea[1]) / 2;
    ASSERT_EQ(std::tuple(EdgesOf(in, s), EdgesOf(off, s), EdgesOf(mid)),
              std::tuple(Edges{ea[0] + dh, ea[1] + dv, ea[2] - dh, ea[3] - dv},
                         Edges{ea[0] + dh, ea[1] + dv, ea[2] + dh, ea[3] + dv},
                         Edges{left, top, left + s * (ea[2] - ea[0]), top + s * (ea[3] - ea[1])}))
        << "inset, offset, centred";
}

template <class K>
class RectKinds : public ::testing::Test {};
using IntegerKinds = ::testing::Types<RectKind, LRectKind, FixedRectKind>;
TYPED_TEST_SUITE(RectKinds, IntegerKinds, );

TYPED_TEST(RectKinds, MatchPixelSetsOverEverySmallRectangleAndPair) {
    using K = TypeParam;
    const int64_t s = K::Scale;
    const auto at = [](int64_t i) {
        return Edges{i % 5 - 2, i / 5 % 5 - 2, i / 25 % 5 - 2, i / 125 - 2};
    };
    for (int64_t i = 0; i < 625; ++i) {
        const Edges e = at(i);
        typename K::R a = K::Make(e), span;
        const Tal_Err err =
            K::Span(K::Point(e[0] * s, e[1] * s), K::Point(e[2] * s, e[3] * s), &span);
        const Edges corners{min(e[0], e[2]), min(e[1], e[3]), max(e[0], e[2]), max(e[1], e[3])};
        ASSERT_EQ(std::tuple(K::Empty(&a), K::PtEq(K::Point(e[0], e[1]), K::Point(e[2], e[3])), err,
                             EdgesOf(span, s)),
                  std::tuple(Pixels(e) == 0, e[0] == e[2] && e[1] == e[3], 0, corners))
            << "empty, corners equal, spanned by corners: " << PrintToString(e);
        // Odd points sit just short of the next unit: fixed point sees both sides of an edge.
        for (int64_t y = -3; y <= 3; ++y)
            for (int64_t x = -3; x <= 3; ++x)
                ASSERT_EQ(
                    K::PtIn(K::Point(x * s + (x & 1) * (s - 1), y * s + (y & 1) * (s - 1)), &a),
                    e[0] <= x && x < e[2] && e[1] <= y && y < e[3])
                    << x << ", " << y << " in " << PrintToString(e);
        for (int64_t j = 0; j < 625; ++j) {
            CheckPair<K>(e, at(j));
            if (::testing::Test::HasFatalFailure()) {
                ADD_FAILURE() << "a " << PrintToString(e) << ", b " << PrintToString(at(j));
                return;
            }
        }
    }
}

TEST(RectLimits, CenterWrapsWidthsAreTakenIn32BitsAndWHRecordsCompareByValue) {
    const Tal_Rect ref = RectKind::Make({-30000, 0, 30000, 10});
    const Tal_LRect lref{INT32_MIN, 0, INT32_MAX, 2}, lsmall{0, 0, 5, 20};
    Tal_Rect r = RectKind::Make({0, 0, 4, 4});
    Tal_LRect lr{0, 0, 1, 2};
    EXPECT_EQ(Tal_CenterRect(&ref, &r) | Tal_CenterLRect(&lref, &lr), Tal_Err_NONE);
    EXPECT_EQ(EdgesOf(r), (Edges{32766, 3, -32766, 7}));          // width 60000 wraps to -5536
    EXPECT_EQ(EdgesOf(lr), (Edges{INT32_MAX, 0, INT32_MIN, 2}));  // width -1, slack -2, half -1
    EXPECT_EQ(std::tuple(Tal_LRectCompare(3, &lref, &lsmall), Tal_LRectCompare(1, &lref, &lsmall)),
              std::tuple(true, false));
    const Tal_Rect full = RectKind::Make({INT16_MIN, INT16_MIN, INT16_MAX, INT16_MAX});
    EXPECT_EQ(std::tuple(Tal_RectCompare(1, &full, &r), Tal_RectCompare(3, &r, &full)),
              std::tuple(true, true));  // 65535 wide
    const Tal_WHRect a = Made<Tal_WHRect>(Tal_SetWHRect, Tal_CopyWHRect, 4, 3, 2, 1);
    EXPECT_EQ(std::tuple(a.value[0], a.value[3], Tal_EqualWHRect(&a, &a)), std::tuple(4, 1, true));
    for (int i = 0; i < 4; ++i) {  // empty if read as edges, yet compared value by value
        Tal_WHRect b = a;
        ++b.value[i];
        EXPECT_FALSE(Tal_EqualWHRect(&a, &b)) << i;
    }
}

// Mode 0 to nearest (halves up), 1 (In) low edges up and high down, 2 (Out) the reverse.
int64_t Rounded(int mode, bool low, int64_t v) {
    const double x = double(v) / 65536, up = std::ceil(x), down = std::floor(x);
    return int16_t(int64_t(mode == 0 ? std::floor(x + 0.5) : (mode == 1) == low ? up : down));
}

TEST(RectConversions, MatchExactRoundingAndWrapInto16Bits) {
    const decltype(&Tal_FixedRect2Rect) toRect[] = {Tal_FixedRect2Rect, Tal_FixedRect2RectIn,
                                                    Tal_FixedRect2RectOut};
    const decltype(&Tal_FixedRect2LRect) toLRect[] = {Tal_FixedRect2LRect, Tal_FixedRect2LRectIn,
                                                      Tal_FixedRect2LRectOut};
    std::mt19937 rng(1234);
    const uint32_t fractions[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF};
    for (int i = 0; i < 60000; ++i) {
        Edges e;  // half carry a boundary fraction
        for (int64_t& v : e)
            v = int32_t(i % 2 ? rng() : (rng() & ~0xFFFFu) | fractions[rng() % 5]);
        if (i == 0) e = {0x18000, -0x18000, 0x7FFF8000, INT32_MIN};
        const Tal_FixedRect f = FixedRectKind::Raw(e);
        Tal_Rect r = RectKind::Raw(e);
        Tal_LRect l = LRectKind::Raw(e);
        Tal_FixedRect back, back16;  // whole parts beyond +-32767 wrap
        ASSERT_EQ(Tal_LRect2FixedRect(&l, &back) | Tal_Rect2FixedRect(&r, &back16), 0);
        ASSERT_EQ(
            std::tuple(EdgesOf(back), EdgesOf(back16)),
            std::tuple(EdgesOf(FixedRectKind::Make(e)), EdgesOf(FixedRectKind::Make(EdgesOf(r)))));
        for (int m = 0; m < 3; ++m) {  // the 16-bit results sign-extended
            const Edges want{Rounded(m, 1, e[0]), Rounded(m, 1, e[1]), Rounded(m, 0, e[2]),
                             Rounded(m, 0, e[3])};
            ASSERT_EQ(toRect[m](&f, &r) | toLRect[m](&f, &l), 0);
            ASSERT_EQ(std::tuple(EdgesOf(r), EdgesOf(l)), std::tuple(want, want))
                << "mode " << m << " from " << PrintToString(e);
        }
    }
}

}  // namespace
