// Deletion and insertion of a column in the used block of a matrix.
#include "library/madinv.h"

#include <cstring>

#include "matrix_access.h"

namespace library {

namespace {

// Rows 0..K-1 of column `to` take those of column `from` (another column: they do not
// overlap); the rows below keep theirs. Where both columns hold +0.0 nothing needs to move.
void move_column(Matrix& A, int K, int from, int to)
{
    ColumnShape* const shape = MatrixAccess::shapes(A);
    const std::size_t ld = MatrixAccess::ld(A);
    const double* const source = MatrixAccess::storage(A) + static_cast<std::size_t>(from) * ld;
    double* const target = MatrixAccess::storage(A) + static_cast<std::size_t>(to) * ld;
    const Rows block{0, K};
    const Rows moved = meet(rows_of(shape[from]), block);
    const Rows work = hull(moved, meet(rows_of(shape[to]), block));
    if (!work.empty()) std::memcpy(target + work.begin, source + work.begin, static_cast<std::size_t>(work.size()) * sizeof(double));
    const Rows kept = meet(rows_of(shape[to]), Rows{K, A.rows()});
    const Rows now = hull(moved, kept);
    Finiteness f = Finiteness::unknown;
    if (now.empty()) f = Finiteness::finite;
    else if (kept.empty()) f = shape[from].finiteness == Finiteness::finite ? Finiteness::finite : Finiteness::unknown;
    else if (shape[from].finiteness == Finiteness::finite && shape[to].finiteness == Finiteness::finite) f = Finiteness::finite;
    shape[to] = {now.begin, now.end, f};
}

}  // namespace

void MADRED(Matrix& A, Index K, Index& L, Index IC)
{
    if (IC > L || IC < 1) return;
    // Each row moves left independently of the others, so the columns are moved one whole
    // column at a time, ascending, which gives the same elements as row by row.
    if (K > 0 && inside(A, K, L)) {
        for (int J = IC; J <= L - 1; ++J) move_column(A, K, J, J - 1);
    } else {
        for (int J = IC; J <= L - 1; ++J)
            for (int I = 1; I <= K; ++I) A(I, J) = A(I, J + 1);
    }
    L = static_cast<Index>(L - 1);
}

void MADEXT(Matrix& A, Index K, Index& L, Index IC)
{
    if (IC < 1) return;
    if (K > 0 && inside(A, K, L + 1) && inside(A, K, IC)) {
        for (int J = L; J >= IC; --J) move_column(A, K, J - 1, J);
        ColumnShape& s = MatrixAccess::shapes(A)[IC - 1];
        double* const column = MatrixAccess::storage(A) + static_cast<std::size_t>(IC - 1) * MatrixAccess::ld(A);
        const Rows cleared = meet(rows_of(s), Rows{0, K});
        for (int i = cleared.begin; i < cleared.end; ++i) column[i] = 0.0;
        const Rows now = meet(rows_of(s), Rows{K, A.rows()});
        s = {now.begin, now.end, now.empty() || s.finiteness == Finiteness::finite ? Finiteness::finite : Finiteness::unknown};
    } else {
        for (int J = L; J >= IC; --J)
            for (int I = 1; I <= K; ++I) A(I, J + 1) = A(I, J);
        for (int I = 1; I <= K; ++I) A(I, IC) = 0.0;
    }
    L = static_cast<Index>(L + 1);
}

}  // namespace library
