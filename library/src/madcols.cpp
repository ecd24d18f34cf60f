// Deletion and insertion of a column in the used block of a matrix.
#include "library/madinv.h"

namespace library {

void MADRED(Matrix& A, Index K, Index& L, Index IC)
{
    if (IC > L || IC < 1) return;
    // Each row moves left independently of the others, so the columns are moved one whole
    // column at a time, ascending, which gives the same elements as row by row.
    for (int J = IC; J <= L - 1; ++J)
        for (int I = 1; I <= K; ++I) A(I, J) = A(I, J + 1);
    L = static_cast<Index>(L - 1);
}

void MADEXT(Matrix& A, Index K, Index& L, Index IC)
{
    if (IC < 1) return;
    for (int J = L; J >= IC; --J)
        for (int I = 1; I <= K; ++I) A(I, J + 1) = A(I, J);
    for (int I = 1; I <= K; ++I) A(I, IC) = 0.0;
    L = static_cast<Index>(L + 1);
}

}  // namespace library
