// Matrix algebra against Eigen's fixed-size double matrices, where Eigen is installed.
#include <benchmark/benchmark.h>

#include <cmath>

#include "tal/matrix.h"

#if TAL_BENCH_HAVE_EIGEN
#include <Eigen/Dense>
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

}  // namespace
