// Decomposition of an affine 4x4 into translation, scale, shear and ordered-XYZ rotation.
#include <cmath>
#include <cstring>

#include "matrix/rotation_angles.h"
#include "scalar/elementary.h"
#include "tal/matrix.h"

namespace {

constexpr uint16_t kDecomposeSite = 0x2D;
constexpr double kDegreesPerRadian = 57.29577951308232;

typedef Tal_Vector3T<double> Vec3;

// y first: the lengths of the basis rows are taken in this order.
double Dot(const Vec3& a, const Vec3& b) {
    return (a.y * b.y + a.x * b.x) + a.z * b.z;
}

Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Scales v to unit length and returns its old length; a zero length leaves v as it is.
double NormalizeRow(Vec3& v) {
    const double len = std::sqrt(Dot(v, v));
    if (len > 0) {
        const double k = 1 / len;
        v.x *= k;
        v.y *= k;
        v.z *= k;
    }
    return len;
}

// v := v - s * u
void RemoveProjection(Vec3& v, double s, const Vec3& u) {
    v.x = v.x - s * u.x;
    v.y = v.y - s * u.y;
    v.z = v.z - s * u.z;
}

void Negate(Vec3& v) {
    v.x = -v.x;
    v.y = -v.y;
    v.z = -v.z;
}

Tal_Err DecomposeFailed(unsigned char* failed) {
    if (failed) {
        *failed = 1;
        return Tal_Err_CANT_DECOMPOSE;
    }
    return Talp_ReportErr(kDecomposeSite, Tal_Err_CANT_DECOMPOSE, 0);
}

}  // namespace

void Talp_OrderedXYZFromRotation(const double* r, Tal_Vector3T<double>* angles) {
    double t = r[8];
    if (t > 1) t = 1;
    if (t < -1) t = -1;
    const double y = Talp_Asin(t);
    const double c = Talp_Cos(y);
    double x, z;
    if (-1e-5 < c && c < 1e-5) {
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
    if (w == 0) return DecomposeFailed(failed);
    double n[16];
    for (int i = 0; i < 16; ++i)
        n[i] = m[i] / w;
    // A NaN perspective term is not 0 either.
    if (!(n[3] == 0 && n[7] == 0 && n[11] == 0)) return DecomposeFailed(failed);

    d->translate = {n[12], n[13], n[14]};
    Vec3 r0 = {n[0], n[1], n[2]};
    Vec3 r1 = {n[4], n[5], n[6]};
    Vec3 r2 = {n[8], n[9], n[10]};

    // Gram-Schmidt: each shear is measured against an already normalized row.
    d->scale.x = NormalizeRow(r0);
    d->shear.xy = Dot(r0, r1);
    RemoveProjection(r1, d->shear.xy, r0);
    d->scale.y = NormalizeRow(r1);
    d->shear.xz = Dot(r0, r2);
    RemoveProjection(r2, d->shear.xz, r0);
    d->shear.yz = Dot(r1, r2);
    RemoveProjection(r2, d->shear.yz, r1);
    d->scale.z = NormalizeRow(r2);

    if (Dot(r2, Cross(r0, r1)) < 0.0) {
        Negate(d->scale);
        Negate(r0);
        Negate(r1);
        Negate(r2);
    }

    const double rot[16] = {r0.x, r0.y, r0.z, 0, r1.x, r1.y, r1.z, 0,
                            r2.x, r2.y, r2.z, 0, 0,    0,    0,    1};
    Talp_OrderedXYZFromRotation(rot, &d->rotate);
    return 0;
}

Tal_Err Tal_Correct3DDecompFor2D(Tal_Matrix4Decomp* d) {
    const double ax = std::fabs(d->rotate.x * kDegreesPerRadian) - 180;
    const double ay = std::fabs(d->rotate.y * kDegreesPerRadian) - 180;
    if (-1e-12 < ax && ax < 1e-12) {
        d->scale.y = -d->scale.y;
        d->rotate.x = 0.0;
        d->rotate.y = -d->rotate.y;
        d->rotate.z = -d->rotate.z;
    }
    if (-1e-12 < ay && ay < 1e-12) {
        d->scale.x = -d->scale.x;
        d->rotate.y = 0.0;
        d->rotate.x = -d->rotate.x;
        d->rotate.z = -d->rotate.z;
    }
    d->scale.z = 1.0;
    return 0;
}
