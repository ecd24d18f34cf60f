// Element-by-element arithmetic, transpose, trace, fill and identity on the used blocks.
#include "library/madarith.h"

namespace library {

namespace {

// Applies C(I,J) = op(A(I,J), B(I,J)) over the used block. Each element depends only on the
// two elements at its own place, so the order of the elements is free; the columns are walked
// in storage order. A and B are read before C is written, so C may be A or B.
template <class Op>
void elementwise(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L, Op op)
{
    for (int J = 1; J <= L; ++J)
        for (int I = 1; I <= K; ++I) {
            const double a = A(I, J);
            const double b = B(I, J);
            C(I, J) = op(a, b);
        }
}

}  // namespace

void MADADD(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L)
{
    elementwise(A, B, C, K, L, [](double a, double b) { return a + b; });
}

void MADSUB(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L)
{
    elementwise(A, B, C, K, L, [](double a, double b) { return a - b; });
}

void MADNAS(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L)
{
    elementwise(A, B, C, K, L, [](double a, double b) { return a * b; });
}

void MADTRN(const Matrix& A, Matrix& B, Index K, Index L)
{
    for (int I = 1; I <= L; ++I)
        for (int J = 1; J <= K; ++J) B(I, J) = A(J, I);
}

void MADTRE(const Matrix& A, Index K, double& T)
{
    T = 0.0;
    for (int I = 1; I <= K; ++I) T = T + A(I, I);
}

void MADVAL(Matrix& A, Index K, Index L, double D)
{
    for (int J = 1; J <= L; ++J)
        for (int I = 1; I <= K; ++I) A(I, J) = D;
}

void MADONE(Matrix& A, Index K)
{
    MADVAL(A, K, K, 0.0);
    for (int I = 1; I <= K; ++I) A(I, I) = 1.0;
}

}  // namespace library
