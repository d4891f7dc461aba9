// Inset, offset and centering; all wrap silently in the field's own width.
#include "rect/rect_ops.h"

using namespace talp_rect;

namespace {

// Moves each edge by its own delta; inset is a shift with the far edges' deltas negated.
template <class R>
Tal_Err Shift(R* r, Coord<R> dl, Coord<R> dt, Coord<R> dr, Coord<R> db) {
    StoreEdges(r, WrapAdd(r->left, dl), WrapAdd(r->top, dt), WrapAdd(r->right, dr),
               WrapAdd(r->bottom, db));
    return Tal_Err_NONE;
}

template <class R>
Tal_Err Inset(R* r, Coord<R> dh, Coord<R> dv) {
    const Coord<R> zero = 0;
    return Shift(r, dh, dv, WrapSub(zero, dh), WrapSub(zero, dv));
}

template <class R>
Tal_Err Offset(R* r, Coord<R> dh, Coord<R> dv) {
    return Shift(r, dh, dv, dh, dv);
}

// Start of a span of length len centred in [refLo, refHi); both differences are taken in the
// field's width before the truncating halving.
template <class T>
T CenteredStart(T refLo, T refHi, T len) {
    const T slack = WrapSub(WrapSub(refHi, refLo), len);
    return WrapAdd(refLo, T(slack / 2));
}

template <class R>
Tal_Err Center(const R& ref, R* r) {
    const Coord<R> w = WrapSub(r->right, r->left);
    const Coord<R> h = WrapSub(r->bottom, r->top);
    const Coord<R> left = CenteredStart(ref.left, ref.right, w);
    const Coord<R> top = CenteredStart(ref.top, ref.bottom, h);
    StoreEdges(r, left, top, WrapAdd(left, w), WrapAdd(top, h));
    return Tal_Err_NONE;
}

}  // namespace

Tal_Err Tal_InsetRect(Tal_Rect* r, int16_t dh, int16_t dv) {
    return Inset(r, dh, dv);
}
Tal_Err Tal_InsetLRect(Tal_LRect* r, int32_t dh, int32_t dv) {
    return Inset(r, dh, dv);
}
Tal_Err Tal_InsetFixedRect(Tal_FixedRect* r, Tal_Fixed dh, Tal_Fixed dv) {
    return Inset(r, dh, dv);
}

Tal_Err Tal_OffsetRect(Tal_Rect* r, int16_t dh, int16_t dv) {
    return Offset(r, dh, dv);
}
Tal_Err Tal_OffsetLRect(Tal_LRect* r, int32_t dh, int32_t dv) {
    return Offset(r, dh, dv);
}
Tal_Err Tal_OffsetFixedRect(Tal_FixedRect* r, Tal_Fixed dh, Tal_Fixed dv) {
    return Offset(r, dh, dv);
}

Tal_Err Tal_CenterRect(const Tal_Rect* ref, Tal_Rect* r) {
    return Center(*ref, r);
}
Tal_Err Tal_CenterLRect(const Tal_LRect* ref, Tal_LRect* r) {
    return Center(*ref, r);
}
Tal_Err Tal_CenterFixedRect(const Tal_FixedRect* ref, Tal_FixedRect* r) {
    return Center(*ref, r);
}
