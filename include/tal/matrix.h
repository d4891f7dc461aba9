/// \file
/// 3x3 and 4x4 matrices of doubles: storage, the classes, and the plain functions over the same
/// storage as flat arrays of 9 or 16 doubles.
///
/// Storage is row-major and points are row vectors multiplied on the left (p' = p x A):
///
/// \verbatim
///        col 0    col 1    col 2    col 3
///   row 0 m[0][0]  m[0][1]  m[0][2]  m[0][3]    <- image of the x axis
///   row 1 m[1][0]  m[1][1]  m[1][2]  m[1][3]    <- image of the y axis
///   row 2 m[2][0]  m[2][1]  m[2][2]  m[2][3]    <- image of the z axis (translation in a 3x3)
///   row 3 m[3][0]  m[3][1]  m[3][2]  m[3][3]    <- translation
///                                      ^ perspective terms (last column)
/// \endverbatim
///
/// Element m[r][c] is flat element r*3+c (r*4+c). A x B applies A first, then B; every building
/// step post-multiplies. 3x3 building steps take degrees, 4x4 ones radians. A plain function
/// returns 0 unless its failure is described.
#pragma once

#include <cstddef>
#include <type_traits>
#include <utility>

#include "tal/error.h"
#include "tal/rect.h"
#include "tal/vector.h"

// ==== Types and records ========================================================================

/// Classification of a 3x3 matrix (see Tal_GetMatrixType); the first matching code wins.
typedef long Tal_MatrixType;
constexpr Tal_MatrixType Tal_MatrixType_IDENTITY = 0;         ///< exactly the identity
constexpr Tal_MatrixType Tal_MatrixType_TRANSLATE = 1;        ///< identity but the translation
constexpr Tal_MatrixType Tal_MatrixType_SCALE = 2;            ///< a diagonal, no translation
constexpr Tal_MatrixType Tal_MatrixType_SCALE_TRANSLATE = 3;  ///< a diagonal and a translation
constexpr Tal_MatrixType Tal_MatrixType_AFFINE = 4;           ///< last column (0, 0, 1)
constexpr Tal_MatrixType Tal_MatrixType_PERSPECTIVE = 5;      ///< anything else

/// A quaternion, scalar part last.
struct Tal_Quat {
    ///@{
    /// Vector part (x, y, z), then the scalar part w.
    double x, y, z, w;
    ///@}
};

/// An affine 4x4 split into translation, scale, shear and ordered-XYZ rotation (radians).
struct Tal_Matrix4Decomp {
    Tal_Vector3T<double> translate;  ///< row 3 after the homogeneous divide
    Tal_Vector3T<double> scale;      ///< all three negative for a left-handed frame
    /// Projections removed while orthogonalizing, in length units.
    struct {
        double xy, xz, yz;  ///< of y on x, z on x, z on y
    } shear;
    Tal_Vector3T<double> rotate;  ///< rebuilds the rotation as Rz(z) x Ry(y) x Rx(x)
};

static_assert(sizeof(Tal_Quat) == 32 && std::is_standard_layout_v<Tal_Quat>, "quaternion layout");
static_assert(sizeof(Tal_Matrix4Decomp) == 96 && std::is_standard_layout_v<Tal_Matrix4Decomp> &&
                  offsetof(Tal_Matrix4Decomp, shear) == 48 &&
                  offsetof(Tal_Matrix4Decomp, rotate) == 72,
              "the decomposition is twelve doubles");

class Tal_Matrix3;
class Tal_Matrix4;

// ==== class Tal_Matrix3 ========================================================================

/// A 3x3 transform of 2D points in homogeneous coordinates. Default construction leaves it
/// uninitialised. The copy operations stay implicit so that the class stays trivially copyable.
class TAL_API Tal_Matrix3 {
public:
    double m[3][3];  ///< m[row][column], row-major; points are row vectors

