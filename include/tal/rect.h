/// \file
/// Point and rectangle records in three coordinate kinds (16-bit, 32-bit, 16.16 fixed) plus a
/// rectangle of doubles, and their set, copy, compare, containment, inset, offset, center,
/// intersection, union and conversions. Rectangles are half-open: they cover left <= x < right and
/// top <= y < bottom, y grows downward, and they are empty when right <= left or bottom <= top.
/// Integer coordinate arithmetic wraps in the field's own width. Nothing here reports; every
/// Tal_Err result is 0. Outputs may be the same record as an input.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tal/error.h"
#include "tal/fixed.h"

// ---- Records ----------------------------------------------------------------------------------
// The 16-bit records keep the vertical-first order; the 32-bit, fixed and double ones are
// horizontal-first. Conversions map fields by name, never by position.

/// 16-bit point: v (y) first, then h (x).
struct Tal_Point {
    int16_t v;  ///< vertical (y)
    int16_t h;  ///< horizontal (x)
};

/// 32-bit point.
struct Tal_LPoint {
    int32_t x;  ///< horizontal
    int32_t y;  ///< vertical, growing downward
};

/// 16.16 fixed-point point.
struct Tal_FixedPoint {
    Tal_Fixed x;  ///< horizontal
    Tal_Fixed y;  ///< vertical, growing downward
};

/// 16-bit rectangle: top, left, bottom, right.
struct Tal_Rect {
    int16_t top;     ///< first row inside
    int16_t left;    ///< first column inside
    int16_t bottom;  ///< first row below
    int16_t right;   ///< first column to the right
};

/// 32-bit rectangle.
struct Tal_LRect {
    int32_t left;    ///< first column inside
    int32_t top;     ///< first row inside
    int32_t right;   ///< first column to the right
    int32_t bottom;  ///< first row below
};

/// 16.16 fixed-point rectangle.
struct Tal_FixedRect {
    Tal_Fixed left;    ///< inside from here
    Tal_Fixed top;     ///< inside from here
    Tal_Fixed right;   ///< outside from here
    Tal_Fixed bottom;  ///< outside from here
};

/// Rectangle of doubles.
struct Tal_FloatRect {
    double left;    ///< inside from here
    double top;     ///< inside from here
    double right;   ///< outside from here
    double bottom;  ///< outside from here
};

/// Four 16-bit values in the order given to Tal_SetWHRect; only set, copied and compared.
struct Tal_WHRect {
    int16_t value[4];  ///< as given
};

static_assert(sizeof(Tal_Point) == 4 && offsetof(Tal_Point, h) == 2, "Tal_Point layout");
static_assert(sizeof(Tal_LPoint) == 8 && offsetof(Tal_LPoint, y) == 4, "Tal_LPoint layout");
static_assert(sizeof(Tal_FixedPoint) == 8 && offsetof(Tal_FixedPoint, y) == 4,
              "Tal_FixedPoint layout");
static_assert(sizeof(Tal_Rect) == 8 && offsetof(Tal_Rect, left) == 2 &&
                  offsetof(Tal_Rect, bottom) == 4 && offsetof(Tal_Rect, right) == 6,
              "Tal_Rect layout");
static_assert(sizeof(Tal_LRect) == 16 && offsetof(Tal_LRect, top) == 4 &&
                  offsetof(Tal_LRect, right) == 8 && offsetof(Tal_LRect, bottom) == 12,
              "Tal_LRect layout");
static_assert(sizeof(Tal_FixedRect) == 16 && offsetof(Tal_FixedRect, top) == 4 &&
                  offsetof(Tal_FixedRect, right) == 8 && offsetof(Tal_FixedRect, bottom) == 12,
              "Tal_FixedRect layout");
static_assert(sizeof(Tal_FloatRect) == 32 && offsetof(Tal_FloatRect, top) == 8 &&
                  offsetof(Tal_FloatRect, right) == 16 && offsetof(Tal_FloatRect, bottom) == 24,
              "Tal_FloatRect layout");
static_assert(sizeof(Tal_WHRect) == 8, "Tal_WHRect layout");

// ---- Points -----------------------------------------------------------------------------------

/// Stores h and v into p (v lands in the first field).
TAL_C_API Tal_Err Tal_SetPt(Tal_Point* p, int16_t h, int16_t v);
/// Stores x and y into p.
TAL_C_API Tal_Err Tal_SetLPt(Tal_LPoint* p, int32_t x, int32_t y);
/// Stores x and y into p.
TAL_C_API Tal_Err Tal_SetFixedPt(Tal_FixedPoint* p, Tal_Fixed x, Tal_Fixed y);

/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyPt(const Tal_Point* src, Tal_Point* dst);
/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyLPt(const Tal_LPoint* src, Tal_LPoint* dst);
/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyFixedPt(const Tal_FixedPoint* src, Tal_FixedPoint* dst);

