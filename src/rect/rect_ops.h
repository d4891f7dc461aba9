// Operations shared by every rectangle kind. The records differ in field order and width but not
// in meaning, so the algorithms are written once over field names.
#pragma once

#include <cstdint>
#include <type_traits>

#include "tal/rect.h"

template <class R>
using Talp_Coord = decltype(R::left);

// Integer coordinates wrap in their own width; the arithmetic runs in the matching unsigned type
// so no overflow is undefined.
template <class T>
inline T Talp_WrapAdd(T a, T b) {
    using U = std::make_unsigned_t<T>;
    return T(U(U(a) + U(b)));
}

template <class T>
inline T Talp_WrapSub(T a, T b) {
    using U = std::make_unsigned_t<T>;
    return T(U(U(a) - U(b)));
}

template <class T>
inline T Talp_Min(T a, T b) {
    return b < a ? b : a;
}

template <class T>
inline T Talp_Max(T a, T b) {
    return a < b ? b : a;
}

// Written as "not (left < right)" so a NaN edge of a double rectangle counts as empty; for
// integers it is exactly right <= left.
template <class R>
inline bool Talp_IsEmpty(const R& r) {
    return !(r.left < r.right) || !(r.top < r.bottom);
}

template <class R>
inline bool Talp_SameEdges(const R& a, const R& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

template <class R>
inline bool Talp_Overlap(const R& a, const R& b) {
    return !Talp_IsEmpty(a) && !Talp_IsEmpty(b) &&
           Talp_Max(a.top, b.top) < Talp_Min(a.bottom, b.bottom) &&
           Talp_Max(a.left, b.left) < Talp_Min(a.right, b.right);
}

template <class R>
inline void Talp_StoreEdges(R* r, Talp_Coord<R> left, Talp_Coord<R> top, Talp_Coord<R> right,
                            Talp_Coord<R> bottom) {
    r->left = left;
    r->top = top;
    r->right = right;
    r->bottom = bottom;
}
