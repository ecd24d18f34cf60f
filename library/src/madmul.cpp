// Matrix product C = A * B on the used blocks, term by term in ascending inner index.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
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

// Rows i .. i+W*V-1 of a column of C from all its terms, the partial sums held in registers
// (V vectors of W lanes; each lane gets exactly its own products and sums). Gathers into
// `special` the bits of x - x of every sum stored: +0.0 for a finite x, NaN else.
template <int W, int V>
[[gnu::always_inline]] inline void rows_from_terms(double* c, const Term* terms, std::size_t n, int i, Lanes<W>& special)
{
    Lanes<W> sum[V];
    for (int v = 0; v < V; ++v) sum[v] = Lanes<W>{};
    for (std::size_t t = 0; t < n; ++t) {
        const double* const a = terms[t].a + i;
        Lanes<W> b;
        broadcast<W>(b, terms[t].b);
        for (int v = 0; v < V; ++v) {
            Lanes<W> x;
            load<W>(x, a + W * v);
            sum[v] = sum[v] + x * b;
        }
    }
    __builtin_memcpy(c + i, sum, sizeof sum);
    for (int v = 0; v < V; ++v) special = special + (sum[v] - sum[v]);
}

// One row of a column of C from all its terms.
template <int W>
[[gnu::always_inline]] inline void row_from_terms(double* c, const Term* terms, std::size_t n, int i, Lanes<W>& special)
{
    double sum = 0.0;
    for (std::size_t t = 0; t < n; ++t) sum = sum + terms[t].a[i] * terms[t].b;
    c[i] = sum;
    special[0] = special[0] + (sum - sum);
}

// Rows i .. i+W*v-1 from all the terms, v = 1, 2, 4, ... up to V.
template <int W, int V>
[[gnu::always_inline]] inline void rows_by_size(double* c, const Term* terms, std::size_t n, int i, int v, Lanes<W>& special)
{
    if constexpr (V > 1) {
        if (v < V) return rows_by_size<W, V / 2>(c, terms, n, i, v, special);
    }
    rows_from_terms<W, V>(c, terms, n, i, special);
}

// Every row of `rows` from all the terms, in blocks of W*V rows; what is left over at the end
// is done by the smallest block that covers it, placed to end at the last row, so that it may
// do again rows of the block before (they come out the same), or by two blocks of half that
// size where the column is shorter than the block. Returns whether every element stored is
// finite.
template <int W, int V>
[[gnu::always_inline]] inline bool column_by_blocks(double* c, const Term* terms, std::size_t n, Rows rows)
{
    Lanes<W> special{};  // stays +0.0 while the sums are finite
    if (rows.size() < W) {
        for (int i = rows.begin; i < rows.end; ++i) row_from_terms<W>(c, terms, n, i, special);
    } else {
        int i = rows.begin;
        for (; i + W * V <= rows.end; i += W * V) rows_from_terms<W, V>(c, terms, n, i, special);
        const int left = rows.end - i;
        if (left > 0) {
            int v = 1;
            while (W * v < left) v *= 2;
            if (W * v <= rows.size()) {
                rows_by_size<W, V>(c, terms, n, rows.end - W * v, v, special);
            } else {
                rows_by_size<W, V>(c, terms, n, i, v / 2, special);
                rows_by_size<W, V>(c, terms, n, rows.end - W * (v / 2), v / 2, special);
            }
        }
    }
    bool finite = true;
    for (int w = 0; w < W; ++w) finite = finite && special[w] == 0.0;
    return finite;
}

// The terms one after another, each over its own rows only; the column is +0.0 beforehand.
[[gnu::always_inline]] inline void column_by_terms(double* __restrict c, const Term* terms, std::size_t n)
{
    for (std::size_t t = 0; t < n; ++t) {
        const double* __restrict const a = terms[t].a;
        const double b = terms[t].b;
        for (int i = terms[t].rows.begin; i < terms[t].rows.end; ++i) c[i] = c[i] + a[i] * b;
    }
}

