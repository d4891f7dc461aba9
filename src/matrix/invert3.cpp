// 3x3 inversion by Gauss-Jordan elimination with partial pivoting. Rows are never exchanged:
// the pivot rows are remembered and the result rows put in order at the end, so that a failure
// leaves dst exactly as far as the elimination got.
#include <cmath>
#include <cstring>

#include "tal/matrix.h"

namespace {

constexpr uint16_t kInverseSite = 0x23;

struct Elimination {
    double w[3][3];  // the work copy of the source, reduced in place
    double* dst;     // accumulates the inverse, row by row
};

// A pivot fails when strictly inside (-1e-20, 1e-20); a NaN passes.
bool PivotTooSmall(double v) {
    return -1e-20 < v && v < 1e-20;
}

// Scales pivot row p to 1 at column c, then clears column c from the other two rows.
void EliminateColumn(Elimination& e, int p, int c) {
    const double d = 1 / e.w[p][c];
    e.w[p][c] = 1;
    for (int k = c + 1; k < 3; ++k)
        e.w[p][k] *= d;
    double* const dp = e.dst + p * 3;
    for (int k = 0; k < 3; ++k)
        dp[k] *= d;
    for (int r = 0; r < 3; ++r) {
        if (r == p) continue;
        const double f = -e.w[r][c];
        e.w[r][c] = 0;
        for (int k = c + 1; k < 3; ++k)
            e.w[r][k] += f * e.w[p][k];
        double* const dr = e.dst + r * 3;
        for (int k = 0; k < 3; ++k)
            dr[k] += f * dp[k];
    }
}

// Largest magnitude in column 0; ties go to the higher row.
int FirstPivotRow(const double (&w)[3][3]) {
    const double a0 = std::fabs(w[0][0]), a1 = std::fabs(w[1][0]), a2 = std::fabs(w[2][0]);
    if (a0 <= a1) return a1 > a2 ? 1 : 2;
    return a0 > a2 ? 0 : 2;
}

}  // namespace

Tal_Err Tal_InverseMatrixQuiet(const double* src, double* dst, unsigned char* failed) {
    Elimination e;
    std::memcpy(e.w, src, sizeof e.w);
    if (failed) *failed = 0;
    if (Tal_Err err = Tal_SetIdentityMatrix(dst)) return err;
    e.dst = dst;

    int pivot[3];
    pivot[0] = FirstPivotRow(e.w);
    // The two rows left for column 1, in row order, so that the later one wins a tie.
    const int lo = pivot[0] == 0 ? 1 : 0;
    const int hi = pivot[0] == 2 ? 1 : 2;
    for (int c = 0; c < 3; ++c) {
        if (c == 1) pivot[1] = std::fabs(e.w[lo][1]) > std::fabs(e.w[hi][1]) ? lo : hi;
        if (c == 2) pivot[2] = 3 - pivot[0] - pivot[1];
        if (PivotTooSmall(e.w[pivot[c]][c])) {
            if (failed) *failed = 1;
            return Tal_Err_CANT_INVERT;
        }
        EliminateColumn(e, pivot[c], c);
    }

    double ordered[9];
    for (int c = 0; c < 3; ++c)
        std::memcpy(ordered + c * 3, dst + pivot[c] * 3, 3 * sizeof(double));
    std::memcpy(dst, ordered, sizeof ordered);
    return 0;
}

Tal_Err Tal_InverseMatrix(const double* src, double* dst) {
    unsigned char failed = 0;
    const Tal_Err err = Tal_InverseMatrixQuiet(src, dst, &failed);
    if (failed && err) Talp_ReportErr(kInverseSite, err, 0);
    return err;
}
