// Every family swept with seeded edge and random inputs; every output bit, flag and report code of
// each call folded into one 64-bit digest per family. The stored digests hold on every target.
// Beside each digest is its trail, one byte of the running digest per call, so that a departure
// names the first call that left it: the family is run again to describe that call.
// TAL_DIGEST_WRITE=<file> rewrites the stored table from this target's results.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
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

// One input or output value as bits; NaNs are one canonical NaN, since processors differ in the
// sign and payload of the NaNs they produce.
struct Word {
    uint64_t bits;
    char kind;  // 'i' integer, 'd' double
    Word(double v) : bits(0x7ff8000000000000u), kind('d') {
        if (!std::isnan(v)) std::memcpy(&bits, &v, 8);
    }
    Word(float v) : Word(double(v)) {}  // exact
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    Word(I v) : bits(uint64_t(int64_t(v))), kind('i') {}
};
using Words = std::vector<Word>;

Words Doubles(const double* p, int n) {
    return Words(p, p + n);
}

std::string Describe(const Words& words) {
    std::string s;
    char text[48];
    for (const Word& w : words) {
        double d;
        std::memcpy(&d, &w.bits, 8);
        if (w.kind == 'd')
            std::snprintf(text, sizeof text, "%.17g ", d);
        else
            std::snprintf(text, sizeof text, "%lld ", static_cast<long long>(w.bits));
        s += text;
    }
    return s;
}

// Deterministic inputs on every target: splitmix64, and doubles from its top 53 bits.
class Inputs {
public:
    explicit Inputs(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9e3779b97f4a7c15u);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9u;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebu;
        return z ^ (z >> 31);
    }
    int32_t Int() { return int32_t(uint32_t(Next())); }
    /// A 32-bit value of a random magnitude, so that small values are as common as large ones.
    int32_t Sized() { return Int() >> (Next() % 32); }
    double Real(double lo, double hi) { return lo + (hi - lo) * (double(Next() >> 11) * 0x1p-53); }

private:
    uint64_t state_;
};

// The digest of one family's calls, with its trail; describes call number traced when it runs.
class Sweep {
public:
    explicit Sweep(long traced = -1) : traced_(traced) {}
    void Call(const char* name, const Words& in, const Words& out) {
        for (const Word& w : in)
            Fold(w.bits);
        for (const Word& w : out)
            Fold(w.bits);
        Words reports;
        int32_t code, severity, number;
        char text[Basp_BufferSize];
        while (Bas_TakeRecordedReport(&code, &severity, &number, text, sizeof text)) {
            reports.insert(reports.end(), {code, severity, number});
            for (const char* c = text; *c; ++c)
                Fold(uint8_t(*c));
        }
        for (const Word& w : reports)
            Fold(w.bits);
        if (long(trail_.size()) == traced_)
            described_ = std::string(name) + "(" + Describe(in) + ") -> " + Describe(out) +
                         (reports.empty() ? "" : "reports " + Describe(reports));
        trail_.push_back(uint8_t(digest_ >> 56));
    }
    uint64_t digest() const { return digest_; }
    const std::vector<uint8_t>& trail() const { return trail_; }
    const std::string& described() const { return described_; }

private:
    void Fold(uint64_t v) {
        digest_ = (digest_ ^ v) * 0x100000001b3u;
        digest_ ^= digest_ >> 29;
    }
    uint64_t digest_ = 0xcbf29ce484222325u;
    long traced_;
    std::vector<uint8_t> trail_;
    std::string described_;
};

struct Expected {
    const char* family;
    uint64_t digest;
    const char* trail;  // two hex digits per call
};
const Expected kExpected[] = {
#include "digest/expected_digests.inc"
};

const int32_t kIntEdges[] = {0,        1,         -1,         0x8000,     0xffff,    0x10000,
                             -0x10000, 0x1000000, -0x1000000, 0x7fffffff, INT32_MIN, INT32_MIN + 1,
                             46341,    -46341,    12345678};
