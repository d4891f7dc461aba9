/// \file
/// Vector value types shared by the matrix and polygon families. Points are row vectors: p' = p x
/// A. Every double result is the same bits on every target, except the sign and payload of a NaN.
#pragma once

#include <type_traits>

#include "tal/error.h"

/// A 2D point or vector; T is double (points, corners) or float (hit-test outlines).
template <typename T>
struct Tal_Vector2T {
    ///@{
    /// The coordinates.
    T x, y;
    ///@}
};

/// A 3D point, or a homogeneous 2D point (x, y, w) when given to a Tal_Matrix3: z plays W.
template <typename T>
struct Tal_Vector3T {
    ///@{
    /// The coordinates (z: W for a Tal_Matrix3).
    T x, y, z;
    ///@}
};

/// A homogeneous 3D point: w = 0 is a direction, any other w a point.
template <typename T>
struct Tal_Vector4T {
    ///@{
    /// The coordinates and the homogeneous weight.
    T x, y, z, w;
    ///@}

    /// Scales (x, y, z) to unit length as a direction, w untouched. Reports a warning (message
    /// 41) when w is not within 1e-12 of 0; when (y*y + x*x) + z*z < 1e-12 reports message 38,
    /// leaves the vector unchanged and throws Tal_Err_ZERO_VECTOR as a long. Defined for double
    /// only: on any other T a call does not compile.
    void Normalize() {
        static_assert(std::is_same_v<T, double>,
                      "Normalize is defined for Tal_Vector4T<double> only");
    }
};

/// The one definition of Normalize, in libtal.
template <>
TAL_API void Tal_Vector4T<double>::Normalize();

static_assert(std::is_standard_layout_v<Tal_Vector2T<double>> &&
                  std::is_trivially_copyable_v<Tal_Vector4T<double>>,
              "vectors are plain values");
static_assert(sizeof(Tal_Vector2T<double>) == 16 && sizeof(Tal_Vector2T<float>) == 8 &&
                  sizeof(Tal_Vector3T<double>) == 24 && sizeof(Tal_Vector4T<double>) == 32,
              "vector components are contiguous");
