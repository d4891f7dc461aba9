// 3x3 and 4x4 matrices of doubles: storage, the classes, and the plain functions over the same
// storage as flat arrays of 9 or 16 doubles.
//
// Storage is row-major and points are row vectors multiplied on the left (p' = p x A):
//
//        col 0    col 1    col 2    col 3
//   row 0 m[0][0]  m[0][1]  m[0][2]  m[0][3]    <- image of the x axis
//   row 1 m[1][0]  m[1][1]  m[1][2]  m[1][3]    <- image of the y axis
//   row 2 m[2][0]  m[2][1]  m[2][2]  m[2][3]    <- image of the z axis (translation in a 3x3)
//   row 3 m[3][0]  m[3][1]  m[3][2]  m[3][3]    <- translation
//                                      ^ perspective terms (last column)
//
// Element m[r][c] is flat element r*3+c (r*4+c). A x B applies A first, then B; every building
// step post-multiplies. 3x3 building steps take degrees, 4x4 ones radians.
#pragma once

#include <cstddef>
#include <type_traits>

#include "tal/export.h"
#include "tal/frame.h"
#include "tal/vector.h"

// ==== Types and records ========================================================================

/// Classification of a 3x3 matrix (see Tal_GetMatrixType); the first matching code wins.
typedef long Tal_MatrixType;
constexpr Tal_MatrixType Tal_MatrixType_IDENTITY = 0;
constexpr Tal_MatrixType Tal_MatrixType_TRANSLATE = 1;
constexpr Tal_MatrixType Tal_MatrixType_SCALE = 2;
constexpr Tal_MatrixType Tal_MatrixType_SCALE_TRANSLATE = 3;
constexpr Tal_MatrixType Tal_MatrixType_AFFINE = 4;
constexpr Tal_MatrixType Tal_MatrixType_PERSPECTIVE = 5;

/// A quaternion, scalar part last.
struct Tal_Quat {
    double x, y, z, w;
};

/// An affine 4x4 split into translation, scale, shear and ordered-XYZ rotation (radians).
struct Tal_Matrix4Decomp {
    Tal_Vector3T<double> translate;  // row 3 after the homogeneous divide
    Tal_Vector3T<double> scale;      // all three negative for a left-handed frame
    struct {
        double xy, xz, yz;  // projections removed while orthogonalizing, in length units
    } shear;
    Tal_Vector3T<double> rotate;  // rebuilds the rotation as Rz(z) x Ry(y) x Rx(x)
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
    double m[3][3];

    // ---- Building and assignment ----

    // ---- Comparison and classification ----

    // ---- Inversion and measures ----

    // ---- Point transformation ----
};

// ==== class Tal_Matrix4 ========================================================================

/// A 4x4 transform of 3D points in homogeneous coordinates. Default construction leaves it
/// uninitialised. The copy operations stay implicit so that the class stays trivially copyable.
class TAL_API Tal_Matrix4 {
public:
    double m[4][4];

    // ---- Building and assignment ----

    // ---- Comparison and classification ----

    // ---- Inversion, decomposition and measures ----

    // ---- Point transformation ----
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
// None of these fails or reports: a Tal_Err result is always 0.

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

/// b := b x a (b's transform, then a's). Returns 0.
TAL_C_API Tal_Err Tal_ConcatMatrix(const double* a, double* b);
/// out := a x b (a's transform, then b's). Returns 0.
TAL_C_API Tal_Err Tal_ConcatMatrix4(const double* a, const double* b, double* out);
/// dst := transpose of src. Returns 0.
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
/// *det := the determinant, by cofactors along row 0; no threshold. Returns 0.
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
/// 1. Returns 0.
TAL_C_API Tal_Err Tal_Correct3DDecompFor2D(Tal_Matrix4Decomp* d);