    // ---- Building and assignment ----
    // Angles in degrees. Every step post-multiplies (acts after what the matrix already does).
    // A member that gets a non-zero code from a plain function throws it as a long; a failing
    // step leaves the matrix as that step left it. Copy assignment is the implicit byte copy.

    /// Becomes the identity.
    Tal_Matrix3& SetIdentity();
    /// All nine elements become +0.0.
    Tal_Matrix3& SetZero();
    /// this := this x T(tx, ty); no shortcut for (0, 0).
    Tal_Matrix3& Translate(double tx, double ty);
    /// this := this x R(angle) about the origin; a multiple of 360 leaves it bit for bit unchanged.
    Tal_Matrix3& Rotate(double angle);
    /// this := this x R(angle) about (cx, cy); a multiple of 360 leaves it bit for bit unchanged.
    Tal_Matrix3& Rotate(double angle, double cx, double cy);
    /// this := this x diag(sx, sy) about the origin; exactly (1, 1) leaves it unchanged.
    Tal_Matrix3& Scale(double sx, double sy);
    /// this := this x diag(sx, sy) about (cx, cy); exactly (1, 1) leaves it unchanged.
    Tal_Matrix3& Scale(double sx, double sy, double cx, double cy);
    /// this := this x R(axisAngle) x shear(x - y*tan(skewAngle)) x R(-axisAngle); a skewAngle of
    /// 0 does nothing at all.
    Tal_Matrix3& Skew(double skewAngle, double axisAngle);
    /// this := this x b (this transform, then b's); b may be *this.
    Tal_Matrix3& operator*=(const Tal_Matrix3& b);
    /// Element-wise sum, in place.
    Tal_Matrix3& operator+=(const Tal_Matrix3& b);
    /// Element-wise difference (this minus b), in place.
    Tal_Matrix3& operator-=(const Tal_Matrix3& b);
    /// The 3x3 minor of src without row and col, order kept; an index outside 0..3 drops nothing
    /// on that side and the first three rows (columns) are taken.
    Tal_Matrix3& AssignFromByDroppingIndices(const Tal_Matrix4& src, long row, long col);
    /// The 2D transform of src's z = 0 plane: rows and columns 0, 1 and 3.
    Tal_Matrix3& AssignFromByDroppingZ(const Tal_Matrix4& src);

    // ---- Comparison and classification ----

    /// Byte-wise: +0.0 and -0.0 differ, NaNs with identical bits are equal.
    bool operator==(const Tal_Matrix3& o) const;
    /// Negation of the byte-wise operator==.
    bool operator!=(const Tal_Matrix3& o) const;
    /// The Tal_GetMatrixType code, by exact comparisons.
    Tal_MatrixType GetType() const;
    /// Every element is +0.0 or -0.0 (NaN elements pass).
    bool IsZero() const;
    /// Exactly the identity (NaN elements pass).
    bool IsIdentity() const;
    /// False at the first element with |v| > eps; NaN elements and a NaN eps never fail.
    bool IsZeroWithinEpsilon(double eps) const;
    /// False at the first |v - 1| > eps on the diagonal or |v| > eps off it; NaN never fails.
    bool IsIdentityWithinEpsilon(double eps) const;

    // ---- Inversion and measures ----

    /// Replaces the matrix by its inverse; on a pivot below 1e-20 Tal_Err_CANT_INVERT is reported
    /// at site 0x23 and thrown, and the matrix is unchanged.
    Tal_Matrix3& Invert();
    /// Replaces the matrix by its inverse and returns false; on failure returns true with the
    /// matrix unchanged, reporting and throwing nothing.
    bool InvertQuiet();
    /// Cofactor expansion along row 0 (column 1 term first); no threshold.
    double Determinant() const;
    /// Squared lengths of rows 0 and 1 over all three columns (perspective terms count).
    Tal_Vector2T<double> GetScaleSquared() const;
    /// Lengths of rows 0 and 1 over all three columns.
    Tal_Vector2T<double> GetScale() const;
    /// Transposes in place.
    Tal_Matrix3& Transpose();
    /// Replaces the matrix by its adjugate: A x adj(A) = det(A) x I.
    Tal_Matrix3& Adjoint();

