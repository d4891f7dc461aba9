// Tolerances, unit factors and the shared report site of the matrix family and of the families
// built on it, each named once so that every test of a band reads the same bound.
#pragma once

#include <cstdint>

/// Below this a length, a squared length, a denominator or a homogeneous W counts as zero.
constexpr double Talp_NearZero = 1e-12;
/// A 4x4 matrix whose determinant is smaller than this in magnitude is not inverted.
constexpr double Talp_MinDeterminant = 1e-16;
/// A 3x3 pivot strictly inside (-Talp_MinPivot, Talp_MinPivot) stops the elimination.
constexpr double Talp_MinPivot = 1e-20;
/// Within this of parallel the angle formulas lose their precision, so the ordered-XYZ angles
/// fold the gimbal lock into z and slerp blends linearly.
constexpr double Talp_NearParallel = 1e-5;

/// Degrees to radians and back: the doubles nearest to pi/180 and 180/pi.
constexpr double Talp_RadiansPerDegree = 0.017453292519943295;
constexpr double Talp_DegreesPerRadian = 57.29577951308232;

/// The report site of the 4x4 algebra: a failed inversion and a failed decomposition.
constexpr uint16_t Talp_SiteMatrix4Algebra = 0x2D;

/// v lies strictly inside (-Talp_NearZero, Talp_NearZero); NaN does not.
inline bool Talp_IsNearZero(double v) {
    return -Talp_NearZero < v && v < Talp_NearZero;
}
