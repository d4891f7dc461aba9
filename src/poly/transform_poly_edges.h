// Pieces the two transform polygons share: the nearest-edge rule and the outline test.
#pragma once

#include <cmath>

#include "matrix/matrix_members.h"
#include "tal/geometry.h"
#include "tal/poly.h"
#include "tal/vector.h"

/// Distance from p to the segment a-b: perpendicular when the foot lies on it, else to the nearer
/// end.
inline double Talp_EdgeDistance(const Tal_Vector2T<double>* p, const Tal_Vector2T<double>& a,
                                const Tal_Vector2T<double>& b) {
    unsigned char within = 0;
    double distance = 0.0;
    Talp_ThrowIfFailed(Tal_PerpDistTo2DLine(p, &a, &b, &within, &distance));
    if (within != 0) return distance;
    const double ax = a.x - p->x, ay = a.y - p->y;
    const double bx = b.x - p->x, by = b.y - p->y;
    const double da = std::sqrt(ax * ax + ay * ay + 0.0);
    const double db = std::sqrt(bx * bx + by * by + 0.0);
    return da < db ? da : db;
}

/// Keeps the smaller distance; a negative best means no edge yet.
inline double Talp_NearerEdge(double best, double distance) {
    return best < 0.0 || best > distance ? distance : best;
}

/// The even-odd test of an outline with a tolerance band; a failure of the test is thrown.
inline bool Talp_IsInsideOutline(const Tal_Vector2T<double>* point,
                                 const Tal_Vector2T<double>* outline, long count,
                                 double tolerance) {
    unsigned char inside = 0;
    const long err = Tal_IsFloatPointInConcavePoly(point, outline, count, tolerance, &inside);
    if (err != 0) throw err;
    return inside != 0;
}