// The two ways for processors with AVX2 (blocks of 32 rows in 8 vectors of 4) and for every
// x86-64 (blocks of 16 rows in 8 vectors of 2, which the 16 SSE registers hold).
LIBRARY_AVX2 bool column_by_blocks_avx2(double* c, const Term* terms, std::size_t n, Rows rows)
{
    return column_by_blocks<4, 8>(c, terms, n, rows);
}
bool column_by_blocks_sse2(double* c, const Term* terms, std::size_t n, Rows rows)
{
    return column_by_blocks<2, 8>(c, terms, n, rows);
}
LIBRARY_AVX2 void column_by_terms_avx2(double* c, const Term* terms, std::size_t n) { column_by_terms(c, terms, n); }
void column_by_terms_sse2(double* c, const Term* terms, std::size_t n) { column_by_terms(c, terms, n); }

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
// then runs on into the following columns, as the declared rows give it, and the block is
// cleared first and then takes the terms in ascending K, as the routine always did.
void plain_product(const Matrix& A, const Matrix& B, Matrix& C, int M, int L, int N)
{
    const std::size_t lda = MatrixAccess::ld(A), ldb = MatrixAccess::ld(B), ldc = MatrixAccess::ld(C);
    const double* const a = MatrixAccess::storage(A);
    const double* const b = MatrixAccess::storage(B);
    double* const c = MatrixAccess::storage(C);
    for (std::size_t J = 0; J < static_cast<std::size_t>(N); ++J)
        for (std::size_t I = 0; I < static_cast<std::size_t>(M); ++I) c[J * ldc + I] = 0.0;
    for (std::size_t K = 0; K < static_cast<std::size_t>(L > 0 ? L : 0); ++K)
        for (std::size_t J = 0; J < static_cast<std::size_t>(N); ++J)
            for (std::size_t I = 0; I < static_cast<std::size_t>(M); ++I)
                c[J * ldc + I] = c[J * ldc + I] + a[K * lda + I] * b[J * ldb + K];
    MatrixAccess::forget(C);
}

// What the product needs to know of A once for all columns of C: the rows of every column
// within the used block, and the columns that hold an infinity or a NaN (ascending), which a
// zero factor does not cancel.
struct ColumnsOfA {
    std::vector<Rows>& range;
    std::vector<int>& special;
};

[[gnu::always_inline]] inline ColumnsOfA columns_of_a(const Matrix& A, int L, Rows used)
{
    const ColumnShape* const shape_a = MatrixAccess::shapes(A);
    thread_local std::vector<Rows> range_a;
    thread_local std::vector<int> special;
    range_a.resize(static_cast<std::size_t>(L > 0 ? L : 0));
    special.clear();
    for (int K = 0; K < L; ++K) {
        range_a[static_cast<std::size_t>(K)] = meet(rows_of(shape_a[K]), used);
        if (shape_a[K].finiteness != Finiteness::finite && !MatrixAccess::finite(A, K)) special.push_back(K);
    }
    return {range_a, special};
}

// The K (ascending) of the factors b[K] of a column of B whose terms can change anything:
// within the column's range those that are not exact zeros, and every column of A that is not
// finite. Returns how many were written into `index`.
[[gnu::always_inline]] inline std::size_t choose_factors(const double* b, Rows range_b, int L,
                                                          const std::vector<int>& special, int* index)
{
    std::size_t count = 0;
    if (special.empty()) {
        int K = range_b.begin;
        // Four factors at a time while they are all exact zeros (all bits but the sign
        // clear); a NaN is not 0.0.
        for (; K + 4 <= range_b.end; K += 4) {
            std::uint64_t w[4];
            __builtin_memcpy(w, b + K, sizeof w);
            if (((w[0] | w[1] | w[2] | w[3]) << 1) == 0) continue;
            for (int k = K; k < K + 4; ++k) {
                index[count] = k;
                count += b[k] != 0.0;
            }
        }
        for (; K < range_b.end; ++K) {
            index[count] = K;
            count += b[K] != 0.0;
        }
    } else {
        std::size_t s = 0;
        for (int K = 0; K < L; ++K) {
            const bool is_special = s < special.size() && special[s] == K;
            if (is_special) ++s;
            if (is_special || (K >= range_b.begin && K < range_b.end && b[K] != 0.0)) index[count++] = K;
        }
    }
    return count;
}