    // ---- Point transformation ----
    // In place, p' = p x m. The dividing members test W' = the transformed W: when
    // -1e-12 < W' < 1e-12 they report message 40 at their site and throw Tal_Err_ZERO_W as a long,
    // leaving that point and every later one unchanged (earlier ones are done); otherwise they
    // store x'/W', y'/W' and 1.0 for W. Counts below 1 do nothing. The 16-bit, fixed and rectangle
    // forms throw the code of the bulk function they call, which has reported it.

    /// (x, y) through the affine part; the third column is ignored.
    void TransformPoint(Tal_Vector2T<double>* p) const;
    /// (x, y) through the affine part for n points, as Tal_TransformFloatPoints.
    void TransformPoints(long n, Tal_Vector2T<double>* p) const;
    /// (x, y, W) x m, stored undivided.
    void TransformPoint(Tal_Vector3T<double>* p) const;
    /// (x, y, W) x m for n points, undivided, as Tal_TransformVector3.
    void TransformPoints(long n, Tal_Vector3T<double>* p) const;
    /// (x, y, W) x m divided by W'; site 0x39.
    void TransformPointAndDivide(Tal_Vector3T<double>* p) const;
    /// (x, y, 1) x m divided by W'; site 0x39.
    void TransformPointAndDivide(Tal_Vector2T<double>* p) const;
    /// The tested divide for n points, stopping at the first failure; site 0x3A.
    void TransformPointsAndDivide(long n, Tal_Vector3T<double>* p) const;
    /// The tested divide of (x, y, 1) for n points, stopping at the first failure; site 0x39.
    void TransformPointsAndDivide(long n, Tal_Vector2T<double>* p) const;
    /// (x, y, W) x m divided by W' untested: W' = 0 gives infinities or NaN, silently.
    void TransformPointAndDivideFast(Tal_Vector3T<double>* p) const;
    /// The untested divide for n points.
    void TransformPointsAndDivideFast(long n, Tal_Vector3T<double>* p) const;
    /// Tal_TransformPoints on n 16-bit points; throws Tal_Err_OVERFLOW.
    void TransformPoints(long n, Tal_Point* p) const;
    /// Tal_TransformFixPoints on n 16.16 points; throws Tal_Err_OVERFLOW.
    void TransformPoints(long n, Tal_FixedPoint* p) const;
    /// Tal_TransformRect: r becomes the rounded bounds, corners and flag are optional.
    void TransformRect(Tal_Rect* r, Tal_Vector2T<double>* corners = nullptr,
                       unsigned char* flag = nullptr) const;
    /// Tal_TransformFixRect: r becomes the bounds, or stays on a thrown Tal_Err_OVERFLOW.
    void TransformRect(Tal_FixedRect* r, Tal_FixedPoint* corners = nullptr,
                       unsigned char* flag = nullptr) const;
};

// ==== class Tal_Matrix4 ========================================================================

/// A 4x4 transform of 3D points in homogeneous coordinates. Default construction leaves it
/// uninitialised. The copy operations stay implicit so that the class stays trivially copyable.
class TAL_API Tal_Matrix4 {
public:
    double m[4][4];  ///< m[row][column], row-major; points are row vectors

    // ---- Building and assignment ----
    // Angles in radians. Every step post-multiplies (acts after what the matrix already does).
    // A member that gets a non-zero code from a plain function throws it as a long; a failing
    // step leaves the matrix as that step left it. Copy assignment is the implicit byte copy.

