// Every floating-point family swept with seeded inputs; every output bit, flag and report folded
// into one 64-bit digest per family, stored once and the same on every target, so that a faster
// path keeps the bits. Beside each digest is its trail, six bits of the running digest per call: a
// departure names the first call off the trail. TAL_DIGEST_WRITE=<file> rewrites the stored table.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iomanip>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tal/base_testing.h"
#include "tal/geometry.h"
#include "tal/matrix.h"
#include "tal/poly.h"
#include "tal/rect.h"
#include "tal/xform.h"

namespace {

// A value of a call, read once the whole call has run (a temporary lives as long as the call): a
// number, or a record of doubles (alignment cannot tell: 32-bit x86 aligns them to 4 bytes).
struct Item {
    template <typename T>
    Item(const T& v) : at(&v) {
        static_assert(std::is_trivially_copyable_v<T>, "a number or a record");
        using E = std::remove_all_extents_t<T>;
        size = std::is_class_v<E> ? 8 : sizeof(E);
        real = std::is_floating_point_v<E> || std::is_class_v<E>;
        count = sizeof(T) / size;
    }
    Item(const double* p, size_t n) : at(p), count(n), size(8), real(true) {}
    const void* at;
    size_t count, size;
    bool real;
};
using Items = std::vector<Item>;

// The digest of one family's calls with its trail; describes call number `traced` when it runs.
class Sweep {
public:
    explicit Sweep(long traced) : traced_(traced) {}
    void Call(const char* name, const Items& in, const Items& out) {
        std::ostringstream text;
        text << std::setprecision(17) << name << "(";
        Fold(in, text);
        text << ") -> ";
        Fold(out, text);
        int32_t code, severity, number;
        char message[Basp_BufferSize];
        while (Bas_TakeRecordedReport(&code, &severity, &number, message, sizeof message)) {
            Fold({code, severity, number}, text);
            for (const char* c = message; *c; ++c)
                Mix(uint8_t(*c));
            text << '"' << message << "\" ";
        }
        if (long(trail.size()) == traced_) described = text.str();
        trail += "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz-_"[digest >> 58];
    }
    uint64_t digest = 0xcbf29ce484222325u;
    std::string trail, described;

private:
    // NaNs fold as one canonical NaN: processors differ in the sign and payload they give them.
    void Fold(const Items& items, std::ostringstream& text) {
        for (const Item& item : items)
            for (size_t k = 0; k < item.count; ++k) {
                uint64_t bits = 0;
                std::memcpy(&bits, static_cast<const char*>(item.at) + k * item.size, item.size);
                const int unused = 64 - 8 * int(item.size);
                if (!item.real) bits = uint64_t(int64_t(bits << unused) >> unused);
                double d;
                std::memcpy(&d, &bits, 8);
                if (item.real && std::isnan(d)) bits = 0x7ff8000000000000u;
                Mix(bits);
                text << (item.real ? d : double(int64_t(bits))) << ' ';  // exact below 2^53
            }
    }
    void Mix(uint64_t v) {
        digest = (digest ^ v) * 0x100000001b3u;
        digest ^= digest >> 29;
    }
    long traced_;
};

const double kReals[] = {0.0,    -0.0,   0.5,   -0.5,   0.5 - 0x1p-54, 2.5,          -2.5,
                         1e-300, 5e-324, 1e-12, -1e-20, 1e300,         INFINITY,     -INFINITY,
                         NAN,    -1.0,   3.0,   -0.25,  65535.99999,   2147483647.5, -2147483648.5};

// The same inputs on every target: mt19937_64's sequence is fixed, doubles from its top 53 bits.
class Inputs : public std::mt19937_64 {
public:
    using std::mt19937_64::mt19937_64;
    double Real(double lo, double hi) {
        return lo + (hi - lo) * (double((*this)() >> 11) * 0x1p-53);
    }
    /// Every double of the record drawn from [lo, hi).
    template <typename R>
    void Fill(R& record, double lo, double hi) {
        for (size_t k = 0; k < sizeof record / 8; ++k) {
            const double e = Real(lo, hi);
            std::memcpy(reinterpret_cast<char*>(&record) + 8 * k, &e, 8);
        }
    }
    /// Identity, zero, singular, perspective, nearly singular; then entries in [-4, 4), from row
    /// 20 on half of them exact zeros and ones (as in axis turns), with edges half of those edges.
    std::vector<double> Matrix(int i, bool edges = false) {
        std::vector<double> m(kMatrices[std::min(i, 4)], kMatrices[std::min(i, 4)] + 16);
        for (double& e : m) {
            const uint64_t r = i < 5 ? 0 : (*this)();
            if (i >= 5) e = i < 20 || r % 4 > 1 ? Real(-4, 4) : double(r >> 63);
            if (i >= 20 && edges && r % 4 == 0) e = kReals[(r >> 8) % std::size(kReals)];
        }
        return m;
    }
    static constexpr double kMatrices[5][16] = {
        {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1},
        {},
        {1, 2, 3, 4, 2, 4, 6, 8, 0, 1, 0, 0, 5, 6, 7, 1},
        {2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 1, 0.01, 3, 4, 5, 1},
        {1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-5, 0, 0, 0, 0, 1e-2}};
};

struct Family {
    const char* name;
    unsigned seed;
    int rows;
    void (*row)(Sweep&, Inputs&, int);
};
const Family kFamilies[] = {
    {"construct", 2, 60,
     [](Sweep& s, Inputs& in, int i) {
         double p[8], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, m4[6][16];
         for (int k = 0; k < 8; ++k)
             p[k] = i < 8 ? (i + k - 4) * 45.0 : in.Real(-400, 400);
         const Tal_Quat q = {p[0] / 400, p[1] / 400, p[2] / 400, p[3] / 400};
         const Tal_Vector4T<double> a{p[0], p[1], 0, 0}, b{p[2], p[3], p[4], 0},
             c{1, p[5], p[6], 1};
         std::memcpy(m4[4], Inputs::kMatrices[0], sizeof m4[4]);
         std::memcpy(m4[5], Inputs::kMatrices[0], sizeof m4[5]);
         Tal_Quat back{};
         long type = 9;
         s.Call("3x3 and 4x4 construction, quaternions", {p},
                {Tal_TranslateMatrix(m3, p[0], p[1]), Tal_RotateMatrix(m3, p[2], p[3], p[4]),
                 Tal_ScaleMatrix(m3, p[5] / 100, p[6] / 100, p[7], p[0]), m3,
                 Tal_GetMatrixType(m3, &type), type, Tal_Matrix3ToMatrix4(m3, m4[0]),
                 Tal_Matrix3ToMatrix4Uniform(m3, m4[1]), Tal_QuatToMatrix4(&q, m4[2]),
                 Tal_Matrix4ToQuat(m4[2], &back), back, Tal_SetMatrix4CoB(&a, &b, &c, m4[3]),
                 Tal_TranslateMatrix4(p[1], p[2], p[3], m4[4]),
                 Tal_ScaleMatrix4(p[4], p[5], p[6], m4[5]), m4});
     }},
    // Entries that are edge values, exact zeros and ones; every output written over its input too.
    {"algebra", 3, 120,
     [](Sweep& s, Inputs& in, int i) {
         const std::vector<double> mv = in.Matrix(i, true), nv = in.Matrix(i + 1, true);
         const double *m = mv.data(), *n = nv.data();
         double out[5][16], det = 9, m3[9], n3[9];
         uint8_t failed[5] = {9, 9, 9, 9, 9};
         Tal_Matrix4Decomp d{};
         for (auto& o : out)
             std::memcpy(o, m, sizeof o);
         std::memcpy(m3, m, sizeof m3);
         std::memcpy(n3, n, sizeof n3);
         s.Call("products, inverses, determinant, normal, decomposition",
                {Item(m, 16), Item(n, 16)},
                {Tal_ConcatMatrix4(out[0], n, out[0]),
                 Tal_InverseMatrix4Quiet(out[1], out[1], &failed[0]), Tal_InverseMatrix4(m, out[2]),
                 Tal_GetMatrix4Determinant(m, &det), det, Tal_TransposeMatrix4(out[3], out[3]),
                 Tal_CalcNormalMatrix4Quiet(out[4], out[4], &failed[1]), out,
                 Tal_DecomposeMatrix4(m, &d, &failed[2]), Tal_Correct3DDecompFor2D(&d), d,
                 Tal_InverseMatrixQuiet(m3, m3, &failed[3]), Tal_ConcatMatrix(m3, n3), m3, n3,
                 Tal_EqualMatrix(m3, n3, &failed[4]), failed});
         for (auto& o : out)
             std::memcpy(o, m, sizeof o);
         const Tal_Quat q0{m[0], m[1], m[2], m[3]}, q1{n[0], n[1], n[2], n[3]};
         Tal_Quat q{};
         s.Call("turns of m by angles from n, slerp", {Item(m, 16), Item(n, 5)},
                {Tal_RotateMatrix4XYZ(n[0], n[1], n[2], out[0]),
                 Tal_RotateMatrix4XYZPlus(n[1], n[2], n[3], i % 2, out[1]),
                 Tal_RotateMatrix4(n[0], n[1], n[2], n[3], out[2]), Item(out[0], 48),
                 Tal_Slerp(&q0, &q1, i % 3 ? n[4] : (i % 7) / 6.0, &q), q});
     }},
    // Sine, cosine, the arctangents, arcsine and arccosine through the calls that use them, on
    // multiples of pi/4, huge and random angles.
    {"rotation", 4, 160,
     [](Sweep& s, Inputs& in, int i) {
         const double angle = i < 40   ? (i - 20) * 0.78539816339744828
                              : i < 48 ? std::ldexp(i % 2 ? -1.0 : 1.0, 10 * (i - 40))
                                       : in.Real(-7, 7) * (i < 100 ? 1 : 1e5);
         double z[16], m3[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1}, e[6] = {9, 9, 9, 9, 9, 9};
         std::memcpy(z, Inputs::kMatrices[0], sizeof z);
         const double ax = in.Real(-1, 1), ay = in.Real(-1, 1), t = in.Real(-0.5, 1.5);
         const Tal_Quat q0 = {ax, ay, 0.5, in.Real(-1, 1)}, q1 = {ay, -0.5, ax, 0.25};
         Tal_Quat out{};
         s.Call(
             "rotations, angles, Euler angles, slerp", {angle, ax, ay, q0, t},
             {Tal_RotateMatrix4(0, 0, 1, angle, z), z,
              Tal_RotateMatrix(m3, angle * 57.29577951308232, 1, 2), m3,
              Tal_VecToAngle({angle, ay}), Tal_GetOrderedXYZRotationFromMatrix(z, e, e + 1, e + 2),
              Tal_ConvertAxisAngleToOrderedXYZRotation(ax, ay, i % 3, angle, e + 3, e + 4, e + 5),
              e, Tal_Slerp(&q0, &q1, t, &out), out});
     }},
    {"geometry", 5, 65,
     [](Sweep& s, Inputs& in, int i) {
         const std::vector<double> m = in.Matrix(i);
         double v[24], plane[2][4], hit[2][3], clipped[3], dist = 9;
         in.Fill(v, -2, 2);
         const double quad[4][3] = {{v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {v[6], v[7], 1}};
         uint8_t f[7] = {9, 9, 9, 9, 9, 9, 9};
         const Tal_Vector2T<double> p{v[8], v[9]}, l0{v[10], v[11]}, l1{v[12], v[13]};
         Tal_Vector2T<double> c[2] = {{v[14] * 2, v[15] * 2}, {v[16] * 2, v[17] * 2}};
         const Tal_FloatRect rect{-1, -1, 1, 1};
         s.Call("planes, ray, edge-on, line distance, clipping", {v, Item(m.data(), 16)},
                {Tal_GetPlaneEquation(quad, 4, plane[0]), Tal_GetPlaneEquation2(v, v + 3, plane[1]),
                 plane, Tal_RayIntersectPlane(plane[0], v[20] > 0, v + 8, hit[0], &f[0], &f[1]),
                 Tal_RayIntersectPlane(plane[1], 1, v + 16, hit[1], nullptr, nullptr), hit,
                 Tal_IsQuadEdgeOn(m.data(), quad, v[21], v[22] > 0, &f[2]),
                 Tal_PerpDistTo2DLine(&p, &l0, &l1, &f[3], &dist), dist,
                 Tal_Clip3DLine(v, v + 3, &f[4], &f[5], clipped), clipped,
                 Tal_ClipLine2Rect(&rect, &c[0], &c[1], &f[6]), c, f});
     }},
    {"xform", 6, 65,
     [](Sweep& s, Inputs& in, int i) {
         const std::vector<double> m = in.Matrix(i);
         const double* m4 = m.data();
         Tal_Matrix3 m3;
         for (int k = 0; k < 9; ++k)
             m3.m[k / 3][k % 3] = m[k] * (k == 6 || k == 7 ? 400 : 1);
         struct {
             Tal_Vector2T<double> flat[2];
             Tal_Vector3T<double> vec3[2][2];
             Tal_Vector4T<double> vec4[2][2];
             Tal_FloatRect rect;
         } a;  // [1]: a copy of [0] for the second form
         in.Fill(a, -3000, 3000);
         std::memcpy(a.vec3[1], a.vec3[0], sizeof a.vec3[0]);
         std::memcpy(a.vec4[1], a.vec4[0], sizeof a.vec4[0]);
         const auto given = a;
         Tal_Vector2T<double> corners[4];
         uint8_t inexact = 9;
         s.Call(
             "float point, vector and rect transforms", {Item(m4, 16), given},
             {Tal_TransformFloatPoints(*m3.m, 2, a.flat), Tal_TransformVector3(*m3.m, 2, a.vec3[0]),
              Tal_Transform3DFloatPoints(m4, 2, a.vec3[1]), Tal_TransformVector4(m4, 2, a.vec4[0]),
              Tal_TransformVector4NoDivide(m4, 2, a.vec4[1]),
              Tal_TransformFloatRect(*m3.m, &a.rect, corners, &inexact), a, corners, inexact});
     }},
    {"poly", 7, 80, [](Sweep& s, Inputs& in, int) {
         const long n = 1 + long(in() % 12);
         std::vector<Tal_Vector2T<double>> v(n);
         for (auto& corner : v)
             corner = {std::floor(in.Real(-10, 10)), in.Real(-10, 10)};
         const Tal_Vector2T<double> p{std::floor(in.Real(-10, 10)), in.Real(-10, 10)};
         const Tal_Vector2T<float> pf{float(p.x), float(p.y)}, vf[3] = {{-9, 0}, {9, -1}, {0, 9}};
         double a[7];  // turn, x and y scales, x and y tilts, depth, focal length
         in.Fill(a, -2, 2);
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
                {Item(&v[0].x, 2 * size_t(n)), p, a},
                {Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0, &inside[0]),
                 Tal_IsFloatPointInConcavePoly(&p, v.data(), n, 0.5, &inside[1]),
                 Tal_IsFloatPointInConcavePoly(&pf, vf, 3, 0.25, &inside[2]), inside,
                 Tal_SignedPolygonArea2D(v.data(), n), thrown, flat.IsPointInside(&p, 0.5),
                 flat.GetMinimumEdgeDistance(&p), Item(&flat.GetPolyPoints()->x, 8),
                 placed.IsVisible(), placed.NumPolyPoints(), placed.IsPointInside(&p, 0.5),
                 placed.GetMinimumEdgeDistance(&p),
                 Item(&placed.GetPolyPoints()->x, 2 * size_t(placed.NumPolyPoints()))});
     }}};

