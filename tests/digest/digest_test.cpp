// Every family swept with seeded edge and random inputs; every output bit, flag and report of each
// call folded into one 64-bit digest per family, stored once and the same on every target. Beside
// each digest is its trail, six bits of the running digest per call: a departure names the first
// call off the trail, described by running the family again. TAL_DIGEST_WRITE=<file> rewrites the
// stored table from this target's results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tal/base_testing.h"
#include "tal/fixed.h"
#include "tal/geometry.h"
#include "tal/integer.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/ratio.h"
#include "tal/rect.h"
#include "tal/xform.h"

namespace {

// A value of a call: a scalar, or count elements of a record read once the whole call has run.
struct Item {
    uint64_t bits = 0;
    bool real = false;
    const void* at = nullptr;
    size_t count = 1, size = 8;
    Item(double v) : real(true) { std::memcpy(&bits, &v, 8); }
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    Item(I v) : bits(uint64_t(int64_t(v))) {}
    template <typename E>
    Item(const E* p, size_t n) : Item(p, n, sizeof(E), std::is_floating_point_v<E>) {}
    Item(const void* p, size_t n, size_t bytes, bool isReal)
        : real(isReal), at(p), count(n), size(bytes) {}
    uint64_t Bits(size_t k) const {  // integers sign-extended from their size
        if (!at) return bits;
        uint64_t b = 0;
        std::memcpy(&b, static_cast<const char*>(at) + k * size, size);
        return real ? b : uint64_t(int64_t(b << (64 - 8 * size)) >> (64 - 8 * size));
    }
};
using Items = std::vector<Item>;
// Records read whole as doubles, 32-bit or 16-bit integers.
const auto D = [](const auto& r) { return Item(&r, sizeof r / 8, 8, true); };
const auto L = [](const auto& r) { return Item(&r, sizeof r / 4, 4, false); };
const auto S = [](const auto& r) { return Item(&r, sizeof r / 2, 2, false); };

const char kTrailDigits[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-_";

// The digest of one family's calls with its trail; describes call number `traced` when it runs.
class Sweep {
public:
    explicit Sweep(long traced) : traced_(traced) {}
    void Call(const char* name, const Items& in, const Items& out) {
        std::string text = std::string(name) + "(";
        Fold(in, text);
        text += ") -> ";
        Fold(out, text);
        int32_t code, severity, number;
        char message[Basp_BufferSize];
        while (Bas_TakeRecordedReport(&code, &severity, &number, message, sizeof message)) {
            Fold({code, severity, number}, text);
            for (const char* c = message; *c; ++c)
                Mix(uint8_t(*c));
            text += std::string("\"") + message + "\" ";
        }
        if (long(trail.size()) == traced_) described = text;
        trail += kTrailDigits[digest >> 58];
    }
    uint64_t digest = 0xcbf29ce484222325u;
    std::string trail, described;

private:
    // NaNs fold as one canonical NaN: processors differ in the sign and payload they give them.
    void Fold(const Items& items, std::string& text) {
        for (const Item& item : items)
            for (size_t k = 0; k < item.count; ++k) {
                uint64_t bits = item.Bits(k);
                double d;
                std::memcpy(&d, &bits, 8);
                if (item.real && std::isnan(d)) bits = 0x7ff8000000000000u;
                Mix(bits);
                char buffer[32];
                if (item.real)
                    std::snprintf(buffer, sizeof buffer, "%.17g ", d);
                else
                    std::snprintf(buffer, sizeof buffer, "%lld ", static_cast<long long>(bits));
                text += buffer;
            }
    }
    void Mix(uint64_t v) {
        digest = (digest ^ v) * 0x100000001b3u;
        digest ^= digest >> 29;
    }
    long traced_;
};

// The same inputs on every target: splitmix64, and doubles from its top 53 bits.
class Inputs {
public:
    explicit Inputs(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    /// 32 bits shifted right by 0 to 31, so that small magnitudes are as common as large ones.
    int32_t Sized() { return int32_t(uint32_t(Next())) >> (Next() % 32); }
    double Real(double lo, double hi) { return lo + (hi - lo) * (double(Next() >> 11) * 0x1p-53); }
    /// Each element, of type E, of the records drawn from [lo, hi) and converted.
    template <typename E, typename... R>
    void Fill(double lo, double hi, R&... records) {
        const auto fill = [&](char* r, size_t bytes) {
            for (size_t k = 0; k < bytes / sizeof(E); ++k) {
                const E e = E(Real(lo, hi));
                std::memcpy(r + k * sizeof e, &e, sizeof e);
            }
        };
        (fill(reinterpret_cast<char*>(&records), sizeof records), ...);
    }
    /// Identity, zero, singular, perspective and nearly singular, then entries in [-4, 4].
    std::vector<double> Matrix(int i) {
        std::vector<double> m(kMatrices[std::min(i, 4)], kMatrices[std::min(i, 4)] + 16);
        for (double& e : m)
            e = i < 5 ? e : Real(-4, 4);
        return m;
    }

private:
    static constexpr double kMatrices[5][16] = {
        {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
        {},
        {1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 5, 6, 7, 1},
        {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0.01, 3, 4, 5, 1},
        {1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-2}};
    uint64_t state_;
};

const double kPi = 3.141592653589793;
const double kReals[] = {0.0,  -0.0,   0.5,     -0.5,        0.5 - 0x1p-54, 2.5,
                         -2.5, 1e-300, 5e-324,  1e300,       INFINITY,      -INFINITY,
                         NAN,  kPi,    kPi / 2, 65535.99999, 2147483647.5,  -2147483648.5};
const int32_t kInts[] = {0,         1,         -1,        0x8000,        0xffff, 0x10000, -0x10000,
                         0x1000000, INT32_MAX, INT32_MIN, INT32_MIN + 1, 46341,  -46341};
const Tal_Ratio kRatios[] = {{0, 1},         {-1, 1},         {1, 0},         {INT32_MIN, 1},
                             {3, 4},         {1, UINT32_MAX}, {-7, 1u << 31}, {INT32_MIN, 1u << 31},
                             {0x40000000, 3}};
const Tal_LRect kRects[] = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {5, 5, 4, 9}};

// Edge value k, or past the edges a value drawn from a generator seeded by k.
int32_t Pick(const int32_t (&edges)[13], int k) {
    return k < 13 ? edges[k] : Inputs(uint64_t(k)).Sized();
}
Tal_Ratio Pick(const Tal_Ratio (&edges)[9], int k) {
    Inputs in{uint64_t(k)};
    return k < 9 ? edges[k] : Tal_Ratio{in.Sized(), uint32_t(in.Sized())};
}
// Small rectangles in units of 8, then in units of 0x40000.
Tal_LRect Pick(const Tal_LRect (&edges)[2], int k) {
    Inputs in{uint64_t(k)};
    const int32_t unit = k < 11 ? 8 : 0x40000, x = int32_t(in.Next() % 17) - 8;
    const int32_t y = int32_t(in.Next() % 17) - 8, w = int32_t(in.Next() % 12);
    const Tal_LRect r{x * unit, y * unit, (x + w) * unit, (y + int32_t(in.Next() % 12)) * unit};
    return k < 2 ? edges[k] : r;
}
const double kIdentity4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

struct Family {
    const char* name;
    int rows;
    void (*row)(Sweep&, Inputs&, int);
};
const Family kFamilies[] = {
    {"fixed and integer", 24 * 24,
     [](Sweep& s, Inputs& in, int i) {
         const int32_t a = Pick(kInts, i / 24), b = Pick(kInts, i % 24);
         const uint32_t u = uint32_t(a), v = uint32_t(b);
         const double d = i < 18 ? kReals[i] : std::floor(in.Real(-3e9, 3e9)) + 0.5 * (i % 2);
         int32_t g[2] = {9, 9};
         uint32_t ug[2] = {9, 9};
         const Tal_Err err[] = {Tal_SignedGCD(a, b, &g[0]), Tal_UnsignedGCD(u, v, &ug[0]),
                                Tal_SignedLCM(a, b, &g[1]), Tal_UnsignedLCM(u, v, &ug[1])};
         const int64_t bits[] = {Tal_LeadingZeros(u), Tal_TrailingZeros(u),
                                 Tal_RoundUpToPowerOf2(u), Tal_RoundDownToPowerOf2(u),
                                 Tal_BitsUsed(a)};
         const int64_t fixed[] = {Tal_FixMul(a, b), Tal_FixDiv(a, b), Tal_Fix24Mul(a, b),
                                  Tal_Fix24Ratio(a, b), Tal_RoundToNearestMult(a, b)};
         const bool overflows[] = {Tal_AddWouldOverflow(a, b), Tal_MulWouldOverflow(a, b),
                                   Tal_UMulWouldOverflow(u, v)};
         s.Call("bit counts, fixed, overflow, gcd, lcm, multiple, rounding", {a, b, d},
                {Item(bits, 5), Item(fixed, 5), Item(overflows, 3), Item(err, 4), L(g), L(ug),
                 Tal_RoundDouble(d), Tal_RoundDoubleSafe(d)});
     }},
    {"ratio", 18 * 18,
     [](Sweep& s, Inputs& in, int i) {
         const Tal_Ratio a = Pick(kRatios, i / 18), b = Pick(kRatios, i % 18);
         const decltype(&Tal_AddRatio) ops[] = {Tal_AddRatio, Tal_SubRatio, Tal_MulRatio,
                                                Tal_DivRatio};
         const double d = in.Real(-4, 4) * std::ldexp(1.0, int(in.Next() % 72) - 40);
         Tal_Err err[8];
         Tal_Ratio out[12] = {};
         uint8_t f[9] = {2, 2, 2, 2, 9, 9, 9, 9, 9};  // the first four allow an approximation
         for (int k = 0; k < 8; ++k)
             err[k] = ops[k / 2](&a, &b, &out[k], k % 2 ? nullptr : &f[k / 2]);
         int32_t order = 9;
         s.Call("Add Sub Mul Div (approximated, null status) Compare Reduce Recip Conv FpLong2",
                {L(a), L(b), d},
                {Item(err, 8), Tal_CompareRatio(&a, &b, &order), order,
                 Tal_ReduceRatio(&a, &out[8], &f[4]), Tal_RecipRatio(&a, &out[9], &f[5]),
                 Tal_ConvRatio(&a, 1000, &out[10], &f[6], &f[7]),
                 Tal_FpLong2Ratio(d, &out[11], &f[8]), L(out), Item(f, 9)});
     }},
    {"rect", 16 * 16,
     [](Sweep& s, Inputs&, int i) {
         const Tal_LRect a = Pick(kRects, i / 16), b = Pick(kRects, i % 16);
         const Tal_FixedRect f{a.left, a.top, a.right, a.bottom};  // the values read as 16.16
         Tal_Rect r[3] = {};
         Tal_LRect l[7] = {{}, {}, {}, a, {}, {}, b};
         Tal_FixedRect back{};
         bool compared[6];
         for (int16_t k = 0; k < 6; ++k)
             compared[k] = Tal_LRectCompare(k, &a, &b);
         s.Call("FixedRect2(L)Rect(In/Out) LRect2FixedRect Inset Sect Union Center Compare(0..5)",
                {L(a), L(b)},
                {Tal_FixedRect2Rect(&f, &r[0]), Tal_FixedRect2RectIn(&f, &r[1]),
                 Tal_FixedRect2RectOut(&f, &r[2]), S(r), Tal_FixedRect2LRect(&f, &l[0]),
                 Tal_FixedRect2LRectIn(&f, &l[1]), Tal_FixedRect2LRectOut(&f, &l[2]),
                 Tal_InsetLRect(&l[3], 3, -0x40000000), Tal_LRect2FixedRect(&a, &back), L(back),
                 Tal_SectLRect(&a, &b, &l[4]), Tal_UnionLRect(&a, &b, &l[5]),
                 Tal_CenterLRect(&a, &l[6]), L(l), Item(compared, 6)});
     }},
    {"construct", 60,
     [](Sweep& s, Inputs& in, int i) {
         double p[8], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, m4[9][16];
         for (int k = 0; k < 8; ++k)
             p[k] = i < 8 ? (i + k - 4) * 45.0 : in.Real(-400, 400);
         const Tal_Quat q = {p[0] / 400, p[1] / 400, p[2] / 400, p[3] / 400};
         const Tal_Vector4T<double> a{p[0], p[1], 0, 0}, b{p[2], p[3], p[4], 0},
             c{1, p[5], p[6], 1};
         const double x = p[0] / 57, y = p[1] / 57, z = p[2] / 57;
         for (int k = 4; k < 9; ++k)
             std::memcpy(m4[k], kIdentity4, sizeof kIdentity4);
         Tal_Quat back{};
         long type = 9;
         s.Call("3x3 and 4x4 construction, quaternions", {D(p)},
                {Tal_TranslateMatrix(m3, p[0], p[1]), Tal_RotateMatrix(m3, p[2], p[3], p[4]),
                 Tal_ScaleMatrix(m3, p[5] / 100, p[6] / 100, p[7], p[0]), D(m3),
                 Tal_GetMatrixType(m3, &type), type, Tal_Matrix3ToMatrix4(m3, m4[0]),
                 Tal_Matrix3ToMatrix4Uniform(m3, m4[1]), Tal_QuatToMatrix4(&q, m4[2]),
                 Tal_Matrix4ToQuat(m4[2], &back), D(back), Tal_SetMatrix4CoB(&a, &b, &c, m4[3]),
                 Tal_TranslateMatrix4(p[1], p[2], p[3], m4[4]),
                 Tal_ScaleMatrix4(p[4], p[5], p[6], m4[5]),
                 Tal_RotateMatrix4(p[1], p[2], p[3] * (i % 3), x, m4[6]),
                 Tal_RotateMatrix4XYZ(x, y, z, m4[7]),
                 Tal_RotateMatrix4XYZPlus(x, y, z, i % 2, m4[8]), D(m4)});
     }},
    {"algebra", 45,
     [](Sweep& s, Inputs& in, int i) {
         const std::vector<double> mv = in.Matrix(i), nv = in.Matrix(i + 1);
         const double *m = mv.data(), *n = nv.data();
         double out[4][16], det = 9, m3[9], n3[9];
         uint8_t failed[5] = {9, 9, 9, 9, 9};
         Tal_Matrix4Decomp d{};
         std::memcpy(m3, m, sizeof m3);
         std::memcpy(n3, n, sizeof n3);
         s.Call("products, inverses, determinant, normal, decomposition",
                {Item(m, 16), Item(n, 16)},
                {Tal_ConcatMatrix4(m, n, out[0]), Tal_InverseMatrix4Quiet(m, out[1], &failed[0]),
                 Tal_InverseMatrix4(m, out[1]), Tal_GetMatrix4Determinant(m, &det), det,
                 Tal_TransposeMatrix4(m, out[2]), Tal_CalcNormalMatrix4Quiet(m, out[3], &failed[1]),
                 D(out), Tal_DecomposeMatrix4(m, &d, &failed[2]), Tal_Correct3DDecompFor2D(&d),
                 D(d), Tal_InverseMatrixQuiet(m3, m3, &failed[3]), Tal_ConcatMatrix(m3, n3), D(m3),
                 D(n3), Tal_EqualMatrix(m3, n3, &failed[4]), Item(failed, 5)});
     }},
    // The elementary functions through the calls that use them: sine and cosine in the rotations,
    // the arctangents in the angle of a vector and the Euler angles, the arcsine and arccosine in
    // the Euler angles and the spherical interpolation. Multiples of pi/4, huge and random angles.
    {"rotation", 160,
     [](Sweep& s, Inputs& in, int i) {
         const double angle = i < 40   ? (i - 20) * 0.78539816339744828
                              : i < 48 ? std::ldexp(i % 2 ? -1.0 : 1.0, 10 * (i - 40))
                                       : in.Real(-7, 7) * (i < 100 ? 1 : 1e5);
         double z[16], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, e[6] = {9, 9, 9, 9, 9, 9};
         std::memcpy(z, kIdentity4, sizeof z);
         const double ax = in.Real(-1, 1), ay = in.Real(-1, 1), t = in.Real(-0.5, 1.5);
         const Tal_Quat q0 = {ax, ay, 0.5, in.Real(-1, 1)}, q1 = {ay, -0.5, ax, 0.25};
         Tal_Quat out{};
         s.Call(
             "rotations, angles, Euler angles, slerp", {angle, ax, ay, D(q0), t},
             {Tal_RotateMatrix4(0, 0, 1, angle, z), D(z),
              Tal_RotateMatrix(m3, angle * 57.29577951308232, 1, 2), D(m3),
              Tal_VecToAngle({angle, ay}), Tal_GetOrderedXYZRotationFromMatrix(z, e, e + 1, e + 2),
              Tal_ConvertAxisAngleToOrderedXYZRotation(ax, ay, i % 3, angle, e + 3, e + 4, e + 5),
              D(e), Tal_Slerp(&q0, &q1, t, &out), D(out)});
     }},
    {"geometry", 65,
     [](Sweep& s, Inputs& in, int i) {
         const std::vector<double> m = in.Matrix(i);
         double v[24], plane[2][4], hit[2][3], clipped[3], dist = 9;
         in.Fill<double>(-2, 2, v);
         const double quad[4][3] = {{v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {v[6], v[7], 1}};
         uint8_t f[7] = {9, 9, 9, 9, 9, 9, 9};
         const Tal_Vector2T<double> p{v[8], v[9]}, l0{v[10], v[11]}, l1{v[12], v[13]};
         Tal_Vector2T<double> c[2] = {{v[14] * 2, v[15] * 2}, {v[16] * 2, v[17] * 2}};
         const Tal_FloatRect rect{-1, -1, 1, 1};
         s.Call("planes, ray, edge-on, line distance, clipping", {D(v), Item(m.data(), 16)},
                {Tal_GetPlaneEquation(quad, 4, plane[0]), Tal_GetPlaneEquation2(v, v + 3, plane[1]),
                 D(plane), Tal_RayIntersectPlane(plane[0], v[20] > 0, v + 8, hit[0], &f[0], &f[1]),
                 Tal_RayIntersectPlane(plane[1], 1, v + 16, hit[1], nullptr, nullptr), D(hit),
                 Tal_IsQuadEdgeOn(m.data(), quad, v[21], v[22] > 0, &f[2]),
                 Tal_PerpDistTo2DLine(&p, &l0, &l1, &f[3], &dist), dist,
                 Tal_Clip3DLine(v, v + 3, &f[4], &f[5], clipped), D(clipped),
                 Tal_ClipLine2Rect(&rect, &c[0], &c[1], &f[6]), D(c), Item(f, 7)});
     }},
    {"xform", 65,
     [](Sweep& s, Inputs& in, int i) {
         const std::vector<double> m = in.Matrix(i);
         const double* m4 = m.data();
         Tal_Matrix3 m3;
         for (int k = 0; k < 9; ++k)
             m3.m[k / 3][k % 3] = m[k] * (k == 6 || k == 7 ? 400 : 1);
         struct {
             Tal_Point pts[2][2];
             Tal_FixedPoint fix[2];
             Tal_Vector2T<double> flat[2];
             Tal_Vector3T<double> vec3[2][2];
             Tal_Vector4T<double> vec4[2][2];
             Tal_Rect r;
             Tal_FloatRect fr;
             Tal_FixedRect xr;
             Tal_LRect lr;
         } a;  // [1]: a copy of [0] for the second form
         in.Fill<int16_t>(-3000, 3000, a.pts[0], a.r);
         in.Fill<int32_t>(-3e7, 3e7, a.fix, a.xr, a.lr);
         in.Fill<double>(-3000, 3000, a.flat, a.vec3[0], a.vec4[0], a.fr);
         std::memcpy(a.pts[1], a.pts[0], sizeof a.pts[0]);
         std::memcpy(a.vec3[1], a.vec3[0], sizeof a.vec3[0]);
         std::memcpy(a.vec4[1], a.vec4[0], sizeof a.vec4[0]);
         const auto in0 = a;
         Tal_Vector2T<double> corners[4];
         uint8_t inexact[3] = {9, 9, 9};
         const Tal_Err err[] = {Tal_TransformPoints(*m3.m, 2, a.pts[0]),
                                Tal_3DTransform2DPoints(m4, 2, a.pts[1]),
                                Tal_TransformFixPoints(*m3.m, 2, a.fix),
                                Tal_TransformFloatPoints(*m3.m, 2, a.flat),
                                Tal_TransformVector3(*m3.m, 2, a.vec3[0]),
                                Tal_Transform3DFloatPoints(m4, 2, a.vec3[1]),
                                Tal_TransformVector4(m4, 2, a.vec4[0]),
                                Tal_TransformVector4NoDivide(m4, 2, a.vec4[1]),
                                Tal_TransformRect(*m3.m, &a.r, corners, &inexact[0]),
                                Tal_TransformFloatRect(*m3.m, &a.fr, nullptr, &inexact[1]),
                                Tal_TransformFixRect(*m3.m, &a.xr, nullptr, &inexact[2])};
         s.Call(
             "point, vector and rect transforms",
             {Item(m4, 16), S(in0.pts[0]), L(in0.fix), D(in0.flat), D(in0.vec3[0]), D(in0.vec4[0]),
              S(in0.r), D(in0.fr), L(in0.xr), L(in0.lr)},
             {Item(err, 11), S(a.pts), L(a.fix), D(a.flat), D(a.vec3), D(a.vec4), S(a.r),
              D(corners), D(a.fr), L(a.xr), Item(inexact, 3), L(Tal_TransformBounds(m3, in0.lr))});
     }},
    {"poly", 80, [](Sweep& s, Inputs& in, int) {
         const long n = 1 + long(in.Next() % 12);
         std::vector<Tal_Vector2T<double>> v(n);
         std::vector<Tal_Vector2T<float>> vf(n);
         for (long k = 0; k < n; ++k) {
             v[k] = {std::floor(in.Real(-10, 10)), in.Real(-10, 10)};
             vf[k] = {float(v[k].x), float(v[k].y)};
         }
         const Tal_Vector2T<double> p{std::floor(in.Real(-10, 10)), in.Real(-10, 10)};
         const Tal_Vector2T<float> pf{float(p.x), float(p.y)};
         double a[7];  // turn, x and y scales, x and y tilts, depth, focal length
         in.Fill<double>(-2, 2, a);
         Tal_Matrix3 m3;
         Tal_Matrix4 toEye, toScreen;
         m3.SetIdentity().Rotate(a[0] * 90).Scale(a[1], a[2] + 2.5);
         toEye.SetIdentity().RotateXYZ(a[3], a[4], 0).Translate(0, 0, a[5] * 6 + 8);
         toScreen.SetIdentity().Project(a[6] * 4 + 12);
         Tal_TransformPoly2D flat;
         Tal_TransformPoly3D placed;
         for (long k = 0; k < 4; ++k) {
             flat.SetLayerPoint(k, v[k % n]);
             placed.SetLayerPoint(k, v[k % n]);
         }
         long thrown = 0;
         try {
             flat.TransformPoints(m3);
             placed.TransformPointsToEye(toEye);
             placed.TransformPointsToScreen(toScreen);
             placed.InitPolyPoints();
         } catch (long code) {
             thrown = code;
         }
         uint8_t inside[3] = {9, 9, 9};
         s.Call("point in polygon, area, transformed polygons",
                {Item(&v[0].x, 2 * size_t(n)), D(p), D(a)},
                {Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0, &inside[0]),
                 Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0.5, &inside[1]),
                 Tal_IsFloatPointInConcavePoly(&pf, vf.data(), n, 0.25, &inside[2]),
                 Item(inside, 3), Tal_SignedPolygonArea2D(v.data(), n), thrown,
                 flat.IsPointInside(&p, 0.5), flat.GetMinimumEdgeDistance(&p),
                 Item(&flat.GetPolyPoints()->x, 8), placed.IsVisible(), placed.NumPolyPoints(),
                 placed.IsPointInside(&p, 0.5), placed.GetMinimumEdgeDistance(&p),
                 Item(reinterpret_cast<const double*>(placed.GetPolyPoints()),
                      2 * size_t(placed.NumPolyPoints()))});
     }}};

struct Expected {
    const char* family;
    uint64_t digest;
    const char* trail;
};
const Expected kExpected[] = {
#include "digest/expected_digests.inc"
};

// The family's sweep on its own seed, describing call number traced.
Sweep Swept(const Family& f, long traced = -1) {
    Sweep s(traced);
    Inputs in(uint64_t(&f - kFamilies + 1));
    for (int i = 0; i < f.rows; ++i)
        f.row(s, in, i);
    return s;
}

void WriteTable(const char* path) {
    std::FILE* out = std::fopen(path, "wb");
    ASSERT_NE(out, nullptr) << path;
    std::fprintf(out, "// Written by the digest test (TAL_DIGEST_WRITE): digest and trail.\n");
    for (const Family& f : kFamilies) {
        const Sweep s = Swept(f);
        std::fprintf(out, "{\"%s\", 0x%016llxu,\n", f.name, (unsigned long long)s.digest);
        for (size_t i = 0; i < s.trail.size(); i += 96)
            std::fprintf(out, " \"%s\"%s\n", s.trail.substr(i, 96).c_str(),
                         i + 96 < s.trail.size() ? "" : "},");
    }
    std::fclose(out);
}

TEST(Digest, EveryFamilyGivesTheStoredBits) {
    if (const char* path = std::getenv("TAL_DIGEST_WRITE")) return WriteTable(path);
    Bas_ClearRecordedReports();
    for (const Family& f : kFamilies) {
        const Sweep s = Swept(f);
        const Expected* e =
            std::find_if(std::begin(kExpected), std::end(kExpected),
                         [&](const Expected& x) { return !std::strcmp(x.family, f.name); });
        ASSERT_NE(e, std::end(kExpected)) << f.name << ": no stored digest";
        if (s.digest == e->digest) continue;
        const std::string expected = e->trail;
        const size_t first = size_t(
            std::mismatch(s.trail.begin(), s.trail.end(), expected.begin(), expected.end()).first -
            s.trail.begin());
        ADD_FAILURE() << f.name << ": digest expected " << std::hex << e->digest << ", got "
                      << s.digest << std::dec << "; first call off the trail, #" << first
                      << " (expected " << expected.substr(first, 1) << ", got "
                      << s.trail.substr(first, 1) << "): " << Swept(f, long(first)).described;
    }
}

}  // namespace
