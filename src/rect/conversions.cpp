// Conversions between fixed and integer rectangles.
#include "rect/rect_ops.h"

using namespace talp_rect;

namespace {

// Bias added before dropping the 16 fraction bits: floor, nearest (halves up), ceiling.
constexpr uint32_t kFloor = 0, kNearest = 0x8000, kCeil = 0xFFFF;

// Only bits 16..31 of the wrapped sum survive, so the result is the rounded value modulo 2^16
// and the shift's signedness does not matter.
inline int16_t Whole(Tal_Fixed v, uint32_t bias) {
    return int16_t(uint16_t((uint32_t(v) + bias) >> 16));
}

inline Tal_Fixed ToFixed(int32_t v) {
    return Tal_Fixed(uint32_t(v) << 16);
}

template <class R>
Tal_Err FromFixed(const Tal_FixedRect* src, R* dst, uint32_t loBias, uint32_t hiBias) {
    const Tal_FixedRect s = *src;
    StoreEdges(dst, Coord<R>(Whole(s.left, loBias)), Coord<R>(Whole(s.top, loBias)),
               Coord<R>(Whole(s.right, hiBias)), Coord<R>(Whole(s.bottom, hiBias)));
    return Tal_Err_NONE;
}

template <class R>
Tal_Err ToFixedRect(const R* src, Tal_FixedRect* dst) {
    StoreEdges(dst, ToFixed(src->left), ToFixed(src->top), ToFixed(src->right),
               ToFixed(src->bottom));
    return Tal_Err_NONE;
}

}  // namespace

Tal_Err Tal_FixedRect2Rect(const Tal_FixedRect* src, Tal_Rect* dst) {
    return FromFixed(src, dst, kNearest, kNearest);
}
Tal_Err Tal_FixedRect2LRect(const Tal_FixedRect* src, Tal_LRect* dst) {
    return FromFixed(src, dst, kNearest, kNearest);
}
Tal_Err Tal_FixedRect2RectIn(const Tal_FixedRect* src, Tal_Rect* dst) {
    return FromFixed(src, dst, kCeil, kFloor);
}
Tal_Err Tal_FixedRect2LRectIn(const Tal_FixedRect* src, Tal_LRect* dst) {
    return FromFixed(src, dst, kCeil, kFloor);
}
Tal_Err Tal_FixedRect2RectOut(const Tal_FixedRect* src, Tal_Rect* dst) {
    return FromFixed(src, dst, kFloor, kCeil);
}
Tal_Err Tal_FixedRect2LRectOut(const Tal_FixedRect* src, Tal_LRect* dst) {
    return FromFixed(src, dst, kFloor, kCeil);
}
Tal_Err Tal_Rect2FixedRect(const Tal_Rect* src, Tal_FixedRect* dst) {
    return ToFixedRect(src, dst);
}
Tal_Err Tal_LRect2FixedRect(const Tal_LRect* src, Tal_FixedRect* dst) {
    return ToFixedRect(src, dst);
}
