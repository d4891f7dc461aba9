// Set, copy and equality of the point and rectangle records, and the emptiness test.
#include "rect/rect_ops.h"

namespace {

// Assignment through a temporary keeps src == dst harmless.
template <class T>
Tal_Err Talp_CopyRecord(const T* src, T* dst) {
    const T tmp = *src;
    *dst = tmp;
    return Tal_Err_NONE;
}

template <class P>
bool Talp_SamePoint(const P* a, const P* b) {
    return a->x == b->x && a->y == b->y;
}

template <class R>
bool Talp_EqualOrBothEmpty(const R* a, const R* b) {
    return (Talp_IsEmpty(*a) && Talp_IsEmpty(*b)) || Talp_SameEdges(*a, *b);
}

}  // namespace

Tal_Err Tal_SetPt(Tal_Point* p, int16_t h, int16_t v) {
    p->v = v;
    p->h = h;
    return Tal_Err_NONE;
}

Tal_Err Tal_SetLPt(Tal_LPoint* p, int32_t x, int32_t y) {
    p->x = x;
    p->y = y;
    return Tal_Err_NONE;
}

Tal_Err Tal_SetFixedPt(Tal_FixedPoint* p, Tal_Fixed x, Tal_Fixed y) {
    p->x = x;
    p->y = y;
    return Tal_Err_NONE;
}

Tal_Err Tal_CopyPt(const Tal_Point* src, Tal_Point* dst) {
    return Talp_CopyRecord(src, dst);
}
Tal_Err Tal_CopyLPt(const Tal_LPoint* src, Tal_LPoint* dst) {
    return Talp_CopyRecord(src, dst);
}
Tal_Err Tal_CopyFixedPt(const Tal_FixedPoint* src, Tal_FixedPoint* dst) {
    return Talp_CopyRecord(src, dst);
}

bool Tal_EqualPt(const Tal_Point* a, const Tal_Point* b) {
    return a->v == b->v && a->h == b->h;
}
bool Tal_EqualLPt(const Tal_LPoint* a, const Tal_LPoint* b) {
    return Talp_SamePoint(a, b);
}
bool Tal_EqualFixedPt(const Tal_FixedPoint* a, const Tal_FixedPoint* b) {
    return Talp_SamePoint(a, b);
}

Tal_Err Tal_SetRect(Tal_Rect* r, int16_t left, int16_t top, int16_t right, int16_t bottom) {
    Talp_StoreEdges(r, left, top, right, bottom);
    return Tal_Err_NONE;
}

Tal_Err Tal_SetLRect(Tal_LRect* r, int32_t left, int32_t top, int32_t right, int32_t bottom) {
    Talp_StoreEdges(r, left, top, right, bottom);
    return Tal_Err_NONE;
}

Tal_Err Tal_SetFixedRect(Tal_FixedRect* r, Tal_Fixed left, Tal_Fixed top, Tal_Fixed right,
                         Tal_Fixed bottom) {
    Talp_StoreEdges(r, left, top, right, bottom);
    return Tal_Err_NONE;
}

Tal_Err Tal_SetWHRect(Tal_WHRect* r, int16_t a, int16_t b, int16_t c, int16_t d) {
    r->value[0] = a;
    r->value[1] = b;
    r->value[2] = c;
    r->value[3] = d;
    return Tal_Err_NONE;
}

Tal_Err Tal_CopyRect(const Tal_Rect* src, Tal_Rect* dst) {
    return Talp_CopyRecord(src, dst);
}
Tal_Err Tal_CopyLRect(const Tal_LRect* src, Tal_LRect* dst) {
    return Talp_CopyRecord(src, dst);
}
Tal_Err Tal_CopyFixedRect(const Tal_FixedRect* src, Tal_FixedRect* dst) {
    return Talp_CopyRecord(src, dst);
}
Tal_Err Tal_CopyWHRect(const Tal_WHRect* src, Tal_WHRect* dst) {
    return Talp_CopyRecord(src, dst);
}

bool Tal_EqualWHRect(const Tal_WHRect* a, const Tal_WHRect* b) {
    return a->value[0] == b->value[0] && a->value[1] == b->value[1] && a->value[2] == b->value[2] &&
           a->value[3] == b->value[3];
}

bool Tal_EqualRect(const Tal_Rect* a, const Tal_Rect* b) {
    return Talp_EqualOrBothEmpty(a, b);
}
bool Tal_EqualLRect(const Tal_LRect* a, const Tal_LRect* b) {
    return Talp_EqualOrBothEmpty(a, b);
}
bool Tal_EqualFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b) {
    return Talp_EqualOrBothEmpty(a, b);
}

bool Tal_EmptyRect(const Tal_Rect* r) {
    return Talp_IsEmpty(*r);
}
bool Tal_EmptyLRect(const Tal_LRect* r) {
    return Talp_IsEmpty(*r);
}
bool Tal_EmptyFixedRect(const Tal_FixedRect* r) {
    return Talp_IsEmpty(*r);
}