    /// Becomes the identity.
    Tal_Matrix4& SetIdentity();
    /// All sixteen elements become +0.0.
    Tal_Matrix4& SetZero();
    /// The change of basis whose columns 0 to 2 are a, b and c (w ignored).
    Tal_Matrix4& SetCOB(const Tal_Vector4T<double>& a, const Tal_Vector4T<double>& b,
                        const Tal_Vector4T<double>& c);
    /// this := this x T(tx, ty, tz).
    Tal_Matrix4& Translate(double tx, double ty, double tz);
    /// this := this x diag(sx, sy, sz, 1).
    Tal_Matrix4& Scale(double sx, double sy, double sz);
    /// this := this x Rz(z) x Ry(y) x Rx(x).
    Tal_Matrix4& RotateXYZ(double x, double y, double z);
    /// this := this x (turn by angle about (ax, ay, az)); an axis shorter than 1e-12 reports
    /// message 35 at site 0x2E and throws Tal_Err_BAD_AXIS with the matrix unchanged.
    Tal_Matrix4& RotateAxis(double ax, double ay, double az, double angle);
    /// Embeds the 2D transform src (its perspective column dropped, z passes through).
    Tal_Matrix4& operator=(const Tal_Matrix3& src);
    /// this := this x b; b may be *this.
    Tal_Matrix4& operator*=(const Tal_Matrix4& b);
    /// this := this x (b embedded as by operator=).
    Tal_Matrix4& operator*=(const Tal_Matrix3& b);
    /// Element-wise sum, in place.
    Tal_Matrix4& operator+=(const Tal_Matrix4& b);
    /// Element-wise difference (this minus b), in place.
    Tal_Matrix4& operator-=(const Tal_Matrix4& b);
    /// this := this x P, P the identity with P[2][3] = 1/d, P[3][2] = -1, P[3][3] = 0, so that
    /// (x, y, z, 1) becomes (x, y, z - 1, z/d); d = 0 gives infinities, never a throw.
    Tal_Matrix4& Project(double d);

    // ---- Comparison and classification ----

    /// Byte-wise: +0.0 and -0.0 differ, NaNs with identical bits are equal.
    bool operator==(const Tal_Matrix4& o) const;
    /// Negation of the byte-wise operator==.
    bool operator!=(const Tal_Matrix4& o) const;
    /// Every element is +0.0 or -0.0 (NaN elements pass).
    bool IsZero() const;
    /// Exactly the identity (NaN elements pass).
    bool IsIdentity() const;
    /// False at the first element with |v| > eps; NaN elements and a NaN eps never fail.
    bool IsZeroWithinEpsilon(double eps) const;
    /// False at the first |v - 1| > eps on the diagonal or |v| > eps off it; NaN never fails.
    bool IsIdentityWithinEpsilon(double eps) const;
    /// No element is infinite or NaN.
    bool IsFinite() const;

    // ---- Inversion, decomposition and measures ----

    /// Replaces the matrix by its inverse; when |det| < 1e-16 Tal_Err_CANT_INVERT is reported
    /// at site 0x2D and thrown, and the matrix is unchanged.
    Tal_Matrix4& Invert();
    /// Replaces the matrix by its inverse and returns false; on failure returns true with the
    /// matrix unchanged, reporting and throwing nothing.
    bool InvertQuiet();
    /// The determinant by cofactors along row 0; no threshold.
    double Determinant() const;
    /// Splits the matrix into *d; perspective or m[3][3] == 0 reports at site 0x2D and throws
    /// Tal_Err_CANT_DECOMPOSE with *d all zero.
    void Decompose(Tal_Matrix4Decomp* d) const;
    /// Squared lengths of rows 0, 1 and 2 over all four columns.
    Tal_Vector3T<double> GetScaleSquared() const;
    /// Lengths of rows 0, 1 and 2 over all four columns.
    Tal_Vector3T<double> GetScale() const;
    /// Transposes in place.
    Tal_Matrix4& Transpose();

