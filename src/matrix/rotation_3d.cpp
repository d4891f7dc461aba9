// 3D building steps (radians): translation, scale, turn about an axis and the ordered-XYZ turn.
#include <cmath>

#include "frame/base_library.h"
#include "matrix/constants.h"
#include "matrix/products.h"
#include "scalar/elementary.h"
#include "tal/matrix.h"

namespace {

constexpr uint16_t Talp_BadAxisSite = 0x2E;
constexpr int32_t Talp_MsgCantBuildRotation = 35;
// m := m x S, S the identity with elements i, j and k set to a, b and c.
Tal_Err Talp_PostMultiplyByIdentityWith(double* m, int i, int j, int k, double a, double b,
                                        double c) {
    double s[16];
    Tal_IdentityMatrix4(s);
    s[i] = a;
    s[j] = b;
    s[k] = c;
    return Tal_ConcatMatrix4(m, s, m);
}

}  // namespace

Tal_Err Tal_TranslateMatrix4(double tx, double ty, double tz, double* m) {
    return Talp_PostMultiplyByIdentityWith(m, 12, 13, 14, tx, ty, tz);
}

Tal_Err Tal_ScaleMatrix4(double sx, double sy, double sz, double* m) {
    return Talp_PostMultiplyByIdentityWith(m, 0, 5, 10, sx, sy, sz);
}

Tal_Err Tal_RotateMatrix4(double ax, double ay, double az, double radians, double* m) {
    const double len = std::sqrt(ax * ax + ay * ay + az * az);
    if (len < Talp_NearZero) {
        Talp_ReportMessage(Talp_BadAxisSite, Talp_MsgCantBuildRotation);
        return Tal_Err_BAD_AXIS;
    }
    const double k = 1 / len;
    const double x = ax * k, y = ay * k, z = az * k;
    double s, c;
    Talp_SinCos(radians, &s, &c);
    const double t = 1 - c;
    const double r[16] = {t * x * x + c,
                          t * x * y + s * z,
                          t * x * z - s * y,
                          0,
                          t * x * y - s * z,
                          t * y * y + c,
                          t * y * z + s * x,
                          0,
                          t * x * z + s * y,
                          t * y * z - s * x,
                          t * z * z + c,
                          0,
                          0,
                          0,
                          0,
                          1};
    return Tal_ConcatMatrix4(m, r, m);
}

Tal_Err Tal_RotateMatrix4XYZPlus(double x, double y, double z, unsigned char separate, double* m) {
    double w[16];
    if (separate)
        Tal_IdentityMatrix4(w);
    else
        BlockMove(m, w, sizeof w);

    // Turning about an axis as the frame already carries it equals turning about the bare axis
    // first, so the separate form ends with w = Rz(z) x Ry(y) x Rx(x).
    const double angles[3] = {x, y, z};
    Tal_Err err = 0;
    for (int i = 0; i < 3 && err == 0; ++i) {
        Tal_Vector4T<double> axis = {i == 0 ? 1.0 : 0.0, i == 1 ? 1.0 : 0.0, i == 2 ? 1.0 : 0.0,
                                     0.0};
        Talp_Apply4Divided(w, axis);
        if (Talp_IsNearZero(axis.x) && Talp_IsNearZero(axis.y) && Talp_IsNearZero(axis.z)) continue;
        err = Tal_RotateMatrix4(axis.x, axis.y, axis.z, angles[i], w);
    }

    if (!separate)
        BlockMove(w, m, sizeof w);
    else if (err == 0)
        err = Tal_ConcatMatrix4(m, w, m);
    return err;
}

Tal_Err Tal_RotateMatrix4XYZ(double x, double y, double z, double* m) {
    return Tal_RotateMatrix4XYZPlus(x, y, z, 1, m);
}
