// Arrays of double points and vectors through 3x3 and 4x4 matrices, in place.
#include "matrix/products.h"
#include "tal/xform.h"

Tal_Err Tal_TransformFloatPoints(const double m[9], long count, Tal_Vector2T<double>* points) {
    Talp_ForEachElement<9, Talp_ApplyAffine>(m, count, points);
    return 0;
}

Tal_Err Tal_TransformVector3(const double m[9], long count, Tal_Vector3T<double>* v) {
    Talp_ForEachElement<9, Talp_Apply3>(m, count, v);
    return 0;
}

Tal_Err Tal_TransformVector4(const double m[16], long count, Tal_Vector4T<double>* v) {
    Talp_ForEachElement<16, Talp_Apply4Divided>(m, count, v);
    return 0;
}

Tal_Err Tal_TransformVector4NoDivide(const double m[16], long count, Tal_Vector4T<double>* v) {
    Talp_ForEachElement<16, Talp_Apply4>(m, count, v);
    return 0;
}

Tal_Err Tal_Transform3DFloatPoints(const double m[16], long count, Tal_Vector3T<double>* points) {
    Talp_ForEachElement<16, Talp_ApplyPoint3D>(m, count, points);
    return 0;
}
