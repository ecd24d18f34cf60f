// Matrix product C = A * B on the used blocks, term by term in ascending inner index.
#include <cmath>
#include <cstddef>

#include "library/madarith.h"

namespace library {

namespace {

// What the product needs to know of one used column of A: the first and last row (from 0)
// holding anything but an exact zero, and whether every element of the column is finite.
struct ColumnProfile {
    int first;
    int last;  // first > last: the column is all zeros
    bool finite;
};

ColumnProfile profile(const double* column, int rows)
{
    ColumnProfile p{rows, -1, true};
    for (int i = 0; i < rows; ++i) {
        if (column[i] != 0.0) {  // NaN compares unequal, so it counts as a non-zero
            if (p.first > i) p.first = i;
            p.last = i;
        }
        if (!std::isfinite(column[i])) p.finite = false;
    }
    return p;
}

}  // namespace

// The element C(I,J) must come out as the plain sum C = 0; C = C + A(I,K)*B(K,J), K = 1..L,
// rounded after every product and every addition. Two freedoms keep exactly those bits:
//
// 1. Order of the elements. Each element gets its own terms in ascending K and no element
//    depends on another, so the loops run K outermost, then J, then I innermost: the inner
//    loop walks one column of A and one of C in storage order, and every element still
//    receives its K-th term after its (K-1)-th.
//
// 2. Terms that are exact no-ops. C starts at +0.0. In round-to-nearest a sum is -0.0 only
//    when both addends are -0.0, so an element that starts at +0.0 never becomes -0.0. For
//    every other value x (NaN and infinities included) x + (+0.0) and x + (-0.0) give x back
//    bit for bit. A term whose product is +0.0 or -0.0 therefore changes nothing and may be
//    left out. The product is a signed zero when one factor is an exact zero and the other is
//    finite (0 * infinity and 0 * NaN are NaN, which must be added). Hence:
//    - B(K,J) finite: only the rows from the first to the last non-zero of column K of A are
//      visited; the rows outside hold exact zeros times a finite factor;
//    - B(K,J) an exact zero and column K of A all finite: the whole column of terms is skipped;
//    - B(K,J) infinite or NaN: every row is visited.
// A NaN result stays NaN; which NaN a sum of two NaN passes on follows the compiler's order of
// the two operands, in this loop as in any other.
// -ffp-contract=off keeps the compiler from fusing the product and the sum into one rounding.
void MADMUL(const Matrix& A, const Matrix& B, Matrix& C, Index M, Index L, Index N)
{
    if (M <= 0 || N <= 0) return;
    const std::size_t lda = static_cast<std::size_t>(A.rows());
    const std::size_t ldb = static_cast<std::size_t>(B.rows());
    const std::size_t ldc = static_cast<std::size_t>(C.rows());
    double* const c = C.data();
    for (std::size_t J = 0; J < static_cast<std::size_t>(N); ++J)
        for (int I = 0; I < M; ++I) c[J * ldc + static_cast<std::size_t>(I)] = 0.0;

    for (std::size_t K = 0; K < static_cast<std::size_t>(L > 0 ? L : 0); ++K) {
        const double* const a = A.data() + K * lda;
        const ColumnProfile column = profile(a, M);
        for (std::size_t J = 0; J < static_cast<std::size_t>(N); ++J) {
            const double b = B.data()[J * ldb + K];
            int first = 0;
            int last = M - 1;
            if (std::isfinite(b)) {
                if (b == 0.0 && column.finite) continue;
                first = column.first;
                last = column.last;
            }
            double* const cj = c + J * ldc;
            for (int i = first; i <= last; ++i) cj[i] = cj[i] + a[i] * b;
        }
    }
}

}  // namespace library
