// Rectangles of every record kind through 3x3 matrices: the bounding rectangle of the four
// transformed corners, rounded, limited or outward-rounded as the coordinate kind needs.
#include <cmath>
#include <cstdint>

#include "frame/base_library.h"
#include "scalar/int32_range.h"
#include "tal/integer.h"
#include "tal/matrix.h"
#include "tal/xform.h"
#include "xform/short_limits.h"

namespace {

struct Talp_Extremes {
    double minX, maxX, minY, maxY;
};

// Scans in corner order with strict comparisons, so a NaN never displaces an earlier extreme.
template <typename Corner>
Talp_Extremes Talp_ExtremesOf(const Corner* c) {
    Talp_Extremes e = {double(c[0].x), double(c[0].x), double(c[0].y), double(c[0].y)};
    for (int i = 1; i < 4; ++i) {
        if (c[i].x < e.minX) e.minX = c[i].x;
        if (c[i].x > e.maxX) e.maxX = c[i].x;
        if (c[i].y < e.minY) e.minY = c[i].y;
        if (c[i].y > e.maxY) e.maxY = c[i].y;
    }
    return e;
}

template <typename Corner, typename Coord>
void Talp_CornersOf(Coord left, Coord top, Coord right, Coord bottom, Corner* c) {
    c[0] = {left, top};
    c[1] = {right, top};
    c[2] = {right, bottom};
    c[3] = {left, bottom};
}

// Only when the caller asked: 1 when the image of a rectangle need not be axis-aligned.
Tal_Err Talp_SetInexact(const double* m, unsigned char* inexact) {
    if (!inexact) return 0;
    long type = 0;
    if (const Tal_Err err = Tal_GetMatrixType(m, &type)) return err;
    *inexact = (type == Tal_MatrixType_AFFINE || type == Tal_MatrixType_PERSPECTIVE) ? 1 : 0;
    return 0;
}

double Talp_Limit(double v, double lo, double hi) {
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

int16_t Talp_RoundToShort(double v) {
    return int16_t(
        uint16_t(uint32_t(Tal_RoundDouble(Talp_Limit(v, Talp_ShortLimitMin, Talp_ShortLimitMax)))));
}

// Out of range or NaN gives 0x80000000, the library's mark for a value that does not fit.
int32_t Talp_ToLong(double v) {
    if (Talp_TruncatesToInt32(v)) return int32_t(v);
    return INT32_MIN;
}

}  // namespace

Tal_Err Tal_TransformRect(const double m[9], Tal_Rect* r, Tal_Vector2T<double>* corners,
                          unsigned char* inexact) {
    Tal_Vector2T<double> c[4];
    Talp_CornersOf<Tal_Vector2T<double>, double>(r->left, r->top, r->right, r->bottom, c);
    if (const Tal_Err err = Tal_TransformFloatPoints(m, 4, c)) return err;
    const Talp_Extremes e = Talp_ExtremesOf(c);
    r->left = Talp_RoundToShort(e.minX);
    r->right = Talp_RoundToShort(e.maxX);
    r->top = Talp_RoundToShort(e.minY);
    r->bottom = Talp_RoundToShort(e.maxY);
    if (corners) BlockMove(c, corners, sizeof c);
    return Talp_SetInexact(m, inexact);
}

Tal_Err Tal_TransformFloatRect(const double m[9], Tal_FloatRect* r, Tal_Vector2T<double>* corners,
                               unsigned char* inexact) {
    Tal_Vector2T<double> local[4];
    Tal_Vector2T<double>* c = corners ? corners : local;
    Talp_CornersOf(r->left, r->top, r->right, r->bottom, c);
    if (const Tal_Err err = Tal_TransformFloatPoints(m, 4, c)) return err;
    const Talp_Extremes e = Talp_ExtremesOf(c);
    *r = {e.minX, e.minY, e.maxX, e.maxY};
    return Talp_SetInexact(m, inexact);
}

Tal_Err Tal_TransformFixRect(const double m[9], Tal_FixedRect* r, Tal_FixedPoint* corners,
                             unsigned char* inexact) {
    Tal_FixedPoint local[4];
    Tal_FixedPoint* c = corners ? corners : local;
    Talp_CornersOf(r->left, r->top, r->right, r->bottom, c);
    if (const Tal_Err err = Tal_TransformFixPoints(m, 4, c)) return err;
    // Integers: the double scan compares them exactly.
    const Talp_Extremes e = Talp_ExtremesOf(c);
    *r = {Tal_Fixed(e.minX), Tal_Fixed(e.minY), Tal_Fixed(e.maxX), Tal_Fixed(e.maxY)};
    return Talp_SetInexact(m, inexact);
}

Tal_LRect Tal_TransformBounds(const Tal_Matrix3& m, const Tal_LRect& r) {
    if (r.right <= r.left || r.bottom <= r.top) return Tal_LRect{0, 0, 0, 0};
    Tal_Vector2T<double> c[4];
    Talp_CornersOf<Tal_Vector2T<double>, double>(r.left, r.top, r.right, r.bottom, c);
    if (const Tal_Err err = Tal_TransformFloatPoints(&m.m[0][0], 4, c)) throw long(err);
    Talp_Extremes e = Talp_ExtremesOf(c);
    if (e.minX < Talp_Int32MinDouble) e.minX = Talp_Int32MinDouble;
    if (e.minY < Talp_Int32MinDouble) e.minY = Talp_Int32MinDouble;
    if (e.maxX > Talp_Int32MaxDouble) e.maxX = Talp_Int32MaxDouble;
    if (e.maxY > Talp_Int32MaxDouble) e.maxY = Talp_Int32MaxDouble;
    return Tal_LRect{Talp_ToLong(std::floor(e.minX)), Talp_ToLong(std::floor(e.minY)),
                     Talp_ToLong(std::ceil(e.maxX)), Talp_ToLong(std::ceil(e.maxY))};
}
