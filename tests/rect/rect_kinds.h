// One face over every rectangle kind, so the set-operation properties run against all of them.
#pragma once

#include <cstdint>

#include "tal/rect.h"

namespace recttest {

struct Edges {
    int64_t left, top, right, bottom;
};

// Coordinates in the tests are small integers; Scale spreads them over the field (whole units
// for fixed point) so every kind sees the same geometry.
struct RectKind {
    using R = Tal_Rect;
    static constexpr int64_t Scale = 1;
    static R Make(Edges e) {
        R r;
        Tal_SetRect(&r, int16_t(e.left), int16_t(e.top), int16_t(e.right), int16_t(e.bottom));
        return r;
    }
    static bool Sect(const R* a, const R* b, R* out) { return Tal_SectRect(a, b, out); }
    static Tal_Err Union(const R* a, const R* b, R* out) { return Tal_UnionRect(a, b, out); }
    static bool Compare(int16_t m, const R* a, const R* b) { return Tal_RectCompare(m, a, b); }
    static bool Empty(const R* r) { return Tal_EmptyRect(r); }
    static bool Equal(const R* a, const R* b) { return Tal_EqualRect(a, b); }
};

struct LRectKind {
    using R = Tal_LRect;
    static constexpr int64_t Scale = 1;
    static R Make(Edges e) {
        R r;
        Tal_SetLRect(&r, int32_t(e.left), int32_t(e.top), int32_t(e.right), int32_t(e.bottom));
        return r;
    }
    static bool Sect(const R* a, const R* b, R* out) { return Tal_SectLRect(a, b, out); }
    static Tal_Err Union(const R* a, const R* b, R* out) { return Tal_UnionLRect(a, b, out); }
    static bool Compare(int16_t m, const R* a, const R* b) { return Tal_LRectCompare(m, a, b); }
    static bool Empty(const R* r) { return Tal_EmptyLRect(r); }
    static bool Equal(const R* a, const R* b) { return Tal_EqualLRect(a, b); }
};

struct FixedRectKind {
    using R = Tal_FixedRect;
    static constexpr int64_t Scale = 65536;
    static R Make(Edges e) {
        R r;
        Tal_SetFixedRect(&r, Tal_Fixed(e.left * Scale), Tal_Fixed(e.top * Scale),
                         Tal_Fixed(e.right * Scale), Tal_Fixed(e.bottom * Scale));
        return r;
    }
    static bool Sect(const R* a, const R* b, R* out) { return Tal_SectFixedRect(a, b, out); }
    static Tal_Err Union(const R* a, const R* b, R* out) { return Tal_UnionFixedRect(a, b, out); }
    static bool Compare(int16_t m, const R* a, const R* b) { return Tal_FixedRectCompare(m, a, b); }
    static bool Empty(const R* r) { return Tal_EmptyFixedRect(r); }
    static bool Equal(const R* a, const R* b) { return Tal_EqualFixedRect(a, b); }
};

struct FloatRectKind {
    using R = Tal_FloatRect;
    static constexpr int64_t Scale = 1;
    static R Make(Edges e) {
        return R{double(e.left), double(e.top), double(e.right), double(e.bottom)};
    }
    static bool Sect(const R* a, const R* b, R* out) { return Tal_SectFloatRect(a, b, out); }
};

template <class R>
Edges EdgesOf(const R& r, int64_t scale) {
    return {int64_t(r.left) / scale, int64_t(r.top) / scale, int64_t(r.right) / scale,
            int64_t(r.bottom) / scale};
}

inline bool operator==(const Edges& a, const Edges& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace recttest
