// Element-wise and matrix arithmetic on the used blocks of declared matrices.
#pragma once
#include "library/matrix.h"

namespace library {

// C(I,J) = A(I,J) + B(I,J), I = 1..K, J = 1..L. A, B, C declared alike; C may be A or B.
void MADADD(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L);
// C(I,J) = A(I,J) - B(I,J); C may be A or B.
void MADSUB(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L);
// C(I,J) = A(I,J) * B(I,J) (element by element); C may be A or B.
void MADNAS(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L);
// C(1:M,1:N) = A(1:M,1:L) * B(1:L,1:N). C is cleared first and must not be A or B. Every element
// receives its terms A(I,1)*B(1,J) .. A(I,L)*B(L,J) in ascending order, each stored back into the
// element before the next. L <= 0 gives a zero block; M <= 0 or N <= 0 writes nothing.
void MADMUL(const Matrix& A, const Matrix& B, Matrix& C, Index M, Index L, Index N);
// B(1:L,1:K) = transpose of A(1:K,1:L); B must not be A.
void MADTRN(const Matrix& A, Matrix& B, Index K, Index L);
// T = A(1,1) + ... + A(K,K), summed in ascending order from 0.0.
void MADTRE(const Matrix& A, Index K, double& T);
// A(I,J) = D for I = 1..K, J = 1..L.
void MADVAL(Matrix& A, Index K, Index L, double D);
// A(1:K,1:K) = identity. Called by no program.
void MADONE(Matrix& A, Index K);

}  // namespace library
