// Even-odd point-in-polygon test of closed outlines, with an optional tolerance band.
#include <cstdint>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>

#include "frame/base_library.h"
#include "matrix/nearly_equal.h"
#include "tal/geometry.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> Vec2;

// Outlines up to this many vertices are tested without touching the heap.
constexpr long kInlineVertices = 64;

// The distinct vertices of one call, closed by a copy of the first: room for count + 1.
template <typename T>
class VertexList {
public:
    explicit VertexList(long count) : data_(inline_) {
        if (count <= kInlineVertices) return;
        if (size_t(count) >= PTRDIFF_MAX / sizeof(T)) throw std::length_error("vertex list");
        heap_.reset(new T[size_t(count) + 1]);
        data_ = heap_.get();
    }
    T* data() { return data_; }

private:
    T inline_[kInlineVertices + 1];
    std::unique_ptr<T[]> heap_;
    T* data_;
};

template <typename T>
bool SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// Copies in[0..count) to out dropping consecutive bitwise repeats (+0.0 and -0.0 differ, equal
// NaNs match), then repeats out[0] after the last; returns the number of distinct vertices.
template <typename T>
long CopyDistinct(const T* in, long count, T* out) {
    out[0] = in[0];
    long n = 1;
    for (long i = 1; i < count; ++i) {
        out[n] = in[i];
        n += SameBits(in[i], out[n - 1]) ? 0 : 1;
    }
    out[n] = out[0];
    return n;
}

// Single-vertex outline. The float instance rounds the differences and their squared sum to
// float, as a float outline's own arithmetic would.
template <typename C>
bool HitsVertex(const Vec2& p, double vx, double vy, double tolSq) {
    if (tolSq > 0) {
        const C dx = C(p.x - vx), dy = C(p.y - vy);
        const C d2 = C(double(dx) * dx + double(dy) * dy);
        return double(d2) <= tolSq;
    }
    return p.x == vx && p.y == vy;
}

bool WithinOfPoint(const Vec2& p, double x, double y, double tolSq) {
    const double dx = p.x - x, dy = p.y - y;
    return dx * dx + dy * dy <= tolSq;
}

// Within the band around edge (x0, y0)-(x1, y1): beside the segment or near either end.
bool WithinOfEdge(const Vec2& p, double x0, double y0, double x1, double y1, double tolSq) {
    const Vec2 start{x0, y0}, end{x1, y1};
    unsigned char beside = 0;
    double dist = 0.0;
    if (const Tal_Err err = Tal_PerpDistTo2DLine(&p, &start, &end, &beside, &dist)) throw long(err);
    if (beside && dist * dist <= tolSq) return true;
    return WithinOfPoint(p, x0, y0, tolSq) || WithinOfPoint(p, x1, y1, tolSq);
}

// One edge against the upward ray from p: true when p lies on the edge; otherwise counts a
// crossing above p. The x interval is half-open so a vertex on the ray counts once; vertical
// and zero-length edges never straddle.
inline bool OnEdgeOrCount(const Vec2& p, double x0, double y0, double x1, double y1,
                          uint32_t& crossings) {
    if ((x0 < p.x) == (x1 < p.x)) return false;  // cheap filter; the exact rule follows
    if (!((x0 < p.x && p.x <= x1) || (x1 < p.x && p.x <= x0))) return false;
    const double yint = y1 + (y0 - y1) * ((p.x - x1) / (x0 - x1));
    if (Talp_NearlyEqual(yint, p.y, Talp_NearlyEqualUnits, Talp_NearlyEqualRel)) return true;
    crossings += p.y < yint ? 1u : 0u;
    return false;
}

bool OddAndPositive(uint32_t crossings) {
    const int32_t count = int32_t(crossings);  // a signed 32-bit count, wrapped
    return count > 0 && (count & 1) != 0;
}

// Walks the closed outline v[0..n] (v[n] == v[0]) edge by edge.
template <typename T>
bool HitsOutline(const Vec2& p, const T* v, long n, double tolSq) {
    uint32_t crossings = 0;
    double x0 = v[0].x, y0 = v[0].y;
    if (tolSq > 0) {
        for (long i = 1; i <= n; ++i) {
            const double x1 = v[i].x, y1 = v[i].y;
            if (WithinOfEdge(p, x0, y0, x1, y1, tolSq)) return true;
            if (OnEdgeOrCount(p, x0, y0, x1, y1, crossings)) return true;
            x0 = x1;
            y0 = y1;
        }
    } else {
        for (long i = 1; i <= n; ++i) {
            const double x1 = v[i].x, y1 = v[i].y;
            if (OnEdgeOrCount(p, x0, y0, x1, y1, crossings)) return true;
            x0 = x1;
            y0 = y1;
        }
    }
    return OddAndPositive(crossings);
}

}  // namespace

template <typename T>
long Tal_IsFloatPointInConcavePoly(const T* point, const T* vertices, long count, double tolerance,
                                   unsigned char* inside) {
    typedef decltype(T::x) Component;
    *inside = 0;
    if (count < 1) return 0;
    const double tolSq = tolerance * tolerance;
    try {
        VertexList<T> list(count);
        T* v = list.data();
        const long n = CopyDistinct(vertices, count, v);
        const Vec2 p{double(point->x), double(point->y)};
        const bool hit =
            n == 1 ? HitsVertex<Component>(p, v[0].x, v[0].y, tolSq) : HitsOutline(p, v, n, tolSq);
        *inside = hit ? 1 : 0;
        return 0;
    } catch (long code) {
        return code;
    } catch (const std::exception& e) {
        return Bas_TranslateAndReportException(e);
    }
}

template TAL_API long Tal_IsFloatPointInConcavePoly<Tal_Vector2T<double>>(
    const Tal_Vector2T<double>* point, const Tal_Vector2T<double>* vertices, long count,
    double tolerance, unsigned char* inside);
template TAL_API long Tal_IsFloatPointInConcavePoly<Tal_Vector2T<float>>(
    const Tal_Vector2T<float>* point, const Tal_Vector2T<float>* vertices, long count,
    double tolerance, unsigned char* inside);

long Tal_IsFloatPointInQuad(const Tal_Vector2T<double>* point, const Tal_Vector2T<double>* quad,
                            unsigned char* inside) {
    return Tal_IsFloatPointInConcavePoly(point, quad, 4, 0.0, inside);
}
