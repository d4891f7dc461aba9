// Point containment and the rectangle spanned by two points.
#include "rect/rect_ops.h"

namespace {

template <class T, class R>
bool Talp_Contains(T x, T y, const R& r) {
    return r.left <= x && x < r.right && r.top <= y && y < r.bottom;
}

template <class T, class R>
Tal_Err Talp_Span(T x1, T y1, T x2, T y2, R* out) {
    Talp_StoreEdges(out, Talp_Min(x1, x2), Talp_Min(y1, y2), Talp_Max(x1, x2), Talp_Max(y1, y2));
    return Tal_Err_NONE;
}

}  // namespace

bool Tal_PtInRect(const Tal_Point* p, const Tal_Rect* r) {
    return Talp_Contains(p->h, p->v, *r);
}
bool Tal_LPtInRect(const Tal_LPoint* p, const Tal_LRect* r) {
    return Talp_Contains(p->x, p->y, *r);
}
bool Tal_FixedPtInRect(const Tal_FixedPoint* p, const Tal_FixedRect* r) {
    return Talp_Contains(p->x, p->y, *r);
}

Tal_Err Tal_Pt2Rect(const Tal_Point* p1, const Tal_Point* p2, Tal_Rect* out) {
    return Talp_Span(p1->h, p1->v, p2->h, p2->v, out);
}

Tal_Err Tal_LPt2Rect(const Tal_LPoint* p1, const Tal_LPoint* p2, Tal_LRect* out) {
    return Talp_Span(p1->x, p1->y, p2->x, p2->y, out);
}

Tal_Err Tal_FixedPt2Rect(const Tal_FixedPoint* p1, const Tal_FixedPoint* p2, Tal_FixedRect* out) {
    return Talp_Span(p1->x, p1->y, p2->x, p2->y, out);
}
