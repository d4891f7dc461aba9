// Every family swept with seeded edge and random inputs; every output bit, flag and report of each
// call folded into one 64-bit digest per family, stored once and the same on every target. Beside
// each digest is its trail, a byte of the running digest per call: a departure names the first
// call off the trail, described by running the family again. TAL_DIGEST_WRITE=<file> rewrites the
// stored table from this target's results.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
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

// Values of a call: a scalar, or a record read as doubles ('d'), 32-bit ('l') or 16-bit ('s')
// integers once the whole call has run.
struct Item {
    const void* at = nullptr;
    size_t count = 1;
    char kind = 'i';
    uint64_t bits = 0;
    Item(double v) : kind('d') { std::memcpy(&bits, &v, 8); }
    template <typename I, typename = std::enable_if_t<std::is_integral_v<I>>>
    Item(I v) : bits(uint64_t(int64_t(v))) {}
    Item(const void* p, size_t n, char k) : at(p), count(n), kind(k) {}
};
// Records read whole: D as doubles, L as 32-bit and S as 16-bit integers.
const auto D = [](const auto& record) { return Item(&record, sizeof record / 8, 'd'); };
const auto Ds = [](const double* p, size_t n) { return Item(p, n, 'd'); };
const auto L = [](const auto& record) { return Item(&record, sizeof record / 4, 'l'); };
const auto S = [](const auto& record) { return Item(&record, sizeof record / 2, 's'); };
using Items = std::initializer_list<Item>;

