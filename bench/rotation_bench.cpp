// Rotation building steps, angle extraction and quaternion interpolation, one call per
// iteration. Eigen and glm, where present, run what their users would write for the same job.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <random>
#include <vector>

#include "elementary/elementary.h"
#include "elementary/simd.h"
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

// Turning in place keeps the matrix orthogonal up to slow drift (row norms off by 7e-9 after 10^8
// calls), so repeated runs stay bounded and far from subnormals.
// Eigen is faster by glibc's sines (not correctly rounded) and fixed axes: no length or division.
void BM_RotateMatrix4XYZ(benchmark::State& state) {
    double m[16];
    Tal_IdentityMatrix4(m);
    for (auto _ : state) {
        Tal_RotateMatrix4XYZ(Opaque(0.3), Opaque(-0.2), Opaque(0.1), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_RotateMatrix4XYZ);

// glm is faster by glibc's sine and cosine and by leaving the last column out of its product.
void BM_RotateMatrix4(benchmark::State& state) {
    double m[16];
    Tal_IdentityMatrix4(m);
    for (auto _ : state) {
        Tal_RotateMatrix4(1, 2, 3, Opaque(0.3), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_RotateMatrix4);

// glm and Eigen are faster by glibc's arc cosine and sines, which are not correctly rounded.
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

// ---- Floors ---------------------------------------------------------------------------------
// Tal's operations in Tal's order as straight-line code: the same correctly rounded sines and
// cosines, the same products with every zero and one of the identity, no other calls. Scalar:
// Each product writes a row as soon as it has read it, as row i of the result needs only row i
// of the left matrix: no work copy, whose single stores a paired reload could not forward.

// The upper 3x3 of a turn; the rest of its 4x4 is the identity's.
struct Turn {
    double r[3][3];
};

// m := m x M for a 4x4 M given as the pairs lo[k] = (M[k][0], M[k][1]), hi[k] = (M[k][2],
// M[k][3]), every sum left to right. Row i of the result needs only row i of m, so each row is
// written once it is read: no work copy. Two lanes where there are, as Tal's own product.
#if TALP_HAVE_SSE2
inline void FloorPostMultiply(double* m, const __m128d* lo, const __m128d* hi) {
    for (int i = 0; i < 4; ++i) {
        double* row = m + i * 4;
        const __m128d a0 = _mm_load1_pd(row), a1 = _mm_load1_pd(row + 1);
        const __m128d a2 = _mm_load1_pd(row + 2), a3 = _mm_load1_pd(row + 3);
        __m128d l = _mm_add_pd(_mm_mul_pd(a0, lo[0]), _mm_mul_pd(a1, lo[1]));
        __m128d h = _mm_add_pd(_mm_mul_pd(a0, hi[0]), _mm_mul_pd(a1, hi[1]));
        l = _mm_add_pd(_mm_add_pd(l, _mm_mul_pd(a2, lo[2])), _mm_mul_pd(a3, lo[3]));
        h = _mm_add_pd(_mm_add_pd(h, _mm_mul_pd(a2, hi[2])), _mm_mul_pd(a3, hi[3]));
        _mm_storeu_pd(row, l);
        _mm_storeu_pd(row + 2, h);
    }
}

// m := m x R for the turn's 4x4 R, its last row and column the identity's, built in registers.
inline void FloorPostMultiply(double* m, const Turn& q) {
    __m128d lo[4], hi[4];
    for (int k = 0; k < 3; ++k) {
        lo[k] = _mm_set_pd(q.r[k][1], q.r[k][0]);
        hi[k] = _mm_set_pd(0.0, q.r[k][2]);
    }
    lo[3] = _mm_setzero_pd();
    hi[3] = _mm_set_pd(1.0, 0.0);
    FloorPostMultiply(m, lo, hi);
}

inline void FloorPostMultiply4(double* m, const double* w) {
    __m128d lo[4], hi[4];
    for (int k = 0; k < 4; ++k) {
        lo[k] = _mm_loadu_pd(w + k * 4);
        hi[k] = _mm_loadu_pd(w + k * 4 + 2);
    }
    FloorPostMultiply(m, lo, hi);
}
#else
inline void FloorPostMultiply4(double* m, const double* w) {
    for (int i = 0; i < 4; ++i) {
        double* row = m + i * 4;
        const double a0 = row[0], a1 = row[1], a2 = row[2], a3 = row[3];
        for (int j = 0; j < 4; ++j)
            row[j] = a0 * w[j] + a1 * w[4 + j] + a2 * w[8 + j] + a3 * w[12 + j];
    }
}

inline void FloorPostMultiply(double* m, const Turn& q) {
    const double w[16] = {q.r[0][0], q.r[0][1], q.r[0][2], 0, q.r[1][0], q.r[1][1], q.r[1][2], 0,
                          q.r[2][0], q.r[2][1], q.r[2][2], 0, 0,         0,         0,         1};
    FloorPostMultiply4(m, w);
}
#endif

// The turn about the unit axis (x, y, z) by the angle with sine s and cosine c.
inline Turn FloorAxisRotation(double x, double y, double z, double s, double c) {
    const double t = 1 - c;
    return {{{t * x * x + c, t * x * y + s * z, t * x * z - s * y},
             {t * x * y - s * z, t * y * y + c, t * y * z + s * x},
             {t * x * z + s * y, t * y * z - s * x, t * z * z + c}}};
}

// Length, reciprocal, unit axis, rotation by the angle with sine s and cosine c, product.
inline void FloorAxisTurn(double ax, double ay, double az, double s, double c, double* m) {
    const double len = std::sqrt(ax * ax + ay * ay + az * az);
    if (len < 1e-12) return;
    const double k = 1 / len;
    FloorPostMultiply(m, FloorAxisRotation(ax * k, ay * k, az * k, s, c));
}

__attribute__((noinline)) void FloorRotateAxis(double ax, double ay, double az, double angle,
                                               double* m) {
    double s, c;
    Talp_SinCos(angle, &s, &c);
    FloorAxisTurn(ax, ay, az, s, c, m);
}

// Rx, then the turns about the frame's y and z axes (each axis the unit vector through the
// frame, divided by its w unless that is near zero), then m x W. The sines and cosines depend on
// nothing else, so they come first, where no other value has to outlive the calls.
inline void FloorTurnAboutFrameAxis(int axis, double s, double c, double* w) {
    const double e[4] = {axis == 0 ? 1.0 : 0.0, axis == 1 ? 1.0 : 0.0, axis == 2 ? 1.0 : 0.0, 0};
    double v[4];
    for (int j = 0; j < 4; ++j)
        v[j] = e[0] * w[j] + e[1] * w[4 + j] + e[2] * w[8 + j] + e[3] * w[12 + j];
    if (!(-1e-12 < v[3] && v[3] < 1e-12)) {
        const double k = 1 / v[3];
        v[0] *= k, v[1] *= k, v[2] *= k;
    }
    FloorAxisTurn(v[0], v[1], v[2], s, c, w);
}

__attribute__((noinline)) void FloorRotateXYZ(double x, double y, double z, double* m) {
    double w[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    double s[3], c[3];
    Talp_SinCos(x, &s[0], &c[0]);
    Talp_SinCos(y, &s[1], &c[1]);
    Talp_SinCos(z, &s[2], &c[2]);
    FloorPostMultiply(w, FloorAxisRotation(1, 0, 0, s[0], c[0]));
    FloorTurnAboutFrameAxis(1, s[1], c[1], w);
    FloorTurnAboutFrameAxis(2, s[2], c[2], w);
    FloorPostMultiply4(m, w);
}

inline bool FloorNearlyEqual(double a, double b) {
    const double lo0 = a < b ? a : b, hi0 = a < b ? b : a;
    const double lo = hi0 < 0 ? -hi0 : lo0, hi = hi0 < 0 ? -lo0 : hi0;
    const double scaled = hi * 1e-12, floor = 563 * 0x1p-49;
    return a == a && b == b && hi - lo < (floor < scaled ? scaled : floor);
}

// The near-equality test, the dot product, the arc cosine and three sines, the blend.
__attribute__((noinline)) void FloorSlerp(const double* a, const double* b, double t, double* out) {
    if (FloorNearlyEqual(a[0], b[0]) && FloorNearlyEqual(a[1], b[1]) &&
        FloorNearlyEqual(a[2], b[2]) && FloorNearlyEqual(a[3], b[3])) {
        std::memcpy(out, a, 4 * sizeof(double));
        return;
    }
    const double d = a[0] * b[0] + a[1] * b[1] + a[2] * b[2] + a[3] * b[3];
    const double ad = std::fabs(d);
    double s0 = 1 - t, s1 = t;
    if (!(1 - ad <= 1e-5)) {
        const double theta = Talp_Acos(ad);
        const double k = 1 / Talp_Sin(theta);
        s0 = Talp_Sin((1 - t) * theta) * k;
        s1 = Talp_Sin(t * theta) * k;
    }
    s1 = d < 0 ? -s1 : s1;
    for (int i = 0; i < 4; ++i)
        out[i] = s0 * a[i] + s1 * b[i];
}

void BM_Floor_RotateMatrix4XYZ(benchmark::State& state) {
    double m[16];
    Tal_IdentityMatrix4(m);
    for (auto _ : state) {
        FloorRotateXYZ(Opaque(0.3), Opaque(-0.2), Opaque(0.1), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_Floor_RotateMatrix4XYZ);

void BM_Floor_RotateMatrix4(benchmark::State& state) {
    double m[16];
    Tal_IdentityMatrix4(m);
    for (auto _ : state) {
        FloorRotateAxis(1, 2, 3, Opaque(0.3), m);
        benchmark::DoNotOptimize(m);
    }
}
BENCHMARK(BM_Floor_RotateMatrix4);

void BM_Floor_Slerp(benchmark::State& state) {
    CycleSlerps(state, [](const SlerpCase& c) {
        double out[4];
        FloorSlerp(c.a, c.b, c.t, out);
        benchmark::DoNotOptimize(out);
    });
}
BENCHMARK(BM_Floor_Slerp);

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
