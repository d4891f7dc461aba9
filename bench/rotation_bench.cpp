// Rotation building steps, angle extraction and quaternion interpolation, one call per
// iteration. Eigen, where present, runs what its users would write for the same job.
#include <benchmark/benchmark.h>

#include <cmath>

#include "tal/matrix.h"

#if TAL_BENCH_HAVE_EIGEN
#include <Eigen/Dense>
#include <Eigen/Geometry>
#endif

namespace {

// Angles hidden from the optimizer, so that no library folds their sines at compile time.
double Opaque(double v) {
    benchmark::DoNotOptimize(v);
    return v;
}

// Turning in place keeps the matrix orthogonal up to slow drift, so repeated runs stay bounded.
void BM_RotateMatrix4XYZ(benchmark::State& state) {
    double m[16];
    Tal_IdentityMatrix4(m);
    for (auto _ : state) {
        Tal_RotateMatrix4XYZ(Opaque(0.3), Opaque(-0.2), Opaque(0.1), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_RotateMatrix4XYZ);

void BM_RotateMatrix4(benchmark::State& state) {
    double m[16];
    Tal_IdentityMatrix4(m);
    for (auto _ : state) {
        Tal_RotateMatrix4(1, 2, 3, Opaque(0.3), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_RotateMatrix4);

void BM_Slerp(benchmark::State& state) {
    const Tal_Quat a = {0, 0, 0, 1}, b = {0.5, 0.5, 0.5, 0.5};
    Tal_Quat out;
    double t = 0.0;
    for (auto _ : state) {
        Tal_Slerp(&a, &b, Opaque(t), &out);
        benchmark::DoNotOptimize(out);
        t = t < 0.9 ? t + 0.1 : 0.05;
    }
}
BENCHMARK(BM_Slerp);

void BM_GetOrderedXYZRotationFromMatrix(benchmark::State& state) {
    double m[16], x, y, z;
    Tal_IdentityMatrix4(m);
    Tal_ScaleMatrix4(2, 3, 4, m);
    Tal_RotateMatrix4XYZ(0.3, -0.2, 0.1, m);
    for (auto _ : state) {
        benchmark::DoNotOptimize(m);
        Tal_GetOrderedXYZRotationFromMatrix(m, &x, &y, &z);
        benchmark::DoNotOptimize(x);
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(z);
    }
}
BENCHMARK(BM_GetOrderedXYZRotationFromMatrix);

void BM_Matrix3Rotate(benchmark::State& state) {
    Tal_Matrix3 m;
    m.SetIdentity();
    for (auto _ : state) {
        m.Rotate(Opaque(37), 10, 20);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_Matrix3Rotate);

#if TAL_BENCH_HAVE_EIGEN

// The same full 4x4 post-multiplication as Tal_RotateMatrix4.
void BM_EigenAngleAxis4x4(benchmark::State& state) {
    Eigen::Matrix4d m = Eigen::Matrix4d::Identity();
    const Eigen::Vector3d axis(1, 2, 3);
    for (auto _ : state) {
        Eigen::Matrix4d r = Eigen::Matrix4d::Identity();
        r.topLeftCorner<3, 3>() =
            Eigen::AngleAxisd(Opaque(0.3), axis.normalized()).toRotationMatrix();
        m = m * r;
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_EigenAngleAxis4x4);

// What an Eigen user would write: the affine transform's rotate, which skips the last row.
void BM_EigenAngleAxisAffine(benchmark::State& state) {
    Eigen::Affine3d m = Eigen::Affine3d::Identity();
    const Eigen::Vector3d axis(1, 2, 3);
    for (auto _ : state) {
        m.rotate(Eigen::AngleAxisd(Opaque(0.3), axis.normalized()));
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_EigenAngleAxisAffine);

void BM_EigenOrderedXYZ4x4(benchmark::State& state) {
    Eigen::Matrix4d m = Eigen::Matrix4d::Identity();
    for (auto _ : state) {
        const Eigen::Matrix3d r = (Eigen::AngleAxisd(Opaque(0.1), Eigen::Vector3d::UnitZ()) *
                                   Eigen::AngleAxisd(Opaque(-0.2), Eigen::Vector3d::UnitY()) *
                                   Eigen::AngleAxisd(Opaque(0.3), Eigen::Vector3d::UnitX()))
                                      .toRotationMatrix();
        Eigen::Matrix4d r4 = Eigen::Matrix4d::Identity();
        r4.topLeftCorner<3, 3>() = r;
        m = m * r4;
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_EigenOrderedXYZ4x4);

void BM_EigenSlerp(benchmark::State& state) {
    const Eigen::Quaterniond a(1, 0, 0, 0), b(0.5, 0.5, 0.5, 0.5);
    double t = 0.0;
    for (auto _ : state) {
        Eigen::Quaterniond out = a.slerp(Opaque(t), b);
        benchmark::DoNotOptimize(out);
        t = t < 0.9 ? t + 0.1 : 0.05;
    }
}
BENCHMARK(BM_EigenSlerp);

// Angles only: Eigen does not take off scale and shear first, so this does less work.
void BM_EigenEulerAngles(benchmark::State& state) {
    const Eigen::Matrix3d r = (Eigen::AngleAxisd(0.1, Eigen::Vector3d::UnitZ()) *
                               Eigen::AngleAxisd(-0.2, Eigen::Vector3d::UnitY()) *
                               Eigen::AngleAxisd(0.3, Eigen::Vector3d::UnitX()))
                                  .toRotationMatrix();
    for (auto _ : state) {
        benchmark::DoNotOptimize(r);
        Eigen::Vector3d e = r.eulerAngles(2, 1, 0);
        benchmark::DoNotOptimize(e);
    }
}
BENCHMARK(BM_EigenEulerAngles);

#endif

}  // namespace
