// Signed area of a 2D outline as a fan of quadrilaterals from the first point (a closing triangle
// for an odd count); callers compare areas bit for bit, so the order of the sums stays fixed.
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> Talp_Vec2;

Talp_Vec2 Talp_Minus(const Talp_Vec2& a, const Talp_Vec2& b) {
    return {a.x - b.x, a.y - b.y};
}

double Talp_Cross(const Talp_Vec2& a, const Talp_Vec2& b) {
    return a.x * b.y - b.x * a.y;
}

}  // namespace

double Tal_SignedPolygonArea2D(const Tal_Vector2T<double>* p, long count) {
    if (count < 3) return 0.0;
    if (count == 3) return 0.5 * Talp_Cross(Talp_Minus(p[1], p[0]), Talp_Minus(p[2], p[1]));
    if (count == 4) return 0.5 * Talp_Cross(Talp_Minus(p[2], p[0]), Talp_Minus(p[3], p[1]));
    const long m = count / 2;
    double sum = 0.0;
    for (long k = 1; k < m; ++k)
        sum += Talp_Cross(Talp_Minus(p[2 * k], p[0]), Talp_Minus(p[2 * k + 1], p[2 * k - 1]));
    if (count % 2 != 0)
        sum += Talp_Cross(Talp_Minus(p[count - 2], p[0]), Talp_Minus(p[count - 1], p[count - 2]));
    return sum * 0.5;
}
