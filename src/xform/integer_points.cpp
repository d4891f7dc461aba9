// Arrays of 16-bit and 16.16 points through 3x3 and 4x4 matrices, in place, with the range tests
// that bring results back into their integer fields.
#include <cstring>

#include "matrix/products.h"
#include "scalar/int32_range.h"
#include "tal/frame.h"
#include "tal/integer.h"
#include "tal/xform.h"
#include "xform/short_limits.h"

namespace {

// Two's-complement narrowing, so that the 0x80000000 of a NaN rounding lands as 0.
int16_t Talp_Low16(int32_t v) {
    return int16_t(uint16_t(uint32_t(v)));
}

struct Talp_ShortPoints {
    using Point = Tal_Point;
    static constexpr double kLow = -32768.0;
    static constexpr double kHigh = 32767.0;
    static constexpr double kUnit = 1.0;
    static constexpr uint16_t kSite = 0x26;
    static constexpr int16_t kPhrase = 26;
    static double X(const Point& p) { return p.h; }
    static double Y(const Point& p) { return p.v; }
    static void SetX(Point& p, double x) { p.h = Talp_Low16(Tal_RoundDouble(x)); }
    static void SetY(Point& p, double y) { p.v = Talp_Low16(Tal_RoundDouble(y)); }
};

struct Talp_FixedPoints {
    using Point = Tal_FixedPoint;
    static constexpr double kLow = Talp_Int32MinDouble;
    static constexpr double kHigh = Talp_Int32MaxDouble;
    static constexpr double kUnit = 65536.0;  // the translation row is in whole units
    static constexpr uint16_t kSite = 0x27;
    static constexpr int16_t kPhrase = 25;
    static double X(const Point& p) { return p.x; }
    static double Y(const Point& p) { return p.y; }
    static void SetX(Point& p, double x) { p.x = Tal_RoundDouble(x); }
    static void SetY(Point& p, double y) { p.y = Tal_RoundDouble(y); }
};

// Both bounds are out of range; NaN passes.
template <typename Kind>
bool Talp_OutOfRange(double v) {
    return v >= Kind::kHigh || v <= Kind::kLow;
}

// x is stored before y is computed (from the old coordinates), so a y overflow leaves the point
// with its new x and old y.
template <typename Kind>
Tal_Err Talp_MapIntegerPoints(const double* m, long count, typename Kind::Point* points) {
    if (count < 1) return 0;
    double k[9];
    std::memcpy(k, m, sizeof k);
    const double tx = Kind::kUnit * k[6];
    const double ty = Kind::kUnit * k[7];
    for (long i = 0; i < count; ++i) {
        typename Kind::Point& p = points[i];
        const double x = Kind::X(p);
        const double y = Kind::Y(p);
        const double nx = x * k[0] + y * k[3] + tx;
        if (Talp_OutOfRange<Kind>(nx))
            return Talp_ReportErr(Kind::kSite, Tal_Err_OVERFLOW, Kind::kPhrase);
        Kind::SetX(p, nx);
        const double ny = x * k[1] + y * k[4] + ty;
        if (Talp_OutOfRange<Kind>(ny))
            return Talp_ReportErr(Kind::kSite, Tal_Err_OVERFLOW, Kind::kPhrase);
        Kind::SetY(p, ny);
    }
    return 0;
}

// Limits to [-32767, 32766] and truncates toward zero; NaN stores 0.
int16_t Talp_LimitAndTruncate(double v) {
    if (v <= Talp_ShortLimitMin) return int16_t(Talp_ShortLimitMin);
    if (v >= Talp_ShortLimitMax) return int16_t(Talp_ShortLimitMax);
    return v == v ? int16_t(v) : 0;
}

}  // namespace

Tal_Err Tal_TransformPoints(const double m[9], long count, Tal_Point* points) {
    return Talp_MapIntegerPoints<Talp_ShortPoints>(m, count, points);
}

Tal_Err Tal_TransformFixPoints(const double m[9], long count, Tal_FixedPoint* points) {
    return Talp_MapIntegerPoints<Talp_FixedPoints>(m, count, points);
}

Tal_Err Tal_3DTransform2DPoints(const double m[16], long count, Tal_Point* points) {
    if (count < 1) return 0;
    double k[16];
    std::memcpy(k, m, sizeof k);
    for (long i = 0; i < count; ++i) {
        Tal_Vector3T<double> p = {double(points[i].h), double(points[i].v), 0.0};
        Talp_ApplyPoint3D(k, p);
        points[i].h = Talp_LimitAndTruncate(p.x);
        points[i].v = Talp_LimitAndTruncate(p.y);
    }
    return 0;
}
