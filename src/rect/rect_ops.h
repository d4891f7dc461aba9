// Operations shared by every rectangle kind. The records differ in field order and width but not
// in meaning, so the algorithms are written once over field names.
#pragma once

#include <cstdint>
#include <type_traits>

#include "tal/rect.h"

namespace talp_rect {

template <class R>
using Coord = decltype(R::left);

// Integer coordinates wrap in their own width; the arithmetic runs in the matching unsigned type
// so no overflow is undefined.
template <class T>
inline T WrapAdd(T a, T b) {
    using U = std::make_unsigned_t<T>;
    return T(U(U(a) + U(b)));
}

template <class T>
inline T WrapSub(T a, T b) {
    using U = std::make_unsigned_t<T>;
    return T(U(U(a) - U(b)));
}

template <class T>
inline T Min(T a, T b) {
    return b < a ? b : a;
}

template <class T>
inline T Max(T a, T b) {
    return a < b ? b : a;
}

// Written as "not (left < right)" so a NaN edge of a double rectangle counts as empty; for
// integers it is exactly right <= left.
template <class R>
inline bool IsEmpty(const R& r) {
    return !(r.left < r.right) || !(r.top < r.bottom);
}

template <class R>
inline bool SameEdges(const R& a, const R& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

template <class R>
inline bool Overlap(const R& a, const R& b) {
    return !IsEmpty(a) && !IsEmpty(b) && Max(a.top, b.top) < Min(a.bottom, b.bottom) &&
           Max(a.left, b.left) < Min(a.right, b.right);
}

template <class R>
inline void StoreEdges(R* r, Coord<R> left, Coord<R> top, Coord<R> right, Coord<R> bottom) {
    r->left = left;
    r->top = top;
    r->right = right;
    r->bottom = bottom;
}

}  // namespace talp_rect
