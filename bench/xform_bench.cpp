// Bulk point transforms at 4, 64 and 4096 points, in place; items are points, so the rate reads
// directly as points per second. Eigen, where present, runs the same affine and projective maps.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "tal/matrix.h"
#include "tal/xform.h"

#if TAL_BENCH_HAVE_EIGEN
#include <Eigen/Dense>
#include <Eigen/Geometry>
#endif

namespace {

// Rotations keep repeated in-place runs bounded; the w column (0, 0, 0, 1) still takes the whole
// test-and-divide path, so the work per point is that of any projective matrix.
const double kC = std::cos(0.5), kS = std::sin(0.5);
const double kAffine[9] = {kC, kS, 0, -kS, kC, 0, 0, 0, 1};
const double kQuarterTurn[9] = {0, 1, 0, -1, 0, 0, 0, 0, 1};
const double kProjective[16] = {kC, kS, 0, 0, -kS, kC, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

template <typename P>
std::vector<P> Points(long n) {
    std::vector<P> v(size_t(n), P{});
    for (long i = 0; i < n; ++i) {
        double* d = reinterpret_cast<double*>(&v[size_t(i)]);
        for (size_t k = 0; k < sizeof(P) / sizeof(double); ++k)
            d[k] = 1.0 + 0.25 * double(i % 7 + k);
    }
    return v;
}

void Finish(benchmark::State& state) {
    state.SetItemsProcessed(int64_t(state.iterations()) * state.range(0));
}

void BM_TransformFloatPoints(benchmark::State& state) {
    auto p = Points<Tal_Vector2T<double>>(state.range(0));
    for (auto _ : state) {
        Tal_TransformFloatPoints(kAffine, state.range(0), p.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void BM_Matrix3TransformPoints(benchmark::State& state) {
    Tal_Matrix3 m;
    std::memcpy(m.m, kAffine, sizeof m.m);
    auto p = Points<Tal_Vector2T<double>>(state.range(0));
    for (auto _ : state) {
        m.TransformPoints(state.range(0), p.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void BM_TransformVector4(benchmark::State& state) {
    auto p = Points<Tal_Vector4T<double>>(state.range(0));
    for (auto& v : p)
        v.w = 1;
    for (auto _ : state) {
        Tal_TransformVector4(kProjective, state.range(0), p.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void BM_Transform3DFloatPoints(benchmark::State& state) {
    auto p = Points<Tal_Vector3T<double>>(state.range(0));
    for (auto _ : state) {
        Tal_Transform3DFloatPoints(kProjective, state.range(0), p.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void BM_TransformPoints16(benchmark::State& state) {
    std::vector<Tal_Point> p(size_t(state.range(0)));
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = {int16_t(i % 1000), int16_t(-int(i % 777))};
    for (auto _ : state) {
        Tal_TransformPoints(kQuarterTurn, state.range(0), p.data());
        benchmark::ClobberMemory();
    }
    Finish(state);
}

BENCHMARK(BM_TransformFloatPoints)->Arg(4)->Arg(64)->Arg(4096);
BENCHMARK(BM_Matrix3TransformPoints)->Arg(4)->Arg(64)->Arg(4096);
BENCHMARK(BM_TransformVector4)->Arg(4)->Arg(64)->Arg(4096);
BENCHMARK(BM_Transform3DFloatPoints)->Arg(4)->Arg(64)->Arg(4096);
BENCHMARK(BM_TransformPoints16)->Arg(4)->Arg(64)->Arg(4096);

#if TAL_BENCH_HAVE_EIGEN
// Points as columns (x, y interleaved in memory, like the library's arrays); results go to a
// second preallocated matrix, since an in-place product would allocate a temporary.
void BM_EigenAffine2D(benchmark::State& state) {
    Eigen::Affine2d t(Eigen::Rotation2Dd(0.5));
    Eigen::Matrix2Xd p = Eigen::Matrix2Xd::Ones(2, state.range(0));
    Eigen::Matrix2Xd q(2, state.range(0));
    for (auto _ : state) {
        q.noalias() = t * p;
        p.swap(q);
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void BM_EigenProjective4(benchmark::State& state) {
    Eigen::Matrix4d m = Eigen::Map<const Eigen::Matrix<double, 4, 4, Eigen::RowMajor>>(kProjective)
                            .transpose();  // column vectors: q = M^T p
    Eigen::Matrix4Xd p = Eigen::Matrix4Xd::Ones(4, state.range(0));
    Eigen::Matrix4Xd q(4, state.range(0));
    for (auto _ : state) {
        q.noalias() = m * p;
        p.topRows<3>() = q.topRows<3>().array().rowwise() / q.row(3).array();
        p.row(3).setOnes();
        benchmark::ClobberMemory();
    }
    Finish(state);
}

void BM_EigenProjective3D(benchmark::State& state) {
    Eigen::Matrix4d m =
        Eigen::Map<const Eigen::Matrix<double, 4, 4, Eigen::RowMajor>>(kProjective).transpose();
    Eigen::Matrix3Xd p = Eigen::Matrix3Xd::Ones(3, state.range(0));
    Eigen::Matrix3Xd q(3, state.range(0));
    for (auto _ : state) {
        q.noalias() = (m * p.colwise().homogeneous()).colwise().hnormalized();
        p.swap(q);
        benchmark::ClobberMemory();
    }
    Finish(state);
}

BENCHMARK(BM_EigenAffine2D)->Arg(4)->Arg(64)->Arg(4096);
BENCHMARK(BM_EigenProjective4)->Arg(4)->Arg(64)->Arg(4096);
BENCHMARK(BM_EigenProjective3D)->Arg(4)->Arg(64)->Arg(4096);
#endif

}  // namespace