    // ---- Point transformation ----
    // In place, p' = p x m, dividing by multiplication with 1/w'. The dividing members test w':
    // when -1e-12 < w' < 1e-12 they report message 40 at their site and throw Tal_Err_ZERO_W as a
    // long, leaving that point and every later one unchanged (earlier ones are done); otherwise
    // they store x'/w', y'/w', z'/w' and 1.0 for w. Counts below 1 do nothing.

    /// (x, y, z, w) x m, stored undivided.
    void TransformPoint(Tal_Vector4T<double>* p) const;
    /// (x, y, z, 1) x m; w' is dropped undivided.
    void TransformPoint(Tal_Vector3T<double>* p) const;
    /// (x, y, z, w) x m for n points, undivided, as Tal_TransformVector4NoDivide.
    void TransformPoints(long n, Tal_Vector4T<double>* p) const;
    /// (x, y, z, 1) x m for n points, w' dropped.
    void TransformPoints(long n, Tal_Vector3T<double>* p) const;
    /// (x, y, z, w) x m divided by w'; site 0x3B.
    void TransformPointAndDivide(Tal_Vector4T<double>* p) const;
    /// (x, y, z, 1) x m divided by w'; site 0x3B.
    void TransformPointAndDivide(Tal_Vector3T<double>* p) const;
    /// The tested divide for n points, stopping at the first failure; site 0x3C.
    void TransformPointsAndDivide(long n, Tal_Vector4T<double>* p) const;
    /// The tested divide of (x, y, z, 1) for n points, stopping at the first failure; site 0x3B.
    void TransformPointsAndDivide(long n, Tal_Vector3T<double>* p) const;
    /// (x, y, z, w) x m divided by w' untested: w' = 0 gives infinities or NaN, silently.
    void TransformPointAndDivideFast(Tal_Vector4T<double>* p) const;
    /// The untested divide for n points.
    void TransformPointsAndDivideFast(long n, Tal_Vector4T<double>* p) const;
};

static_assert(sizeof(Tal_Matrix3) == 72 && sizeof(Tal_Matrix4) == 128, "matrices are bare storage");
static_assert(std::is_standard_layout_v<Tal_Matrix3> && std::is_standard_layout_v<Tal_Matrix4>,
              "the storage is the object");
static_assert(std::is_trivially_copyable_v<Tal_Matrix3> &&
                  std::is_trivially_copyable_v<Tal_Matrix4> &&
                  std::is_trivially_default_constructible_v<Tal_Matrix3> &&
                  std::is_trivially_default_constructible_v<Tal_Matrix4>,
              "matrices copy as bytes and construct as nothing");

// ==== Construction, comparison and conversion ==================================================
// None of these fails or reports.

/// m becomes the 3x3 identity.
TAL_C_API Tal_Err Tal_SetIdentityMatrix(double* m);
/// m becomes the 4x4 identity.
TAL_C_API Tal_Err Tal_IdentityMatrix4(double* m);
/// All sixteen elements become +0.0.
TAL_C_API Tal_Err Tal_ZeroMatrix4(double* m);

/// *equal = 1 when all nine pairs compare == as doubles (+0 equals -0, NaN equals nothing), else 0.
TAL_C_API Tal_Err Tal_EqualMatrix(const double* a, const double* b, unsigned char* equal);
/// *equal = 1 when all sixteen pairs compare == as doubles, else 0.
TAL_C_API Tal_Err Tal_EqualMatrix4(const double* a, const double* b, unsigned char* equal);
/// False at the first element with |a - b| > eps; a NaN difference never fails.
TAL_API bool Tal_EqualMatrixWithinEpsilon(const Tal_Matrix3& a, const Tal_Matrix3& b, double eps);
/// False at the first element with |a - b| > eps; a NaN difference never fails.
TAL_API bool Tal_EqualMatrixWithinEpsilon(const Tal_Matrix4& a, const Tal_Matrix4& b, double eps);

/// *type = the Tal_MatrixType of m by exact comparisons; a NaN element counts as unequal.
TAL_C_API Tal_Err Tal_GetMatrixType(const double* m, long* type);

