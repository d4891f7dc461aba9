// 3x3 inversion by Gauss-Jordan elimination with partial pivoting. The work rows are kept in
// pivot order locally, so that every step is straight-line code; dst only ever sees rows in
// their original places, so a failure leaves it exactly as far as the elimination got.
#include <cmath>
#include <cstring>

#include "matrix/constants.h"
#include "tal/frame.h"
#include "tal/matrix.h"

namespace {

constexpr uint16_t Talp_InverseSite = 0x23;

struct Talp_Elimination {
    double w[3][3];  // the work copy of the source, reduced in place
    double d[3][3];  // the inverse being built
    int row[3];      // original row number of each local row
};

// A NaN pivot passes.
bool Talp_PivotTooSmall(double v) {
    return -Talp_MinPivot < v && v < Talp_MinPivot;
}

void Talp_SwapRows(Talp_Elimination& e, int a, int b) {
    if (a == b) return;
    double t[3];
    std::memcpy(t, e.w[a], sizeof t);
    std::memcpy(e.w[a], e.w[b], sizeof t);
    std::memcpy(e.w[b], t, sizeof t);
    std::memcpy(t, e.d[a], sizeof t);
    std::memcpy(e.d[a], e.d[b], sizeof t);
    std::memcpy(e.d[b], t, sizeof t);
    const int r = e.row[a];
    e.row[a] = e.row[b];
    e.row[b] = r;
}

// Scales local row C to 1 at column C, then clears column C from the other two rows.
template <int C>
void Talp_EliminateColumn(Talp_Elimination& e) {
    const double inv = 1 / e.w[C][C];
    e.w[C][C] = 1;
    for (int k = C + 1; k < 3; ++k)
        e.w[C][k] *= inv;
    for (int k = 0; k < 3; ++k)
        e.d[C][k] *= inv;
    for (int r = 0; r < 3; ++r) {
        if (r == C) continue;
        const double f = -e.w[r][C];
        e.w[r][C] = 0;
        for (int k = C + 1; k < 3; ++k)
            e.w[r][k] += f * e.w[C][k];
        for (int k = 0; k < 3; ++k)
            e.d[r][k] += f * e.d[C][k];
    }
}

// Largest magnitude in column 0; ties go to the higher row.
int Talp_FirstPivotRow(const double (&w)[3][3]) {
    const double a0 = std::fabs(w[0][0]), a1 = std::fabs(w[1][0]), a2 = std::fabs(w[2][0]);
    if (a0 <= a1) return a1 > a2 ? 1 : 2;
    return a0 > a2 ? 0 : 2;
}

// Of local rows 1 and 2, the larger magnitude in column 1; ties go to the higher original row.
int Talp_SecondPivotRow(const Talp_Elimination& e) {
    const int lo = e.row[1] < e.row[2] ? 1 : 2, hi = 3 - lo;
    return std::fabs(e.w[lo][1]) > std::fabs(e.w[hi][1]) ? lo : hi;
}

Tal_Err Talp_FailInversion(const Talp_Elimination& e, double* dst, unsigned char* failed) {
    for (int l = 0; l < 3; ++l)
        std::memcpy(dst + e.row[l] * 3, e.d[l], sizeof e.d[l]);
    if (failed) *failed = 1;
    return Tal_Err_CANT_INVERT;
}

}  // namespace

Tal_Err Tal_InverseMatrixQuiet(const double* src, double* dst, unsigned char* failed) {
    Talp_Elimination e;
    std::memcpy(e.w, src, sizeof e.w);
    if (failed) *failed = 0;
    if (Tal_Err err = Tal_SetIdentityMatrix(&e.d[0][0])) return err;
    e.row[0] = 0;
    e.row[1] = 1;
    e.row[2] = 2;

    Talp_SwapRows(e, 0, Talp_FirstPivotRow(e.w));
    if (Talp_PivotTooSmall(e.w[0][0])) return Talp_FailInversion(e, dst, failed);
    Talp_EliminateColumn<0>(e);
    Talp_SwapRows(e, 1, Talp_SecondPivotRow(e));
    if (Talp_PivotTooSmall(e.w[1][1])) return Talp_FailInversion(e, dst, failed);
    Talp_EliminateColumn<1>(e);
    if (Talp_PivotTooSmall(e.w[2][2])) return Talp_FailInversion(e, dst, failed);
    Talp_EliminateColumn<2>(e);

    // Row c of the inverse is the row that pivoted column c: local row c.
    std::memcpy(dst, e.d, sizeof e.d);
    return 0;
}

Tal_Err Tal_InverseMatrix(const double* src, double* dst) {
    unsigned char failed = 0;
    const Tal_Err err = Tal_InverseMatrixQuiet(src, dst, &failed);
    if (failed && err) Talp_ReportErr(Talp_InverseSite, err, 0);
    return err;
}
