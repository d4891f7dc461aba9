// 2D building steps (degrees, about a centre point) and the directional components of a 3x3.
#include <cmath>

#include "elementary/elementary.h"
#include "matrix/constants.h"
#include "tal/matrix.h"

Tal_Err Tal_TranslateMatrix(double* m, double tx, double ty) {
    double s[9];
    Tal_SetIdentityMatrix(s);
    s[6] = tx;
    s[7] = ty;
    return Tal_ConcatMatrix(s, m);
}

Tal_Err Tal_RotateMatrix(double* m, double degrees, double cx, double cy) {
    // Whole turns leave m bit for bit alone; fmod is exact, so 720 and -360 count too.
    const double a = std::fmod(degrees, 360.0);
    if (a == 0) return 0;
    const double r = a * Talp_RadiansPerDegree;
    double s, c;
    Talp_SinCos(r, &s, &c);
    // p' = (p - centre) x Rz(r) + centre
    const double step[9] = {c, s, 0, -s, c, 0, s * cy + (1 - c) * cx, (1 - c) * cy - s * cx, 1};
    return Tal_ConcatMatrix(step, m);
}

Tal_Err Tal_ScaleMatrix(double* m, double sx, double sy, double cx, double cy) {
    if (sx == 1.0 && sy == 1.0) return 0;
    const double step[9] = {sx, 0, 0, 0, sy, 0, (1 - sx) * cx, (1 - sy) * cy, 1};
    return Tal_ConcatMatrix(step, m);
}

std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>> Tal_ComputeDirectionalComponents(
    const Tal_Matrix3& m) {
    // Images of two unit steps minus the image of the origin: the translation cancels.
    Tal_Vector2T<double> p[3] = {{1, 0}, {0, 1}, {0, 0}};
    m.TransformPoints(3, p);
    return {{p[0].x - p[2].x, p[0].y - p[2].y}, {p[1].x - p[2].x, p[1].y - p[2].y}};
}
