// The members of Tal_Matrix3 and Tal_Matrix4 that transform double points: plain, tested-divide
// and fast forms. Each form is one per-point kernel; the single-point member applies it, the
// array member hands it to Talp_ForEachElement.
#include "frame/base_library.h"
#include "matrix/constants.h"
#include "matrix/products.h"
#include "tal/matrix.h"

namespace {

constexpr uint16_t Talp_Site3Point = 0x39;
constexpr uint16_t Talp_Site3Points = 0x3A;
constexpr uint16_t Talp_Site4Point = 0x3B;
constexpr uint16_t Talp_Site4Points = 0x3C;
constexpr int32_t Talp_MsgZeroW = 40;  // "homogeneous point has W=0"

// The message at the member's site, then the thrown code; the kernel has written nothing yet.
[[noreturn]] void Talp_ThrowZeroW(uint16_t site) {
    Talp_ReportMessage(site, Talp_MsgZeroW);
    throw long(Tal_Err_ZERO_W);
}

// The 3x3 members divide truly; w' has passed the test (or is not tested).
Tal_Vector3T<double> Talp_Divide3(const Tal_Vector3T<double>& q) {
    return {q.x / q.z, q.y / q.z, 1.0};
}

template <uint16_t Site>
void Talp_TestedDivide3(const double* m, Tal_Vector3T<double>& p) {
    const Tal_Vector3T<double> q = Talp_Map3(m, p.x, p.y, p.z);
    if (Talp_IsNearZero(q.z)) Talp_ThrowZeroW(Site);
    p = Talp_Divide3(q);
}

// (x, y, 1) through the tested divide.
template <uint16_t Site>
void Talp_TestedDivide2(const double* m, Tal_Vector2T<double>& p) {
    Tal_Vector3T<double> q{p.x, p.y, 1.0};
    Talp_TestedDivide3<Site>(m, q);
    p = {q.x, q.y};
}

void Talp_FastDivide3(const double* m, Tal_Vector3T<double>& p) {
    p = Talp_Divide3(Talp_Map3(m, p.x, p.y, p.z));
}

// (x, y, z, 1) x m with w' dropped undivided.
void Talp_ApplyPoint4(const double* m, Tal_Vector3T<double>& p) {
    const Tal_Vector4T<double> q = Talp_Map4(m, p.x, p.y, p.z, 1.0);
    p = {q.x, q.y, q.z};
}

template <uint16_t Site>
void Talp_TestedDivide4(const double* m, Tal_Vector4T<double>& p) {
    const Tal_Vector4T<double> q = Talp_Map4(m, p.x, p.y, p.z, p.w);
    if (Talp_IsNearZero(q.w)) Talp_ThrowZeroW(Site);
    p = Talp_DivideByW(q);
}

// (x, y, z, 1) through the tested divide.
template <uint16_t Site>
void Talp_TestedDividePoint4(const double* m, Tal_Vector3T<double>& p) {
    Tal_Vector4T<double> q{p.x, p.y, p.z, 1.0};
    Talp_TestedDivide4<Site>(m, q);
    p = {q.x, q.y, q.z};
}

void Talp_FastDivide4(const double* m, Tal_Vector4T<double>& p) {
    p = Talp_DivideByW(Talp_Map4(m, p.x, p.y, p.z, p.w));
}

}  // namespace

// ---- Tal_Matrix3 ------------------------------------------------------------------------------

void Tal_Matrix3::TransformPoint(Tal_Vector2T<double>* p) const {
    Talp_ApplyAffine(&m[0][0], *p);
}

void Tal_Matrix3::TransformPoints(long n, Tal_Vector2T<double>* p) const {
    Talp_ForEachElement<9, Talp_ApplyAffine>(&m[0][0], n, p);
}

void Tal_Matrix3::TransformPoint(Tal_Vector3T<double>* p) const {
    Talp_Apply3(&m[0][0], *p);
}

void Tal_Matrix3::TransformPoints(long n, Tal_Vector3T<double>* p) const {
    Talp_ForEachElement<9, Talp_Apply3>(&m[0][0], n, p);
}

void Tal_Matrix3::TransformPointAndDivide(Tal_Vector3T<double>* p) const {
    Talp_TestedDivide3<Talp_Site3Point>(&m[0][0], *p);
}

void Tal_Matrix3::TransformPointAndDivide(Tal_Vector2T<double>* p) const {
    Talp_TestedDivide2<Talp_Site3Point>(&m[0][0], *p);
}

void Tal_Matrix3::TransformPointsAndDivide(long n, Tal_Vector3T<double>* p) const {
    Talp_ForEachElement<9, Talp_TestedDivide3<Talp_Site3Points>>(&m[0][0], n, p);
}

void Tal_Matrix3::TransformPointsAndDivide(long n, Tal_Vector2T<double>* p) const {
    Talp_ForEachElement<9, Talp_TestedDivide2<Talp_Site3Point>>(&m[0][0], n, p);
}

void Tal_Matrix3::TransformPointAndDivideFast(Tal_Vector3T<double>* p) const {
    Talp_FastDivide3(&m[0][0], *p);
}

void Tal_Matrix3::TransformPointsAndDivideFast(long n, Tal_Vector3T<double>* p) const {
    Talp_ForEachElement<9, Talp_FastDivide3>(&m[0][0], n, p);
}

// ---- Tal_Matrix4 ------------------------------------------------------------------------------

void Tal_Matrix4::TransformPoint(Tal_Vector4T<double>* p) const {
    Talp_Apply4(&m[0][0], *p);
}

void Tal_Matrix4::TransformPoint(Tal_Vector3T<double>* p) const {
    Talp_ApplyPoint4(&m[0][0], *p);
}

void Tal_Matrix4::TransformPoints(long n, Tal_Vector4T<double>* p) const {
    Talp_ForEachElement<16, Talp_Apply4>(&m[0][0], n, p);
}

void Tal_Matrix4::TransformPoints(long n, Tal_Vector3T<double>* p) const {
    Talp_ForEachElement<16, Talp_ApplyPoint4>(&m[0][0], n, p);
}

void Tal_Matrix4::TransformPointAndDivide(Tal_Vector4T<double>* p) const {
    Talp_TestedDivide4<Talp_Site4Point>(&m[0][0], *p);
}

void Tal_Matrix4::TransformPointAndDivide(Tal_Vector3T<double>* p) const {
    Talp_TestedDividePoint4<Talp_Site4Point>(&m[0][0], *p);
}

void Tal_Matrix4::TransformPointsAndDivide(long n, Tal_Vector4T<double>* p) const {
    Talp_ForEachElement<16, Talp_TestedDivide4<Talp_Site4Points>>(&m[0][0], n, p);
}

void Tal_Matrix4::TransformPointsAndDivide(long n, Tal_Vector3T<double>* p) const {
    Talp_ForEachElement<16, Talp_TestedDividePoint4<Talp_Site4Point>>(&m[0][0], n, p);
}

void Tal_Matrix4::TransformPointAndDivideFast(Tal_Vector4T<double>* p) const {
    Talp_FastDivide4(&m[0][0], *p);
}

void Tal_Matrix4::TransformPointsAndDivideFast(long n, Tal_Vector4T<double>* p) const {
    Talp_ForEachElement<16, Talp_FastDivide4>(&m[0][0], n, p);
}
