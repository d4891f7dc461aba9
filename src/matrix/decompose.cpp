// Decomposition of an affine 4x4 into translation, scale, shear and ordered-XYZ rotation.
#include <cmath>
#include <cstring>

#include "elementary/elementary.h"
#include "matrix/constants.h"
#include "matrix/rotation_angles.h"
#include "tal/frame.h"
#include "tal/matrix.h"

namespace {

typedef Tal_Vector3T<double> Talp_Row3;

// y first: the lengths of the basis rows are taken in this order.
double Talp_Dot(const Talp_Row3& a, const Talp_Row3& b) {
    return (a.y * b.y + a.x * b.x) + a.z * b.z;
}

Talp_Row3 Talp_Cross(const Talp_Row3& a, const Talp_Row3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Scales v to unit length and returns its old length; a zero length leaves v as it is.
double Talp_NormalizeRow(Talp_Row3& v) {
    const double len = std::sqrt(Talp_Dot(v, v));
    if (len > 0) {
        const double k = 1 / len;
        v.x *= k;
        v.y *= k;
        v.z *= k;
    }
    return len;
}

// v := v - s * u
void Talp_RemoveProjection(Talp_Row3& v, double s, const Talp_Row3& u) {
    v.x = v.x - s * u.x;
    v.y = v.y - s * u.y;
    v.z = v.z - s * u.z;
}

void Talp_Negate(Talp_Row3& v) {
    v.x = -v.x;
    v.y = -v.y;
    v.z = -v.z;
}

Tal_Err Talp_DecomposeFailed(unsigned char* failed) {
    if (failed) {
        *failed = 1;
        return Tal_Err_CANT_DECOMPOSE;
    }
    return Talp_ReportErr(Talp_SiteMatrix4Algebra, Tal_Err_CANT_DECOMPOSE, 0);
}

}  // namespace

void Talp_OrderedXYZFromRotation(const double* r, Tal_Vector3T<double>* angles) {
    double t = r[8];
    if (t > 1) t = 1;
    if (t < -1) t = -1;
    const Talp_AngleAndLeg yc = Talp_AsinWithCos(t);
    const double y = yc.angle, c = yc.leg;
    double x, z;
    if (-Talp_NearParallel < c && c < Talp_NearParallel) {
        x = 0;
        z = Talp_Atan2(r[1], r[5]);
    } else {
        const double k = 1 / c;
        x = Talp_Atan2(-r[9] * k, r[10] * k);
        z = Talp_Atan2(-r[4] * k, r[0] * k);
    }
    *angles = {x, y, z};
}

Tal_Err Tal_DecomposeMatrix4(const double* m, Tal_Matrix4Decomp* d, unsigned char* failed) {
    std::memset(d, 0, sizeof *d);
    const double w = m[15];
    if (w == 0) return Talp_DecomposeFailed(failed);
    double n[16];
    // Every affine matrix has w = 1, where m[i] / w is m[i] (NaNs aside, whose bits are not part of
    // any result): sixteen divisions would hold the divider that the roots and angles need.
    if (w == 1) {
        std::memcpy(n, m, sizeof n);
    } else {
        for (int i = 0; i < 16; ++i)
            n[i] = m[i] / w;
    }
    // A NaN perspective term is not 0 either.
    if (!(n[3] == 0 && n[7] == 0 && n[11] == 0)) return Talp_DecomposeFailed(failed);

    d->translate = {n[12], n[13], n[14]};
    Talp_Row3 r0 = {n[0], n[1], n[2]};
    Talp_Row3 r1 = {n[4], n[5], n[6]};
    Talp_Row3 r2 = {n[8], n[9], n[10]};

    // Gram-Schmidt: each shear is measured against an already normalized row.
    d->scale.x = Talp_NormalizeRow(r0);
    d->shear.xy = Talp_Dot(r0, r1);
    Talp_RemoveProjection(r1, d->shear.xy, r0);
    d->scale.y = Talp_NormalizeRow(r1);
    d->shear.xz = Talp_Dot(r0, r2);
    Talp_RemoveProjection(r2, d->shear.xz, r0);
    d->shear.yz = Talp_Dot(r1, r2);
    Talp_RemoveProjection(r2, d->shear.yz, r1);
    d->scale.z = Talp_NormalizeRow(r2);

    if (Talp_Dot(r2, Talp_Cross(r0, r1)) < 0.0) {
        Talp_Negate(d->scale);
        Talp_Negate(r0);
        Talp_Negate(r1);
        Talp_Negate(r2);
    }

    const double rot[16] = {r0.x, r0.y, r0.z, 0, r1.x, r1.y, r1.z, 0,
                            r2.x, r2.y, r2.z, 0, 0,    0,    0,    1};
    Talp_OrderedXYZFromRotation(rot, &d->rotate);
    return 0;
}

Tal_Err Tal_Correct3DDecompFor2D(Tal_Matrix4Decomp* d) {
    const double ax = std::fabs(d->rotate.x * Talp_DegreesPerRadian) - 180;
    const double ay = std::fabs(d->rotate.y * Talp_DegreesPerRadian) - 180;
    if (Talp_IsNearZero(ax)) {
        d->scale.y = -d->scale.y;
        d->rotate.x = 0.0;
        d->rotate.y = -d->rotate.y;
        d->rotate.z = -d->rotate.z;
    }
    if (Talp_IsNearZero(ay)) {
        d->scale.x = -d->scale.x;
        d->rotate.y = 0.0;
        d->rotate.x = -d->rotate.x;
        d->rotate.z = -d->rotate.z;
    }
    d->scale.z = 1.0;
    return 0;
}
