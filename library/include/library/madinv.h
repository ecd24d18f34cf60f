// Inversion, and deletion and insertion of columns.
#pragma once
#include "library/matrix.h"

namespace library {

// B(1:K,1:K) = inverse of A(1:K,1:K) by Gauss-Jordan elimination without pivot search, with 1.0
// added to the diagonal while it works. B may be A (the inversion then happens in place).
// FAILED at the first pivot that is exactly zero (B(I,I) equals 1.0 at that step): B then holds A
// with 1.0 added to the diagonal and the elimination done for the earlier pivots.
// K <= 0: nothing done, DONE.
Status MADINV(const Matrix& A, Matrix& B, Index K);
// Deletes column IC of the used block (K rows, L columns): columns IC+1..L move one place left,
// L = L - 1. IC outside 1..L: nothing changes.
void MADRED(Matrix& A, Index K, Index& L, Index IC);
// Inserts a zero column at IC: columns IC..L move one place right, L = L + 1. IC < 1: nothing.
// The caller keeps IC <= L + 1 and the new L within the declared columns.
void MADEXT(Matrix& A, Index K, Index& L, Index IC);

}  // namespace library