/// Embeds a 2D transform in 3D: 2x2 part and translation copied, z passes through, the
/// perspective column of src is dropped.
TAL_C_API Tal_Err Tal_Matrix3ToMatrix4(const double* src, double* dst);
/// As Tal_Matrix3ToMatrix4, but dst[2][2] = the column length when both 2D column lengths are
/// nearly equal (a uniform scale), else 1.
TAL_C_API Tal_Err Tal_Matrix3ToMatrix4Uniform(const double* src, double* dst);

/// The row-vector rotation matrix of q, not normalised first: squared norm n scales it by n.
TAL_C_API Tal_Err Tal_QuatToMatrix4(const Tal_Quat* q, double* m);
/// The quaternion of the rotation in the upper 3x3 of m (sign as the largest-diagonal rule gives).
TAL_C_API Tal_Err Tal_Matrix4ToQuat(const double* m, Tal_Quat* q);
/// Columns 0 to 2 of m become a, b and c (their w ignored), the rest the identity's.
TAL_C_API Tal_Err Tal_SetMatrix4CoB(const Tal_Vector4T<double>* a, const Tal_Vector4T<double>* b,
                                    const Tal_Vector4T<double>* c, double* m);

/// Clockwise bearing of v in degrees from (0, -1), in (0, 360]; the zero vector gives 90.
TAL_API double Tal_VecToAngle(const Tal_Vector2T<double>& v);

// ==== Algebra ==================================================================================
// Every output may be the same array as an input.

/// b := b x a (b's transform, then a's).
TAL_C_API Tal_Err Tal_ConcatMatrix(const double* a, double* b);
/// out := a x b (a's transform, then b's).
TAL_C_API Tal_Err Tal_ConcatMatrix4(const double* a, const double* b, double* out);
/// dst := transpose of src.
TAL_C_API Tal_Err Tal_TransposeMatrix4(const double* src, double* dst);

/// dst := inverse of src by Gauss-Jordan; on a pivot below 1e-20 returns Tal_Err_CANT_INVERT,
/// sets *failed (optional, cleared on entry) and leaves dst partly reduced (identity when the
/// first column failed). No report.
TAL_C_API Tal_Err Tal_InverseMatrixQuiet(const double* src, double* dst, unsigned char* failed);
/// Tal_InverseMatrixQuiet, and a failure is reported at site 0x23.
TAL_C_API Tal_Err Tal_InverseMatrix(const double* src, double* dst);
/// dst := inverse of src by the adjugate; when |det| < 1e-16 returns Tal_Err_CANT_INVERT, sets
/// *failed (optional, cleared on entry) and leaves the undivided adjugate in dst. No report.
TAL_C_API Tal_Err Tal_InverseMatrix4Quiet(const double* src, double* dst, unsigned char* failed);
/// Tal_InverseMatrix4Quiet, and a failure is reported at site 0x2D.
TAL_C_API Tal_Err Tal_InverseMatrix4(const double* src, double* dst);
/// *det := the determinant, by cofactors along row 0; no threshold.
TAL_C_API Tal_Err Tal_GetMatrix4Determinant(const double* m, double* det);

/// dst := transpose of the inverse; on failure reports at site 0x2D and leaves the adjugate,
/// not transposed.
TAL_C_API Tal_Err Tal_CalcNormalMatrix4(const double* src, double* dst);
/// dst := transpose of the inverse, no report; on failure sets *failed (optional) and leaves
/// the transposed adjugate.
TAL_C_API Tal_Err Tal_CalcNormalMatrix4Quiet(const double* src, double* dst, unsigned char* failed);

/// Splits an affine m (up to m[3][3]) into d. On m[3][3] == 0 or a perspective term returns
/// Tal_Err_CANT_DECOMPOSE with d all zero, and sets *failed when given (never clears it), else
/// reports at site 0x2D.
TAL_C_API Tal_Err Tal_DecomposeMatrix4(const double* m, Tal_Matrix4Decomp* d,
                                       unsigned char* failed);
