// The 3D transform polygon: a layer's four corners to eye space, clipped at the near plane, to the
// screen, and its clipped outline there. The outline lives in one block from the host's tracked
// allocator, sized once for the most a clipped quadrilateral can have.
#include <algorithm>

#include "frame/base_library.h"
#include "matrix/constants.h"
#include "matrix/matrix_members.h"
#include "poly/transform_poly_edges.h"
#include "tal/geometry.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/xform.h"

namespace {

// Four edges each give at most their first point and an exit point.
constexpr long Talp_MaxOutline = 8;

// A row of (near) zero length collapses the layer.
bool Talp_IsDegenerate(const Tal_Matrix4& matrix) {
    const Tal_Vector3T<double> s = matrix.GetScaleSquared();
    return Talp_IsNearZero(s.x) || Talp_IsNearZero(s.y);
}

Tal_Vector2T<double>* Talp_NewOutlineBlock(long count) {
    return static_cast<Tal_Vector2T<double>*>(
        Bas_MemTrackedObject::TrackedNew(size_t(count) * sizeof(Tal_Vector2T<double>), false));
}

void Talp_DeleteOutlineBlock(Tal_Vector2T<double>* block) {
    if (block) Bas_MemTrackedObject::TrackedDelete(block);
}

}  // namespace

// ---- Life cycle -------------------------------------------------------------------------------

Tal_TransformPoly3D::Tal_TransformPoly3D()
    : fCorners{},
      fClipPoints{},
      fClipped{false, false, false, false},
      fPolyPoints(nullptr),
      fPolyCount(0),
      fPolyCapacity(0),
      fPolyPointsValid(false) {}

Tal_TransformPoly3D::Tal_TransformPoly3D(const Tal_TransformPoly3D& o)
    : fPolyPoints(o.fPolyCount > 0 ? Talp_NewOutlineBlock(o.fPolyCount) : nullptr),
      fPolyCount(o.fPolyCount),
      fPolyCapacity(o.fPolyCount),
      fPolyPointsValid(o.fPolyPointsValid) {
    std::copy(o.fCorners, o.fCorners + 4, fCorners);
    std::copy(o.fClipPoints, o.fClipPoints + 4, fClipPoints);
    std::copy(o.fClipped, o.fClipped + 4, fClipped);
    std::copy(o.fPolyPoints, o.fPolyPoints + o.fPolyCount, fPolyPoints);
}

Tal_TransformPoly3D& Tal_TransformPoly3D::operator=(const Tal_TransformPoly3D& o) {
    if (this == &o) return *this;
    // Allocate before touching anything, so that a failure leaves *this as it was.
    if (o.fPolyCount > fPolyCapacity) {
        Tal_Vector2T<double>* block = Talp_NewOutlineBlock(o.fPolyCount);
        Talp_DeleteOutlineBlock(fPolyPoints);
        fPolyPoints = block;
        fPolyCapacity = o.fPolyCount;
    }
    std::copy(o.fCorners, o.fCorners + 4, fCorners);
    std::copy(o.fClipPoints, o.fClipPoints + 4, fClipPoints);
    std::copy(o.fClipped, o.fClipped + 4, fClipped);
    std::copy(o.fPolyPoints, o.fPolyPoints + o.fPolyCount, fPolyPoints);
    fPolyCount = o.fPolyCount;
    fPolyPointsValid = o.fPolyPointsValid;
    return *this;
}

Tal_TransformPoly3D::~Tal_TransformPoly3D() {
    Talp_DeleteOutlineBlock(fPolyPoints);
}

// ---- Transforms and clipping ------------------------------------------------------------------

void Tal_TransformPoly3D::SetLayerPoint(long index, const Tal_Vector2T<double>& point) {
    fCorners[index] = {point.x, point.y, 0.0};
}

void Tal_TransformPoly3D::TransformPointsToEye(const Tal_Matrix4& matrix) {
    if (Talp_IsDegenerate(matrix)) {
        std::fill(fClipped, fClipped + 4, false);
        return;
    }
    Talp_ThrowIfFailed(Tal_Transform3DFloatPoints(&matrix.m[0][0], 4, fCorners));
}

