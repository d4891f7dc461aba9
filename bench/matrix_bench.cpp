// Matrix algebra against Eigen's and glm's fixed-size double matrices, where installed, and
// against the floor of each algorithm whose operations and their order are fixed.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>

#include "tal/matrix.h"

#if TAL_BENCH_HAVE_EIGEN
#include <Eigen/Dense>
#endif
#if TAL_BENCH_HAVE_GLM
#include <glm/glm.hpp>
#endif

namespace {

// A well-conditioned affine transform with a little of everything.
void FillMatrix4(double* m) {
    const double c = std::cos(0.3), s = std::sin(0.3);
    const double v[16] = {2 * c, 2 * s, 0.1, 0, -1.5 * s, 1.5 * c, 0.2, 0,
                          0.3,   -0.4,  1.2, 0, 5,        -7,      11,  1};
    for (int i = 0; i < 16; ++i)
        m[i] = v[i];
}

void FillMatrix3(double* m) {
    const double v[9] = {2, 0.5, 0, -0.25, 1.5, 0, 10, -20, 1};
    for (int i = 0; i < 9; ++i)
        m[i] = v[i];
}

void BM_Tal_ConcatMatrix4(benchmark::State& state) {
    double a[16], b[16], out[16];
    FillMatrix4(a);
    FillMatrix4(b);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(b);
        Tal_ConcatMatrix4(a, b, out);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Tal_ConcatMatrix4);

void BM_Tal_InverseMatrix4Quiet(benchmark::State& state) {
    double a[16], out[16];
    FillMatrix4(a);
    unsigned char failed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        Tal_InverseMatrix4Quiet(a, out, &failed);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Tal_InverseMatrix4Quiet);

void BM_Tal_InverseMatrixQuiet(benchmark::State& state) {
    double a[9], out[9];
    FillMatrix3(a);
    unsigned char failed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        Tal_InverseMatrixQuiet(a, out, &failed);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Tal_InverseMatrixQuiet);

void BM_Tal_GetMatrix4Determinant(benchmark::State& state) {
    double a[16], det;
    FillMatrix4(a);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        Tal_GetMatrix4Determinant(a, &det);
        benchmark::DoNotOptimize(det);
    }
}
BENCHMARK(BM_Tal_GetMatrix4Determinant);

void BM_Tal_DecomposeMatrix4(benchmark::State& state) {
    double a[16];
    FillMatrix4(a);
    Tal_Matrix4Decomp d;
    unsigned char failed;
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        Tal_DecomposeMatrix4(a, &d, &failed);
        benchmark::DoNotOptimize(d);
    }
}
BENCHMARK(BM_Tal_DecomposeMatrix4);

// ---- Floors ---------------------------------------------------------------------------------
// The same operations in the same order as Tal's, as straight-line code without calls: what no
// implementation of those operations can beat by much.

// The six-term minor of rows i < j < k and columns a < b < c, summed left to right.
inline double Minor(const double* m, int i, int j, int k, int a, int b, int c) {
    i *= 4, j *= 4, k *= 4;
    return m[i + a] * m[j + b] * m[k + c] + m[i + b] * m[j + c] * m[k + a] +
           m[i + c] * m[j + a] * m[k + b] - m[i + c] * m[j + b] * m[k + a] -
           m[i + a] * m[j + c] * m[k + b] - m[i + b] * m[j + a] * m[k + c];
}
constexpr int kKept[4][3] = {{1, 2, 3}, {0, 2, 3}, {0, 1, 3}, {0, 1, 2}};

inline double RowZeroMinor(const double* m, int c) {
    return Minor(m, 1, 2, 3, kKept[c][0], kKept[c][1], kKept[c][2]);
}

// Four minors of row 0 and the expansion along it.
__attribute__((noinline)) double FloorDeterminant4(const double* m) {
    const double k0 = RowZeroMinor(m, 0), k1 = RowZeroMinor(m, 1), k2 = RowZeroMinor(m, 2),
                 k3 = RowZeroMinor(m, 3);
    return m[0] * k0 - m[1] * k1 + m[2] * k2 - m[3] * k3;
}

// Sixteen minors, the determinant, the signed transpose and sixteen correctly rounded divisions.
__attribute__((noinline)) bool FloorInverse4(const double* src, double* dst) {
    double m[16], k[16];
    std::memcpy(m, src, sizeof m);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            k[r * 4 + c] = Minor(m, kKept[r][0], kKept[r][1], kKept[r][2], kKept[c][0], kKept[c][1],
                                 kKept[c][2]);
    const double det = m[0] * k[0] - m[1] * k[1] + m[2] * k[2] - m[3] * k[3];
    const bool ok = !(std::fabs(det) < 1e-16);
    const double scale = ok ? det : 1.0;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            dst[i * 4 + j] = (((i + j) & 1) ? -k[j * 4 + i] : k[j * 4 + i]) / scale;
    return ok;
}

