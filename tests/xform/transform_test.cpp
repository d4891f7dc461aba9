// Point and rectangle transforms, bulk and member.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>

#include "support/matrix_models.h"
#include "support/reports.h"
#include "tal/matrix.h"
#include "tal/xform.h"

namespace {

using taltest::Bits;
using V2 = Tal_Vector2T<double>;
using V3 = Tal_Vector3T<double>;
using V4 = Tal_Vector4T<double>;
const double kNaN = NAN;

template <typename... D>
std::vector<uint64_t> B(D... d) {
    const double v[] = {double(d)...};
    return Bits(v, sizeof...(d));
}

void Throw(Tal_Err err) {
    if (err) throw long(err);
}

// Runs call; expects the code thrown, the report of a failure at site (0: none), the bytes of p.
template <typename F, typename P>
void Expect(F call, int site, const P& p, const std::vector<uint64_t>& want) {
    const char* text = site == 0x26   ? "overflow in point transformation."
                       : site == 0x27 ? "overflow in fixed point transformation."
                                      : "homogeneous point has W=0";
    const long code = !site ? 0 : site < 0x30 ? Tal_Err_OVERFLOW : Tal_Err_ZERO_W;
    const auto outcome = taltest::Thrown(call);
    EXPECT_EQ(
        std::make_tuple(outcome.first, Bits(p), outcome.second),
        std::make_tuple(code, want, std::vector(site != 0, taltest::Msg(0x110000 | site, text))));
}

struct IntegerRow {
    const char* what;
    double tx, ty;
    Tal_Point in;  // v, h
    int site;
    Tal_Point out;
};

// Through the member, which throws the bulk function's code; the point after a failure stays.
TEST(IntegerPoints, ExclusiveBoundsRoundingAndStateAfterOverflow) {
    const IntegerRow rows[] = {
        {"32767 itself is out", 0, 0, {0, 32767}, 0x26, {0, 32767}},
        {"h is stored before v fails", 0, 0, {-32768, 1}, 0x26, {-32768, 1}},
        {"the test comes before rounding", 32766.6, 0, {5, 0}, 0, {5, 32767}},
        {"and at the bottom", -32767.6, 0, {0, 0}, 0, {0, -32768}},
        {"halves go up", -2.5, 2.5, {0, 0}, 0, {3, -2}},
        {"NaN passes the test and stores 0", kNaN, 0, {3, 4}, 0, {3, 0}}};
    for (const IntegerRow& r : rows) {
        SCOPED_TRACE(r.what);
        const Tal_Matrix3 a = {{{1, 0, 0}, {0, 1, 0}, {r.tx, r.ty, 1}}};
        Tal_Point p[2] = {r.in, {7, 7}};
        const Tal_Point after[2] = {r.out, {7, 7}};
        Expect([&] { a.TransformPoints(r.site ? 2 : 1, p); }, r.site, p, Bits(after));
    }
    const Tal_Matrix3 id = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};
    Tal_FixedPoint f = {INT32_MIN + 1, INT32_MIN}, before = f;  // the same bounds in 16.16
    Expect([&] { id.TransformPoints(1, &f); }, 0x27, f, Bits(before));
    Tal_Point none = {1, 2};  // counts below 1 do nothing and succeed
    const Tal_Err codes = Tal_TransformPoints(*id.m, 0, &none) |
                          Tal_TransformFixPoints(*id.m, -1, &f) |
                          Tal_3DTransform2DPoints(*id.m, 0, &none);
    EXPECT_EQ(std::make_tuple(codes, Bits(none)), std::make_tuple(0, Bits(Tal_Point{1, 2})));
}

