// The 2D transform polygon: a layer's four corners through one 3x3 transform, and the screen
// mapping of a single point through two.
#include "matrix/constants.h"
#include "matrix/matrix_members.h"
#include "poly/transform_poly_edges.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/xform.h"

Tal_TransformPoly2D::Tal_TransformPoly2D() : fCorners{}, fVisible(true) {}

Tal_TransformPoly2D::Tal_TransformPoly2D(const Tal_TransformPoly2D& o) = default;

Tal_TransformPoly2D& Tal_TransformPoly2D::operator=(const Tal_TransformPoly2D& o) = default;

Tal_TransformPoly2D::~Tal_TransformPoly2D() = default;

void Tal_TransformPoly2D::SetLayerPoint(long index, const Tal_Vector2T<double>& point) {
    fCorners[index] = point;
}

void Tal_TransformPoly2D::TransformPoints(const Tal_Matrix3& matrix) {
    const Tal_Vector2T<double> s = matrix.GetScaleSquared();
    // A row of (near) zero length collapses the layer.
    fVisible = !Talp_IsNearZero(s.x) && !Talp_IsNearZero(s.y);
    if (fVisible) Talp_ThrowIfFailed(Tal_TransformFloatPoints(&matrix.m[0][0], 4, fCorners));
}

bool Tal_TransformPoly2D::IsVisible() const {
    return fVisible;
}

void Tal_TransformPoly2D::InitPolyPoints() const {}

long Tal_TransformPoly2D::NumPolyPoints() const {
    return 4;
}

const Tal_Vector2T<double>* Tal_TransformPoly2D::GetPolyPoints() const {
    return fCorners;
}

void Tal_TransformPoly2D::GetPolyPoint(long index, Tal_Vector2T<double>* out) const {
    *out = fCorners[index];
}

bool Tal_TransformPoly2D::GetPoint(long index, Tal_Vector2T<double>* out) const {
    *out = fCorners[index];
    return true;
}

bool Tal_TransformPoly2D::GetEdge(
    long index, std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>>* out) const {
    *out = {fCorners[index], fCorners[(index + 1) % 4]};
    return true;
}

bool Tal_TransformPoly2D::IsPointInside(const Tal_Vector2T<double>* point, double tolerance) const {
    return fVisible && Talp_IsInsideOutline(point, fCorners, 4, tolerance);
}

double Tal_TransformPoly2D::GetMinimumEdgeDistance(const Tal_Vector2T<double>* point) const {
    double best = -1.0;
    for (long i = 0; i < 4; ++i)
        best = Talp_NearerEdge(best, Talp_EdgeDistance(point, fCorners[i], fCorners[(i + 1) % 4]));
    return best;
}

bool Tal_TransformPoint2DtoScreen(const Tal_Matrix3& first, const Tal_Matrix3& second,
                                  Tal_Vector2T<double>* point) {
    Tal_Matrix3 l = first;
    Talp_ThrowIfFailed(Tal_ConcatMatrix(&second.m[0][0], &l.m[0][0]));  // l = first x second
    const double x = point->x, y = point->y;
    point->x = x * l.m[0][0] + y * l.m[1][0] + l.m[2][0];
    point->y = x * l.m[0][1] + y * l.m[1][1] + l.m[2][1];
    return true;
}