// Gauss-Jordan with partial pivoting: the pivot rows picked by index (ties to the higher row),
// the pivot row scaled by one reciprocal, the other two rows eliminated, three times over.
inline void Pivot(double* w, double* d, int p, int c, int q, int r) {
    double* wp = w + p * 3;
    double* dp = d + p * 3;
    const double inv = 1 / wp[c];
    wp[c] = 1;
    for (int k = c + 1; k < 3; ++k)
        wp[k] *= inv;
    for (int k = 0; k < 3; ++k)
        dp[k] *= inv;
    for (int row : {q, r}) {
        double* wr = w + row * 3;
        double* dr = d + row * 3;
        const double f = -wr[c];
        wr[c] = 0;
        for (int k = c + 1; k < 3; ++k)
            wr[k] += f * wp[k];
        for (int k = 0; k < 3; ++k)
            dr[k] += f * dp[k];
    }
}
inline bool TooSmall(double v) {
    return -1e-20 < v && v < 1e-20;
}

__attribute__((noinline)) bool FloorInverse3(const double* src, double* dst) {
    double w[9], d[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    std::memcpy(w, src, sizeof w);
    const double a0 = std::fabs(w[0]), a1 = std::fabs(w[3]), a2 = std::fabs(w[6]);
    const int p0 = a0 <= a1 ? (a1 > a2 ? 1 : 2) : (a0 > a2 ? 0 : 2);
    const int q = p0 == 0 ? 1 : 0, r = p0 == 2 ? 1 : 2;  // the other rows, in order
    if (TooSmall(w[p0 * 3])) return false;
    Pivot(w, d, p0, 0, q, r);
    const int p1 = std::fabs(w[q * 3 + 1]) > std::fabs(w[r * 3 + 1]) ? q : r;
    const int p2 = q + r - p1;
    if (TooSmall(w[p1 * 3 + 1])) return false;
    Pivot(w, d, p1, 1, p0, p2);
    if (TooSmall(w[p2 * 3 + 2])) return false;
    Pivot(w, d, p2, 2, p0, p1);
    std::memcpy(dst, d + p0 * 3, 3 * sizeof(double));
    std::memcpy(dst + 3, d + p1 * 3, 3 * sizeof(double));
    std::memcpy(dst + 6, d + p2 * 3, 3 * sizeof(double));
    return true;
}

// Eigen and glm divide once and multiply by the reciprocal; Tal rounds each of the 16 quotients.
void BM_Floor_Inverse4(benchmark::State& state) {
    double a[16], out[16];
    FillMatrix4(a);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(FloorInverse4(a, out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Floor_Inverse4);

// Eigen and glm use 2x2 sub-determinants shared between minors; Tal's six-term minors do not.
void BM_Floor_Determinant4(benchmark::State& state) {
    double a[16];
    FillMatrix4(a);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        double det = FloorDeterminant4(a);
        benchmark::DoNotOptimize(det);
    }
}
BENCHMARK(BM_Floor_Determinant4);

// Eigen and glm take cofactors and one reciprocal; Tal's elimination chains three divisions.
void BM_Floor_Inverse3(benchmark::State& state) {
    double a[9], out[9];
    FillMatrix3(a);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        benchmark::DoNotOptimize(FloorInverse3(a, out));
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Floor_Inverse3);

#if TAL_BENCH_HAVE_EIGEN
typedef Eigen::Matrix<double, 4, 4, Eigen::RowMajor> EigenMatrix4;
typedef Eigen::Matrix<double, 3, 3, Eigen::RowMajor> EigenMatrix3;

void BM_Eigen_Product4(benchmark::State& state) {
    EigenMatrix4 a, b, out;
    FillMatrix4(a.data());
    FillMatrix4(b.data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
        out.noalias() = a * b;
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Eigen_Product4);

void BM_Eigen_Inverse4(benchmark::State& state) {
    EigenMatrix4 a, out;
    FillMatrix4(a.data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.data());
        out = a.inverse();
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Eigen_Inverse4);

void BM_Eigen_Inverse3(benchmark::State& state) {
    EigenMatrix3 a, out;
    FillMatrix3(a.data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.data());
        out = a.inverse();
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(BM_Eigen_Inverse3);

void BM_Eigen_Determinant4(benchmark::State& state) {
    EigenMatrix4 a;
    FillMatrix4(a.data());
    for (auto _ : state) {
        benchmark::DoNotOptimize(a.data());
        double det = a.determinant();
        benchmark::DoNotOptimize(det);
    }
}
BENCHMARK(BM_Eigen_Determinant4);
#endif

#if TAL_BENCH_HAVE_GLM
// Row-major storage read as glm's column-major: the transpose, which costs these the same.
void BM_Glm_Inverse4(benchmark::State& state) {
    glm::dmat4 a;
    FillMatrix4(&a[0][0]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        glm::dmat4 out = glm::inverse(a);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Glm_Inverse4);

void BM_Glm_Inverse3(benchmark::State& state) {
    glm::dmat3 a;
    FillMatrix3(&a[0][0]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        glm::dmat3 out = glm::inverse(a);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_Glm_Inverse3);

void BM_Glm_Determinant4(benchmark::State& state) {
    glm::dmat4 a;
    FillMatrix4(&a[0][0]);
    for (auto _ : state) {
        benchmark::DoNotOptimize(a);
        double det = glm::determinant(a);
        benchmark::DoNotOptimize(det);
    }
}
BENCHMARK(BM_Glm_Determinant4);
#endif

}  // namespace
