// 4x4 inversion by the classical adjoint, the determinant, and the normal matrix.
#include <cmath>
#include <cstring>

#include "elementary/simd.h"
#include "matrix/constants.h"
#include "matrix/minors.h"
#include "tal/frame.h"
#include "tal/matrix.h"

namespace {

// The three indices left when one of 0..3 is removed, in order.
constexpr int Talp_KeptIndices[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};

// The minor without row r and column c, from the rows Talp_KeptIndices[r] and the columns
// Talp_KeptIndices[c]: the six products, each left to right, summed in this order.
inline double Talp_Minor(const double* m, int r, int c) {
    const int i = Talp_KeptIndices[r][0] * 4, j = Talp_KeptIndices[r][1] * 4,
              k = Talp_KeptIndices[r][2] * 4;
    const int a = Talp_KeptIndices[c][0], b = Talp_KeptIndices[c][1], d = Talp_KeptIndices[c][2];
    return m[i + a] * m[j + b] * m[k + d] + m[i + b] * m[j + d] * m[k + a] +
           m[i + d] * m[j + a] * m[k + b] - m[i + d] * m[j + b] * m[k + a] -
           m[i + a] * m[j + d] * m[k + b] - m[i + b] * m[j + a] * m[k + d];
}

inline double Talp_RowZeroExpansion(const double* m, const double* k0) {
    return m[0] * k0[0] - m[1] * k0[1] + m[2] * k0[2] - m[3] * k0[3];
}

// The four minors of row 0 and the expansion, as one block of straight-line code.
inline double Talp_Determinant4(const double* m) {
    const double k0[4] = {Talp_Minor(m, 0, 0), Talp_Minor(m, 0, 1), Talp_Minor(m, 0, 2),
                          Talp_Minor(m, 0, 3)};
    return Talp_RowZeroExpansion(m, k0);
}

}  // namespace

#if TALP_HAVE_SSE2
namespace {

// One row of the matrix spread for two minors at once. Lane l of a, b, c holds the row's
// elements at the first, second and third column kept by minor column 2g+l.
struct Talp_SpreadRow {
    __m128d a, b, c;
};

// Columns kept: minor column 0 keeps (1, 2, 3), column 1 keeps (0, 2, 3).
Talp_SpreadRow Talp_SpreadLow(const double* row) {
    const __m128d lo = _mm_loadu_pd(row), hi = _mm_loadu_pd(row + 2);
    return {_mm_shuffle_pd(lo, lo, 1), _mm_unpacklo_pd(hi, hi), _mm_unpackhi_pd(hi, hi)};
}

// Columns kept: minor column 2 keeps (0, 1, 3), column 3 keeps (0, 1, 2).
Talp_SpreadRow Talp_SpreadHigh(const double* row) {
    const __m128d lo = _mm_loadu_pd(row), hi = _mm_loadu_pd(row + 2);
    return {_mm_unpacklo_pd(lo, lo), _mm_unpackhi_pd(lo, lo), _mm_shuffle_pd(hi, hi, 1)};
}

inline __m128d Talp_Mul3(__m128d x, __m128d y, __m128d z) {
    return _mm_mul_pd(_mm_mul_pd(x, y), z);
}

// The six-term rule on two minors side by side.
__m128d Talp_SixTerms(const Talp_SpreadRow& i, const Talp_SpreadRow& j, const Talp_SpreadRow& k) {
    __m128d s = _mm_add_pd(Talp_Mul3(i.a, j.b, k.c), Talp_Mul3(i.b, j.c, k.a));
    s = _mm_add_pd(s, Talp_Mul3(i.c, j.a, k.b));
    s = _mm_sub_pd(s, Talp_Mul3(i.c, j.b, k.a));
    s = _mm_sub_pd(s, Talp_Mul3(i.a, j.c, k.b));
    return _mm_sub_pd(s, Talp_Mul3(i.b, j.a, k.c));
}

// ((m00*K00 - m01*K01) + m02*K02) - m03*K03
double Talp_RowZeroExpansionPairs(const double* m, __m128d k01, __m128d k23) {
    double p[2], q[2];
    _mm_storeu_pd(p, _mm_mul_pd(_mm_loadu_pd(m), k01));
    _mm_storeu_pd(q, _mm_mul_pd(_mm_loadu_pd(m + 2), k23));
    return ((p[0] - p[1]) + q[0]) - q[1];
}

}  // namespace