void Tal_TransformPoly3D::TransformPointsToScreen(const Tal_Matrix4& matrix) {
    if (Talp_IsDegenerate(matrix)) {
        std::fill(fClipped, fClipped + 4, false);
        return;
    }
    for (long i = 0; i < 4; ++i)
        ClipEdgeToScreen(i);
    Talp_ThrowIfFailed(Tal_Transform3DFloatPoints(&matrix.m[0][0], 4, fCorners));
    Talp_ThrowIfFailed(Tal_Transform3DFloatPoints(&matrix.m[0][0], 4, fClipPoints));
    InvalidatePolyPoints();
}

void Tal_TransformPoly3D::ClipEdgeToScreen(long index) {
    const long j = (index + 1) % 4;
    fClipPoints[index] = {0.0, 0.0, 0.0};
    unsigned char startBehind = 0, endBehind = 0;
    Talp_ThrowIfFailed(Tal_Clip3DLine(&fCorners[index].x, &fCorners[j].x, &startBehind, &endBehind,
                                      &fClipPoints[index].x));
    fClipped[index] = startBehind != 0;
    fClipped[j] = endBehind != 0;
}

// ---- The outline ------------------------------------------------------------------------------

void Tal_TransformPoly3D::InvalidatePolyPoints() {
    fPolyCount = 0;
    fPolyPointsValid = false;
}

void Tal_TransformPoly3D::ReserveOutline(long count) const {
    if (fPolyCapacity >= count) return;
    Tal_Vector2T<double>* block = Talp_NewOutlineBlock(count);
    std::copy(fPolyPoints, fPolyPoints + fPolyCount, block);
    Talp_DeleteOutlineBlock(fPolyPoints);
    fPolyPoints = block;
    fPolyCapacity = count;
}

void Tal_TransformPoly3D::AppendOutline(const Tal_Vector2T<double>& p) const {
    ReserveOutline(fPolyCount + 1);
    fPolyPoints[fPolyCount++] = p;
}

void Tal_TransformPoly3D::InitPolyPoints() const {
    if (fPolyPointsValid) return;
    ReserveOutline(Talp_MaxOutline);
    std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>> edge;
    for (long i = 0; i < 4; ++i) {
        if (!GetEdge(i, &edge)) continue;
        AppendOutline(edge.first);
        if (fClipped[(i + 1) % 4]) AppendOutline(edge.second);  // leaves through the near plane
    }
    fPolyPointsValid = true;
}

bool Tal_TransformPoly3D::PolyPointsInit() {
    return fPolyPointsValid;
}

long Tal_TransformPoly3D::NumPolyPoints() const {
    return fPolyCount;
}

const Tal_Vector2T<double>* Tal_TransformPoly3D::GetPolyPoints() const {
    return fPolyPoints;
}

void Tal_TransformPoly3D::GetPolyPoint(long index, Tal_Vector2T<double>* out) const {
    *out = fPolyPoints[index];
}

// ---- Queries ----------------------------------------------------------------------------------

bool Tal_TransformPoly3D::GetPoint(long index, Tal_Vector2T<double>* out) const {
    if (fClipped[index]) return false;
    *out = {fCorners[index].x, fCorners[index].y};
    return true;
}

bool Tal_TransformPoly3D::GetEdge(
    long index, std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>>* out) const {
    const long j = (index + 1) % 4;
    if (fClipped[index] && fClipped[j]) return false;
    Tal_Vector3T<double> a = fCorners[index], b = fCorners[j];
    if (fClipped[index]) {
        a = fClipPoints[index];
    } else if (fClipped[j]) {
        b = fClipPoints[index];
    }
    *out = {{a.x, a.y}, {b.x, b.y}};
    return true;
}

bool Tal_TransformPoly3D::IsVisible() const {
    return !(fClipped[0] && fClipped[1] && fClipped[2] && fClipped[3]);
}

bool Tal_TransformPoly3D::IsPointInside(const Tal_Vector2T<double>* point, double tolerance) const {
    if (!IsVisible() || fPolyCount == 0) return false;
    return Talp_IsInsideOutline(point, fPolyPoints, fPolyCount, tolerance);
}

double Tal_TransformPoly3D::GetMinimumEdgeDistance(const Tal_Vector2T<double>* point) const {
    double best = -1.0;
    std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>> edge;
    for (long i = 0; i < 4; ++i) {
        if (GetEdge(i, &edge))
            best = Talp_NearerEdge(best, Talp_EdgeDistance(point, edge.first, edge.second));
    }
    return best;
}
