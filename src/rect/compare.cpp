// The nine comparison modes between two rectangles of one kind.
#include "rect/rect_ops.h"

namespace {

// Widths and heights are taken in 32 bits whatever the field width: exact for 16-bit edges,
// wrapping for 32-bit ones.
template <class T>
int32_t Talp_Extent(T lo, T hi) {
    return Talp_WrapSub(int32_t(hi), int32_t(lo));
}

// Closed ranges [aLo, aHi] and [bLo, bHi] meet. On proper ranges this is max(lo) <= min(hi); the
// split on the starts is what decides for an inverted range (the edges of an empty rectangle),
// which touches a range starting where it starts: [5, 9] touches [5, 3].
template <class T>
bool Talp_RangesTouch(T aLo, T aHi, T bLo, T bHi) {
    if (aLo < bLo) return bLo <= aHi;
    return aLo <= bHi || (aLo == bLo && bLo <= aHi);
}

template <class R>
bool Talp_Compare(int16_t mode, const R& a, const R& b) {
    const int32_t wa = Talp_Extent(a.left, a.right), wb = Talp_Extent(b.left, b.right);
    const int32_t ha = Talp_Extent(a.top, a.bottom), hb = Talp_Extent(b.top, b.bottom);
    switch (mode) {
        case 0:
            return Talp_SameEdges(a, b);
        case 1:
            return wa > wb && ha > hb;
        case 2:
            return wa >= wb && ha >= hb;
        case 3:
            return wa < wb && ha < hb;
        case 4:
            return wa <= wb && ha <= hb;
        case 5:
            return a.left < b.left && a.right > b.right && a.top < b.top && a.bottom > b.bottom;
        case 6:
            return a.left <= b.left && a.right >= b.right && a.top <= b.top && a.bottom >= b.bottom;
        case 7:
            return Talp_Overlap(a, b);
        case 8:
            return Talp_RangesTouch(a.top, a.bottom, b.top, b.bottom) &&
                   Talp_RangesTouch(a.left, a.right, b.left, b.right);
        default:
            return false;
    }
}

}  // namespace

bool Tal_RectCompare(int16_t mode, const Tal_Rect* a, const Tal_Rect* b) {
    return Talp_Compare(mode, *a, *b);
}

bool Tal_LRectCompare(int16_t mode, const Tal_LRect* a, const Tal_LRect* b) {
    return Talp_Compare(mode, *a, *b);
}

bool Tal_FixedRectCompare(int16_t mode, const Tal_FixedRect* a, const Tal_FixedRect* b) {
    return Talp_Compare(mode, *a, *b);
}
