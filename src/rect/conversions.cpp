// Conversions between fixed and integer rectangles.
#include "rect/rect_ops.h"

namespace {

// Bias added before dropping the 16 fraction bits: floor, nearest (halves up), ceiling.
constexpr uint32_t Talp_Floor = 0, Talp_Nearest = 0x8000, Talp_Ceil = 0xFFFF;

// Only bits 16..31 of the wrapped sum survive, so the result is the rounded value modulo 2^16
// and the shift's signedness does not matter.
inline int16_t Talp_Whole(Tal_Fixed v, uint32_t bias) {
    return int16_t(uint16_t((uint32_t(v) + bias) >> 16));
}

inline Tal_Fixed Talp_ToFixed(int32_t v) {
    return Tal_Fixed(uint32_t(v) << 16);
}

template <class R>
Tal_Err Talp_FromFixed(const Tal_FixedRect* src, R* dst, uint32_t loBias, uint32_t hiBias) {
    const Tal_FixedRect s = *src;
    Talp_StoreEdges(
        dst, Talp_Coord<R>(Talp_Whole(s.left, loBias)), Talp_Coord<R>(Talp_Whole(s.top, loBias)),
        Talp_Coord<R>(Talp_Whole(s.right, hiBias)), Talp_Coord<R>(Talp_Whole(s.bottom, hiBias)));
    return Tal_Err_NONE;
}

template <class R>
Tal_Err Talp_ToFixedRect(const R* src, Tal_FixedRect* dst) {
    Talp_StoreEdges(dst, Talp_ToFixed(src->left), Talp_ToFixed(src->top), Talp_ToFixed(src->right),
                    Talp_ToFixed(src->bottom));
    return Tal_Err_NONE;
}

}  // namespace

Tal_Err Tal_FixedRect2Rect(const Tal_FixedRect* src, Tal_Rect* dst) {
    return Talp_FromFixed(src, dst, Talp_Nearest, Talp_Nearest);
}
Tal_Err Tal_FixedRect2LRect(const Tal_FixedRect* src, Tal_LRect* dst) {
    return Talp_FromFixed(src, dst, Talp_Nearest, Talp_Nearest);
}
Tal_Err Tal_FixedRect2RectIn(const Tal_FixedRect* src, Tal_Rect* dst) {
    return Talp_FromFixed(src, dst, Talp_Ceil, Talp_Floor);
}
Tal_Err Tal_FixedRect2LRectIn(const Tal_FixedRect* src, Tal_LRect* dst) {
    return Talp_FromFixed(src, dst, Talp_Ceil, Talp_Floor);
}
Tal_Err Tal_FixedRect2RectOut(const Tal_FixedRect* src, Tal_Rect* dst) {
    return Talp_FromFixed(src, dst, Talp_Floor, Talp_Ceil);
}
Tal_Err Tal_FixedRect2LRectOut(const Tal_FixedRect* src, Tal_LRect* dst) {
    return Talp_FromFixed(src, dst, Talp_Floor, Talp_Ceil);
}
Tal_Err Tal_Rect2FixedRect(const Tal_Rect* src, Tal_FixedRect* dst) {
    return Talp_ToFixedRect(src, dst);
}
Tal_Err Tal_LRect2FixedRect(const Tal_LRect* src, Tal_FixedRect* dst) {
    return Talp_ToFixedRect(src, dst);
}
