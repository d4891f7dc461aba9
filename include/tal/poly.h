// Polygons: the point-in-polygon test of closed outlines in layer or screen space.
#pragma once

#include "tal/export.h"
#include "tal/frame.h"
#include "tal/vector.h"

// ---- Point in polygon -------------------------------------------------------------------------

/// *inside = 1 when point lies inside the closed outline vertices[0..count) by the even-odd rule
/// (concave, self-intersecting and repeated vertices allowed), on it, or within |tolerance| of it;
/// one distinct vertex is a point test. count < 1 gives outside and 0. A count no vertex list
/// could hold is reported as out of memory through the base library and Tal_Err_OUT_OF_MEMORY
/// returned, *inside 0. T is Tal_Vector2T<double> or Tal_Vector2T<float>; all arithmetic is in
/// double. Allocates nothing.
template <typename T>
long Tal_IsFloatPointInConcavePoly(const T* point, const T* vertices, long count, double tolerance,
                                   unsigned char* inside);

extern template TAL_API long Tal_IsFloatPointInConcavePoly<Tal_Vector2T<double>>(
    const Tal_Vector2T<double>* point, const Tal_Vector2T<double>* vertices, long count,
    double tolerance, unsigned char* inside);
extern template TAL_API long Tal_IsFloatPointInConcavePoly<Tal_Vector2T<float>>(
    const Tal_Vector2T<float>* point, const Tal_Vector2T<float>* vertices, long count,
    double tolerance, unsigned char* inside);

/// Tal_IsFloatPointInConcavePoly of the quadrilateral quad[0..4) with tolerance 0.
TAL_C_API long Tal_IsFloatPointInQuad(const Tal_Vector2T<double>* point,
                                      const Tal_Vector2T<double>* quad, unsigned char* inside);