const double kRealEdges[] = {0.0,
                             -0.0,
                             0.5,
                             -0.5,
                             0.49999999999999994,
                             1.5,
                             2.5,
                             -2.5,
                             2147483647.5,
                             -2147483648.5,
                             1e-300,
                             5e-324,
                             1e300,
                             INFINITY,
                             -INFINITY,
                             NAN,
                             3.141592653589793,
                             1.5707963267948966,
                             65535.99999,
                             -1e-12};

void SweepFixed(Sweep& s) {
    Inputs in(1);
    std::vector<int32_t> values(std::begin(kIntEdges), std::end(kIntEdges));
    for (int i = 0; i < 9; ++i)
        values.push_back(in.Sized());
    for (const int32_t a : values)
        for (const int32_t b : values)
            s.Call("FixMul FixDiv Fix24Mul Fix24Ratio", {a, b},
                   {Tal_FixMul(a, b), Tal_FixDiv(a, b), Tal_Fix24Mul(a, b), Tal_Fix24Ratio(a, b)});
}

void SweepRatio(Sweep& s) {
    using Op = Tal_Err (*)(const Tal_Ratio*, const Tal_Ratio*, Tal_Ratio*, Tal_RatioStatus*);
    const Op ops[] = {Tal_AddRatio, Tal_SubRatio, Tal_MulRatio, Tal_DivRatio};
    Inputs in(2);
    std::vector<Tal_Ratio> values = {
        {0, 1},          {1, 1},          {-1, 1},           {1, 0}, {INT32_MAX, 1},
        {INT32_MIN, 1},  {1, UINT32_MAX}, {-7, 0x80000000u}, {3, 4}, {INT32_MIN, 0x80000000u},
        {0x40000000, 3}, {-5, 10}};
    for (int i = 0; i < 8; ++i)
        values.push_back({in.Sized(), uint32_t(in.Sized())});
    for (const Tal_Ratio& a : values) {
        Tal_Ratio r{}, q{}, c{};
        uint8_t reduced = 9, exact = 9, converted = 9, overflow = 9;
        const double d = in.Real(-4, 4) * std::ldexp(1.0, int(in.Next() % 72) - 40);
        Tal_Ratio f{};
        uint8_t fOverflow = 9;
        s.Call("ReduceRatio RecipRatio ConvRatio FpLong2Ratio", {a.num, a.den, d},
               {Tal_ReduceRatio(&a, &r, &reduced), r.num, r.den, reduced,
                Tal_RecipRatio(&a, &q, &exact), q.num, q.den, exact,
                Tal_ConvRatio(&a, 1000, &c, &converted, &overflow), c.num, c.den, converted,
                overflow, Tal_FpLong2Ratio(d, &f, &fOverflow), f.num, f.den, fOverflow});
        for (const Tal_Ratio& b : values) {
            Words out;
            for (const Op op : ops) {
                Tal_RatioStatus status = Tal_RatioStatus_APPROXIMATED;
                Tal_Ratio allowed{}, refused{};
                out.insert(out.end(),
                           {op(&a, &b, &allowed, &status), allowed.num, allowed.den, status,
                            op(&a, &b, &refused, nullptr), refused.num, refused.den});
            }
            int32_t order = 9;
            out.insert(out.end(), {Tal_CompareRatio(&a, &b, &order), order});
            s.Call("Add/Sub/Mul/DivRatio (allowed, null status), CompareRatio",
                   {a.num, a.den, b.num, b.den}, out);
        }
    }
}