// W' = w: inside the open band the members throw, the bulk form keeps w', the fast one divides.
TEST(DividingForms, OpenBandAroundZero) {
    const double inside[] = {std::nextafter(1e-12, 0.), std::nextafter(-1e-12, 0.), 0.};
    for (double w : {inside[0], inside[1], inside[2], 1e-12, -1e-12, kNaN, 3.}) {
        SCOPED_TRACE(w);
        const bool in = w == inside[0] || w == inside[1] || w == inside[2];
        const Tal_Matrix3 a = {{{1, 0, 0}, {0, 1, 0}, {0, 0, w}}};
        const Tal_Matrix4 b = {{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, w}}};
        const double k = in ? 1 : 1 / w, r = 1 / w;  // the 4x4 forms multiply by 1/w'
        V3 p3 = {1, 2, 1};
        V4 p4 = {1, 2, 3, 1}, f4 = p4, g4 = p4;
        Expect([&] { a.TransformPointAndDivide(&p3); }, in ? 0x39 : 0, p3, B(k, 2 * k, 1));
        Expect([&] { b.TransformPointAndDivide(&p4); }, in ? 0x3B : 0, p4, B(k, 2 * k, 3 * k, 1));
        Expect([&] { b.TransformPointAndDivideFast(&f4); }, 0, f4, B(r, 2 * r, 3 * r, 1));
        Expect([&] { Throw(Tal_TransformVector4(*b.m, 1, &g4)); }, 0, g4,
               B(k, 2 * k, 3 * k, in ? w : 1));
    }
}

// w' = 0.5, z taken as 0 (the z row is huge); two points, one left alone, then it alone.
TEST(ThreeDToShort, DividesLimitsThenTruncatesSilently) {
    const std::pair<double, int16_t> rows[] = {
        {2e4, 32766},      {-2e4, -32767},       {1.35, 2}, {-1.35, -2}, {16382.995, 32765},
        {16383.75, 32766}, {-16383.495, -32766}, {kNaN, 0}};
    for (const auto& [tx, h] : rows) {
        const double m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 1e300, 1e300, 1, 0, tx, 0, 0, 0.5};
        Tal_Point p[3] = {{-9, 0}, {-9, 0}, {-9, 0}};
        const Tal_Point two[3] = {{-18, h}, {-18, h}, {-9, 0}},
                        all[3] = {{-18, h}, {-18, h}, {-18, h}};
        Expect([&] { Throw(Tal_3DTransform2DPoints(m, 2, p)); }, 0, p, Bits(two));
        Expect([&] { Throw(Tal_3DTransform2DPoints(m, 1, p + 2)); }, 0, p, Bits(all));
    }
}

// A plain loop reading the matrix afresh for every point, wherever the two lie in buf.
void PlainLoop(double* buf, int matrixAt, int pointsAt, int count) {
    for (int i = 0; i < count; ++i) {
        const double* m = buf + matrixAt;
        double* p = buf + pointsAt + 2 * i;
        const double x = p[0] * m[0] + p[1] * m[3] + m[6], y = p[0] * m[1] + p[1] * m[4] + m[7];
        p[0] = x;
        p[1] = y;
    }
}

// Points over the matrix's start, into it, from its middle on, inside it, just clear of either end.
TEST(DoubleArrays, PointsOverlappingTheMatrixReadItAfresh) {
    const int rows[][3] = {{0, 0, 4}, {4, 0, 4}, {0, 3, 4},
                           {0, 4, 2}, {0, 9, 3}, {6, 0, 3}};  // matrix, points, count
    for (const auto& r : rows) {
        double buf[20], want[20];
        for (int i = 0; i < 20; ++i)
            buf[i] = want[i] = (i * 7 % 11) * 0.5 - 2;
        PlainLoop(want, r[0], r[1], r[2]);
        EXPECT_EQ(Tal_TransformFloatPoints(buf + r[0], r[2], reinterpret_cast<V2*>(buf + r[1])), 0);
        EXPECT_EQ(Bits(buf, 20), Bits(want, 20)) << "matrix at " << r[0] << ", points at " << r[1];
    }
}

// x' = x + y overflows at the third corner: r, flag, mapped corners stay; -0.0 is kept over +0.0.
TEST(Rects, FixedOverflowStateAndSignedZeroExtremes) {
    const Tal_Matrix3 sum = {{{1, 0, 0}, {1, 1, 0}, {0, 0, 1}}};
    const int32_t k = 0x40000000, l = INT32_MIN + 1;
    Tal_FixedRect r = {l, 0, k - 1, k};
    Tal_FixedPoint corners[4] = {}, want[4] = {{l, 0}, {k - 1, 0}, {k - 1, k}, {l, k}};
    unsigned char inexact = 5;
    Expect([&] { sum.TransformRect(&r, corners, &inexact); }, 0x27, r,
           Bits(Tal_FixedRect{l, 0, k - 1, k}));
    EXPECT_EQ(std::make_tuple(Bits(corners), inexact), std::make_tuple(Bits(want), 5));
    const double m[9] = {1, 0, 0, -0.0, -1, 0, -0.0, -0.0, 1};  // corners -0.0, then +0.0 only
    Tal_FloatRect f = {-0.0, 0.0, 0.0, -0.0};
    EXPECT_EQ(Tal_TransformFloatRect(m, &f, nullptr, nullptr), 0);
    EXPECT_EQ(Bits(f), B(-0.0, -0.0, -0.0, -0.0));
}

