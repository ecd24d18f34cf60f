// Inversion by Gauss-Jordan elimination without pivot search, on the matrix with 1.0 added to
// its diagonal.
#include "library/madinv.h"

#include <cstddef>

namespace library {

namespace {

// Subtracts from every row L other than the pivot row I the pivot row times Q(L) = B(L,I),
// where Q(L) is the value of B(L,I) before row L changes: B(L,J) = B(L,J) - B(I,J)*Q(L).
// Every element of the pivot's elimination is one such operation on values that no other
// operation of this pivot writes: row I is only read, and column I, which holds the Q(L), is
// done last so that each Q(L) is still the value from before the row changed. The order of
// the elements is therefore free; the columns are walked in storage order. Every update is
// computed, exact zeros included, so the signs of zero come out as in the row-by-row form.
void eliminate(double* b, std::size_t ld, int K, int I)
{
    const double* const q = b + static_cast<std::size_t>(I) * ld;  // column I, rows from 0
    const auto update_column = [&](int J) {
        double* const column = b + static_cast<std::size_t>(J) * ld;
        const double pivot_row_value = column[I];
        for (int L = 0; L < I; ++L) column[L] = column[L] - pivot_row_value * q[L];
        for (int L = I + 1; L < K; ++L) column[L] = column[L] - pivot_row_value * q[L];
    };
    for (int J = 0; J < K; ++J)
        if (J != I) update_column(J);
    update_column(I);
}

}  // namespace

Status MADINV(const Matrix& A, Matrix& B, Index K)
{
    for (int J = 1; J <= K; ++J)
        for (int I = 1; I <= K; ++I) B(I, J) = A(I, J);
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) + 1.0;

    const std::size_t ld = static_cast<std::size_t>(B.rows());
    for (int I = 1; I <= K; ++I) {
        const double P = B(I, I) - 1.0;
        if (P == 0.0) return FAILED;
        for (int J = 1; J <= K; ++J) B(I, J) = B(I, J) / P;
        eliminate(B.data(), ld, K, I - 1);
    }

    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) - 1.0;
    return DONE;
}

}  // namespace library
