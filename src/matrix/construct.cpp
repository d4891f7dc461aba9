// Building, comparing, classifying and converting matrices. Nothing here fails or reports.
#include <cmath>
#include <cstring>

#include "elementary/elementary.h"
#include "matrix/constants.h"
#include "matrix/nearly_equal.h"
#include "tal/matrix.h"

namespace {

constexpr double Talp_Identity3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
// The axis after each one, cyclically: x -> y -> z -> x.
constexpr int Talp_NextAxis[3] = {1, 2, 0};

template <int N>
bool Talp_ValuesEqual(const double* a, const double* b) {
    bool equal = true;
    for (int i = 0; i < N; ++i)
        equal &= a[i] == b[i];
    return equal;
}

template <int N>
bool Talp_WithinEpsilon(const double* a, const double* b, double eps) {
    for (int i = 0; i < N; ++i) {
        if (std::fabs(a[i] - b[i]) > eps) return false;
    }
    return true;
}

// Steps shared by both embeddings: clear, copy the 2x2 part and the translation.
void Talp_Embed2D(const double* src, double* dst) {
    const double a00 = src[0], a01 = src[1], a10 = src[3], a11 = src[4];
    const double tx = src[6], ty = src[7];
    std::memset(dst, 0, 16 * sizeof(double));
    dst[0] = a00;
    dst[1] = a01;
    dst[4] = a10;
    dst[5] = a11;
    dst[12] = tx;
    dst[13] = ty;
}

}  // namespace

Tal_Err Tal_SetIdentityMatrix(double* m) {
    std::memcpy(m, Talp_Identity3, sizeof Talp_Identity3);
    return 0;
}

Tal_Err Tal_IdentityMatrix4(double* m) {
    std::memset(m, 0, 16 * sizeof(double));
    m[0] = m[5] = m[10] = m[15] = 1.0;
    return 0;
}

Tal_Err Tal_ZeroMatrix4(double* m) {
    std::memset(m, 0, 16 * sizeof(double));
    return 0;
}

Tal_Err Tal_EqualMatrix(const double* a, const double* b, unsigned char* equal) {
    *equal = Talp_ValuesEqual<9>(a, b) ? 1 : 0;
    return 0;
}

Tal_Err Tal_EqualMatrix4(const double* a, const double* b, unsigned char* equal) {
    *equal = Talp_ValuesEqual<16>(a, b) ? 1 : 0;
    return 0;
}

bool Tal_EqualMatrixWithinEpsilon(const Tal_Matrix3& a, const Tal_Matrix3& b, double eps) {
    return Talp_WithinEpsilon<9>(&a.m[0][0], &b.m[0][0], eps);
}

bool Tal_EqualMatrixWithinEpsilon(const Tal_Matrix4& a, const Tal_Matrix4& b, double eps) {
    return Talp_WithinEpsilon<16>(&a.m[0][0], &b.m[0][0], eps);
}

Tal_Err Tal_GetMatrixType(const double* m, long* type) {
    // != is true for NaN, so a NaN element never looks like the identity's.
    const bool perspective = m[2] != 0 || m[5] != 0 || m[8] != 1;
    const bool skew = m[1] != 0 || m[3] != 0;
    const bool scale = m[0] != 1 || m[4] != 1;
    const bool translate = m[6] != 0 || m[7] != 0;
    if (perspective) {
        *type = Tal_MatrixType_PERSPECTIVE;
    } else if (skew) {
        *type = Tal_MatrixType_AFFINE;
    } else if (scale) {
        *type = translate ? Tal_MatrixType_SCALE_TRANSLATE : Tal_MatrixType_SCALE;
    } else {
        *type = translate ? Tal_MatrixType_TRANSLATE : Tal_MatrixType_IDENTITY;
    }
    return 0;
}

Tal_Err Tal_Matrix3ToMatrix4(const double* src, double* dst) {
    Talp_Embed2D(src, dst);
    dst[10] = 1.0;
    dst[15] = 1.0;
    return 0;
}

Tal_Err Tal_Matrix3ToMatrix4Uniform(const double* src, double* dst) {
    const double a = src[3] * src[3] + src[0] * src[0];
    const double b = src[4] * src[4] + src[1] * src[1];
    Talp_Embed2D(src, dst);
    dst[15] = 1.0;
    dst[10] =
        Talp_NearlyEqual(a, b, Talp_NearlyEqualUnits, Talp_NearlyEqualRel) ? std::sqrt(a) : 1.0;
    return 0;
}

Tal_Err Tal_QuatToMatrix4(const Tal_Quat* q, double* m) {
    const double x = q->x, y = q->y, z = q->z, w = q->w;
    const double xx = x * x, yy = y * y, zz = z * z, ww = w * w;
    const double r[16] = {
        xx - yy - zz + ww,
        2 * (x * y + z * w),
        2 * (x * z - y * w),
        0,
        2 * (x * y - z * w),
        yy - xx - zz + ww,
        2 * (y * z + x * w),
        0,
        2 * (x * z + y * w),
        2 * (y * z - x * w),
        ww + (zz - (xx + yy)),
        0,
        0,
        0,
        0,
        1,
    };
    std::memcpy(m, r, sizeof r);
    return 0;
}

Tal_Err Tal_Matrix4ToQuat(const double* m, Tal_Quat* q) {
    auto at = [m](int r, int c) { return m[r * 4 + c]; };
    const double tr = at(0, 0) + at(1, 1) + at(2, 2);
    if (tr > 0) {
        const double s = std::sqrt(tr + 1.0);
        const double t = 0.5 / s;
        const Tal_Quat out = {(at(1, 2) - at(2, 1)) * t, (at(2, 0) - at(0, 2)) * t,
                              (at(0, 1) - at(1, 0)) * t, 0.5 * s};
        *q = out;
        return 0;
    }
    int i = 0;
    if (at(0, 0) < at(1, 1)) i = 1;
    if (at(i, i) < at(2, 2)) i = 2;
    const int j = Talp_NextAxis[i], k = Talp_NextAxis[j];
    const double s = std::sqrt(at(i, i) - (at(k, k) + at(j, j)) + 1.0);
    const double t = 0.5 / s;
    double v[3];
    v[i] = 0.5 * s;
    v[j] = (at(i, j) + at(j, i)) * t;
    v[k] = (at(k, i) + at(i, k)) * t;
    const Tal_Quat out = {v[0], v[1], v[2], (at(j, k) - at(k, j)) * t};
    *q = out;
    return 0;
}

Tal_Err Tal_SetMatrix4CoB(const Tal_Vector4T<double>* a, const Tal_Vector4T<double>* b,
                          const Tal_Vector4T<double>* c, double* m) {
    const double r[16] = {a->x, b->x, c->x, 0, a->y, b->y, c->y, 0,
                          a->z, b->z, c->z, 0, 0,    0,    0,    1};
    std::memcpy(m, r, sizeof r);
    return 0;
}

double Tal_VecToAngle(const Tal_Vector2T<double>& v) {
    constexpr double Talp_HalfPi = 1.5707963267948966;
    double angle;
    if (v.x == 0) {
        angle = -v.y > 0 ? Talp_HalfPi : (-v.y < 0 ? -Talp_HalfPi : 0.0);
    } else {
        angle = Talp_Atan2(-v.y, v.x);
    }
    const double r = 360 - angle * Talp_DegreesPerRadian + 90;
    if (r > 360) return r - 360;
    if (r < 0) return r + 360;
    return r;
}