// The terms of one column of C, in ascending K, from the chosen factors: each over the rows
// of its column of A (every used row for a factor that is not finite), none for a term whose
// rows are empty; with the rows they visit together and the hull of their rows.
struct Terms {
    std::size_t n = 0;
    long visited = 0;
    Rows all;
};

[[gnu::always_inline]] inline Terms gather_terms(const int* index, std::size_t count, const double* b,
                                                 const double* a, std::size_t lda,
                                                 const std::vector<Rows>& range_a, Rows used, Term* term)
{
    std::size_t n = 0;
    long visited = 0;
    int first = used.end, last = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const int K = index[k];
        const double factor = b[K];
        const Rows rows = std::isfinite(factor) ? range_a[static_cast<std::size_t>(K)] : used;
        if (rows.empty()) continue;
        term[n++] = {a + static_cast<std::size_t>(K) * lda, factor, rows};
        visited += rows.end - rows.begin;
        first = std::min(first, rows.begin);
        last = std::max(last, rows.end);
    }
    return {n, visited, n > 0 ? Rows{first, last} : Rows{}};
}

// Column c of C from its terms, the rows that get no term cleared where C's shape says they may
// hold something, and the column's new shape: the rows of the terms and the rows below the used
// block that it keeps.
[[gnu::always_inline]] inline void write_column(double* c, ColumnShape& shape_c, Rows used, Rows below,
                                                const Term* term, const Terms& t)
{
    const Rows held = meet(rows_of(shape_c), used);
    const Rows kept = meet(rows_of(shape_c), below);
    bool finite = false;
    if (t.n == 0) {
        clear(c, held);
        finite = true;
    } else if (by_blocks(t.n, t.visited, t.all)) {
        clear(c, Rows{held.begin, std::min(held.end, t.all.begin)});
        clear(c, Rows{std::max(held.begin, t.all.end), held.end});
        finite = runs_avx2() ? column_by_blocks_avx2(c, term, t.n, t.all) : column_by_blocks_sse2(c, term, t.n, t.all);
    } else {
        clear(c, hull(held, t.all));
        if (runs_avx2()) column_by_terms_avx2(c, term, t.n);
        else column_by_terms_sse2(c, term, t.n);
    }
    const Rows now = hull(t.all, kept);
    Finiteness f = Finiteness::unknown;
    if (now.empty() || (finite && kept.empty())) f = Finiteness::finite;
    shape_c = {now.begin, now.end, f};
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
    const ColumnShape* const shape_b = MatrixAccess::shapes(B);
    ColumnShape* const shape_c = MatrixAccess::shapes(C);
    const double* const a = MatrixAccess::storage(A);
    const Rows used{0, M};
    const Rows below{M, C.rows()};
    const ColumnsOfA of_a = columns_of_a(A, L, used);

    thread_local std::vector<Term> terms;
    thread_local std::vector<int> inner;  // the K of the terms of one column of C, ascending
    terms.resize(static_cast<std::size_t>(L > 0 ? L : 0));
    inner.resize(static_cast<std::size_t>(L > 0 ? L : 0));
    Term* const term = terms.data();
    int* const index = inner.data();
    const std::vector<int>& special = of_a.special;
    const std::vector<Rows>& range_a = of_a.range;
    for (int J = 0; J < N; ++J) {
        const double* const b = MatrixAccess::storage(B) + static_cast<std::size_t>(J) * ldb;
        const Rows range_b = meet(rows_of(shape_b[J]), Rows{0, L});
        const std::size_t count = choose_factors(b, range_b, L, special, index);
        const Terms t = gather_terms(index, count, b, a, lda, range_a, used, term);
        write_column(MatrixAccess::storage(C) + static_cast<std::size_t>(J) * ldc, shape_c[J], used, below, term, t);
    }
}

}  // namespace library