/// True when both coordinates are equal.
TAL_C_API bool Tal_EqualPt(const Tal_Point* a, const Tal_Point* b);
/// True when both coordinates are equal.
TAL_C_API bool Tal_EqualLPt(const Tal_LPoint* a, const Tal_LPoint* b);
/// True when both coordinates are equal.
TAL_C_API bool Tal_EqualFixedPt(const Tal_FixedPoint* a, const Tal_FixedPoint* b);

// ---- Set, copy, compare -----------------------------------------------------------------------

/// Stores the four edges by name (top lands in the first field).
TAL_C_API Tal_Err Tal_SetRect(Tal_Rect* r, int16_t left, int16_t top, int16_t right,
                              int16_t bottom);
/// Stores the four edges.
TAL_C_API Tal_Err Tal_SetLRect(Tal_LRect* r, int32_t left, int32_t top, int32_t right,
                               int32_t bottom);
/// Stores the four edges.
TAL_C_API Tal_Err Tal_SetFixedRect(Tal_FixedRect* r, Tal_Fixed left, Tal_Fixed top, Tal_Fixed right,
                                   Tal_Fixed bottom);
/// Stores the four values in argument order.
TAL_C_API Tal_Err Tal_SetWHRect(Tal_WHRect* r, int16_t a, int16_t b, int16_t c, int16_t d);

/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyRect(const Tal_Rect* src, Tal_Rect* dst);
/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyLRect(const Tal_LRect* src, Tal_LRect* dst);
/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyFixedRect(const Tal_FixedRect* src, Tal_FixedRect* dst);
/// Copies src into dst (src == dst is a no-op).
TAL_C_API Tal_Err Tal_CopyWHRect(const Tal_WHRect* src, Tal_WHRect* dst);

/// True when all four values are equal (no emptiness rule: the values are not interpreted).
TAL_C_API bool Tal_EqualWHRect(const Tal_WHRect* a, const Tal_WHRect* b);
/// True when both are empty (whatever their edges) or all four edges are equal.
TAL_C_API bool Tal_EqualRect(const Tal_Rect* a, const Tal_Rect* b);
/// True when both are empty (whatever their edges) or all four edges are equal.
TAL_C_API bool Tal_EqualLRect(const Tal_LRect* a, const Tal_LRect* b);
/// True when both are empty (whatever their edges) or all four edges are equal.
TAL_C_API bool Tal_EqualFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b);

/// True when right <= left or bottom <= top.
TAL_C_API bool Tal_EmptyRect(const Tal_Rect* r);
/// True when right <= left or bottom <= top.
TAL_C_API bool Tal_EmptyLRect(const Tal_LRect* r);
/// True when right <= left or bottom <= top.
TAL_C_API bool Tal_EmptyFixedRect(const Tal_FixedRect* r);

/// Compares a with b by mode: 0 equal edges, 1..4 width and height both >, >=, <, <= (taken in
/// 32 bits), 5 a encloses b strictly, 6 a encloses b, 7 they intersect, 8 their closed ranges
/// overlap or touch; any other mode is false.
TAL_C_API bool Tal_RectCompare(int16_t mode, const Tal_Rect* a, const Tal_Rect* b);
/// Tal_RectCompare on 32-bit edges; widths and heights wrap in 32 bits.
TAL_C_API bool Tal_LRectCompare(int16_t mode, const Tal_LRect* a, const Tal_LRect* b);
/// Tal_RectCompare on fixed edges; widths and heights wrap in 32 bits.
TAL_C_API bool Tal_FixedRectCompare(int16_t mode, const Tal_FixedRect* a, const Tal_FixedRect* b);

// ---- Containment ------------------------------------------------------------------------------

/// True when left <= h < right and top <= v < bottom (right and bottom edges excluded).
TAL_C_API bool Tal_PtInRect(const Tal_Point* p, const Tal_Rect* r);
/// True when left <= x < right and top <= y < bottom.
TAL_C_API bool Tal_LPtInRect(const Tal_LPoint* p, const Tal_LRect* r);
/// True when left <= x < right and top <= y < bottom.
TAL_C_API bool Tal_FixedPtInRect(const Tal_FixedPoint* p, const Tal_FixedRect* r);

/// out = (min x, min y, max x, max y) of the two points; equal points give an empty rectangle.
TAL_C_API Tal_Err Tal_Pt2Rect(const Tal_Point* p1, const Tal_Point* p2, Tal_Rect* out);
/// out = (min x, min y, max x, max y) of the two points.
TAL_C_API Tal_Err Tal_LPt2Rect(const Tal_LPoint* p1, const Tal_LPoint* p2, Tal_LRect* out);
/// out = (min x, min y, max x, max y) of the two points.
TAL_C_API Tal_Err Tal_FixedPt2Rect(const Tal_FixedPoint* p1, const Tal_FixedPoint* p2,
                                   Tal_FixedRect* out);

// ---- Inset, offset, center --------------------------------------------------------------------