void SweepInteger(Sweep& s) {
    Inputs in(3);
    std::vector<int32_t> values(std::begin(kIntEdges), std::end(kIntEdges));
    for (int i = 0; i < 9; ++i)
        values.push_back(in.Sized());
    for (const int32_t a : values) {
        const uint32_t u = uint32_t(a);
        s.Call("LeadingZeros TrailingZeros RoundUp/DownToPowerOf2 BitsUsed", {a},
               {Tal_LeadingZeros(u), Tal_TrailingZeros(u), Tal_RoundUpToPowerOf2(u),
                Tal_RoundDownToPowerOf2(u), Tal_BitsUsed(a)});
        for (const int32_t b : values) {
            int32_t sg = 9, sl = 9;
            uint32_t ug = 9, ul = 9;
            s.Call("Add/Mul/UMulWouldOverflow Signed/UnsignedGCD/LCM RoundToNearestMult", {a, b},
                   {Tal_AddWouldOverflow(a, b), Tal_MulWouldOverflow(a, b),
                    Tal_UMulWouldOverflow(u, uint32_t(b)), Tal_SignedGCD(a, b, &sg), sg,
                    Tal_UnsignedGCD(u, uint32_t(b), &ug), ug, Tal_SignedLCM(a, b, &sl), sl,
                    Tal_UnsignedLCM(u, uint32_t(b), &ul), ul, Tal_RoundToNearestMult(a, b)});
        }
    }
    std::vector<double> reals(std::begin(kRealEdges), std::end(kRealEdges));
    for (int i = 0; i < 40; ++i)
        reals.push_back(std::floor(in.Real(-3e9, 3e9)) + 0.5 * (i % 2));
    for (const double d : reals)
        s.Call("RoundDouble RoundDoubleSafe", {d}, {Tal_RoundDouble(d), Tal_RoundDoubleSafe(d)});
}

