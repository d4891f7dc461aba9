// The 4x4 product kernel behind Tal_ConcatMatrix4 and the rotation steps, which build their right
// factor in registers and so skip its round trip through memory.
#pragma once

#include "elementary/simd.h"

#if TALP_HAVE_SSE2
/// out := a x B for the 4x4 B given as row halves lo[k] = (B[k][0], B[k][1]) and hi[k] =
/// (B[k][2], B[k][3]); each element is summed left to right. Row i of a is read before row i of
/// out is written, so out may be a.
inline void Talp_MultiplyByRowPairs(const double* a, const __m128d* lo, const __m128d* hi,
                                    double* out) {
    for (int i = 0; i < 4; ++i) {
        const __m128d a0 = _mm_load1_pd(a + i * 4), a1 = _mm_load1_pd(a + i * 4 + 1);
        const __m128d a2 = _mm_load1_pd(a + i * 4 + 2), a3 = _mm_load1_pd(a + i * 4 + 3);
        __m128d l = _mm_add_pd(_mm_mul_pd(a0, lo[0]), _mm_mul_pd(a1, lo[1]));
        __m128d h = _mm_add_pd(_mm_mul_pd(a0, hi[0]), _mm_mul_pd(a1, hi[1]));
        l = _mm_add_pd(_mm_add_pd(l, _mm_mul_pd(a2, lo[2])), _mm_mul_pd(a3, lo[3]));
        h = _mm_add_pd(_mm_add_pd(h, _mm_mul_pd(a2, hi[2])), _mm_mul_pd(a3, hi[3]));
        _mm_storeu_pd(out + i * 4, l);
        _mm_storeu_pd(out + i * 4 + 2, h);
    }
}
#endif
