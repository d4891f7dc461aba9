// The 3x3 minors of a 4x4 matrix, shared by the inverse and the determinant.
#pragma once

/// Reads all of src, then stores in minors[r*4+c] (when not null) the determinant of src without
/// row r and column c, each by the six-term rule summed left to right; returns the determinant
/// expanded along row 0. Without a minors array only the four minors of row 0 are computed.
double Talp_Matrix4Minors(const double* src, double* minors);

/// The same minors and determinant, one element at a time: the reference the fast form must
/// match bit for bit.
double Talp_Matrix4MinorsPortable(const double* src, double* minors);