// In the order of kFamilies, written by TAL_DIGEST_WRITE.
const struct {
    uint64_t digest;
    const char* trail;
} kExpected[] = {
#include "digest/expected_digests.inc"
};
static_assert(std::size(kExpected) == std::size(kFamilies), "a stored digest for each family");

// The sweep of family f on its own seed, describing call number traced.
Sweep Swept(size_t f, long traced = -1) {
    Sweep s(traced);
    Inputs in(kFamilies[f].seed);
    for (int i = 0; i < kFamilies[f].rows; ++i)
        kFamilies[f].row(s, in, i);
    return s;
}

TEST(Digest, EveryFamilyGivesTheStoredBits) {
    const char* path = std::getenv("TAL_DIGEST_WRITE");
    std::FILE* table = path ? std::fopen(path, "wb") : nullptr;
    Bas_ClearRecordedReports();
    for (size_t f = 0; f < std::size(kFamilies); ++f) {
        const Sweep s = Swept(f);
        const std::string expected = kExpected[f].trail;
        if (table)
            std::fprintf(table, "{0x%016llxu,  // %s\n", (unsigned long long)s.digest,
                         kFamilies[f].name);
        for (size_t i = 0; table && i < s.trail.size(); i += 96)
            std::fprintf(table, " \"%s\"%s\n", s.trail.substr(i, 96).c_str(),
                         i + 96 < s.trail.size() ? "" : "},");
        if (table || s.digest == kExpected[f].digest) continue;
        size_t first = 0;
        while (first < expected.size() && s.trail[first] == expected[first])
            ++first;
        ADD_FAILURE() << kFamilies[f].name << ": digest expected " << std::hex
                      << kExpected[f].digest << ", got " << s.digest << std::dec
                      << "; first call off the trail, #" << first << " (expected "
                      << expected.substr(first, 1) << ", got " << s.trail.substr(first, 1)
                      << "): " << Swept(f, long(first)).described;
    }
    if (table) std::fclose(table);
}

}  // namespace
