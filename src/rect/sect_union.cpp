// Intersection and union. Results are computed into locals before the first store, since out
// may be a or b.
#include "rect/rect_ops.h"

using namespace talp_rect;

namespace {

template <class R>
bool Sect(const R* a, const R* b, R* out) {
    const bool meet = Overlap(*a, *b);
    if (!out) return meet;
    if (!meet) {
        StoreEdges(out, Coord<R>(0), Coord<R>(0), Coord<R>(0), Coord<R>(0));
        return false;
    }
    StoreEdges(out, Max(a->left, b->left), Max(a->top, b->top), Min(a->right, b->right),
               Min(a->bottom, b->bottom));
    return true;
}

template <class R>
Tal_Err Union(const R* a, const R* b, R* out) {
    if (IsEmpty(*b)) {
        // Both empty and out is b: b already stands for "nothing", so it is kept.
        if (!(out == b && IsEmpty(*a))) *out = *a;
    } else if (IsEmpty(*a)) {
        *out = *b;
    } else {
        StoreEdges(out, Min(a->left, b->left), Min(a->top, b->top), Max(a->right, b->right),
                   Max(a->bottom, b->bottom));
    }
    return Tal_Err_NONE;
}

}  // namespace

bool Tal_SectRect(const Tal_Rect* a, const Tal_Rect* b, Tal_Rect* out) {
    return Sect(a, b, out);
}
bool Tal_SectLRect(const Tal_LRect* a, const Tal_LRect* b, Tal_LRect* out) {
    return Sect(a, b, out);
}
bool Tal_SectFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b, Tal_FixedRect* out) {
    return Sect(a, b, out);
}
bool Tal_SectFloatRect(const Tal_FloatRect* a, const Tal_FloatRect* b, Tal_FloatRect* out) {
    return Sect(a, b, out);
}

Tal_Err Tal_UnionRect(const Tal_Rect* a, const Tal_Rect* b, Tal_Rect* out) {
    return Union(a, b, out);
}
Tal_Err Tal_UnionLRect(const Tal_LRect* a, const Tal_LRect* b, Tal_LRect* out) {
    return Union(a, b, out);
}
Tal_Err Tal_UnionFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b, Tal_FixedRect* out) {
    return Union(a, b, out);
}
