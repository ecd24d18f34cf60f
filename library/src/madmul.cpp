// Matrix product C = A * B on the used blocks, term by term in ascending inner index.
#include <cmath>
#include <cstddef>
#include <vector>

#include "library/madarith.h"
#include "matrix_access.h"

namespace library {

// The element C(I,J) must come out as the plain sum C = 0; C = C + A(I,K)*B(K,J), K = 1..L,
// rounded after every product and every addition. Three freedoms keep exactly those bits:
//
// 1. Order of the elements. Each element gets its own terms in ascending K and no element
//    depends on another, so the columns of C are done one after another, and within a column
//    the rows in any order, as long as every element receives its K-th term after its
//    (K-1)-th. Holding a partial sum in a register instead of storing and loading it again
//    changes no bit.
//
// 2. Terms that are exact no-ops. C starts at +0.0. In round-to-nearest a sum is -0.0 only
//    when both addends are -0.0, so an element that starts at +0.0 never becomes -0.0. For
//    every other value x (NaN and infinities included) x + (+0.0) and x + (-0.0) give x back
//    bit for bit. A term whose product is +0.0 or -0.0 therefore changes nothing and may be
//    left out. The product is a signed zero when one factor is an exact zero and the other is
//    finite (0 * infinity and 0 * NaN are NaN, which must be added). Hence, with the column
//    shapes of the matrices (outside its range a column holds +0.0 only):
//    - the factors B(K,J) outside the range of column J of B are +0.0: their terms are needed
//      only where column K of A is not finite;
//    - B(K,J) an exact zero: the term is needed only where column K of A is not finite;
//    - B(K,J) finite: only the rows in the range of column K of A are visited;
//    - B(K,J) infinite or NaN: every row is visited.
//
// 3. Rows that get no term at all are +0.0: they are cleared where C's own shape says they
//    may hold something, and left alone elsewhere.
//
// A NaN result stays NaN; which NaN a sum of two NaN passes on follows the compiler's order of
// the two operands, in this loop as in any other.
// -ffp-contract=off keeps the compiler from fusing the product and the sum into one rounding.

namespace {

// One term of a column of C: column K of A, the factor B(K,J), and the rows (within the used
// block) where the term can change anything.
struct Term {
    const double* a;
    double b;
    Rows rows;
};

// Four doubles operated on together; each lane gets exactly its own product and sum. The
// copies from and to the columns compile to single unaligned loads and stores.
using Lanes = double __attribute__((vector_size(32)));

// Rows i .. i+4V-1 of a column of C from all its terms, the partial sums held in registers.
template <int V>
[[gnu::always_inline]] inline void rows_from_terms(double* c, const Term* terms, std::size_t n, int i)
{
    Lanes sum[V];
    for (int v = 0; v < V; ++v) sum[v] = Lanes{0.0, 0.0, 0.0, 0.0};
    for (std::size_t t = 0; t < n; ++t) {
        const double* const a = terms[t].a + i;
        const double f = terms[t].b;
        const Lanes b = {f, f, f, f};
        for (int v = 0; v < V; ++v) {
            Lanes x;
            __builtin_memcpy(&x, a + 4 * v, sizeof x);
            sum[v] = sum[v] + x * b;
        }
    }
    __builtin_memcpy(c + i, sum, sizeof sum);
}

// One row of a column of C from all its terms.
[[gnu::always_inline]] inline void row_from_terms(double* c, const Term* terms, std::size_t n, int i)
{
    double sum = 0.0;
    for (std::size_t t = 0; t < n; ++t) sum = sum + terms[t].a[i] * terms[t].b;
    c[i] = sum;
}

// Every row of `rows` from all the terms, in blocks of 32 rows; what is left over at the end
// is done by the smallest block that covers it, placed to end at the last row, so that it may
// do again rows of the block before: they come out the same.
[[gnu::target_clones("avx2", "default")]] void column_by_blocks(double* c, const Term* terms, std::size_t n, Rows rows)
{
    const int length = rows.size();
    if (length < 4) {
        for (int i = rows.begin; i < rows.end; ++i) row_from_terms(c, terms, n, i);
        return;
    }
    int i = rows.begin;
    for (; i + 32 <= rows.end; i += 32) rows_from_terms<8>(c, terms, n, i);
    const int left = rows.end - i;
    if (left == 0) return;
    // The smallest block that covers what is left, or two of the next smaller size when the
    // column is shorter than that block.
    if (left <= 4) {
        rows_from_terms<1>(c, terms, n, rows.end - 4);
    } else if (left <= 8) {
        if (length >= 8) {
            rows_from_terms<2>(c, terms, n, rows.end - 8);
        } else {
            rows_from_terms<1>(c, terms, n, i);
            rows_from_terms<1>(c, terms, n, rows.end - 4);
        }
    } else if (left <= 16) {
        if (length >= 16) {
            rows_from_terms<4>(c, terms, n, rows.end - 16);
        } else {
            rows_from_terms<2>(c, terms, n, i);
            rows_from_terms<2>(c, terms, n, rows.end - 8);
        }
    } else if (length >= 32) {
        rows_from_terms<8>(c, terms, n, rows.end - 32);
    } else {
        rows_from_terms<4>(c, terms, n, i);
        rows_from_terms<4>(c, terms, n, rows.end - 16);
    }
}

// The terms one after another, each over its own rows only; the column is +0.0 beforehand.
[[gnu::target_clones("avx2", "default")]] void column_by_terms(double* __restrict c, const Term* terms, std::size_t n)
{
    for (std::size_t t = 0; t < n; ++t) {
        const double* __restrict const a = terms[t].a;
        const double b = terms[t].b;
        for (int i = terms[t].rows.begin; i < terms[t].rows.end; ++i) c[i] = c[i] + a[i] * b;
    }
}

// Rough instruction counts of the two ways, to take the cheaper: `visited` rows of the terms
// one by one, or every row of `all` for every term in blocks of 16.
bool by_blocks(std::size_t terms, long visited, Rows all)
{
    const long blocks = (all.size() + 15) / 16;
    return blocks * static_cast<long>(terms) * 10 <= visited + 12 * static_cast<long>(terms) + all.size();
}

void clear(double* column, Rows rows)
{
    for (int i = rows.begin; i < rows.end; ++i) column[i] = 0.0;
}

// The product term by term for blocks that reach beyond the declared shapes; the addressing
// then runs on into the following columns, as the declared rows give it.
void plain_product(const Matrix& A, const Matrix& B, Matrix& C, int M, int L, int N)
{
    const std::size_t lda = MatrixAccess::ld(A), ldb = MatrixAccess::ld(B), ldc = MatrixAccess::ld(C);
    const double* const a = MatrixAccess::storage(A);
    const double* const b = MatrixAccess::storage(B);
    double* const c = MatrixAccess::storage(C);
    for (std::size_t J = 0; J < static_cast<std::size_t>(N); ++J)
        for (std::size_t I = 0; I < static_cast<std::size_t>(M); ++I) {
            c[J * ldc + I] = 0.0;
            for (std::size_t K = 0; K < static_cast<std::size_t>(L > 0 ? L : 0); ++K)
                c[J * ldc + I] = c[J * ldc + I] + a[K * lda + I] * b[J * ldb + K];
        }
    MatrixAccess::forget(C);
}

}  // namespace

void MADMUL(const Matrix& A, const Matrix& B, Matrix& C, Index M, Index L, Index N)
{
    if (M <= 0 || N <= 0) return;
    if (!inside(A, M, L) || !inside(B, L, N) || !inside(C, M, N)) {
        plain_product(A, B, C, M, L, N);
        return;
    }
    const std::size_t lda = MatrixAccess::ld(A), ldb = MatrixAccess::ld(B), ldc = MatrixAccess::ld(C);
    const ColumnShape* const shape_a = MatrixAccess::shapes(A);
    const ColumnShape* const shape_b = MatrixAccess::shapes(B);
    ColumnShape* const shape_c = MatrixAccess::shapes(C);
    const double* const a = MatrixAccess::storage(A);
    const Rows used{0, M};
    const Rows below{M, C.rows()};

    // The columns of A that hold an infinity or a NaN: a zero factor does not cancel them.
    thread_local std::vector<int> special;
    special.clear();
    for (int K = 0; K < L; ++K)
        if (shape_a[K].finiteness != Finiteness::finite && !MatrixAccess::finite(A, K)) special.push_back(K);

    thread_local std::vector<Term> terms;
    terms.resize(static_cast<std::size_t>(L > 0 ? L : 0));
    Term* const term = terms.data();
    for (int J = 0; J < N; ++J) {
        const double* const b = MatrixAccess::storage(B) + static_cast<std::size_t>(J) * ldb;
        std::size_t n = 0;
        long visited = 0;
        Rows all{};
        const auto add = [&](int K, double factor) {
            const Rows rows = std::isfinite(factor) ? meet(rows_of(shape_a[K]), used) : used;
            if (rows.empty()) return;
            term[n++] = {a + static_cast<std::size_t>(K) * lda, factor, rows};
            visited += rows.size();
            all = hull(all, rows);
        };
        const Rows range_b = meet(rows_of(shape_b[J]), Rows{0, L});
        if (special.empty()) {
            for (int K = range_b.begin; K < range_b.end; ++K) {
                const double factor = b[K];
                if (factor != 0.0) add(K, factor);  // a NaN is not 0.0
            }
        } else {
            std::size_t s = 0;
            while (s < special.size() && special[s] < range_b.begin) add(special[s], b[special[s]]), ++s;
            for (int K = range_b.begin; K < range_b.end; ++K) {
                const bool is_special = s < special.size() && special[s] == K;
                if (is_special) ++s;
                if (b[K] != 0.0 || is_special) add(K, b[K]);
            }
            while (s < special.size()) add(special[s], b[special[s]]), ++s;
        }

        double* const c = MatrixAccess::storage(C) + static_cast<std::size_t>(J) * ldc;
        const Rows held = meet(rows_of(shape_c[J]), used);
        if (n == 0) {
            clear(c, held);
        } else if (by_blocks(n, visited, all)) {
            clear(c, Rows{held.begin, std::min(held.end, all.begin)});
            clear(c, Rows{std::max(held.begin, all.end), held.end});
            column_by_blocks(c, term, n, all);
        } else {
            clear(c, hull(held, all));
            column_by_terms(c, term, n);
        }
        const Rows now = hull(all, meet(rows_of(shape_c[J]), below));
        shape_c[J] = {now.begin, now.end, now.empty() ? Finiteness::finite : Finiteness::unknown};
    }
}

}  // namespace library