// call on raw gives raw x mat for the first n; divide 1: by w' outside the band, 2: by w'.
template <typename P, size_t N, typename F>
void ExpectModel(const double (&mat)[N][N], int divide, const double* raw, long n, const char* what,
                 F call) {
    P got[9], want[9];
    std::memcpy(got, raw, sizeof got);
    std::memcpy(want, raw, sizeof want);
    call(got, got + 1);
    for (long i = 0; i < std::min(n, 9L); ++i) {
        double in[4] = {1, 1, 1, 1}, c[4];
        std::memcpy(in, &want[i], sizeof(P));
        for (size_t j = 0; j < N; ++j)
            c[j] = taltest::RowTimesColumn(in, *mat, N, j);
        const double w = c[N - 1], r = 1 / w;
        const bool divides = divide == 2 || (divide == 1 && !(w > -1e-12 && w < 1e-12));
        for (size_t j = 0; j < N && divides; ++j)
            c[j] = j == N - 1 ? 1 : divide == 1 ? c[j] * r : c[j] / w;
        std::memcpy(&want[i], c, sizeof(P));
    }
    ASSERT_EQ(Bits(got), Bits(want)) << what << " on " << n << " points";
}
#define FORM(mat, divide, P, n, call) \
    ExpectModel<P>(mat.m, divide, raw, n, #call, [&](P* p, [[maybe_unused]] P* q) { call; })

// A point member on p[0], the array one on the rest (counts -2 to 8); rects against model corners.
TEST(AllForms, MatchTheLeftToRightModelOnSeededInput) {
    std::mt19937_64 gen(2024);  // its output is fixed, unlike the distributions'
    auto U = [&](double lo, double hi) { return lo + (hi - lo) * double(gen() >> 11) * 0x1p-53; };
    for (int round = 0; round < 4000 && !HasFailure(); ++round) {
        Tal_Matrix3 a;
        Tal_Matrix4 b;
        double *m = *a.m, raw[36];
        std::generate_n(m, 9, [&] { return U(-3, 3); });
        std::generate_n(*b.m, 16, [&] { return U(-4, 4); });
        std::generate_n(raw, 36, [&] { return U(-9, 9); });
        m[6] = U(-2e4, 2e4);
        m[7] = U(-2e4, 2e4);
        if (round % 2) {  // affine
            m[2] = m[5] = 0;
            m[8] = 1;
        }
        if (round % 3 == 0) m[1] = m[3] = 0;
        if (round % 4 == 1) std::transform(m, m + 9, m, [](double v) { return std::floor(v) / 2; });
        SCOPED_TRACE(round);
        const long n = long(std::floor(U(-1, 10))), n1 = std::max(n, 1L), k = n - 1;
        FORM(a, 0, V2, n1, a.TransformPoint(p); a.TransformPoints(k, q));
        FORM(a, 0, V3, n1, a.TransformPoint(p); a.TransformPoints(k, q));
        FORM(a, 2, V2, n1, a.TransformPointAndDivide(p); a.TransformPointsAndDivide(k, q));
        FORM(a, 2, V3, n1, a.TransformPointAndDivide(p); a.TransformPointsAndDivide(k, q));
        FORM(a, 2, V3, n1, a.TransformPointAndDivideFast(p); a.TransformPointsAndDivideFast(k, q));
        FORM(b, 0, V3, n1, b.TransformPoint(p); b.TransformPoints(k, q));
        FORM(b, 0, V4, n1, b.TransformPoint(p); b.TransformPoints(k, q));
        FORM(b, 1, V3, n1, b.TransformPointAndDivide(p); b.TransformPointsAndDivide(k, q));
        FORM(b, 1, V4, n1, b.TransformPointAndDivide(p); b.TransformPointsAndDivide(k, q));
        FORM(b, 1, V4, n1, b.TransformPointAndDivideFast(p); b.TransformPointsAndDivideFast(k, q));
        FORM(a, 0, V2, n, Throw(Tal_TransformFloatPoints(m, n, p)));
        FORM(b, 1, V4, n, Throw(Tal_TransformVector4(*b.m, n, p)));
        FORM(b, 1, V3, n, Throw(Tal_Transform3DFloatPoints(*b.m, n, p)));
        FORM(a, 0, V3, n, Throw(Tal_TransformVector3(m, n, p)));
        FORM(b, 0, V4, n, Throw(Tal_TransformVector4NoDivide(*b.m, n, p)));
        const int32_t l = int32_t(U(-9e3, 9e3)), t = int32_t(U(-9e3, 9e3));
        const int32_t rt = l + int32_t(round % 7 ? U(0, 9e3) : 0), bm = t + int32_t(U(-2e3, 9e3));
        double c[4][4];  // x, y, 16.16 x, 16.16 y of (l, t), (r, t), (r, b), (l, b)
        for (int i = 0; i < 16; ++i) {
            const double in[3] = {double(i % 4 % 3 ? rt : l), double(i % 4 < 2 ? t : bm), 1};
            const double in4[3] = {4 * in[0], 4 * in[1], 65536};
            c[i / 4][i % 4] = i < 8
                                  ? taltest::RowTimesColumn(in, m, 3, i / 4)
                                  : std::floor(taltest::RowTimesColumn(in4, m, 3, i / 4 - 2) + 0.5);
        }
        auto lo = [&](int j) { return *std::min_element(c[j], c[j] + 4); };
        auto hi = [&](int j) { return *std::max_element(c[j], c[j] + 4); };
        auto sh = [](double v) { return std::floor(std::min(std::max(v, -32767.), 32766.) + 0.5); };
        auto e = [&](double v) { return rt <= l || bm <= t ? 0 : int(v); };  // empty gives zeros
        Tal_Rect s = {int16_t(t), int16_t(l), int16_t(bm), int16_t(rt)}, s2 = s, s3 = s;
        Tal_FloatRect f = {double(l), double(t), double(rt), double(bm)};
        Tal_FixedRect x = {4 * l, 4 * t, 4 * rt, 4 * bm};
        V2 cs[4], cf[4];
        Tal_FixedPoint cx[4];
        unsigned char flags[4] = {9, 9, 9, 9};
        Throw(Tal_TransformRect(m, &s, cs, flags));
        Throw(Tal_TransformFloatRect(m, &f, cf, flags + 1));
        Throw(Tal_TransformRect(m, &s3, nullptr, nullptr));
        a.TransformRect(&x, cx, flags + 2);
        a.TransformRect(&s2, nullptr, flags + 3);
        const Tal_LRect lr = Tal_TransformBounds(a, {l, t, rt, bm});
        EXPECT_EQ(B(s.left, s.top, s.right, s.bottom),
                  B(sh(lo(0)), sh(lo(1)), sh(hi(0)), sh(hi(1))));
        EXPECT_EQ(Bits(f), B(lo(0), lo(1), hi(0), hi(1)));
        EXPECT_EQ(B(x.left, x.top, x.right, x.bottom), B(lo(2), lo(3), hi(2), hi(3)));
        EXPECT_EQ(B(lr.left, lr.top, lr.right, lr.bottom),
                  B(e(std::floor(lo(0))), e(std::floor(lo(1))), e(std::ceil(hi(0))),
                    e(std::ceil(hi(1)))));
        std::vector<double> corners, fixed, fixedWant;  // unlimited and unrounded; 16.16
        for (int i = 0; i < 4; ++i) {
            corners.insert(corners.end(), {c[0][i], c[1][i]});
            fixed.insert(fixed.end(), {double(cx[i].x), double(cx[i].y)});
            fixedWant.insert(fixedWant.end(), {c[2][i], c[3][i]});
        }
        EXPECT_EQ(std::make_tuple(Bits(cs), Bits(cf), fixed),
                  std::make_tuple(Bits(corners), Bits(corners), fixedWant))
            << "corners of the short, float and fixed rects";
        const int inexact = m[1] || m[3] || m[2] || m[5] || m[8] != 1;
        EXPECT_EQ(std::vector<int>(flags, flags + 4), std::vector<int>(4, inexact));
        EXPECT_EQ(std::make_tuple(Bits(s2), Bits(s3)), std::make_tuple(Bits(s), Bits(s)))
            << "without corners";
    }
}

}  // namespace
