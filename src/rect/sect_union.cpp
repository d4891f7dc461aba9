// Intersection and union. Results are computed into locals before the first store, since out
// may be a or b.
#include "rect/rect_ops.h"

namespace {

template <class R>
bool Talp_Sect(const R* a, const R* b, R* out) {
    const bool meet = Talp_Overlap(*a, *b);
    if (!out) return meet;
    if (!meet) {
        Talp_StoreEdges(out, Talp_Coord<R>(0), Talp_Coord<R>(0), Talp_Coord<R>(0),
                        Talp_Coord<R>(0));
        return false;
    }
    Talp_StoreEdges(out, Talp_Max(a->left, b->left), Talp_Max(a->top, b->top),
                    Talp_Min(a->right, b->right), Talp_Min(a->bottom, b->bottom));
    return true;
}

template <class R>
Tal_Err Talp_Union(const R* a, const R* b, R* out) {
    if (Talp_IsEmpty(*b)) {
        // Both empty and out is b: b already stands for "nothing", so it is kept.
        if (!(out == b && Talp_IsEmpty(*a))) *out = *a;
    } else if (Talp_IsEmpty(*a)) {
        *out = *b;
    } else {
        Talp_StoreEdges(out, Talp_Min(a->left, b->left), Talp_Min(a->top, b->top),
                        Talp_Max(a->right, b->right), Talp_Max(a->bottom, b->bottom));
    }
    return Tal_Err_NONE;
}

}  // namespace

bool Tal_SectRect(const Tal_Rect* a, const Tal_Rect* b, Tal_Rect* out) {
    return Talp_Sect(a, b, out);
}
bool Tal_SectLRect(const Tal_LRect* a, const Tal_LRect* b, Tal_LRect* out) {
    return Talp_Sect(a, b, out);
}
bool Tal_SectFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b, Tal_FixedRect* out) {
    return Talp_Sect(a, b, out);
}
bool Tal_SectFloatRect(const Tal_FloatRect* a, const Tal_FloatRect* b, Tal_FloatRect* out) {
    return Talp_Sect(a, b, out);
}

Tal_Err Tal_UnionRect(const Tal_Rect* a, const Tal_Rect* b, Tal_Rect* out) {
    return Talp_Union(a, b, out);
}
Tal_Err Tal_UnionLRect(const Tal_LRect* a, const Tal_LRect* b, Tal_LRect* out) {
    return Talp_Union(a, b, out);
}
Tal_Err Tal_UnionFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b, Tal_FixedRect* out) {
    return Talp_Union(a, b, out);
}
