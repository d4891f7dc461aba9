// Rotation building steps, angle extraction and quaternion interpolation, one call per
// iteration. Eigen and glm, where present, run what their users would write for the same job.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <random>
#include <vector>

#include "tal/matrix.h"

#if TAL_BENCH_HAVE_EIGEN
#include <Eigen/Dense>
#include <Eigen/Geometry>
#endif
#if TAL_BENCH_HAVE_GLM
#include <glm/glm.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/quaternion.hpp>
#endif

namespace {

// Angles hidden from the optimizer, so that no library folds their sines at compile time. A
// volatile round trip: GCC 12 drops the store behind DoNotOptimize on a by-value double here and
// then reads stack garbage, which sent the angles to the slow wide argument reduction.
double Opaque(double v) {
    volatile double held = v;
    return held;
}

// Unit quaternion pairs at varied angles, and weights in [0, 1], shared by every slerp.
struct SlerpCase {
    double a[4], b[4], t;
};
const std::vector<SlerpCase>& SlerpCases() {
    static const std::vector<SlerpCase> cases = [] {
        std::mt19937 rng(5);
        std::uniform_real_distribution<double> u(-1, 1);
        std::vector<SlerpCase> v(256);
        for (SlerpCase& c : v) {
            double na = 0, nb = 0;
            for (int i = 0; i < 4; ++i) {
                c.a[i] = u(rng);
                c.b[i] = u(rng);
                na += c.a[i] * c.a[i];
                nb += c.b[i] * c.b[i];
            }
            for (int i = 0; i < 4; ++i) {
                c.a[i] /= std::sqrt(na);
                c.b[i] /= std::sqrt(nb);
            }
            c.t = (u(rng) + 1) / 2;
        }
        return v;
    }();
    return cases;
}

template <typename Step>
void CycleSlerps(benchmark::State& state, Step step) {
    const std::vector<SlerpCase>& cases = SlerpCases();
    size_t i = 0;
    for (auto _ : state) {
        step(cases[i]);
        i = (i + 1) % cases.size();
    }
}

// Turning in place keeps the matrix orthogonal up to slow drift, so repeated runs stay bounded.
// The peers are faster mostly by their sines and cosines: the platform's, not correctly rounded;
// Tal's three turns also chain a square root and a division each, as its order requires.
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

// Here too the peers' edge is the platform's arc cosine and sines against correctly rounded ones.
void BM_Slerp(benchmark::State& state) {
    CycleSlerps(state, [](const SlerpCase& c) {
        const Tal_Quat a = {c.a[0], c.a[1], c.a[2], c.a[3]}, b = {c.b[0], c.b[1], c.b[2], c.b[3]};
        Tal_Quat out;
        Tal_Slerp(&a, &b, c.t, &out);
        benchmark::DoNotOptimize(out);
    });
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
    CycleSlerps(state, [](const SlerpCase& c) {
        const Eigen::Quaterniond a(c.a[3], c.a[0], c.a[1], c.a[2]);
        const Eigen::Quaterniond b(c.b[3], c.b[0], c.b[1], c.b[2]);
        Eigen::Quaterniond out = a.slerp(c.t, b);
        benchmark::DoNotOptimize(out);
    });
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

#if TAL_BENCH_HAVE_GLM
// glm is column-vector: m * R applies R first, the same product Tal takes with rows.
void BM_GlmRotateAxis4x4(benchmark::State& state) {
    glm::dmat4 m(1.0);
    const glm::dvec3 axis(1, 2, 3);
    for (auto _ : state) {
        m = glm::rotate(m, Opaque(0.3), axis);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_GlmRotateAxis4x4);

void BM_GlmOrderedXYZ4x4(benchmark::State& state) {
    glm::dmat4 m(1.0);
    for (auto _ : state) {
        glm::dmat4 r = glm::rotate(glm::dmat4(1.0), Opaque(0.1), glm::dvec3(0, 0, 1));
        r = glm::rotate(r, Opaque(-0.2), glm::dvec3(0, 1, 0));
        r = glm::rotate(r, Opaque(0.3), glm::dvec3(1, 0, 0));
        m = m * r;
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_GlmOrderedXYZ4x4);

void BM_GlmSlerp(benchmark::State& state) {
    CycleSlerps(state, [](const SlerpCase& c) {
        const glm::dquat a(c.a[3], c.a[0], c.a[1], c.a[2]), b(c.b[3], c.b[0], c.b[1], c.b[2]);
        glm::dquat out = glm::slerp(a, b, c.t);
        benchmark::DoNotOptimize(out);
    });
}
BENCHMARK(BM_GlmSlerp);
#endif

}  // namespace
