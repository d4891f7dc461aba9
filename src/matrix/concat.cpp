// Products and the transpose. Each output element keeps its left-to-right sum; independent
// elements are computed side by side, which changes no result.
#include <cstring>

#include "matrix/product4.h"
#include "tal/matrix.h"

Tal_Err Tal_ConcatMatrix(const double* a, double* b) {
    double t[9];
    for (int i = 0; i < 3; ++i) {
        const double b0 = b[i * 3], b1 = b[i * 3 + 1], b2 = b[i * 3 + 2];
        for (int j = 0; j < 3; ++j)
            t[i * 3 + j] = b0 * a[j] + b1 * a[3 + j] + b2 * a[6 + j];
    }
    std::memcpy(b, t, sizeof t);
    return 0;
}

#if TALP_HAVE_SSE2
// All of b sits in registers and row i of a is read before row i of out is written, so out may
// be a or b without a work copy.
Tal_Err Tal_ConcatMatrix4(const double* a, const double* b, double* out) {
    __m128d lo[4], hi[4];
    for (int k = 0; k < 4; ++k) {
        lo[k] = _mm_loadu_pd(b + k * 4);
        hi[k] = _mm_loadu_pd(b + k * 4 + 2);
    }
    Talp_MultiplyByRowPairs(a, lo, hi, out);
    return 0;
}
#else
Tal_Err Tal_ConcatMatrix4(const double* a, const double* b, double* out) {
    double t[16];
    for (int i = 0; i < 4; ++i) {
        const double a0 = a[i * 4], a1 = a[i * 4 + 1], a2 = a[i * 4 + 2], a3 = a[i * 4 + 3];
        for (int j = 0; j < 4; ++j) {
            t[i * 4 + j] = a0 * b[j] + a1 * b[4 + j] + a2 * b[8 + j] + a3 * b[12 + j];
        }
    }
    std::memcpy(out, t, sizeof t);
    return 0;
}
#endif

Tal_Err Tal_TransposeMatrix4(const double* src, double* dst) {
    double t[16];
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j)
            t[i * 4 + j] = src[j * 4 + i];
    }
    std::memcpy(dst, t, sizeof t);
    return 0;
}
