// Row-vector products shared by the matrix point members, the geometry and the bulk transforms.
// Every sum runs left to right, row by row, so that each caller gets the same bits.
#pragma once

#include <cstdint>
#include <cstring>

#include "matrix/constants.h"
#include "tal/vector.h"

/// Affine image of (x, y) under a 3x3 m: the third column is ignored.
inline Tal_Vector2T<double> Talp_MapAffine(const double* m, double x, double y) {
    return {x * m[0] + y * m[3] + m[6], x * m[1] + y * m[4] + m[7]};
}

/// (x, y, w) x m for a 3x3 m.
inline Tal_Vector3T<double> Talp_Map3(const double* m, double x, double y, double w) {
    return {x * m[0] + y * m[3] + w * m[6], x * m[1] + y * m[4] + w * m[7],
            x * m[2] + y * m[5] + w * m[8]};
}

/// (x, y, z, w) x m for a 4x4 m.
inline Tal_Vector4T<double> Talp_Map4(const double* m, double x, double y, double z, double w) {
    return {x * m[0] + y * m[4] + z * m[8] + w * m[12], x * m[1] + y * m[5] + z * m[9] + w * m[13],
            x * m[2] + y * m[6] + z * m[10] + w * m[14],
            x * m[3] + y * m[7] + z * m[11] + w * m[15]};
}

/// The 4x4 divide: one reciprocal, three products, and w becomes 1.
inline Tal_Vector4T<double> Talp_DivideByW(const Tal_Vector4T<double>& q) {
    const double r = 1 / q.w;
    return {q.x * r, q.y * r, q.z * r, 1.0};
}

// ---- In-place kernels -------------------------------------------------------------------------
// One point at a time, as Talp_ForEachElement applies them to arrays.

/// p := the affine image of (x, y) under a 3x3 m.
inline void Talp_ApplyAffine(const double* m, Tal_Vector2T<double>& p) {
    p = Talp_MapAffine(m, p.x, p.y);
}

/// p := (x, y, w) x m for a 3x3 m, undivided.
inline void Talp_Apply3(const double* m, Tal_Vector3T<double>& p) {
    p = Talp_Map3(m, p.x, p.y, p.z);
}

/// p := (x, y, z, w) x m for a 4x4 m, undivided.
inline void Talp_Apply4(const double* m, Tal_Vector4T<double>& p) {
    p = Talp_Map4(m, p.x, p.y, p.z, p.w);
}

/// p := (x, y, z, w) x m, divided by w' unless w' is near zero, when it stays undivided.
inline void Talp_Apply4Divided(const double* m, Tal_Vector4T<double>& p) {
    const Tal_Vector4T<double> q = Talp_Map4(m, p.x, p.y, p.z, p.w);
    p = Talp_IsNearZero(q.w) ? q : Talp_DivideByW(q);
}

/// p := (x, y, z, 1) x m for a 4x4 m, divided by w' unless w' is near zero; w' is dropped.
inline void Talp_ApplyPoint3D(const double* m, Tal_Vector3T<double>& p) {
    Tal_Vector4T<double> q = Talp_Map4(m, p.x, p.y, p.z, 1.0);
    if (!Talp_IsNearZero(q.w)) q = Talp_DivideByW(q);
    p = {q.x, q.y, q.z};
}

/// Applies Map(matrix, element) to each element in order; a count below 1 does nothing. The
/// matrix is copied to the stack first so that it stays in registers, unless the array overlaps
/// it: then every element reads the caller's storage afresh, as the plain loop would.
template <size_t N, auto Map, typename Elem>
inline void Talp_ForEachElement(const double* m, long count, Elem* elems) {
    if (count < 1) return;
    const auto mBegin = reinterpret_cast<uintptr_t>(m);
    const auto eBegin = reinterpret_cast<uintptr_t>(elems);
    const uintptr_t eBytes = uintptr_t(count) * sizeof(Elem);
    if (eBegin < mBegin + N * sizeof(double) && mBegin < eBegin + eBytes) {
        for (long i = 0; i < count; ++i)
            Map(m, elems[i]);
        return;
    }
    double k[N];
    std::memcpy(k, m, sizeof k);
    for (long i = 0; i < count; ++i)
        Map(k, elems[i]);
}
