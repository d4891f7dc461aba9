// Pieces shared by the Tal_Matrix3 and Tal_Matrix4 members.
#pragma once

#include <cmath>
#include <cstring>

#include "tal/frame.h"

/// Members pass a non-zero code on as the thrown long; the callee has already reported it.
inline void Talp_ThrowIfFailed(Tal_Err err) {
    if (err != 0) throw long(err);
}

/// Byte-wise equality of n doubles: +0.0 and -0.0 differ, identical NaNs agree.
template <int N>
bool Talp_SameBytes(const double* a, const double* b) {
    return std::memcmp(a, b, N * sizeof(double)) == 0;
}

/// The within-epsilon walk over an N x N matrix: false at the first element further than eps
/// from the target (1 on the diagonal when identity, else 0). NaN never fails: > is false.
template <int N>
bool Talp_WithinEpsilonOf(const double* m, double eps, bool identity) {
    for (int r = 0; r < N; ++r) {
        for (int c = 0; c < N; ++c) {
            const double target = identity && r == c ? 1.0 : 0.0;
            if (std::fabs(m[r * N + c] - target) > eps) return false;
        }
    }
    return true;
}

/// a := a + b, or a - b when subtract, element by element; b may be a.
template <int N>
void Talp_AddScaled(double* a, const double* b, bool subtract) {
    for (int i = 0; i < N; ++i)
        a[i] = subtract ? a[i] - b[i] : a[i] + b[i];
}

/// Transposes an N x N matrix in place.
template <int N>
void Talp_TransposeInPlace(double* m) {
    for (int r = 0; r < N; ++r) {
        for (int c = r + 1; c < N; ++c) {
            const double t = m[r * N + c];
            m[r * N + c] = m[c * N + r];
            m[c * N + r] = t;
        }
    }
}
