// Tal_Matrix4 members other than the point transforms: building, comparing, inverting, measuring.
#include <cmath>

#include "matrix/matrix_members.h"
#include "tal/matrix.h"

// ---- Building and assignment ----

Tal_Matrix4& Tal_Matrix4::SetIdentity() {
    Talp_ThrowIfFailed(Tal_IdentityMatrix4(&m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::SetZero() {
    Talp_ThrowIfFailed(Tal_ZeroMatrix4(&m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::SetCOB(const Tal_Vector4T<double>& a, const Tal_Vector4T<double>& b,
                                 const Tal_Vector4T<double>& c) {
    Talp_ThrowIfFailed(Tal_SetMatrix4CoB(&a, &b, &c, &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::Translate(double tx, double ty, double tz) {
    Talp_ThrowIfFailed(Tal_TranslateMatrix4(tx, ty, tz, &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::Scale(double sx, double sy, double sz) {
    Talp_ThrowIfFailed(Tal_ScaleMatrix4(sx, sy, sz, &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::RotateXYZ(double x, double y, double z) {
    Talp_ThrowIfFailed(Tal_RotateMatrix4XYZ(x, y, z, &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::RotateAxis(double ax, double ay, double az, double angle) {
    Talp_ThrowIfFailed(Tal_RotateMatrix4(ax, ay, az, angle, &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::operator=(const Tal_Matrix3& src) {
    Talp_ThrowIfFailed(Tal_Matrix3ToMatrix4(&src.m[0][0], &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::operator*=(const Tal_Matrix4& b) {
    Talp_ThrowIfFailed(Tal_ConcatMatrix4(&m[0][0], &b.m[0][0], &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::operator*=(const Tal_Matrix3& b) {
    double embedded[16];
    Talp_ThrowIfFailed(Tal_Matrix3ToMatrix4(&b.m[0][0], embedded));
    Talp_ThrowIfFailed(Tal_ConcatMatrix4(&m[0][0], embedded, &m[0][0]));
    return *this;
}

Tal_Matrix4& Tal_Matrix4::operator+=(const Tal_Matrix4& b) {
    Talp_AddScaled<16>(&m[0][0], &b.m[0][0], false);
    return *this;
}

Tal_Matrix4& Tal_Matrix4::operator-=(const Tal_Matrix4& b) {
    Talp_AddScaled<16>(&m[0][0], &b.m[0][0], true);
    return *this;
}

Tal_Matrix4& Tal_Matrix4::Project(double d) {
    // d is not tested: a zero d gives an infinite perspective term, as callers expect.
    double p[16];
    Talp_ThrowIfFailed(Tal_IdentityMatrix4(p));
    p[11] = 1 / d;
    p[14] = -1.0;
    p[15] = 0.0;
    Talp_ThrowIfFailed(Tal_ConcatMatrix4(&m[0][0], p, &m[0][0]));
    return *this;
}

// ---- Comparison and classification ----

bool Tal_Matrix4::operator==(const Tal_Matrix4& o) const {
    return Talp_SameBytes<16>(&m[0][0], &o.m[0][0]);
}

bool Tal_Matrix4::operator!=(const Tal_Matrix4& o) const {
    return !(*this == o);
}

bool Tal_Matrix4::IsZero() const {
    return IsZeroWithinEpsilon(0.0);
}

bool Tal_Matrix4::IsIdentity() const {
    return IsIdentityWithinEpsilon(0.0);
}

bool Tal_Matrix4::IsZeroWithinEpsilon(double eps) const {
    return Talp_WithinEpsilonOf<4>(&m[0][0], eps, false);
}

bool Tal_Matrix4::IsIdentityWithinEpsilon(double eps) const {
    return Talp_WithinEpsilonOf<4>(&m[0][0], eps, true);
}

bool Tal_Matrix4::IsFinite() const {
    for (const auto& row : m)
        for (double v : row)
            if (!std::isfinite(v)) return false;
    return true;
}

// ---- Inversion, decomposition and measures ----

Tal_Matrix4& Tal_Matrix4::Invert() {
    // Through a temporary: a failed inversion leaves the adjugate in its destination.
    Tal_Matrix4 inverse;
    Talp_ThrowIfFailed(Tal_InverseMatrix4(&m[0][0], &inverse.m[0][0]));
    return *this = inverse;
}

bool Tal_Matrix4::InvertQuiet() {
    Tal_Matrix4 inverse;
    if (Tal_InverseMatrix4Quiet(&m[0][0], &inverse.m[0][0], nullptr) != 0) return true;
    *this = inverse;
    return false;
}

double Tal_Matrix4::Determinant() const {
    double det = 0;
    Talp_ThrowIfFailed(Tal_GetMatrix4Determinant(&m[0][0], &det));
    return det;
}

void Tal_Matrix4::Decompose(Tal_Matrix4Decomp* d) const {
    Talp_ThrowIfFailed(Tal_DecomposeMatrix4(&m[0][0], d, nullptr));
}

Tal_Vector3T<double> Tal_Matrix4::GetScaleSquared() const {
    double len2[3];
    for (int r = 0; r < 3; ++r)
        len2[r] = m[r][0] * m[r][0] + m[r][1] * m[r][1] + m[r][2] * m[r][2] + m[r][3] * m[r][3];
    return {len2[0], len2[1], len2[2]};
}

Tal_Vector3T<double> Tal_Matrix4::GetScale() const {
    const Tal_Vector3T<double> s = GetScaleSquared();
    return {std::sqrt(s.x), std::sqrt(s.y), std::sqrt(s.z)};
}

Tal_Matrix4& Tal_Matrix4::Transpose() {
    Talp_TransposeInPlace<4>(&m[0][0]);
    return *this;
}
