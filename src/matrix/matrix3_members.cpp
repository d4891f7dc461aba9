// Tal_Matrix3 members other than the point transforms: building, comparing, inverting, measuring.
#include <cmath>

#include "elementary/elementary.h"
#include "matrix/constants.h"
#include "matrix/matrix_members.h"
#include "tal/matrix.h"

// ---- Building and assignment ----

Tal_Matrix3& Tal_Matrix3::SetIdentity() {
    Talp_ThrowIfFailed(Tal_SetIdentityMatrix(&m[0][0]));
    return *this;
}

Tal_Matrix3& Tal_Matrix3::SetZero() {
    for (auto& row : m)
        for (double& v : row)
            v = 0.0;
    return *this;
}

Tal_Matrix3& Tal_Matrix3::Translate(double tx, double ty) {
    Talp_ThrowIfFailed(Tal_TranslateMatrix(&m[0][0], tx, ty));
    return *this;
}

Tal_Matrix3& Tal_Matrix3::Rotate(double angle) {
    return Rotate(angle, 0, 0);
}

Tal_Matrix3& Tal_Matrix3::Rotate(double angle, double cx, double cy) {
    Talp_ThrowIfFailed(Tal_RotateMatrix(&m[0][0], angle, cx, cy));
    return *this;
}

Tal_Matrix3& Tal_Matrix3::Scale(double sx, double sy) {
    return Scale(sx, sy, 0, 0);
}

Tal_Matrix3& Tal_Matrix3::Scale(double sx, double sy, double cx, double cy) {
    Talp_ThrowIfFailed(Tal_ScaleMatrix(&m[0][0], sx, sy, cx, cy));
    return *this;
}

Tal_Matrix3& Tal_Matrix3::Skew(double skewAngle, double axisAngle) {
    if (skewAngle == 0.0) return *this;
    Rotate(axisAngle);
    double shear[9];
    Talp_ThrowIfFailed(Tal_SetIdentityMatrix(shear));
    shear[3] = -Talp_Tan(skewAngle * Talp_RadiansPerDegree);
    Talp_ThrowIfFailed(Tal_ConcatMatrix(shear, &m[0][0]));
    return Rotate(-axisAngle);
}

Tal_Matrix3& Tal_Matrix3::operator*=(const Tal_Matrix3& b) {
    Talp_ThrowIfFailed(Tal_ConcatMatrix(&b.m[0][0], &m[0][0]));
    return *this;
}

Tal_Matrix3& Tal_Matrix3::operator+=(const Tal_Matrix3& b) {
    Talp_AddScaled<9>(&m[0][0], &b.m[0][0], false);
    return *this;
}

Tal_Matrix3& Tal_Matrix3::operator-=(const Tal_Matrix3& b) {
    Talp_AddScaled<9>(&m[0][0], &b.m[0][0], true);
    return *this;
}

Tal_Matrix3& Tal_Matrix3::AssignFromByDroppingIndices(const Tal_Matrix4& src, long row, long col) {
    // Stopping at three destination rows and columns keeps an index outside 0..3 from writing
    // past the nine elements: it then drops the last row (column) instead.
    int dr = 0;
    for (long r = 0; r < 4 && dr < 3; ++r) {
        if (r == row) continue;
        int dc = 0;
        for (long c = 0; c < 4 && dc < 3; ++c) {
            if (c == col) continue;
            m[dr][dc++] = src.m[r][c];
        }
        ++dr;
    }
    return *this;
}

Tal_Matrix3& Tal_Matrix3::AssignFromByDroppingZ(const Tal_Matrix4& src) {
    return AssignFromByDroppingIndices(src, 2, 2);
}

// ---- Comparison and classification ----

bool Tal_Matrix3::operator==(const Tal_Matrix3& o) const {
    return Talp_SameBytes<9>(&m[0][0], &o.m[0][0]);
}

bool Tal_Matrix3::operator!=(const Tal_Matrix3& o) const {
    return !(*this == o);
}

Tal_MatrixType Tal_Matrix3::GetType() const {
    Tal_MatrixType type = 0;
    Talp_ThrowIfFailed(Tal_GetMatrixType(&m[0][0], &type));
    return type;
}

bool Tal_Matrix3::IsZero() const {
    return IsZeroWithinEpsilon(0.0);
}

bool Tal_Matrix3::IsIdentity() const {
    return IsIdentityWithinEpsilon(0.0);
}

bool Tal_Matrix3::IsZeroWithinEpsilon(double eps) const {
    return Talp_WithinEpsilonOf<3>(&m[0][0], eps, false);
}

bool Tal_Matrix3::IsIdentityWithinEpsilon(double eps) const {
    return Talp_WithinEpsilonOf<3>(&m[0][0], eps, true);
}

// ---- Inversion and measures ----

Tal_Matrix3& Tal_Matrix3::Invert() {
    // Through a temporary: a failed inversion has already written its destination.
    Tal_Matrix3 inverse;
    Talp_ThrowIfFailed(Tal_InverseMatrix(&m[0][0], &inverse.m[0][0]));
    return *this = inverse;
}

bool Tal_Matrix3::InvertQuiet() {
    Tal_Matrix3 inverse;
    if (Tal_InverseMatrixQuiet(&m[0][0], &inverse.m[0][0], nullptr) != 0) return true;
    *this = inverse;
    return false;
}

double Tal_Matrix3::Determinant() const {
    return m[0][1] * (m[1][2] * m[2][0] - m[2][2] * m[1][0]) +
           m[0][0] * (m[2][2] * m[1][1] - m[1][2] * m[2][1]) +
           m[0][2] * (m[2][1] * m[1][0] - m[2][0] * m[1][1]);
}

Tal_Vector2T<double> Tal_Matrix3::GetScaleSquared() const {
    return {m[0][0] * m[0][0] + m[0][1] * m[0][1] + m[0][2] * m[0][2],
            m[1][0] * m[1][0] + m[1][1] * m[1][1] + m[1][2] * m[1][2]};
}

Tal_Vector2T<double> Tal_Matrix3::GetScale() const {
    const Tal_Vector2T<double> s = GetScaleSquared();
    return {std::sqrt(s.x), std::sqrt(s.y)};
}

Tal_Matrix3& Tal_Matrix3::Transpose() {
    Talp_TransposeInPlace<3>(&m[0][0]);
    return *this;
}

Tal_Matrix3& Tal_Matrix3::Adjoint() {
    const double(&a)[3][3] = m;
    const Tal_Matrix3 adj = {{
        {a[1][1] * a[2][2] - a[2][1] * a[1][2], a[2][1] * a[0][2] - a[0][1] * a[2][2],
         a[0][1] * a[1][2] - a[0][2] * a[1][1]},
        {a[2][0] * a[1][2] - a[1][0] * a[2][2], a[0][0] * a[2][2] - a[2][0] * a[0][2],
         a[1][0] * a[0][2] - a[0][0] * a[1][2]},
        {a[2][1] * a[1][0] - a[2][0] * a[1][1], a[2][0] * a[0][1] - a[2][1] * a[0][0],
         a[1][1] * a[0][0] - a[1][0] * a[0][1]},
    }};
    return *this = adj;
}
