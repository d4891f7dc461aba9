// The Tal_Matrix3 members that hand 16-bit points, fixed points and rectangles to the bulk
// transforms, whose range tests and reports they share; a failure code is thrown.
#include "matrix/matrix_members.h"
#include "tal/matrix.h"
#include "tal/xform.h"

void Tal_Matrix3::TransformPoints(long n, Tal_Point* p) const {
    Talp_ThrowIfFailed(Tal_TransformPoints(&m[0][0], n, p));
}

void Tal_Matrix3::TransformPoints(long n, Tal_FixedPoint* p) const {
    Talp_ThrowIfFailed(Tal_TransformFixPoints(&m[0][0], n, p));
}

void Tal_Matrix3::TransformRect(Tal_Rect* r, Tal_Vector2T<double>* corners,
                                unsigned char* flag) const {
    Talp_ThrowIfFailed(Tal_TransformRect(&m[0][0], r, corners, flag));
}

void Tal_Matrix3::TransformRect(Tal_FixedRect* r, Tal_FixedPoint* corners,
                                unsigned char* flag) const {
    Talp_ThrowIfFailed(Tal_TransformFixRect(&m[0][0], r, corners, flag));
}