/// left += dh, right -= dh, top += dv, bottom -= dv, wrapping in 16 bits.
TAL_C_API Tal_Err Tal_InsetRect(Tal_Rect* r, int16_t dh, int16_t dv);
/// left += dh, right -= dh, top += dv, bottom -= dv, wrapping in 32 bits.
TAL_C_API Tal_Err Tal_InsetLRect(Tal_LRect* r, int32_t dh, int32_t dv);
/// left += dh, right -= dh, top += dv, bottom -= dv, wrapping in 32 bits.
TAL_C_API Tal_Err Tal_InsetFixedRect(Tal_FixedRect* r, Tal_Fixed dh, Tal_Fixed dv);

/// Moves r by dh across and dv down, wrapping in 16 bits.
TAL_C_API Tal_Err Tal_OffsetRect(Tal_Rect* r, int16_t dh, int16_t dv);
/// Moves r by dh across and dv down, wrapping in 32 bits.
TAL_C_API Tal_Err Tal_OffsetLRect(Tal_LRect* r, int32_t dh, int32_t dv);
/// Moves r by dh across and dv down, wrapping in 32 bits.
TAL_C_API Tal_Err Tal_OffsetFixedRect(Tal_FixedRect* r, Tal_Fixed dh, Tal_Fixed dv);

/// Moves r, keeping its size, so its left is ref.left + (ref width - width) / 2 (truncated) and
/// likewise vertically; differences and sums wrap in 16 bits.
TAL_C_API Tal_Err Tal_CenterRect(const Tal_Rect* ref, Tal_Rect* r);
/// Tal_CenterRect in 32 bits.
TAL_C_API Tal_Err Tal_CenterLRect(const Tal_LRect* ref, Tal_LRect* r);
/// Tal_CenterRect in 32 bits on the raw fixed values.
TAL_C_API Tal_Err Tal_CenterFixedRect(const Tal_FixedRect* ref, Tal_FixedRect* r);

// ---- Intersection and union -------------------------------------------------------------------

/// True when a and b are both non-empty and overlap; out (may be null, may be a or b) gets the
/// intersection, or all zeros when it is empty.
TAL_C_API bool Tal_SectRect(const Tal_Rect* a, const Tal_Rect* b, Tal_Rect* out);
/// Tal_SectRect on 32-bit edges.
TAL_C_API bool Tal_SectLRect(const Tal_LRect* a, const Tal_LRect* b, Tal_LRect* out);
/// Tal_SectRect on fixed edges.
TAL_C_API bool Tal_SectFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b,
                                 Tal_FixedRect* out);
/// Tal_SectRect on doubles; a NaN edge makes the intersection empty (out all 0.0).
TAL_C_API bool Tal_SectFloatRect(const Tal_FloatRect* a, const Tal_FloatRect* b,
                                 Tal_FloatRect* out);

/// out = a if b is empty, else b if a is empty, else the bounding rectangle of both; when both
/// are empty and out is b, out is left as it was.
TAL_C_API Tal_Err Tal_UnionRect(const Tal_Rect* a, const Tal_Rect* b, Tal_Rect* out);
/// Tal_UnionRect on 32-bit edges.
TAL_C_API Tal_Err Tal_UnionLRect(const Tal_LRect* a, const Tal_LRect* b, Tal_LRect* out);
/// Tal_UnionRect on fixed edges.
TAL_C_API Tal_Err Tal_UnionFixedRect(const Tal_FixedRect* a, const Tal_FixedRect* b,
                                     Tal_FixedRect* out);

// ---- Conversions ------------------------------------------------------------------------------
// Fixed to integer: each edge is rounded, then taken modulo 2^16 as a signed 16-bit value (and
// sign-extended for Tal_LRect), so both targets have the 16-bit range: 32767.5 gives -32768.

/// Rounds each edge to nearest, halves up (1.5 -> 2, -1.5 -> -1).
TAL_C_API Tal_Err Tal_FixedRect2Rect(const Tal_FixedRect* src, Tal_Rect* dst);
/// Rounds each edge to nearest, halves up, into the 16-bit range.
TAL_C_API Tal_Err Tal_FixedRect2LRect(const Tal_FixedRect* src, Tal_LRect* dst);
/// Largest integer rectangle inside: left/top rounded up, right/bottom down.
TAL_C_API Tal_Err Tal_FixedRect2RectIn(const Tal_FixedRect* src, Tal_Rect* dst);
/// Largest integer rectangle inside, into the 16-bit range.
TAL_C_API Tal_Err Tal_FixedRect2LRectIn(const Tal_FixedRect* src, Tal_LRect* dst);
/// Smallest integer rectangle around: left/top rounded down, right/bottom up.
TAL_C_API Tal_Err Tal_FixedRect2RectOut(const Tal_FixedRect* src, Tal_Rect* dst);
/// Smallest integer rectangle around, into the 16-bit range.
TAL_C_API Tal_Err Tal_FixedRect2LRectOut(const Tal_FixedRect* src, Tal_LRect* dst);
/// Each 16-bit edge shifted left by 16 (exact).
TAL_C_API Tal_Err Tal_Rect2FixedRect(const Tal_Rect* src, Tal_FixedRect* dst);
/// Each 32-bit edge shifted left by 16, wrapping beyond +-32767.
TAL_C_API Tal_Err Tal_LRect2FixedRect(const Tal_LRect* src, Tal_FixedRect* dst);
