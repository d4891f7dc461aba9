// Even-odd point-in-polygon test of closed outlines, with an optional tolerance band.
//
// The outline is walked in place: its vertex list is the caller's array read with consecutive
// bitwise repeats skipped, and its edges are the pairs of neighbours plus the closing pair. A
// repeat only adds an edge of zero length, which never straddles the point and whose band tests
// repeat those of its neighbours, so the walk visits the raw pairs; only an outline of one
// distinct vertex needs telling apart, and the scan for it stops at the first different vertex.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <exception>
#include <stdexcept>

#include "frame/base_library.h"
#include "matrix/nearly_equal.h"
#include "tal/geometry.h"
#include "tal/poly.h"

namespace {

typedef Tal_Vector2T<double> Talp_Vec2;

// A count whose vertex list would not fit in the address space is a caller's error that must
// still end as a report, not as a read through a wild pointer.
template <typename T>
void Talp_CheckListFits(long count) {
    if (size_t(count) >= size_t(PTRDIFF_MAX) / sizeof(T)) throw std::length_error("vertex list");
}

template <typename T>
bool Talp_SameBits(const T& a, const T& b) {
    return std::memcmp(&a, &b, sizeof(T)) == 0;
}

// True when every vertex has the bits of the first (+0.0 and -0.0 differ, equal NaNs match).
template <typename T>
bool Talp_OneDistinctVertex(const T* v, long count) {
    for (long i = 1; i < count; ++i)
        if (!Talp_SameBits(v[i], v[0])) return false;
    return true;
}

// Single-vertex outline. The float instance rounds the differences and their squared sum to
// float, as a float outline's own arithmetic would.
template <typename C>
bool Talp_HitsVertex(const Talp_Vec2& p, double vx, double vy, double tolSq) {
    if (tolSq > 0) {
        const C dx = C(p.x - vx), dy = C(p.y - vy);
        const C d2 = C(double(dx) * dx + double(dy) * dy);
        return double(d2) <= tolSq;
    }
    return p.x == vx && p.y == vy;
}

bool Talp_WithinOfPoint(const Talp_Vec2& p, const Talp_Vec2& v, double tolSq) {
    const double dx = p.x - v.x, dy = p.y - v.y;
    return dx * dx + dy * dy <= tolSq;
}

// Cheap, conservative: p is so far outside the edge's box widened by tol that no band test of
// the edge can hold. The margin dwarfs any rounding of those tests, and a NaN or infinite
// coordinate makes it NaN or infinite, which never rejects.
bool Talp_FarFromEdge(const Talp_Vec2& p, const Talp_Vec2& a, const Talp_Vec2& b, double tol) {
    const double margin = 1e-9 * (tol + std::fabs(p.x - a.x) + std::fabs(p.y - a.y) +
                                  std::fabs(b.x - a.x) + std::fabs(b.y - a.y));
    const double reach = tol + margin;
    const double loX = a.x < b.x ? a.x : b.x, hiX = a.x < b.x ? b.x : a.x;
    const double loY = a.y < b.y ? a.y : b.y, hiY = a.y < b.y ? b.y : a.y;
    const double gapX = p.x < loX ? loX - p.x : p.x > hiX ? p.x - hiX : 0.0;
    const double gapY = p.y < loY ? loY - p.y : p.y > hiY ? p.y - hiY : 0.0;
    return gapX * gapX + gapY * gapY > reach * reach;
}

// Within the band around edge a-b: beside the segment or near either end.
bool Talp_WithinOfEdge(const Talp_Vec2& p, const Talp_Vec2& a, const Talp_Vec2& b, double tol,
                       double tolSq) {
    if (Talp_FarFromEdge(p, a, b, tol)) return false;
    unsigned char beside = 0;
    double dist = 0.0;
    if (const Tal_Err err = Tal_PerpDistTo2DLine(&p, &a, &b, &beside, &dist)) throw long(err);
    if (beside && dist * dist <= tolSq) return true;
    return Talp_WithinOfPoint(p, a, tolSq) || Talp_WithinOfPoint(p, b, tolSq);
}

// Edge a-b against the upward ray from p, once the cheap test (x0 < px) != (x1 < px) has passed
// (it holds for every straddling edge): true when p lies on the edge; otherwise counts a crossing
// above p. The x interval is half-open so a vertex on the ray counts once; vertical and
// zero-length edges never straddle.
bool Talp_OnEdgeOrCount(const Talp_Vec2& p, double x0, double y0, double x1, double y1,
                        uint32_t& crossings) {
    if (!((x0 < p.x && p.x <= x1) || (x1 < p.x && p.x <= x0))) return false;
    const double yint = y1 + (y0 - y1) * ((p.x - x1) / (x0 - x1));
    if (Talp_NearlyEqual(yint, p.y, Talp_NearlyEqualUnits, Talp_NearlyEqualRel)) return true;
    crossings += p.y < yint ? 1u : 0u;
    return false;
}

bool Talp_OddAndPositive(uint32_t crossings) {
    const int32_t count = int32_t(crossings);  // a signed 32-bit count, wrapped
    return count > 0 && (count & 1) != 0;
}

Talp_Vec2 Talp_Widen(const Tal_Vector2T<double>& v) {
    return v;
}
Talp_Vec2 Talp_Widen(const Tal_Vector2T<float>& v) {
    return {v.x, v.y};
}

// Edge i runs from v[i] to v[i + 1], the last one back to v[0].
template <typename T>
bool Talp_HitsOutlineWithBand(const Talp_Vec2& p, const T* v, long count, double tolSq) {
    const double tol = std::sqrt(tolSq);
    uint32_t crossings = 0;
    for (long i = 0; i < count; ++i) {
        const Talp_Vec2 a = Talp_Widen(v[i]), b = Talp_Widen(v[i + 1 == count ? 0 : i + 1]);
        if (Talp_WithinOfEdge(p, a, b, tol, tolSq)) return true;
        if ((a.x < p.x) != (b.x < p.x) && Talp_OnEdgeOrCount(p, a.x, a.y, b.x, b.y, crossings))
            return true;
    }
    return Talp_OddAndPositive(crossings);
}

// The hot loop of the plain test: only x is read until an edge straddles the point.
template <typename T>
bool Talp_HitsOutline(const Talp_Vec2& p, const T* v, long count) {
    uint32_t crossings = 0;
    double x0 = v[0].x;
    bool left0 = x0 < p.x;
    for (long i = 1; i < count; ++i) {
        const double x1 = v[i].x;
        const bool left1 = x1 < p.x;
        if (left0 != left1 && Talp_OnEdgeOrCount(p, x0, v[i - 1].y, x1, v[i].y, crossings))
            return true;
        x0 = x1;
        left0 = left1;
    }
    const double x1 = v[0].x;
    if (left0 != (x1 < p.x) && Talp_OnEdgeOrCount(p, x0, v[count - 1].y, x1, v[0].y, crossings))
        return true;
    return Talp_OddAndPositive(crossings);
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
        Talp_CheckListFits<T>(count);
        const Talp_Vec2 p = Talp_Widen(*point);
        bool hit;
        if (Talp_OneDistinctVertex(vertices, count))
            hit = Talp_HitsVertex<Component>(p, vertices[0].x, vertices[0].y, tolSq);
        else if (tolSq > 0)
            hit = Talp_HitsOutlineWithBand(p, vertices, count, tolSq);
        else
            hit = Talp_HitsOutline(p, vertices, count);
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