Words LRect(const Tal_LRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

void SweepRect(Sweep& s) {
    Inputs in(4);
    std::vector<Tal_LRect> rects = {{0, 0, 0, 0},
                                    {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
                                    {5, 5, 4, 9},
                                    {-0x8000, 0x7fff, 0x8000, 0x10000}};
    for (int i = 0; i < 12; ++i) {
        const int32_t scale = i < 8 ? 8 : 0x40000;
        rects.push_back({int32_t(in.Next() % 17) * scale - 8 * scale,
                         int32_t(in.Next() % 17) * scale - 8 * scale, 0, 0});
        rects.back().right = rects.back().left + int32_t(in.Next() % 12) * scale;
        rects.back().bottom = rects.back().top + int32_t(in.Next() % 12) * scale;
    }
    for (const Tal_LRect& a : rects) {
        const Tal_FixedRect f{a.left, a.top, a.right, a.bottom};  // the raw values as 16.16
        Tal_Rect r{}, rIn{}, rOut{};
        Tal_LRect l{}, lIn{}, lOut{}, inset = a;
        Tal_FixedRect back{};
        Words out = {Tal_FixedRect2Rect(&f, &r),
                     r.top,
                     r.left,
                     r.bottom,
                     r.right,
                     Tal_FixedRect2RectIn(&f, &rIn),
                     rIn.top,
                     rIn.left,
                     rIn.bottom,
                     rIn.right,
                     Tal_FixedRect2RectOut(&f, &rOut),
                     rOut.top,
                     rOut.left,
                     rOut.bottom,
                     rOut.right,
                     Tal_FixedRect2LRect(&f, &l),
                     Tal_FixedRect2LRectIn(&f, &lIn),
                     Tal_FixedRect2LRectOut(&f, &lOut),
                     Tal_LRect2FixedRect(&a, &back),
                     Tal_InsetLRect(&inset, 3, -0x40000000)};
        for (const Tal_LRect& x : {l, lIn, lOut, inset}) {
            const Words w = LRect(x);
            out.insert(out.end(), w.begin(), w.end());
        }
        out.insert(out.end(), {back.left, back.top, back.right, back.bottom});
        s.Call("FixedRect2Rect/RectIn/RectOut/LRect/LRectIn/LRectOut LRect2FixedRect InsetLRect",
               LRect(a), out);
        for (const Tal_LRect& b : rects) {
            Tal_LRect sect{}, uni{}, centred = b;
            Words o = {Tal_SectLRect(&a, &b, &sect), Tal_UnionLRect(&a, &b, &uni),
                       Tal_CenterLRect(&a, &centred)};
            for (int16_t mode = 0; mode < 7; ++mode)
                o.push_back(Tal_LRectCompare(mode, &a, &b));
            for (const Tal_LRect& x : {sect, uni, centred}) {
                const Words w = LRect(x);
                o.insert(o.end(), w.begin(), w.end());
            }
            Words io = LRect(a);
            for (const Word& w : LRect(b))
                io.push_back(w);
            s.Call("SectLRect UnionLRect CenterLRect LRectCompare(0..6)", io, o);
        }
    }
}

Words operator+(Words a, const Words& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Words Decomp(const Tal_Matrix4Decomp& d) {
    static_assert(sizeof d == 12 * sizeof(double), "twelve doubles");
    double v[12];
    std::memcpy(v, &d, sizeof v);
    return Doubles(v, 12);
}

const double kIdentity4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

// Random 4x4 matrices with entries in [-4, 4], and the special ones: identity, zero, singular,
// perspective, nearly singular.
std::vector<std::vector<double>> Matrices(Inputs& in, int random) {
    std::vector<std::vector<double>> ms = {
        std::vector<double>(kIdentity4, kIdentity4 + 16),
        std::vector<double>(16, 0.0),
        {1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 5, 6, 7, 1},
        {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0.01, 3, 4, 5, 1},
        {1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-2}};
    for (int i = 0; i < random; ++i) {
        ms.emplace_back(16);
        for (double& e : ms.back())
            e = in.Real(-4, 4);
    }
    return ms;
}

void SweepConstruct(Sweep& s) {
    Inputs in(5);
    for (int i = 0; i < 60; ++i) {
        double p[8];
        for (int k = 0; k < 8; ++k)
            p[k] = i < 8 ? (i + k - 4) * 45.0 : in.Real(-400, 400);
        double m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, m4[16], q4[16], u4[16], cob[16];
        const Words e = {Tal_TranslateMatrix(m3, p[0], p[1]),
                         Tal_RotateMatrix(m3, p[2], p[3], p[4]),
                         Tal_ScaleMatrix(m3, p[5] / 100, p[6] / 100, p[7], p[0])};
        long type = 9;
        const Tal_Quat q = {p[0] / 400, p[1] / 400, p[2] / 400, p[3] / 400};
        Tal_Quat back{};
        const Tal_Vector4T<double> a{p[0], p[1], 0, 0}, b{p[2], p[3], p[4], 0}, c{1, p[5], p[6], 1};
        const Words f = {Tal_GetMatrixType(m3, &type),
                         type,
                         Tal_Matrix3ToMatrix4(m3, m4),
                         Tal_Matrix3ToMatrix4Uniform(m3, u4),
                         Tal_QuatToMatrix4(&q, q4),
                         Tal_Matrix4ToQuat(q4, &back),
                         back.x,
                         back.y,
                         back.z,
                         back.w,
                         Tal_SetMatrix4CoB(&a, &b, &c, cob)};
        s.Call(
            "Translate/Rotate/ScaleMatrix GetMatrixType Matrix3ToMatrix4(Uniform) "
            "QuatToMatrix4 Matrix4ToQuat SetMatrix4CoB",
            Doubles(p, 8),
            e + Doubles(m3, 9) + f + Doubles(m4, 16) + Doubles(u4, 16) + Doubles(q4, 16) +
                Doubles(cob, 16));
        const double rad = p[0] / 57.0;
        double t[16], sc[16], r[16], xyz[16], plus[16];
        for (double* m : {t, sc, r, xyz, plus})
            std::memcpy(m, kIdentity4, sizeof kIdentity4);
        const Words g = {Tal_TranslateMatrix4(p[1], p[2], p[3], t),
                         Tal_ScaleMatrix4(p[4], p[5], p[6], sc),
                         Tal_RotateMatrix4(p[1], p[2], p[3] * (i % 3), rad, r),
                         Tal_RotateMatrix4XYZ(rad, p[1] / 57, p[2] / 57, xyz),
                         Tal_RotateMatrix4XYZPlus(rad, p[1] / 57, p[2] / 57, i % 2, plus)};
        s.Call("Translate/Scale/RotateMatrix4 RotateMatrix4XYZ(Plus)", Doubles(p, 8),
               g + Doubles(t, 16) + Doubles(sc, 16) + Doubles(r, 16) + Doubles(xyz, 16) +
                   Doubles(plus, 16));
    }
}

void SweepAlgebra(Sweep& s) {
    Inputs in(6);
    const auto ms = Matrices(in, 40);
    for (size_t i = 0; i < ms.size(); ++i) {
        const double* m = ms[i].data();
        const double* n = ms[(i + 1) % ms.size()].data();
        double prod[16], inv[16], normal[16], tr[16], det = 9, m3[9], inv3[9];
        unsigned char invFailed = 9, normalFailed = 9, decompFailed = 9, inv3Failed = 9, eq = 9;
        Tal_Matrix4Decomp d{};
        std::memcpy(m3, m, sizeof m3);
        std::memcpy(inv3, n, sizeof inv3);
        const Words w = {Tal_ConcatMatrix4(m, n, prod),
                         Tal_InverseMatrix4Quiet(m, inv, &invFailed),
                         invFailed,
                         Tal_InverseMatrix4(m, inv),
                         Tal_GetMatrix4Determinant(m, &det),
                         det,
                         Tal_CalcNormalMatrix4Quiet(m, normal, &normalFailed),
                         normalFailed,
                         Tal_TransposeMatrix4(m, tr),
                         Tal_DecomposeMatrix4(m, &d, &decompFailed),
                         decompFailed,
                         Tal_Correct3DDecompFor2D(&d),
                         Tal_InverseMatrixQuiet(m3, m3, &inv3Failed),
                         inv3Failed,
                         Tal_ConcatMatrix(n, inv3),
                         Tal_EqualMatrix(m3, inv3, &eq),
                         eq};
        s.Call(
            "ConcatMatrix4 InverseMatrix4(Quiet) GetMatrix4Determinant CalcNormalMatrix4Quiet "
            "TransposeMatrix4 DecomposeMatrix4 Correct3DDecompFor2D InverseMatrixQuiet "
            "ConcatMatrix EqualMatrix",
            Doubles(m, 16) + Doubles(n, 16),
            w + Doubles(prod, 16) + Doubles(inv, 16) + Doubles(normal, 16) + Doubles(tr, 16) +
                Decomp(d) + Doubles(m3, 9) + Doubles(inv3, 9));
    }
}

// The elementary functions through the calls that use them: sine and cosine in the rotations,
// arctangents in the angle of a vector and the Euler angles, arcsine and arccosine in the Euler
// angles and the spherical interpolation. Angles near multiples of pi/2 and huge ones included.
void SweepRotation(Sweep& s) {
    Inputs in(7);
    for (int i = 0; i < 160; ++i) {
        const double angle = i < 40    ? (i - 20) * 0.78539816339744828
                             : i < 48  ? std::ldexp(1.0, 10 * (i - 40)) * (i % 2 ? -1 : 1)
                             : i < 100 ? in.Real(-7, 7)
                                       : in.Real(-1e6, 1e6);
        double z[16], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, x = 9, y = 9, zz = 9;
        std::memcpy(z, kIdentity4, sizeof z);
        double ex = 9, ey = 9, ez = 9, ax = in.Real(-1, 1), ay = in.Real(-1, 1);
        Tal_Quat q0 = {ax, ay, 0.5, in.Real(-1, 1)}, q1 = {ay, -0.5, ax, 0.25}, out{};
        const double t = in.Real(-0.5, 1.5);
        const Words w = {
            Tal_RotateMatrix4(0, 0, 1, angle, z),
            Tal_RotateMatrix(m3, angle * 57.29577951308232, 1, 2),
            Tal_VecToAngle({angle, ay}),
            Tal_GetOrderedXYZRotationFromMatrix(z, &x, &y, &zz),
            x,
            y,
            zz,
            Tal_ConvertAxisAngleToOrderedXYZRotation(ax, ay, i % 3, angle, &ex, &ey, &ez),
            ex,
            ey,
            ez,
            Tal_Slerp(&q0, &q1, t, &out),
            out.x,
            out.y,
            out.z,
            out.w};
        s.Call(
            "RotateMatrix4 RotateMatrix VecToAngle GetOrderedXYZRotationFromMatrix "
            "ConvertAxisAngleToOrderedXYZRotation Slerp",
            {angle, ax, ay, q0.w, t}, w + Doubles(z, 16) + Doubles(m3, 9));
    }
}

void SweepGeometry(Sweep& s) {
    Inputs in(8);
    const auto ms = Matrices(in, 60);
    for (const auto& mv : ms) {
        double v[24], plane[4], plane2[4], hit[3], clipped[3], dist = 9;
        for (double& e : v)
            e = in.Real(-2, 2);
        const double pts[4][3] = {
            {v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {v[6], v[7], 1}, {0, 0, 1}};
        unsigned char behind = 9, hitOk = 9, within = 9, ab = 9, bb = 9, visible = 9, edgeOn = 9;
        const Tal_Vector2T<double> p{v[8], v[9]}, l0{v[10], v[11]}, l1{v[12], v[13]};
        Tal_Vector2T<double> c0{v[14] * 2, v[15] * 2}, c1{v[16] * 2, v[17] * 2};
        const Tal_FloatRect rect{-1, -1, 1, 1};
        const Words w = {Tal_GetPlaneEquation(pts, 4, plane),
                         Tal_GetPlaneEquation2(v, v + 3, plane2),
                         Tal_RayIntersectPlane(plane, v[20] > 0, v + 8, hit, &behind, &hitOk),
                         behind,
                         hitOk,
                         Tal_RayIntersectPlane(plane2, 1, v + 16, hit, &behind, nullptr),
                         Tal_PerpDistTo2DLine(&p, &l0, &l1, &within, &dist),
                         within,
                         dist,
                         Tal_Clip3DLine(v, v + 3, &ab, &bb, clipped),
                         ab,
                         bb,
                         Tal_ClipLine2Rect(&rect, &c0, &c1, &visible),
                         visible,
                         c0.x,
                         c0.y,
                         c1.x,
                         c1.y,
                         Tal_IsQuadEdgeOn(mv.data(), pts, v[21], v[22] > 0, &edgeOn),
                         edgeOn};
        s.Call(
            "GetPlaneEquation(2) RayIntersectPlane PerpDistTo2DLine Clip3DLine ClipLine2Rect "
            "IsQuadEdgeOn",
            Doubles(v, 24) + Doubles(mv.data(), 16),
            w + Doubles(plane, 4) + Doubles(plane2, 4) + Doubles(hit, 3) + Doubles(clipped, 3));
    }
}

void SweepXform(Sweep& s) {
    Inputs in(9);
    const auto ms = Matrices(in, 60);
    for (const auto& mv : ms) {
        double m3[9], v[32];
        for (int k = 0; k < 9; ++k)
            m3[k] = mv[k] * (k == 6 || k == 7 ? 400 : 1);
        for (double& e : v)
            e = in.Real(-3000, 3000);
        Tal_Point pt[2] = {{int16_t(v[0]), int16_t(v[1])}, {int16_t(v[2]), int16_t(v[3])}};
        Tal_FixedPoint fp[2] = {{int32_t(v[4] * 65536), int32_t(v[5] * 10)}, {0x10000, -1}};
        Tal_Vector2T<double> f2[2] = {{v[6], v[7]}, {v[8], v[9]}}, corners[4];
        Tal_Vector3T<double> f3[2] = {{v[10], v[11], v[12]}, {v[13], v[14], 1}},
                             g3[1] = {{v[15], 1, 0}};
        Tal_Vector4T<double> f4[1] = {{v[16], v[17], v[18], 1}}, n4[1] = {{v[19], v[20], v[21], 0}};
        Tal_Point p3[1] = {{int16_t(v[22] / 8), int16_t(v[23] / 8)}};
        Tal_Rect r{int16_t(v[24] / 8), int16_t(v[25] / 8), 0, 0};
        r.bottom = int16_t(r.top + 100), r.right = int16_t(r.left + 200);
        Tal_FloatRect fr{v[26], v[27], v[26] + 50, v[27] + 0.5};
        Tal_FixedRect xr{int32_t(v[28] * 100), int32_t(v[29] * 100), int32_t(v[28] * 100) + 0x80000,
                         int32_t(v[29] * 100) + 0x10000};
        unsigned char i1 = 9, i2 = 9, i3 = 9;
        const Tal_LRect lr{int32_t(v[30]), int32_t(v[31]), int32_t(v[30]) + 7, int32_t(v[31]) + 9};
        const Tal_Matrix3 cm = [&] {
            Tal_Matrix3 c;
            std::memcpy(&c, m3, sizeof m3);
            return c;
        }();
        const Tal_LRect b = Tal_TransformBounds(cm, lr);
        const Words w = {Tal_TransformPoints(m3, 2, pt),
                         Tal_TransformFixPoints(m3, 2, fp),
                         Tal_TransformFloatPoints(m3, 2, f2),
                         Tal_TransformVector3(m3, 1, g3),
                         Tal_TransformVector4(mv.data(), 1, f4),
                         Tal_TransformVector4NoDivide(mv.data(), 1, n4),
                         Tal_Transform3DFloatPoints(mv.data(), 2, f3),
                         Tal_3DTransform2DPoints(mv.data(), 1, p3),
                         Tal_TransformRect(m3, &r, corners, &i1),
                         i1,
                         Tal_TransformFloatRect(m3, &fr, nullptr, &i2),
                         i2,
                         Tal_TransformFixRect(m3, &xr, nullptr, &i3),
                         i3,
                         pt[0].h,
                         pt[0].v,
                         pt[1].h,
                         pt[1].v,
                         fp[0].x,
                         fp[0].y,
                         fp[1].x,
                         fp[1].y,
                         p3[0].h,
                         p3[0].v,
                         r.top,
                         r.left,
                         r.bottom,
                         r.right,
                         xr.left,
                         xr.top,
                         xr.right,
                         xr.bottom,
                         b.left,
                         b.top,
                         b.right,
                         b.bottom,
                         fr.left,
                         fr.top,
                         fr.right,
                         fr.bottom};
        double d[24];
        std::memcpy(d, f2, 32), std::memcpy(d + 4, f3, 48), std::memcpy(d + 10, g3, 24),
            std::memcpy(d + 13, f4, 32), std::memcpy(d + 17, n4, 32);
        s.Call(
            "Transform(Fix/Float)Points TransformVector3/4(NoDivide) Transform3DFloatPoints "
            "3DTransform2DPoints Transform(Float/Fix)Rect TransformBounds",
            Doubles(v, 32) + Doubles(mv.data(), 16),
            w + Doubles(d, 21) + Doubles(&corners[0].x, 8));
    }
}

void SweepPoly(Sweep& s) {
    Inputs in(10);
    for (int i = 0; i < 80; ++i) {
        const long n = 1 + long(in.Next() % 12);
        std::vector<Tal_Vector2T<double>> v(n);
        std::vector<Tal_Vector2T<float>> vf(n);
        for (long k = 0; k < n; ++k) {
            v[k] = {std::floor(in.Real(-10, 10)), in.Real(-10, 10)};
            vf[k] = {float(v[k].x), float(v[k].y)};
        }
        const Tal_Vector2T<double> p{std::floor(in.Real(-10, 10)), in.Real(-10, 10)};
        const Tal_Vector2T<float> pf{float(p.x), float(p.y)};
        unsigned char in0 = 9, inBand = 9, inF = 9;
        Words w = {Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0, &in0),
                   in0,
                   Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0.5, &inBand),
                   inBand,
                   Tal_IsFloatPointInConcavePoly(&pf, vf.data(), n, 0.25, &inF),
                   inF,
                   Tal_SignedPolygonArea2D(v.data(), n)};
        Tal_TransformPoly2D flat;
        Tal_TransformPoly3D placed;
        Tal_Matrix3 m3;
        Tal_Matrix4 toEye, toScreen;
        const double turn = in.Real(-180, 180), sx = in.Real(-2, 2), sy = in.Real(0.5, 2);
        const double rx = in.Real(-1.5, 1.5), ry = in.Real(-1.5, 1.5), dz = in.Real(-5, 20);
        m3.SetIdentity().Rotate(turn).Scale(sx, sy);
        toEye.SetIdentity().RotateXYZ(rx, ry, 0).Translate(0, 0, dz);
        toScreen.SetIdentity().Project(in.Real(5, 20));
        for (long k = 0; k < 4; ++k)
            flat.SetLayerPoint(k, v[k % n]), placed.SetLayerPoint(k, v[k % n]);
        try {
            flat.TransformPoints(m3);
            placed.TransformPointsToEye(toEye);
            placed.TransformPointsToScreen(toScreen);
            placed.InitPolyPoints();
        } catch (long code) {
            w.push_back(code);
        }
        w = w + Words{flat.IsPointInside(&p, 0.5),
                      flat.GetMinimumEdgeDistance(&p),
                      placed.IsVisible(),
                      placed.NumPolyPoints(),
                      placed.IsPointInside(&p, 0.5),
                      placed.GetMinimumEdgeDistance(&p)};
        w = w + Doubles(&flat.GetPolyPoints()->x, 8);
        if (placed.NumPolyPoints() > 0)
            w = w + Doubles(&placed.GetPolyPoints()->x, int(2 * placed.NumPolyPoints()));
        s.Call("IsFloatPointInConcavePoly SignedPolygonArea2D TransformPoly2D TransformPoly3D",
               Doubles(&v[0].x, int(2 * n)) + Doubles(&p.x, 2), w);
    }
}

struct Family {
    const char* name;
    void (*sweep)(Sweep&);
};
const Family kFamilies[] = {{"fixed", SweepFixed},         {"ratio", SweepRatio},
                            {"integer", SweepInteger},     {"rect", SweepRect},
                            {"construct", SweepConstruct}, {"algebra", SweepAlgebra},
                            {"rotation", SweepRotation},   {"geometry", SweepGeometry},
                            {"xform", SweepXform},         {"poly", SweepPoly}};

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string s;
    char h[3];
    for (const uint8_t b : bytes)
        std::snprintf(h, sizeof h, "%02x", b), s += h;
    return s;
}

void WriteTable(const char* path) {
    std::FILE* out = std::fopen(path, "wb");
    ASSERT_NE(out, nullptr) << path;
    for (const Family& f : kFamilies) {
        Sweep s;
        f.sweep(s);
        const std::string trail = Hex(s.trail());
        std::fprintf(out, "{\"%s\", 0x%016llxu,\n", f.name,
                     static_cast<unsigned long long>(s.digest()));
        for (size_t i = 0; i < trail.size(); i += 96)
            std::fprintf(out, " \"%s\"%s\n", trail.substr(i, 96).c_str(),
                         i + 96 < trail.size() ? "" : "},");
    }
    std::fclose(out);
}

TEST(Digest, EveryFamilyGivesTheStoredBitsOnThisTarget) {
    if (const char* path = std::getenv("TAL_DIGEST_WRITE")) return WriteTable(path);
    Bas_ClearRecordedReports();
    for (const Family& f : kFamilies) {
        Sweep s;
        f.sweep(s);
        const Expected* e = nullptr;
        for (const Expected& x : kExpected)
            if (std::strcmp(x.family, f.name) == 0) e = &x;
        ASSERT_NE(e, nullptr) << f.name << ": no stored digest";
        if (s.digest() == e->digest) continue;
        const std::string got = Hex(s.trail()), expected = e->trail;
        size_t first = 0;
        while (first < got.size() && first < expected.size() &&
               got.compare(first, 2, expected, first, 2) == 0)
            first += 2;
        Sweep again(long(first / 2));
        f.sweep(again);
        ADD_FAILURE() << f.name << ": digest expected " << std::hex << e->digest << ", got "
                      << s.digest() << std::dec << "; the first call off the stored trail is #"
                      << first / 2 << " (trail " << expected.substr(first, 2) << ", got "
                      << got.substr(first, 2) << "): " << again.described();
    }
}

}  // namespace
