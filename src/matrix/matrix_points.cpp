// The point-transforming members of Tal_Matrix3 and Tal_Matrix4: plain, tested-divide and fast
// forms, and the integer, fixed and rectangle forms that hand over to the bulk functions.
#include "frame/base_library.h"
#include "tal/matrix.h"
#include "tal/xform.h"
#include "xform/products.h"

namespace {

constexpr uint16_t kSite3Point = 0x39;
constexpr uint16_t kSite3Points = 0x3A;
constexpr uint16_t kSite4Point = 0x3B;
constexpr uint16_t kSite4Points = 0x3C;

// Message 40 at the member's site, then the thrown code; callers have written nothing yet.
[[noreturn]] void ThrowZeroW(uint16_t site) {
    Talp_ReportMessage(site, 40);
    throw long(Tal_Err_ZERO_W);
}

void ThrowOnError(Tal_Err err) {
    if (err) throw long(err);
}

// The 3x3 members divide truly; w' has passed the test (or is not tested).
Tal_Vector3T<double> Divide3(const Tal_Vector3T<double>& q) {
    return {q.x / q.z, q.y / q.z, 1.0};
}

Tal_Vector3T<double> TestedDivide3(const double* m, const Tal_Vector3T<double>& p, uint16_t site) {
    const Tal_Vector3T<double> q = Talp_Map3(m, p.x, p.y, p.z);
    if (Talp_NearZeroW(q.z)) ThrowZeroW(site);
    return Divide3(q);
}

Tal_Vector4T<double> TestedDivide4(const double* m, const Tal_Vector4T<double>& p, uint16_t site) {
    const Tal_Vector4T<double> q = Talp_Map4(m, p.x, p.y, p.z, p.w);
    if (Talp_NearZeroW(q.w)) ThrowZeroW(site);
    return Talp_DivideByW(q);
}

}  // namespace

// ---- Tal_Matrix3 ------------------------------------------------------------------------------

void Tal_Matrix3::TransformPoint(Tal_Vector2T<double>* p) const {
    *p = Talp_MapAffine(&m[0][0], p->x, p->y);
}

void Tal_Matrix3::TransformPoints(long n, Tal_Vector2T<double>* p) const {
    if (n < 1) return;
    Talp_ForEachElement<9>(&m[0][0], n, p, [](const double* k, Tal_Vector2T<double>& v) {
        v = Talp_MapAffine(k, v.x, v.y);
    });
}

void Tal_Matrix3::TransformPoint(Tal_Vector3T<double>* p) const {
    *p = Talp_Map3(&m[0][0], p->x, p->y, p->z);
}

void Tal_Matrix3::TransformPoints(long n, Tal_Vector3T<double>* p) const {
    ThrowOnError(Tal_TransformVector3(&m[0][0], n, p));
}

void Tal_Matrix3::TransformPointAndDivide(Tal_Vector3T<double>* p) const {
    *p = TestedDivide3(&m[0][0], *p, kSite3Point);
}

void Tal_Matrix3::TransformPointAndDivide(Tal_Vector2T<double>* p) const {
    const Tal_Vector3T<double> q = TestedDivide3(&m[0][0], {p->x, p->y, 1.0}, kSite3Point);
    *p = {q.x, q.y};
}

void Tal_Matrix3::TransformPointsAndDivide(long n, Tal_Vector3T<double>* p) const {
    if (n < 1) return;
    Talp_ForEachElement<9>(&m[0][0], n, p, [](const double* k, Tal_Vector3T<double>& v) {
        v = TestedDivide3(k, v, kSite3Points);
    });
}

void Tal_Matrix3::TransformPointsAndDivide(long n, Tal_Vector2T<double>* p) const {
    for (long i = 0; i < n; ++i)
        TransformPointAndDivide(&p[i]);
}

void Tal_Matrix3::TransformPointAndDivideFast(Tal_Vector3T<double>* p) const {
    *p = Divide3(Talp_Map3(&m[0][0], p->x, p->y, p->z));
}

void Tal_Matrix3::TransformPointsAndDivideFast(long n, Tal_Vector3T<double>* p) const {
    if (n < 1) return;
    Talp_ForEachElement<9>(&m[0][0], n, p, [](const double* k, Tal_Vector3T<double>& v) {
        v = Divide3(Talp_Map3(k, v.x, v.y, v.z));
    });
}

void Tal_Matrix3::TransformPoints(long n, Tal_Point* p) const {
    ThrowOnError(Tal_TransformPoints(&m[0][0], n, p));
}

void Tal_Matrix3::TransformPoints(long n, Tal_FixedPoint* p) const {
    ThrowOnError(Tal_TransformFixPoints(&m[0][0], n, p));
}

void Tal_Matrix3::TransformRect(Tal_Rect* r, Tal_Vector2T<double>* corners,
                                unsigned char* flag) const {
    ThrowOnError(Tal_TransformRect(&m[0][0], r, corners, flag));
}

void Tal_Matrix3::TransformRect(Tal_FixedRect* r, Tal_FixedPoint* corners,
                                unsigned char* flag) const {
    ThrowOnError(Tal_TransformFixRect(&m[0][0], r, corners, flag));
}

// ---- Tal_Matrix4 ------------------------------------------------------------------------------

void Tal_Matrix4::TransformPoint(Tal_Vector4T<double>* p) const {
    *p = Talp_Map4(&m[0][0], p->x, p->y, p->z, p->w);
}

void Tal_Matrix4::TransformPoint(Tal_Vector3T<double>* p) const {
    const Tal_Vector4T<double> q = Talp_Map4(&m[0][0], p->x, p->y, p->z, 1.0);
    *p = {q.x, q.y, q.z};
}

void Tal_Matrix4::TransformPoints(long n, Tal_Vector4T<double>* p) const {
    ThrowOnError(Tal_TransformVector4NoDivide(&m[0][0], n, p));
}

void Tal_Matrix4::TransformPoints(long n, Tal_Vector3T<double>* p) const {
    for (long i = 0; i < n; ++i)
        TransformPoint(&p[i]);
}

void Tal_Matrix4::TransformPointAndDivide(Tal_Vector4T<double>* p) const {
    *p = TestedDivide4(&m[0][0], *p, kSite4Point);
}

void Tal_Matrix4::TransformPointAndDivide(Tal_Vector3T<double>* p) const {
    const Tal_Vector4T<double> q = TestedDivide4(&m[0][0], {p->x, p->y, p->z, 1.0}, kSite4Point);
    *p = {q.x, q.y, q.z};
}

void Tal_Matrix4::TransformPointsAndDivide(long n, Tal_Vector4T<double>* p) const {
    if (n < 1) return;
    Talp_ForEachElement<16>(&m[0][0], n, p, [](const double* k, Tal_Vector4T<double>& v) {
        v = TestedDivide4(k, v, kSite4Points);
    });
}

void Tal_Matrix4::TransformPointsAndDivide(long n, Tal_Vector3T<double>* p) const {
    for (long i = 0; i < n; ++i)
        TransformPointAndDivide(&p[i]);
}

void Tal_Matrix4::TransformPointAndDivideFast(Tal_Vector4T<double>* p) const {
    *p = Talp_DivideByW(Talp_Map4(&m[0][0], p->x, p->y, p->z, p->w));
}

void Tal_Matrix4::TransformPointsAndDivideFast(long n, Tal_Vector4T<double>* p) const {
    if (n < 1) return;
    Talp_ForEachElement<16>(&m[0][0], n, p, [](const double* k, Tal_Vector4T<double>& v) {
        v = Talp_DivideByW(Talp_Map4(k, v.x, v.y, v.z, v.w));
    });
}
