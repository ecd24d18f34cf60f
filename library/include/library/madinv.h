// Inversion, and deletion and insertion of columns.
#pragma once
#include <limits>

#include "library/matrix.h"

namespace library {

// B(1:K,1:K) = inverse of A(1:K,1:K) by Gauss-Jordan elimination without pivot search, with 1.0
// added to the diagonal while it works. B may be A (the inversion then happens in place).
// FAILED at the first pivot that is exactly zero (B(I,I) equals 1.0 at that step): B then holds A
// with 1.0 added to the diagonal and the elimination done for the earlier pivots.
// K <= 0: nothing done, DONE.
Status MADINV(const Matrix& A, Matrix& B, Index K);

// The pivots that an inversion met: the smallest ratio |P| / |A(I,I)| of a pivot P to the
// diagonal element of A that its row started from, and that pivot's index (0: none met).
// A pivot far below its own diagonal element means that the row is, to rounding, a combination
// of the rows before it: the matrix is singular although no pivot came out exactly zero.
struct Pivots {
    double smallest_relative = std::numeric_limits<double>::infinity();  // while no pivot is met
    Index at = 0;
};
// MADINV with the same status and the same bits in B, and the pivots it met up to the end or up
// to the zero pivot where it failed.
Status MADINV(const Matrix& A, Matrix& B, Index K, Pivots& pivots);
// B(1:K,1:K) = inverse of A(1:K,1:K) by MADINV on A scaled to a unit diagonal: with S the
// diagonal matrix of 1/sqrt(A(I,I)), MADINV inverts S.A.S and B = S.(S.A.S)^-1.S. The offset of
// 1.0 that MADINV adds to the diagonal then sits beside elements of the same size, so a matrix
// with large or small diagonal elements keeps its digits. A diagonal element that is zero,
// negative or not finite is not scaled (its row and column keep their values), so the zero
// pivots that MADINV meets are those it meets on A. B is not A. FAILED as MADINV on the scaled
// matrix (B then holds its intermediate state); the pivots are those of the scaled matrix.
Status MADINV_on_unit_diagonal(const Matrix& A, Matrix& B, Index K, Pivots& pivots);
// Deletes column IC of the used block (K rows, L columns): columns IC+1..L move one place left,
// L = L - 1. IC outside 1..L: nothing changes.
void MADRED(Matrix& A, Index K, Index& L, Index IC);
// Inserts a zero column at IC: columns IC..L move one place right, L = L + 1. IC < 1: nothing.
// The caller keeps IC <= L + 1 and the new L within the declared columns.
void MADEXT(Matrix& A, Index K, Index& L, Index IC);

}  // namespace library