double Talp_Matrix4Minors(const double* src, double* minors) {
    Talp_SpreadRow lo[4], hi[4];
    for (int r = 0; r < 4; ++r) {
        lo[r] = Talp_SpreadLow(src + r * 4);
        hi[r] = Talp_SpreadHigh(src + r * 4);
    }
    const __m128d k0lo = Talp_SixTerms(lo[1], lo[2], lo[3]),
                  k0hi = Talp_SixTerms(hi[1], hi[2], hi[3]);
    const double det = Talp_RowZeroExpansionPairs(src, k0lo, k0hi);
    if (!minors) return det;
    _mm_storeu_pd(minors, k0lo);
    _mm_storeu_pd(minors + 2, k0hi);
    for (int r = 1; r < 4; ++r) {
        const int i = Talp_KeptIndices[r][0], j = Talp_KeptIndices[r][1],
                  k = Talp_KeptIndices[r][2];
        _mm_storeu_pd(minors + r * 4, Talp_SixTerms(lo[i], lo[j], lo[k]));
        _mm_storeu_pd(minors + r * 4 + 2, Talp_SixTerms(hi[i], hi[j], hi[k]));
    }
    return det;
}
#else
double Talp_Matrix4Minors(const double* src, double* minors) {
    return Talp_Matrix4MinorsPortable(src, minors);
}
#endif

double Talp_Matrix4MinorsPortable(const double* src, double* minors) {
    if (!minors) return Talp_Determinant4(src);
    double m[16];
    std::memcpy(m, src, sizeof m);
    double k[16];
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c)
            k[r * 4 + c] = Talp_Minor(m, r, c);
    }
    std::memcpy(minors, k, sizeof k);
    return Talp_RowZeroExpansion(m, k);
}

namespace {

#if TALP_HAVE_SSE2
// adj[i][j] = (-1)^(i+j) * k[j][i], two elements at a time.
void Talp_Adjugate(const double* k, double* adj) {
    const __m128d plusMinus = _mm_set_pd(-0.0, 0.0), minusPlus = _mm_set_pd(0.0, -0.0);
    for (int half = 0; half < 2; ++half) {
        const double* kc = k + half * 2;  // columns 2*half and 2*half+1 of k
        const __m128d k0 = _mm_loadu_pd(kc), k1 = _mm_loadu_pd(kc + 4);
        const __m128d k2 = _mm_loadu_pd(kc + 8), k3 = _mm_loadu_pd(kc + 12);
        double* even = adj + half * 8;
        double* odd = even + 4;
        _mm_storeu_pd(even, _mm_xor_pd(_mm_unpacklo_pd(k0, k1), plusMinus));
        _mm_storeu_pd(even + 2, _mm_xor_pd(_mm_unpacklo_pd(k2, k3), plusMinus));
        _mm_storeu_pd(odd, _mm_xor_pd(_mm_unpackhi_pd(k0, k1), minusPlus));
        _mm_storeu_pd(odd + 2, _mm_xor_pd(_mm_unpackhi_pd(k2, k3), minusPlus));
    }
}

void Talp_DivideAll(const double* adj, double det, double* dst) {
    const __m128d d = _mm_set1_pd(det);
    for (int i = 0; i < 16; i += 2)
        _mm_storeu_pd(dst + i, _mm_div_pd(_mm_loadu_pd(adj + i), d));
}
#else
void Talp_Adjugate(const double* k, double* adj) {
    for (int i = 0; i < 4; ++i) {
        for (int j = 0; j < 4; ++j) {
            adj[i * 4 + j] = ((i + j) & 1) ? -k[j * 4 + i] : k[j * 4 + i];
        }
    }
}

void Talp_DivideAll(const double* adj, double det, double* dst) {
    for (int i = 0; i < 16; ++i)
        dst[i] = adj[i] / det;
}
#endif

}  // namespace

Tal_Err Tal_InverseMatrix4Quiet(const double* src, double* dst, unsigned char* failed) {
    if (failed) *failed = 0;
    double k[16], adj[16];
    const double det = Talp_Matrix4Minors(src, k);
    Talp_Adjugate(k, adj);
    // A NaN determinant is not below the threshold: it divides.
    if (std::fabs(det) < Talp_MinDeterminant) {
        std::memcpy(dst, adj, sizeof adj);
        if (failed) *failed = 1;
        return Tal_Err_CANT_INVERT;
    }
    Talp_DivideAll(adj, det, dst);
    return 0;
}

Tal_Err Tal_InverseMatrix4(const double* src, double* dst) {
    unsigned char failed = 0;
    const Tal_Err err = Tal_InverseMatrix4Quiet(src, dst, &failed);
    if (failed && err) Talp_ReportErr(Talp_SiteMatrix4Algebra, err, 0);
    return err;
}

Tal_Err Tal_GetMatrix4Determinant(const double* m, double* det) {
    // Without the minors the scalar block is the faster: nothing is spread into lanes.
    *det = Talp_Determinant4(m);
    return 0;
}

Tal_Err Tal_CalcNormalMatrix4(const double* src, double* dst) {
    if (Tal_Err err = Tal_InverseMatrix4(src, dst)) return err;
    return Tal_TransposeMatrix4(dst, dst);
}

Tal_Err Tal_CalcNormalMatrix4Quiet(const double* src, double* dst, unsigned char* failed) {
    const Tal_Err err = Tal_InverseMatrix4Quiet(src, dst, failed);
    Tal_TransposeMatrix4(dst, dst);
    return err;
}
