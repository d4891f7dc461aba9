// Inset, offset and centering; all wrap silently in the field's own width.
#include "rect/rect_ops.h"

namespace {

// Moves each edge by its own delta; inset is a shift with the far edges' deltas negated.
template <class R>
Tal_Err Talp_Shift(R* r, Talp_Coord<R> dl, Talp_Coord<R> dt, Talp_Coord<R> dr, Talp_Coord<R> db) {
    Talp_StoreEdges(r, Talp_WrapAdd(r->left, dl), Talp_WrapAdd(r->top, dt),
                    Talp_WrapAdd(r->right, dr), Talp_WrapAdd(r->bottom, db));
    return Tal_Err_NONE;
}

template <class R>
Tal_Err Talp_Inset(R* r, Talp_Coord<R> dh, Talp_Coord<R> dv) {
    const Talp_Coord<R> zero = 0;
    return Talp_Shift(r, dh, dv, Talp_WrapSub(zero, dh), Talp_WrapSub(zero, dv));
}

template <class R>
Tal_Err Talp_Offset(R* r, Talp_Coord<R> dh, Talp_Coord<R> dv) {
    return Talp_Shift(r, dh, dv, dh, dv);
}

// Start of a span of length len centred in [refLo, refHi); both differences are taken in the
// field's width before the truncating halving.
template <class T>
T Talp_CenteredStart(T refLo, T refHi, T len) {
    const T slack = Talp_WrapSub(Talp_WrapSub(refHi, refLo), len);
    return Talp_WrapAdd(refLo, T(slack / 2));
}

template <class R>
Tal_Err Talp_Center(const R& ref, R* r) {
    const Talp_Coord<R> w = Talp_WrapSub(r->right, r->left);
    const Talp_Coord<R> h = Talp_WrapSub(r->bottom, r->top);
    const Talp_Coord<R> left = Talp_CenteredStart(ref.left, ref.right, w);
    const Talp_Coord<R> top = Talp_CenteredStart(ref.top, ref.bottom, h);
    Talp_StoreEdges(r, left, top, Talp_WrapAdd(left, w), Talp_WrapAdd(top, h));
    return Tal_Err_NONE;
}

}  // namespace

Tal_Err Tal_InsetRect(Tal_Rect* r, int16_t dh, int16_t dv) {
    return Talp_Inset(r, dh, dv);
}
Tal_Err Tal_InsetLRect(Tal_LRect* r, int32_t dh, int32_t dv) {
    return Talp_Inset(r, dh, dv);
}
Tal_Err Tal_InsetFixedRect(Tal_FixedRect* r, Tal_Fixed dh, Tal_Fixed dv) {
    return Talp_Inset(r, dh, dv);
}

Tal_Err Tal_OffsetRect(Tal_Rect* r, int16_t dh, int16_t dv) {
    return Talp_Offset(r, dh, dv);
}
Tal_Err Tal_OffsetLRect(Tal_LRect* r, int32_t dh, int32_t dv) {
    return Talp_Offset(r, dh, dv);
}
Tal_Err Tal_OffsetFixedRect(Tal_FixedRect* r, Tal_Fixed dh, Tal_Fixed dv) {
    return Talp_Offset(r, dh, dv);
}

Tal_Err Tal_CenterRect(const Tal_Rect* ref, Tal_Rect* r) {
    return Talp_Center(*ref, r);
}
Tal_Err Tal_CenterLRect(const Tal_LRect* ref, Tal_LRect* r) {
    return Talp_Center(*ref, r);
}
Tal_Err Tal_CenterFixedRect(const Tal_FixedRect* ref, Tal_FixedRect* r) {
    return Talp_Center(*ref, r);
}
