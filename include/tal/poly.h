/// \file
/// Polygons: the point-in-polygon test of closed outlines in layer or screen space.
#pragma once

#include <utility>

#include "tal/error.h"
#include "tal/matrix.h"
#include "tal/vector.h"

// ---- Point in polygon -------------------------------------------------------------------------

/// *inside = 1 when point lies inside the closed outline vertices[0..count) by the even-odd rule
/// (concave, self-intersecting and repeated vertices allowed), on it, or within |tolerance| of it;
/// one distinct vertex is a point test. count < 1 gives outside and 0. A count no vertex list
/// could hold (count >= PTRDIFF_MAX / sizeof(T)) is reported as out of memory through the base
/// library and Tal_Err_OUT_OF_MEMORY returned, *inside 0. Such a long exists where long is as wide
/// as a pointer (64-bit Linux, 32-bit x86); with a 32-bit long and 64-bit pointers (Windows x64)
/// every count could be held, none is refused, and the count must not exceed the vertices given.
/// T is Tal_Vector2T<double> or Tal_Vector2T<float>; all arithmetic is in double. Allocates
/// nothing.
template <typename T>
long Tal_IsFloatPointInConcavePoly(const T* point, const T* vertices, long count, double tolerance,
                                   unsigned char* inside);

/// The test on double outlines, exported from libtal.
extern template TAL_API long Tal_IsFloatPointInConcavePoly<Tal_Vector2T<double>>(
    const Tal_Vector2T<double>* point, const Tal_Vector2T<double>* vertices, long count,
    double tolerance, unsigned char* inside);
/// The test on float outlines, exported from libtal.
extern template TAL_API long Tal_IsFloatPointInConcavePoly<Tal_Vector2T<float>>(
    const Tal_Vector2T<float>* point, const Tal_Vector2T<float>* vertices, long count,
    double tolerance, unsigned char* inside);

/// Tal_IsFloatPointInConcavePoly of the quadrilateral quad[0..4) with tolerance 0.
TAL_C_API long Tal_IsFloatPointInQuad(const Tal_Vector2T<double>* point,
                                      const Tal_Vector2T<double>* quad, unsigned char* inside);

// ---- Transform polygons and screen projection -------------------------------------------------
// The corners of a layer carried to the screen, with the hit-test and outline questions a host
// asks there. Members throw a non-zero callee code as a long; indices are not checked (corner and
// edge indices 0..3, poly-point indices below NumPolyPoints()). Edge i runs from corner i to
// corner (i + 1) mod 4.

/// A layer's quadrilateral through one 2D transform.
class TAL_API Tal_TransformPoly2D {
public:
    /// Visible, corners (0, 0).
    Tal_TransformPoly2D();
    /// Copies the four corners and the visible flag.
    Tal_TransformPoly2D(const Tal_TransformPoly2D& o);
    /// Copies the four corners and the visible flag.
    Tal_TransformPoly2D& operator=(const Tal_TransformPoly2D& o);
    virtual ~Tal_TransformPoly2D();

    /// corner[index] = point; the visible flag is kept.
    void SetLayerPoint(long index, const Tal_Vector2T<double>& point);
    /// Maps the corners as they stand through the affine part of matrix; a row 0 or 1 whose
    /// squared length over three columns lies strictly inside (-1e-12, 1e-12) makes the polygon
    /// invisible and leaves the corners untouched.
    void TransformPoints(const Tal_Matrix3& matrix);
    /// False only after a degenerate TransformPoints.
    bool IsVisible() const;
    /// Nothing to build: the outline is the four corners.
    void InitPolyPoints() const;
    /// Always 4.
    long NumPolyPoints() const;
    /// The four corners, transformed or not.
    const Tal_Vector2T<double>* GetPolyPoints() const;
    /// *out = corner[index].
    void GetPolyPoint(long index, Tal_Vector2T<double>* out) const;
    /// *out = corner[index]; true even when invisible.
    bool GetPoint(long index, Tal_Vector2T<double>* out) const;
    /// *out = (corner[index], corner[(index + 1) mod 4]); true.
    bool GetEdge(long index, std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>>* out) const;
    /// Even-odd test of the four corners with a |tolerance| band; false whenever invisible.
    bool IsPointInside(const Tal_Vector2T<double>* point, double tolerance) const;
    /// Distance to the nearest edge: perpendicular where the foot lies on the edge, else to the
    /// nearer end. Ignores the visible flag.
    double GetMinimumEdgeDistance(const Tal_Vector2T<double>* point) const;

private:
    Tal_Vector2T<double> fCorners[4];
    bool fVisible;
};