/// Folds x or y rotations of +-180 degrees into scale signs for a layer in 2D; scale.z becomes
/// 1.
TAL_C_API Tal_Err Tal_Correct3DDecompFor2D(Tal_Matrix4Decomp* d);

// ==== Rotations, Euler angles and interpolation ================================================
// The 3x3 steps take the matrix first and degrees; the 4x4 steps take it last and radians. Every
// step post-multiplies: m := m x S. Ordered XYZ angles (x, y, z) stand for Rz(z) x Ry(y) x Rx(x).

/// m := m x T(tx, ty).
TAL_C_API Tal_Err Tal_TranslateMatrix(double* m, double tx, double ty);
/// m := m x (turn by degrees about (cx, cy)); fmod(degrees, 360) == 0 leaves m bit for bit
/// unchanged.
TAL_C_API Tal_Err Tal_RotateMatrix(double* m, double degrees, double cx, double cy);
/// m := m x (scale by sx, sy about (cx, cy)); exactly (1, 1) leaves m unchanged.
TAL_C_API Tal_Err Tal_ScaleMatrix(double* m, double sx, double sy, double cx, double cy);
/// m := m x T(tx, ty, tz).
TAL_C_API Tal_Err Tal_TranslateMatrix4(double tx, double ty, double tz, double* m);
/// m := m x diag(sx, sy, sz, 1).
TAL_C_API Tal_Err Tal_ScaleMatrix4(double sx, double sy, double sz, double* m);
/// m := m x (turn by radians about (ax, ay, az) through the origin); an axis shorter than 1e-12
/// reports message 35 at site 0x2E and returns Tal_Err_BAD_AXIS with m untouched.
TAL_C_API Tal_Err Tal_RotateMatrix4(double ax, double ay, double az, double radians, double* m);
/// separate != 0: m := m x Rz(z) x Ry(y) x Rx(x), m untouched on failure. separate == 0: m is
/// turned about its own current x, then y, then z axes (a near-zero axis skips its step) and
/// written back as far as it got. Returns the first failing step's code.
TAL_C_API Tal_Err Tal_RotateMatrix4XYZPlus(double x, double y, double z, unsigned char separate,
                                           double* m);
/// m := m x Rz(z) x Ry(y) x Rx(x).
TAL_C_API Tal_Err Tal_RotateMatrix4XYZ(double x, double y, double z, double* m);
/// Ordered-XYZ angles of m's rotation part (translation, scale and shear removed): y in
/// [-pi/2, pi/2], x = 0 within 1e-5 of gimbal lock. Perspective or m[3][3] == 0 reports
/// Tal_Err_CANT_DECOMPOSE at site 0x2D and leaves all three angles 0.
TAL_C_API Tal_Err Tal_GetOrderedXYZRotationFromMatrix(const double* m, double* x, double* y,
                                                      double* z);
/// Ordered-XYZ angles of the turn by radians about (ax, ay, az); a zero axis reports message 35
/// at site 0x2E and returns Tal_Err_BAD_AXIS with the angles 0.
TAL_C_API Tal_Err Tal_ConvertAxisAngleToOrderedXYZRotation(double ax, double ay, double az,
                                                           double radians, double* x, double* y,
                                                           double* z);
/// out := spherical interpolation from q0 (t = 0) to q1 (t = 1) along the shorter arc, linear
/// within 1e-5 of parallel, not renormalized, t not limited; nearly equal inputs copy q0. out
/// may be q0 or q1.
TAL_C_API Tal_Err Tal_Slerp(const Tal_Quat* q0, const Tal_Quat* q1, double t, Tal_Quat* out);
/// The images of the unit x and y directions under m, free of translation (third column
/// ignored).
TAL_API std::pair<Tal_Vector2T<double>, Tal_Vector2T<double>> Tal_ComputeDirectionalComponents(
    const Tal_Matrix3& m);
