// Element-by-element arithmetic, transpose, trace, fill and identity on the used blocks.
#include "library/madarith.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "matrix_access.h"

namespace library {

namespace {

constexpr int no_row = 1 << 30;  // a first row not yet found

// Applies C(I,J) = op(A(I,J), B(I,J)) over the used block. Each element depends only on the
// two elements at its own place, so the order of the elements is free; the columns are walked
// in storage order. A and B are read before C is written, so C may be A or B.
//
// Where both A and B hold +0.0, the sum, the difference and the product are +0.0 too: in a
// column only the rows in the range of A or of B, and those that C may hold something in,
// need the operation (it gives +0.0 on the others of them).
template <class Op>
void elementwise(const Matrix& A, const Matrix& B, Matrix& C, Index K, Index L, Op op)
{
    if (K <= 0 || L <= 0) return;
    if (!inside(A, K, L) || !inside(B, K, L) || !inside(C, K, L)) {
        for (int J = 1; J <= L; ++J)
            for (int I = 1; I <= K; ++I) {
                const double a = A(I, J);
                const double b = B(I, J);
                MatrixAccess::storage(C)[static_cast<std::size_t>(J - 1) * MatrixAccess::ld(C) + (I - 1)] = op(a, b);
            }
        MatrixAccess::forget(C);
        return;
    }
    const ColumnShape* const shape_a = MatrixAccess::shapes(A);
    const ColumnShape* const shape_b = MatrixAccess::shapes(B);
    ColumnShape* const shape_c = MatrixAccess::shapes(C);
    const Rows used{0, K};
    for (int J = 0; J < L; ++J) {
        const Rows inputs = hull(meet(rows_of(shape_a[J]), used), meet(rows_of(shape_b[J]), used));
        const Rows held = rows_of(shape_c[J]);
        const Rows work = hull(inputs, meet(held, used));
        const double* const a = MatrixAccess::storage(A) + static_cast<std::size_t>(J) * MatrixAccess::ld(A);
        const double* const b = MatrixAccess::storage(B) + static_cast<std::size_t>(J) * MatrixAccess::ld(B);
        double* const c = MatrixAccess::storage(C) + static_cast<std::size_t>(J) * MatrixAccess::ld(C);
        for (int i = work.begin; i < work.end; ++i) {
            const double x = a[i];
            const double y = b[i];
            c[i] = op(x, y);
        }
        const Rows now = hull(inputs, meet(held, Rows{K, C.rows()}));
        shape_c[J] = {now.begin, now.end, now.empty() ? Finiteness::finite : Finiteness::unknown};
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

// B(I,J) = A(J,I). Column J of B is row J of A: only the rows of A's columns within their
// ranges carry anything but +0.0, and B's own elements of the block are cleared where its
// shape says they may hold something.
void MADTRN(const Matrix& A, Matrix& B, Index K, Index L)
{
    if (K <= 0 || L <= 0) return;
    if (!inside(A, K, L) || !inside(B, L, K)) {
        double* const b = MatrixAccess::storage(B);
        for (int I = 1; I <= L; ++I)
            for (int J = 1; J <= K; ++J) b[static_cast<std::size_t>(J - 1) * MatrixAccess::ld(B) + (I - 1)] = A(J, I);
        MatrixAccess::forget(B);
        return;
    }
    const ColumnShape* const shape_a = MatrixAccess::shapes(A);
    ColumnShape* const shape_b = MatrixAccess::shapes(B);
    double* const b = MatrixAccess::storage(B);
    const std::size_t ldb = MatrixAccess::ld(B);
    for (int J = 0; J < K; ++J) {
        const Rows held = meet(rows_of(shape_b[J]), Rows{0, L});
        for (int i = held.begin; i < held.end; ++i) b[static_cast<std::size_t>(J) * ldb + static_cast<std::size_t>(i)] = 0.0;
    }
    // The rows of B's columns that receive an element from within a range of A: the first
    // and one past the last column of A whose range holds the row.
    thread_local std::vector<int> first, end;
    first.assign(static_cast<std::size_t>(K), no_row);
    end.assign(static_cast<std::size_t>(K), 0);
    int* const f = first.data();
    int* const e = end.data();
    for (int I = 0; I < L; ++I) {
        const double* const a = MatrixAccess::storage(A) + static_cast<std::size_t>(I) * MatrixAccess::ld(A);
        const Rows range = meet(rows_of(shape_a[I]), Rows{0, K});
        double* const row = b + static_cast<std::size_t>(I);
#pragma GCC unroll 4
        for (int J = range.begin; J < range.end; ++J) row[static_cast<std::size_t>(J) * ldb] = a[J];
        for (int J = range.begin; J < range.end; ++J) {
            f[J] = std::min(f[J], I);
            e[J] = I + 1;
        }
    }
    for (int J = 0; J < K; ++J) {
        const Rows own = f[J] == no_row ? Rows{} : Rows{f[J], e[J]};
        const Rows now = hull(own, meet(rows_of(shape_b[J]), Rows{L, B.rows()}));
        shape_b[J] = {now.begin, now.end, now.empty() ? Finiteness::finite : Finiteness::unknown};
    }
}

void MADTRE(const Matrix& A, Index K, double& T)
{
    T = 0.0;
    for (int I = 1; I <= K; ++I) T = T + A(I, I);
}

// Filling with +0.0 needs to write only where the shape says a column may hold something.
void MADVAL(Matrix& A, Index K, Index L, double D)
{
    if (K <= 0 || L <= 0) return;
    if (!inside(A, K, L)) {
        double* const a = MatrixAccess::storage(A);
        for (int J = 1; J <= L; ++J)
            for (int I = 1; I <= K; ++I) a[static_cast<std::size_t>(J - 1) * MatrixAccess::ld(A) + (I - 1)] = D;
        MatrixAccess::forget(A);
        return;
    }
    ColumnShape* const shape = MatrixAccess::shapes(A);
    const bool zero = !not_plus_zero(D);
    for (int J = 0; J < L; ++J) {
        double* const a = MatrixAccess::storage(A) + static_cast<std::size_t>(J) * MatrixAccess::ld(A);
        ColumnShape& s = shape[J];
        const Rows filled = zero ? meet(rows_of(s), Rows{0, K}) : Rows{0, K};
        for (int i = filled.begin; i < filled.end; ++i) a[i] = D;
        const Rows rest = meet(rows_of(s), Rows{K, A.rows()});
        const Rows now = zero ? rest : hull(Rows{0, K}, rows_of(s));
        Finiteness f = Finiteness::unknown;
        if (!std::isfinite(D)) f = Finiteness::not_finite;
        else if (now.empty() || (s.finiteness == Finiteness::finite)) f = Finiteness::finite;
        s = {now.begin, now.end, f};
    }
}

void MADONE(Matrix& A, Index K)
{
    MADVAL(A, K, K, 0.0);
    for (int I = 1; I <= K; ++I) A(I, I) = 1.0;
}

}  // namespace library
