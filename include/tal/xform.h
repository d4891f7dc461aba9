/// \file
/// Bulk transformation: point arrays and rectangles of every record kind, in place, through 3x3 and
/// 4x4 matrices of doubles. A function returns 0 unless its failure is described.
///
/// Matrices are row-major and points are row vectors (p' = p x m), translation in the last row:
/// \verbatim
///   3x3: x' = x*m[0] + y*m[3] + m[6]    y' = x*m[1] + y*m[4] + m[7]    W' = x*m[2] + y*m[5] + m[8]
///   4x4: c' = x*m[c] + y*m[4+c] + z*m[8+c] + w*m[12+c]   for the columns c = 0 (x) .. 3 (w)
/// \endverbatim
/// The homogeneous divide leaves a point undivided when -1e-12 < w' < 1e-12 (a NaN w' divides); a
/// divide multiplies by 1/w'. Array functions do nothing for a count below 1. Rectangle corners are
/// (left, top), (right, top), (right, bottom), (left, bottom).
#pragma once

#include "tal/error.h"
#include "tal/rect.h"
#include "tal/vector.h"

class Tal_Matrix3;

// ---- Point arrays -----------------------------------------------------------------------------

/// Maps 16-bit points through the affine part of m, rounding each result with Tal_RoundDouble; a
/// result not strictly inside (-32768, 32767) reports Tal_Err_OVERFLOW at site 0x26 and stops:
/// earlier points are done, and a point whose y failed already holds its new h.
TAL_C_API Tal_Err Tal_TransformPoints(const double m[9], long count, Tal_Point* points);
/// Maps 16.16 points (translation row in whole units) like Tal_TransformPoints; a result not
/// strictly inside (-2^31, 2^31 - 1) reports Tal_Err_OVERFLOW at site 0x27 and stops the same way.
TAL_C_API Tal_Err Tal_TransformFixPoints(const double m[9], long count, Tal_FixedPoint* points);
/// Maps points through the affine part of m (third column ignored, no divide).
TAL_C_API Tal_Err Tal_TransformFloatPoints(const double m[9], long count,
                                           Tal_Vector2T<double>* points);
/// Replaces each (x, y, z) by (x, y, z) x m, all three columns, undivided.
TAL_C_API Tal_Err Tal_TransformVector3(const double m[9], long count, Tal_Vector3T<double>* v);
/// Replaces each (x, y, z, w) by its product with m, divided by w' with w set to 1.0 unless w' is
/// within 1e-12 of zero, when the undivided product (w' included) is stored.
TAL_C_API Tal_Err Tal_TransformVector4(const double m[16], long count, Tal_Vector4T<double>* v);
/// Replaces each (x, y, z, w) by its product with m, undivided.
TAL_C_API Tal_Err Tal_TransformVector4NoDivide(const double m[16], long count,
                                               Tal_Vector4T<double>* v);
/// Replaces each (x, y, z) by (x, y, z, 1) x m, divided by w' unless w' is within 1e-12 of zero;
/// w' is dropped.
TAL_C_API Tal_Err Tal_Transform3DFloatPoints(const double m[16], long count,
                                             Tal_Vector3T<double>* points);
/// Maps 16-bit points as (h, v, 0) through Tal_Transform3DFloatPoints, limits each result to
/// [-32767, 32766] and truncates it toward zero (NaN stores 0); never reports.
TAL_C_API Tal_Err Tal_3DTransform2DPoints(const double m[16], long count, Tal_Point* points);

// ---- Rectangles -------------------------------------------------------------------------------
// inexact (optional) becomes 1 when m is affine or perspective by Tal_GetMatrixType, so that the
// result is only a bounding box, and 0 otherwise. The perspective column of m is ignored.

/// Replaces r by the bounds of its transformed corners, limited to [-32767, 32766] and rounded;
/// never overflows. corners (optional) receives the transformed corners unlimited.
TAL_C_API Tal_Err Tal_TransformRect(const double m[9], Tal_Rect* r, Tal_Vector2T<double>* corners,
                                    unsigned char* inexact);
/// Replaces r by the exact bounds of its transformed corners; corners (optional) receives them.
TAL_C_API Tal_Err Tal_TransformFloatRect(const double m[9], Tal_FloatRect* r,
                                         Tal_Vector2T<double>* corners, unsigned char* inexact);
/// Replaces r by the bounds of its corners mapped with Tal_TransformFixPoints. On an overflow
/// (reported at site 0x27) returns Tal_Err_OVERFLOW with r and inexact unchanged and corners
/// (optional) holding the corners as far as they were transformed.
TAL_C_API Tal_Err Tal_TransformFixRect(const double m[9], Tal_FixedRect* r, Tal_FixedPoint* corners,
                                       unsigned char* inexact);
/// The smallest 32-bit rectangle holding the transformed corners of r (floor of the minima, ceil of
/// the maxima, minima raised to -2^31 and maxima lowered to 2^31 - 1); an edge that still does not
/// fit, or is NaN, becomes 0x80000000. An empty r gives (0, 0, 0, 0).
TAL_API Tal_LRect Tal_TransformBounds(const Tal_Matrix3& m, const Tal_LRect& r);
