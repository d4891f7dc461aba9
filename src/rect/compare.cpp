// The nine comparison modes between two rectangles of one kind.
#include "rect/rect_ops.h"

using namespace talp_rect;

namespace {

// Widths and heights are taken in 32 bits whatever the field width: exact for 16-bit edges,
// wrapping for 32-bit ones.
template <class T>
int32_t Extent(T lo, T hi) {
    return WrapSub(int32_t(hi), int32_t(lo));
}

// Closed ranges [aLo, aHi] and [bLo, bHi] meet, in the order of tests the library has always used.
template <class T>
bool RangesTouch(T aLo, T aHi, T bLo, T bHi) {
    if (aLo < bLo) return bLo <= aHi;
    return aLo <= bHi || (aLo == bLo && bLo <= aHi);
}

template <class R>
bool Compare(int16_t mode, const R& a, const R& b) {
    const int32_t wa = Extent(a.left, a.right), wb = Extent(b.left, b.right);
    const int32_t ha = Extent(a.top, a.bottom), hb = Extent(b.top, b.bottom);
    switch (mode) {
        case 0:
            return SameEdges(a, b);
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
            return Overlap(a, b);
        case 8:
            return RangesTouch(a.top, a.bottom, b.top, b.bottom) &&
                   RangesTouch(a.left, a.right, b.left, b.right);
        default:
            return false;
    }
}

}  // namespace

bool Tal_RectCompare(int16_t mode, const Tal_Rect* a, const Tal_Rect* b) {
    return Compare(mode, *a, *b);
}

bool Tal_LRectCompare(int16_t mode, const Tal_LRect* a, const Tal_LRect* b) {
    return Compare(mode, *a, *b);
}

bool Tal_FixedRectCompare(int16_t mode, const Tal_FixedRect* a, const Tal_FixedRect* b) {
    return Compare(mode, *a, *b);
}
