// Ordered-XYZ angles of a rotation matrix, shared by the decomposition and the Euler functions.
#pragma once

#include "tal/vector.h"

/// The angles (x, y, z) in radians with r = Rz(z) x Ry(y) x Rx(x) (row vectors), read from the
/// upper 3x3 of the 4x4 r: y in [-pi/2, pi/2]; within 1e-5 of gimbal lock x is 0 and z carries
/// the whole turn about the vertical.
void Talp_OrderedXYZFromRotation(const double* r, Tal_Vector3T<double>* angles);
