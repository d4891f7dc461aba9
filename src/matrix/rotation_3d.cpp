// 3D building steps (radians): translation, scale, turn about an axis and the ordered-XYZ turn.
#include <cmath>

#include "elementary/elementary.h"
#include "frame/base_library.h"
#include "matrix/constants.h"
#include "matrix/product4.h"
#include "matrix/products.h"
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

// The upper 3x3 of the turn by the angle with sine s and cosine c about the unit axis (x, y, z);
// the rest of the 4x4 is the identity's.
struct Talp_Rotation3 {
    double r[3][3];
};

inline Talp_Rotation3 Talp_AxisRotation(double x, double y, double z, double s, double c) {
    const double t = 1 - c;
    return {{{t * x * x + c, t * x * y + s * z, t * x * z - s * y},
             {t * x * y - s * z, t * y * y + c, t * y * z + s * x},
             {t * x * z + s * y, t * y * z - s * x, t * z * z + c}}};
}

void Talp_StoreRotation(const Talp_Rotation3& q, double* m) {
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j)
            m[i * 4 + j] = q.r[i][j];
        m[i * 4 + 3] = 0;
    }
    m[12] = m[13] = m[14] = 0;
    m[15] = 1;
}

// m := m x R, R the rotation's 4x4, which stays in registers; the product is the one that every
// other caller gets, NaN propagation included.
void Talp_PostMultiplyRotation(double* m, const Talp_Rotation3& q) {
#if TALP_HAVE_SSE2
    __m128d lo[4], hi[4];
    for (int k = 0; k < 3; ++k) {
        lo[k] = _mm_set_pd(q.r[k][1], q.r[k][0]);
        hi[k] = _mm_set_pd(0.0, q.r[k][2]);
    }
    lo[3] = _mm_setzero_pd();
    hi[3] = _mm_set_pd(1.0, 0.0);
    Talp_MultiplyByRowPairs(m, lo, hi, m);
#else
    double r[16];
    Talp_StoreRotation(q, r);
    Tal_ConcatMatrix4(m, r, m);
#endif
}

// w := w x R, both with the identity's last row and column and finite entries. The last term of
// each upper sum is then (+0)(+0) = +0, added here as the literal; the last row and column come
// out exactly as they were (finite terms times zero are zeros, and a sum ending in +0 is never
// -0), so only the upper 3x3 is computed.
Talp_Rotation3 Talp_TurnProduct(const Talp_Rotation3& w, const Talp_Rotation3& r) {
    Talp_Rotation3 t;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            t.r[i][j] = w.r[i][0] * r.r[0][j] + w.r[i][1] * r.r[1][j] + w.r[i][2] * r.r[2][j] + 0.0;
    return t;
}

// Rz(z) x Ry(y) x Rx(x) for finite angles, as the step-by-step turns of the identity build it,
// in registers. All entries stay finite and the frame keeps the identity's last row and column,
// so the axis through it has w' = +0 (never divided) and each product is Talp_TurnProduct.
// False where a turn's own length test would fail and report: the caller takes the full path.
bool Talp_FiniteOrderedXYZ(double x, double y, double z, Talp_Rotation3* out) {
    double s[3], c[3];
    Talp_SinCos(x, &s[0], &c[0]);
    Talp_SinCos(y, &s[1], &c[1]);
    Talp_SinCos(z, &s[2], &c[2]);
    Talp_Rotation3 w = Talp_AxisRotation(1, 0, 0, s[0], c[0]);
    for (int i = 1; i < 3; ++i) {
        // The unit axis i times w: 0 and 1 times the upper rows, then 0 times the last row's +0.
        const double e[3] = {0.0, i == 1 ? 1.0 : 0.0, i == 2 ? 1.0 : 0.0};
        double v[3];
        for (int j = 0; j < 3; ++j)
            v[j] = e[0] * w.r[0][j] + e[1] * w.r[1][j] + e[2] * w.r[2][j] + 0.0;
        if (Talp_IsNearZero(v[0]) && Talp_IsNearZero(v[1]) && Talp_IsNearZero(v[2])) continue;
        const double len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
        if (len < Talp_NearZero) return false;
        const double k = 1 / len;
        w = Talp_TurnProduct(w, Talp_AxisRotation(v[0] * k, v[1] * k, v[2] * k, s[i], c[i]));
    }
    *out = w;
    return true;
}

bool Talp_IsFinite(double v) {
    return v - v == 0;
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
    Talp_PostMultiplyRotation(m, Talp_AxisRotation(x, y, z, s, c));
    return 0;
}

Tal_Err Tal_RotateMatrix4XYZPlus(double x, double y, double z, unsigned char separate, double* m) {
    if (separate && Talp_IsFinite(x) && Talp_IsFinite(y) && Talp_IsFinite(z)) {
        Talp_Rotation3 w;
        if (Talp_FiniteOrderedXYZ(x, y, z, &w)) {
            Talp_PostMultiplyRotation(m, w);
            return 0;
        }
    }
    double w[16];
    int first = 0;
    if (!separate) {
        BlockMove(m, w, sizeof w);
    } else if (Talp_IsFinite(x)) {
        // The first turn of the identity is Rx itself: for a finite angle its entries are finite
        // and none is -0, and those are exactly the entries the identity passes on unchanged.
        double s, c;
        Talp_SinCos(x, &s, &c);
        Talp_StoreRotation(Talp_AxisRotation(1, 0, 0, s, c), w);
        first = 1;
    } else {
        Tal_IdentityMatrix4(w);
    }

    // Turning about an axis as the frame already carries it equals turning about the bare axis
    // first, so the separate form ends with w = Rz(z) x Ry(y) x Rx(x).
    const double angles[3] = {x, y, z};
    Tal_Err err = 0;
    for (int i = first; i < 3 && err == 0; ++i) {
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