/// A layer's quadrilateral placed in 3D: to eye space, clipped at the near plane z = 0.1, and
/// projected to the screen, where its clipped outline answers hit tests. The outline storage
/// comes from the host's tracked allocator; a failing allocation lets its std::exception
/// through with the outline as it was.
class TAL_API Tal_TransformPoly3D {
public:
    /// No outline (invalid, no storage), nothing clipped, corners and clip points (0, 0, 0).
    Tal_TransformPoly3D();
    /// Deep copy; the outline gets a block of exactly its point count (none when empty).
    Tal_TransformPoly3D(const Tal_TransformPoly3D& o);
    /// Deep copy reusing this block when it holds the source's points; on an allocation failure
    /// *this is unchanged.
    Tal_TransformPoly3D& operator=(const Tal_TransformPoly3D& o);
    /// Returns the outline block.
    virtual ~Tal_TransformPoly3D();

    /// corner[index] = (point.x, point.y, 0); nothing else changes.
    void SetLayerPoint(long index, const Tal_Vector2T<double>& point);
    /// Maps the corners as they stand through matrix with the homogeneous divide. A row 0 or 1
    /// whose squared length over four columns lies strictly inside (-1e-12, 1e-12) only clears the
    /// clipped flags.
    void TransformPointsToEye(const Tal_Matrix4& matrix);
    /// Clips the four edges at the near plane, maps corners and crossing points through matrix
    /// and invalidates the outline; a degenerate matrix (as above) only clears the clipped flags.
    void TransformPointsToScreen(const Tal_Matrix4& matrix);
    /// Flags the ends of edge index behind z = 0.1 and keeps the crossing point when exactly one
    /// is; otherwise the edge's clip point is (0, 0, 0).
    void ClipEdgeToScreen(long index);
    /// Empties the outline (its storage stays) and marks it invalid.
    void InvalidatePolyPoints();
    /// Builds the clipped outline unless valid: the visible corners and crossing points in order
    /// from edge 0, none when all corners are behind. Reserves its eight points once.
    void InitPolyPoints() const;
    /// Whether the outline is valid.
    bool PolyPointsInit();
    /// Points in the outline; 0 before InitPolyPoints.
    long NumPolyPoints() const;
    /// The outline in the object's storage (null when it never had any), valid until the next
    /// InitPolyPoints, assignment or destruction.
    const Tal_Vector2T<double>* GetPolyPoints() const;
    /// *out = outline point index.
    void GetPolyPoint(long index, Tal_Vector2T<double>* out) const;
    /// False when corner index is behind the near plane; else *out = its (x, y) and true.
    bool GetPoint(long index, Tal_Vector2T<double>* out) const;
    /// The visible part of edge index in x and y, the end behind replaced by the crossing point;
    /// false with *out untouched when both ends are behind.
    bool GetEdge(long index, std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>>* out) const;
    /// False only when all four corners are behind the near plane.
    bool IsVisible() const;
    /// Even-odd test of the outline with a |tolerance| band; false when invisible or before
    /// InitPolyPoints (it is not called here).
    bool IsPointInside(const Tal_Vector2T<double>* point, double tolerance) const;
    /// Distance to the nearest visible edge as in Tal_TransformPoly2D; -1.0 when no edge is left.
    double GetMinimumEdgeDistance(const Tal_Vector2T<double>* point) const;

private:
    void ReserveOutline(long count) const;
    void AppendOutline(const Tal_Vector2T<double>& p) const;

    Tal_Vector3T<double> fCorners[4];
    Tal_Vector3T<double> fClipPoints[4];  // clip point i belongs to edge i
    bool fClipped[4];                     // corner i lay behind z = 0.1 at the last clipping
    mutable Tal_Vector2T<double>* fPolyPoints;
    mutable long fPolyCount;
    mutable long fPolyCapacity;
    mutable bool fPolyPointsValid;
};

/// Maps point through first, then second (affine parts, no divide), in place; true. Throws a
/// non-zero concatenation code as a long.
TAL_API bool Tal_TransformPoint2DtoScreen(const Tal_Matrix3& first, const Tal_Matrix3& second,
                                          Tal_Vector2T<double>* point);
/// Maps (x, y, 0) to eye space with the divide; false with point unchanged when its z < 0.1
/// (exactly 0.1 passes), else through projection x screen (embedded in 4x4), divided, and true.
/// A W within 1e-12 of zero is reported at site 0x3B and thrown as Tal_Err_ZERO_W, point
/// unchanged.
TAL_API bool Tal_TransformPoint3DtoScreen(const Tal_Matrix4& toEye, const Tal_Matrix4& projection,
                                          const Tal_Matrix3& screen, Tal_Vector2T<double>* point);
/// Signed area, positive counter-clockwise with y up, summed as fans of quadrilaterals from
/// points[0] (and one closing triangle for an odd count); 0.0 below three points.
TAL_C_API double Tal_SignedPolygonArea2D(const Tal_Vector2T<double>* points, long count);