// The digest of one family's calls with its trail; describes call number `traced` when it runs.
class Sweep {
public:
    explicit Sweep(long traced = -1) : traced_(traced) {}
    void Call(const char* name, Items in, Items out) {
        std::string text = std::string(name) + "(";
        for (const Item& i : in)
            Fold(i, text);
        text += ") -> ";
        for (const Item& i : out)
            Fold(i, text);
        int32_t code, severity, number;
        char message[Basp_BufferSize];
        while (Bas_TakeRecordedReport(&code, &severity, &number, message, sizeof message)) {
            for (const int32_t v : {code, severity, number})
                Fold(Item(v), text);
            for (const char* c = message; *c; ++c)
                Mix(uint8_t(*c));
            text += std::string("\"") + message + "\" ";
        }
        if (long(trail_.size()) == traced_) described_ = text;
        trail_.push_back(uint8_t(digest_ >> 56));
    }
    uint64_t digest() const { return digest_; }
    const std::vector<uint8_t>& trail() const { return trail_; }
    const std::string& described() const { return described_; }

private:
    // NaNs fold as one canonical NaN: processors differ in the sign and payload they give them.
    void Fold(const Item& item, std::string& text) {
        char buffer[32];
        for (size_t k = 0; k < item.count; ++k) {
            uint64_t bits = item.bits;
            const char* p = static_cast<const char*>(item.at);
            if (item.at && item.kind == 'd') std::memcpy(&bits, p + 8 * k, 8);
            int32_t i32 = 0;
            int16_t i16 = 0;
            if (item.kind == 'l') std::memcpy(&i32, p + 4 * k, 4), bits = uint64_t(int64_t(i32));
            if (item.kind == 's') std::memcpy(&i16, p + 2 * k, 2), bits = uint64_t(int64_t(i16));
            double d;
            std::memcpy(&d, &bits, 8);
            if (item.kind == 'd' && std::isnan(d)) bits = 0x7ff8000000000000u;
            Mix(bits);
            if (item.kind == 'd')
                std::snprintf(buffer, sizeof buffer, "%.17g ", d);
            else
                std::snprintf(buffer, sizeof buffer, "%lld ", static_cast<long long>(bits));
            text += buffer;
        }
    }
    void Mix(uint64_t v) {
        digest_ = (digest_ ^ v) * 0x100000001b3u;
        digest_ ^= digest_ >> 29;
    }
    uint64_t digest_ = 0xcbf29ce484222325u;
    long traced_;
    std::vector<uint8_t> trail_;
    std::string described_;
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
    /// Edge values first, then random ones.
    std::vector<int32_t> Ints(int random) {
        std::vector<int32_t> v = {0,        1,         -1,        0x8000,    0xffff,        0x10000,
                                  -0x10000, 0x1000000, INT32_MAX, INT32_MIN, INT32_MIN + 1, 46341,
                                  -46341};
        while (random-- > 0)
            v.push_back(Sized());
        return v;
    }
    /// Identity, zero, singular, perspective and nearly singular, then entries in [-4, 4].
    std::vector<std::vector<double>> Matrices(int random) {
        std::vector<std::vector<double>> m = {
            {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
            std::vector<double>(16, 0.0),
            {1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 5, 6, 7, 1},
            {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0.01, 3, 4, 5, 1},
            {1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-2}};
        for (; random > 0; --random) {
            m.emplace_back(16);
            for (double& e : m.back())
                e = Real(-4, 4);
        }
        return m;
    }

private:
    uint64_t state_;
};

const double kPi = 3.141592653589793;
const double kReals[] = {0.0,  -0.0,   0.5,     -0.5,        0.5 - 0x1p-54, 2.5,
                         -2.5, 1e-300, 5e-324,  1e300,       INFINITY,      -INFINITY,
                         NAN,  kPi,    kPi / 2, 65535.99999, 2147483647.5,  -2147483648.5};
const double kIdentity4[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

void SweepScalar(Sweep& s) {
    Inputs in(1);
    const std::vector<int32_t> ints = in.Ints(11);
    for (const int32_t a : ints) {
        const uint32_t u = uint32_t(a);
        s.Call("LeadingZeros TrailingZeros RoundUp/DownToPowerOf2 BitsUsed", {a},
               {Tal_LeadingZeros(u), Tal_TrailingZeros(u), Tal_RoundUpToPowerOf2(u),
                Tal_RoundDownToPowerOf2(u), Tal_BitsUsed(a)});
        for (const int32_t b : ints) {
            int32_t gcd = 9, lcm = 9;
            uint32_t ugcd = 9, ulcm = 9;
            s.Call(
                "FixMul FixDiv Fix24Mul Fix24Ratio Add/Mul/UMulWouldOverflow "
                "Signed/UnsignedGCD/LCM RoundToNearestMult",
                {a, b},
                {Tal_FixMul(a, b), Tal_FixDiv(a, b), Tal_Fix24Mul(a, b), Tal_Fix24Ratio(a, b),
                 Tal_AddWouldOverflow(a, b), Tal_MulWouldOverflow(a, b),
                 Tal_UMulWouldOverflow(u, uint32_t(b)), Tal_SignedGCD(a, b, &gcd), gcd,
                 Tal_UnsignedGCD(u, uint32_t(b), &ugcd), ugcd, Tal_SignedLCM(a, b, &lcm), lcm,
                 Tal_UnsignedLCM(u, uint32_t(b), &ulcm), ulcm, Tal_RoundToNearestMult(a, b)});
        }
    }
    std::vector<double> reals(std::begin(kReals), std::end(kReals));
    for (int i = 0; i < 30; ++i)
        reals.push_back(std::floor(in.Real(-3e9, 3e9)) + 0.5 * (i % 2));
    for (const double d : reals)
        s.Call("RoundDouble RoundDoubleSafe", {d}, {Tal_RoundDouble(d), Tal_RoundDoubleSafe(d)});
}

void SweepRatio(Sweep& s) {
    using Op = Tal_Err (*)(const Tal_Ratio*, const Tal_Ratio*, Tal_Ratio*, Tal_RatioStatus*);
    Inputs in(2);
    std::vector<Tal_Ratio> ratios = {
        {0, 1},         {-1, 1},         {1, 0},         {INT32_MIN, 1},
        {3, 4},         {1, UINT32_MAX}, {-7, 1u << 31}, {INT32_MIN, 1u << 31},
        {0x40000000, 3}};
    for (int i = 0; i < 9; ++i)
        ratios.push_back({in.Sized(), uint32_t(in.Sized())});
    for (const Tal_Ratio& a : ratios) {
        Tal_Ratio r{}, q{}, c{}, f{};
        uint8_t reduced = 9, exact = 9, same = 9, overflow = 9, fOverflow = 9;
        const double d = in.Real(-4, 4) * std::ldexp(1.0, int(in.Next() % 72) - 40);
        s.Call("ReduceRatio RecipRatio ConvRatio FpLong2Ratio", {L(a), d},
               {Tal_ReduceRatio(&a, &r, &reduced), L(r), reduced, Tal_RecipRatio(&a, &q, &exact),
                L(q), exact, Tal_ConvRatio(&a, 1000, &c, &same, &overflow), L(c), same, overflow,
                Tal_FpLong2Ratio(d, &f, &fOverflow), L(f), fOverflow});
        for (const Tal_Ratio& b : ratios) {
            for (const Op op : {Tal_AddRatio, Tal_SubRatio, Tal_MulRatio, Tal_DivRatio}) {
                Tal_RatioStatus status = Tal_RatioStatus_APPROXIMATED;
                Tal_Ratio allowed{}, refused{};
                s.Call("Add/Sub/Mul/DivRatio (approximation allowed, null status)", {L(a), L(b)},
                       {op(&a, &b, &allowed, &status), L(allowed), status,
                        op(&a, &b, &refused, nullptr), L(refused)});
            }
            int32_t order = 9;
            s.Call("CompareRatio", {L(a), L(b)}, {Tal_CompareRatio(&a, &b, &order), order});
        }
    }
}

void SweepRect(Sweep& s) {
    Inputs in(3);
    std::vector<Tal_LRect> rects = {{INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, {5, 5, 4, 9}};
    for (int i = 0; i < 14; ++i) {
        const int32_t unit = i < 9 ? 8 : 0x40000, x = int32_t(in.Next() % 17) - 8;
        const int32_t y = int32_t(in.Next() % 17) - 8, w = int32_t(in.Next() % 12);
        rects.push_back({x * unit, y * unit, (x + w) * unit, (y + int32_t(in.Next() % 12)) * unit});
    }
    for (const Tal_LRect& a : rects) {
        const Tal_FixedRect f{a.left, a.top, a.right, a.bottom};  // the values read as 16.16
        Tal_Rect r{}, rIn{}, rOut{};
        Tal_LRect l{}, lIn{}, lOut{}, inset = a;
        Tal_FixedRect back{};
        s.Call("FixedRect2Rect/RectIn/RectOut/LRect/LRectIn/LRectOut LRect2FixedRect InsetLRect",
               {L(a)},
               {Tal_FixedRect2Rect(&f, &r), S(r), Tal_FixedRect2RectIn(&f, &rIn), S(rIn),
                Tal_FixedRect2RectOut(&f, &rOut), S(rOut), Tal_FixedRect2LRect(&f, &l), L(l),
                Tal_FixedRect2LRectIn(&f, &lIn), L(lIn), Tal_FixedRect2LRectOut(&f, &lOut), L(lOut),
                Tal_LRect2FixedRect(&a, &back), L(back), Tal_InsetLRect(&inset, 3, -0x40000000),
                L(inset)});
        for (const Tal_LRect& b : rects) {
            Tal_LRect sect{}, join{}, centred = b;
            s.Call("SectLRect UnionLRect CenterLRect LRectCompare(0..5)", {L(a), L(b)},
                   {Tal_SectLRect(&a, &b, &sect), L(sect), Tal_UnionLRect(&a, &b, &join), L(join),
                    Tal_CenterLRect(&a, &centred), L(centred), Tal_LRectCompare(0, &a, &b),
                    Tal_LRectCompare(1, &a, &b), Tal_LRectCompare(2, &a, &b),
                    Tal_LRectCompare(3, &a, &b), Tal_LRectCompare(4, &a, &b),
                    Tal_LRectCompare(5, &a, &b)});
        }
    }
}

void SweepConstruct(Sweep& s) {
    Inputs in(4);
    for (int i = 0; i < 60; ++i) {
        double p[8], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, m4[16], u4[16], q4[16], cob[16];
        for (int k = 0; k < 8; ++k)
            p[k] = i < 8 ? (i + k - 4) * 45.0 : in.Real(-400, 400);
        const Tal_Quat q = {p[0] / 400, p[1] / 400, p[2] / 400, p[3] / 400};
        const Tal_Vector4T<double> a{p[0], p[1], 0, 0}, b{p[2], p[3], p[4], 0}, c{1, p[5], p[6], 1};
        Tal_Quat back{};
        long type = 9;
        s.Call(
            "Translate/Rotate/ScaleMatrix GetMatrixType Matrix3ToMatrix4(Uniform) QuatToMatrix4 "
            "Matrix4ToQuat SetMatrix4CoB",
            {D(p)},
            {Tal_TranslateMatrix(m3, p[0], p[1]), Tal_RotateMatrix(m3, p[2], p[3], p[4]),
             Tal_ScaleMatrix(m3, p[5] / 100, p[6] / 100, p[7], p[0]), D(m3),
             Tal_GetMatrixType(m3, &type), type, Tal_Matrix3ToMatrix4(m3, m4), D(m4),
             Tal_Matrix3ToMatrix4Uniform(m3, u4), D(u4), Tal_QuatToMatrix4(&q, q4), D(q4),
             Tal_Matrix4ToQuat(q4, &back), D(back), Tal_SetMatrix4CoB(&a, &b, &c, cob), D(cob)});
        double t[16], sc[16], r[16], xyz[16], plus[16];
        for (double* m : {t, sc, r, xyz, plus})
            std::memcpy(m, kIdentity4, sizeof kIdentity4);
        const double x = p[0] / 57, y = p[1] / 57, z = p[2] / 57;
        s.Call("Translate/Scale/RotateMatrix4 RotateMatrix4XYZ(Plus)", {D(p)},
               {Tal_TranslateMatrix4(p[1], p[2], p[3], t), D(t),
                Tal_ScaleMatrix4(p[4], p[5], p[6], sc), D(sc),
                Tal_RotateMatrix4(p[1], p[2], p[3] * (i % 3), x, r), D(r),
                Tal_RotateMatrix4XYZ(x, y, z, xyz), D(xyz),
                Tal_RotateMatrix4XYZPlus(x, y, z, i % 2, plus), D(plus)});
    }
}

void SweepAlgebra(Sweep& s) {
    Inputs in(5);
    const auto ms = in.Matrices(40);
    for (size_t i = 0; i < ms.size(); ++i) {
        const double *m = ms[i].data(), *n = ms[(i + 1) % ms.size()].data();
        double prod[16], inv[16], normal[16], tr[16], det = 9, m3[9], n3[9];
        unsigned char invFailed = 9, normalFailed = 9, decompFailed = 9, inv3Failed = 9, eq = 9;
        Tal_Matrix4Decomp d{};
        std::memcpy(m3, m, sizeof m3);
        std::memcpy(n3, n, sizeof n3);
        s.Call("ConcatMatrix4 InverseMatrix4(Quiet) GetMatrix4Determinant TransposeMatrix4",
               {Ds(m, 16), Ds(n, 16)},
               {Tal_ConcatMatrix4(m, n, prod), D(prod), Tal_InverseMatrix4Quiet(m, inv, &invFailed),
                invFailed, Tal_InverseMatrix4(m, inv), D(inv), Tal_GetMatrix4Determinant(m, &det),
                det, Tal_TransposeMatrix4(m, tr), D(tr)});
        s.Call("CalcNormalMatrix4Quiet DecomposeMatrix4 Correct3DDecompFor2D", {Ds(m, 16)},
               {Tal_CalcNormalMatrix4Quiet(m, normal, &normalFailed), normalFailed, D(normal),
                Tal_DecomposeMatrix4(m, &d, &decompFailed), decompFailed,
                Tal_Correct3DDecompFor2D(&d), D(d)});
        s.Call("InverseMatrixQuiet (in place) ConcatMatrix EqualMatrix", {D(m3), D(n3)},
               {Tal_InverseMatrixQuiet(m3, m3, &inv3Failed), inv3Failed, D(m3),
                Tal_ConcatMatrix(m3, n3), D(n3), Tal_EqualMatrix(m3, n3, &eq), eq});
    }
}

// The elementary functions through the calls that use them: sine and cosine in the rotations, the
// arctangents in the angle of a vector and the Euler angles, the arcsine and arccosine in the Euler
// angles and the spherical interpolation. Multiples of pi/4, huge angles and random ones.
void SweepRotation(Sweep& s) {
    Inputs in(6);
    for (int i = 0; i < 160; ++i) {
        const double angle = i < 40   ? (i - 20) * 0.78539816339744828
                             : i < 48 ? std::ldexp(i % 2 ? -1.0 : 1.0, 10 * (i - 40))
                                      : in.Real(-7, 7) * (i < 100 ? 1 : 1e5);
        double z[16], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, x = 9, y = 9, zz = 9, ex = 9, ey = 9,
                      ez = 9;
        std::memcpy(z, kIdentity4, sizeof z);
        const double ax = in.Real(-1, 1), ay = in.Real(-1, 1), t = in.Real(-0.5, 1.5);
        const Tal_Quat q0 = {ax, ay, 0.5, in.Real(-1, 1)}, q1 = {ay, -0.5, ax, 0.25};
        Tal_Quat out{};
        s.Call(
            "RotateMatrix4 RotateMatrix VecToAngle GetOrderedXYZRotationFromMatrix "
            "ConvertAxisAngleToOrderedXYZRotation Slerp",
            {angle, ax, ay, D(q0), t},
            {Tal_RotateMatrix4(0, 0, 1, angle, z), D(z),
             Tal_RotateMatrix(m3, angle * 57.29577951308232, 1, 2), D(m3),
             Tal_VecToAngle({angle, ay}), Tal_GetOrderedXYZRotationFromMatrix(z, &x, &y, &zz), x, y,
             zz, Tal_ConvertAxisAngleToOrderedXYZRotation(ax, ay, i % 3, angle, &ex, &ey, &ez), ex,
             ey, ez, Tal_Slerp(&q0, &q1, t, &out), D(out)});
    }
}

void SweepGeometry(Sweep& s) {
    Inputs in(7);
    for (const auto& m : in.Matrices(60)) {
        double v[24], plane[4], plane2[4], hit[3], hit2[3], clipped[3], dist = 9;
        for (double& e : v)
            e = in.Real(-2, 2);
        const double quad[4][3] = {{v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {v[6], v[7], 1}, {}};
        unsigned char behind = 9, hitOk = 9, within = 9, aBehind = 9, bBehind = 9, visible = 9,
                      edgeOn = 9;
        const Tal_Vector2T<double> p{v[8], v[9]}, l0{v[10], v[11]}, l1{v[12], v[13]};
        Tal_Vector2T<double> c[2] = {{v[14] * 2, v[15] * 2}, {v[16] * 2, v[17] * 2}};
        const Tal_FloatRect rect{-1, -1, 1, 1};
        s.Call("GetPlaneEquation(2) RayIntersectPlane IsQuadEdgeOn", {D(v), Ds(m.data(), 16)},
               {Tal_GetPlaneEquation(quad, 4, plane), D(plane),
                Tal_GetPlaneEquation2(v, v + 3, plane2), D(plane2),
                Tal_RayIntersectPlane(plane, v[20] > 0, v + 8, hit, &behind, &hitOk), D(hit),
                behind, hitOk, Tal_RayIntersectPlane(plane2, 1, v + 16, hit2, nullptr, nullptr),
                D(hit2), Tal_IsQuadEdgeOn(m.data(), quad, v[21], v[22] > 0, &edgeOn), edgeOn});
        s.Call("PerpDistTo2DLine Clip3DLine ClipLine2Rect", {D(v)},
               {Tal_PerpDistTo2DLine(&p, &l0, &l1, &within, &dist), within, dist,
                Tal_Clip3DLine(v, v + 3, &aBehind, &bBehind, clipped), aBehind, bBehind, D(clipped),
                Tal_ClipLine2Rect(&rect, &c[0], &c[1], &visible), visible, D(c)});
    }
}

void SweepXform(Sweep& s) {
    Inputs in(8);
    for (const auto& m : in.Matrices(60)) {
        double m3[9], v[16];
        for (int k = 0; k < 9; ++k)
            m3[k] = m[k] * (k == 6 || k == 7 ? 400 : 1);
        for (double& e : v)
            e = in.Real(-3000, 3000);
        Tal_Matrix3 matrix;
        std::memcpy(&matrix, m3, sizeof m3);
        Tal_Point pts[2] = {{int16_t(v[0]), int16_t(v[1])}, {int16_t(v[2] / 8), int16_t(v[3] / 8)}};
        Tal_FixedPoint fix[2] = {{int32_t(v[4] * 65536), int32_t(v[5] * 10)}, {0x10000, -1}};
        Tal_Vector2T<double> flat[2] = {{v[6], v[7]}, {v[8], v[9]}}, corners[4];
        Tal_Vector3T<double> vec3[2] = {{v[10], v[11], 1}, {v[12], v[13], 0}}, deep[2] = {};
        Tal_Vector4T<double> vec4[2] = {{v[14], v[15], v[0], 1}, {v[1], v[2], v[3], 0}}, raw[2];
        std::memcpy(deep, vec3, sizeof deep), std::memcpy(raw, vec4, sizeof raw);
        Tal_Rect r{int16_t(v[4] / 8), int16_t(v[5] / 8), int16_t(v[4] / 8 + 90),
                   int16_t(v[5] / 8 + 9)};
        Tal_FloatRect fr{v[6], v[7], v[6] + 50, v[7] + 0.5};
        Tal_FixedRect xr{int32_t(v[8] * 99), int32_t(v[9] * 99), int32_t(v[8] * 99) + 0x80000,
                         int32_t(v[9] * 99) + 0x10000};
        const Tal_LRect lr{int32_t(v[10]), int32_t(v[11]), int32_t(v[10]) + 7, int32_t(v[11]) + 9};
        unsigned char inexact[3] = {9, 9, 9};
        s.Call(
            "Transform(Fix/Float)Points TransformVector3/4(NoDivide) Transform3DFloatPoints "
            "3DTransform2DPoints",
            {D(v), Ds(m.data(), 16)},
            {Tal_TransformPoints(m3, 2, pts), S(pts), Tal_TransformFixPoints(m3, 2, fix), L(fix),
             Tal_TransformFloatPoints(m3, 2, flat), D(flat), Tal_TransformVector3(m3, 2, vec3),
             D(vec3), Tal_TransformVector4(m.data(), 2, vec4), D(vec4),
             Tal_TransformVector4NoDivide(m.data(), 2, raw), D(raw),
             Tal_Transform3DFloatPoints(m.data(), 2, deep), D(deep),
             Tal_3DTransform2DPoints(m.data(), 2, pts), S(pts)});
        s.Call("Transform(Float/Fix)Rect TransformBounds", {D(v), Ds(m.data(), 16)},
               {Tal_TransformRect(m3, &r, corners, &inexact[0]), S(r), D(corners),
                Tal_TransformFloatRect(m3, &fr, nullptr, &inexact[1]), D(fr),
                Tal_TransformFixRect(m3, &xr, nullptr, &inexact[2]), L(xr), inexact[0], inexact[1],
                inexact[2], L(Tal_TransformBounds(matrix, lr))});
    }
}

void SweepPoly(Sweep& s) {
    Inputs in(9);
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
        const double turn = in.Real(-180, 180), sx = in.Real(-2, 2), sy = in.Real(0.5, 2);
        const double rx = in.Real(-1.5, 1.5), ry = in.Real(-1.5, 1.5), dz = in.Real(-5, 20);
        Tal_Matrix3 m3;
        Tal_Matrix4 toEye, toScreen;
        m3.SetIdentity().Rotate(turn).Scale(sx, sy);
        toEye.SetIdentity().RotateXYZ(rx, ry, 0).Translate(0, 0, dz);
        toScreen.SetIdentity().Project(in.Real(5, 20));
        Tal_TransformPoly2D flat;
        Tal_TransformPoly3D placed;
        for (long k = 0; k < 4; ++k)
            flat.SetLayerPoint(k, v[k % n]), placed.SetLayerPoint(k, v[k % n]);
        long thrown = 0;
        try {
            flat.TransformPoints(m3);
            placed.TransformPointsToEye(toEye);
            placed.TransformPointsToScreen(toScreen);
            placed.InitPolyPoints();
        } catch (long code) {
            thrown = code;
        }
        unsigned char inside[3] = {9, 9, 9};
        s.Call("IsFloatPointInConcavePoly SignedPolygonArea2D TransformPoly2D TransformPoly3D",
               {Ds(&v[0].x, 2 * size_t(n)), D(p)},
               {Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0, &inside[0]),
                Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0.5, &inside[1]),
                Tal_IsFloatPointInConcavePoly(&pf, vf.data(), n, 0.25, &inside[2]), inside[0],
                inside[1], inside[2], Tal_SignedPolygonArea2D(v.data(), n), thrown,
                flat.IsPointInside(&p, 0.5), flat.GetMinimumEdgeDistance(&p),
                Ds(&flat.GetPolyPoints()->x, 8), placed.IsVisible(), placed.NumPolyPoints(),
                placed.IsPointInside(&p, 0.5), placed.GetMinimumEdgeDistance(&p),
                Ds(reinterpret_cast<const double*>(placed.GetPolyPoints()),
                   2 * size_t(placed.NumPolyPoints()))});
    }
}

struct Family {
    const char* name;
    void (*sweep)(Sweep&);
};
const Family kFamilies[] = {
    {"fixed and integer", SweepScalar}, {"ratio", SweepRatio},     {"rect", SweepRect},
    {"construct", SweepConstruct},      {"algebra", SweepAlgebra}, {"rotation", SweepRotation},
    {"geometry", SweepGeometry},        {"xform", SweepXform},     {"poly", SweepPoly}};

struct Expected {
    const char* family;
    uint64_t digest;
    const char* trail;  // two hex digits per call
};
const Expected kExpected[] = {
#include "digest/expected_digests.inc"
};

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
    std::fprintf(
        out, "// Written by the digest test (TAL_DIGEST_WRITE): digest and trail per family.\n");
    for (const Family& f : kFamilies) {
        Sweep s;
        f.sweep(s);
        const std::string trail = Hex(s.trail());
        std::fprintf(out, "{\"%s\", 0x%016llxu,\n", f.name, (unsigned long long)s.digest());
        for (size_t i = 0; i < trail.size(); i += 96)
            std::fprintf(out, " \"%s\"%s\n", trail.substr(i, 96).c_str(),
                         i + 96 < trail.size() ? "" : "},");
    }
    std::fclose(out);
}

TEST(Digest, EveryFamilyGivesTheStoredBits) {
    if (const char* path = std::getenv("TAL_DIGEST_WRITE")) return WriteTable(path);
    Bas_ClearRecordedReports();
    for (const Family& f : kFamilies) {
        Sweep s;
        f.sweep(s);
        const Expected* e =
            std::find_if(std::begin(kExpected), std::end(kExpected),
                         [&](const Expected& x) { return !std::strcmp(x.family, f.name); });
        ASSERT_NE(e, std::end(kExpected)) << f.name << ": no stored digest";
        if (s.digest() == e->digest) continue;
        const std::string got = Hex(s.trail()), expected = e->trail;
        size_t first = 0;
        while (first < std::min(got.size(), expected.size()) &&
               got.compare(first, 2, expected, first, 2) == 0)
            first += 2;
        Sweep again(long(first / 2));
        f.sweep(again);
        ADD_FAILURE() << f.name << ": digest expected " << std::hex << e->digest << ", got "
                      << s.digest() << std::dec << "; first call off the trail, #" << first / 2
                      << " (expected " << expected.substr(first, 2) << ", got "
                      << got.substr(first, 2) << "): " << again.described();
    }
}

}  // namespace
