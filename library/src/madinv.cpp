// Inversion by Gauss-Jordan elimination without pivot search, on the matrix with 1.0 added to
// its diagonal.
#include "library/madinv.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "matrix_access.h"

namespace library {

namespace {

// Subtracts from every row L other than the pivot row I the pivot row times Q(L) = B(L,I),
// where Q(L) is the value of B(L,I) before row L changes: B(L,J) = B(L,J) - B(I,J)*Q(L).
// Every element of the pivot's elimination is one such operation on values that no other
// operation of this pivot writes: row I is only read, and column I, which holds the Q(L), is
// done last so that each Q(L) is still the value from before the row changed. The order of
// the elements is therefore free; the columns are walked in storage order. Every update is
// computed, exact zeros included, so the signs of zero come out as in the row-by-row form.
void eliminate(double* b, std::size_t ld, int K, int I)
{
    const double* const q = b + static_cast<std::size_t>(I) * ld;  // column I, rows from 0
    const auto update_column = [&](int J) {
        double* const column = b + static_cast<std::size_t>(J) * ld;
        const double pivot_row_value = column[I];
        for (int L = 0; L < I; ++L) column[L] = column[L] - pivot_row_value * q[L];
        for (int L = I + 1; L < K; ++L) column[L] = column[L] - pivot_row_value * q[L];
    };
    for (int J = 0; J < K; ++J)
        if (J != I) update_column(J);
    update_column(I);
}

// What the elimination meets: every pivot P beside the diagonal element A(I,I) that it started
// from, and the smallest |P| / |A(I,I)| among them. A(I,I) is taken before B is written, so that
// an inversion in place compares with the matrix as it came. Unwatched, it does nothing and the
// elimination compiles as if it were not there.
template <bool Watched>
class PivotWatch {
public:
    PivotWatch(const Matrix& A, int K, Pivots* report) : report_(report)
    {
        if constexpr (Watched) {
            diagonal_.resize(static_cast<std::size_t>(K));
            for (int I = 0; I < K; ++I) diagonal_[static_cast<std::size_t>(I)] = A(static_cast<Index>(I + 1), static_cast<Index>(I + 1));
            restart();
        }
    }

    // The elimination starts again from A: what it met so far no longer counts.
    void restart()
    {
        if constexpr (Watched) *report_ = Pivots{};
    }

    void observe(int I, double P)
    {
        if constexpr (Watched) {
            const double relative = std::fabs(P) / std::fabs(diagonal_[static_cast<std::size_t>(I)]);
            if (relative < report_->smallest_relative) {
                report_->smallest_relative = relative;
                report_->at = static_cast<Index>(I + 1);
            }
        }
    }

private:
    Pivots* report_;
    std::vector<double> diagonal_;
};

// The current pivot of row I: its diagonal element without the offset.
double pivot_of(const double* b, std::size_t ld, int I)
{
    return b[static_cast<std::size_t>(I) * ld + static_cast<std::size_t>(I)] - 1.0;
}

// Divides the pivot row I by P, its diagonal element included.
void divide_pivot_row(double* b, std::size_t ld, int K, int I, double P)
{
    for (int J = 0; J < K; ++J) b[static_cast<std::size_t>(J) * ld + static_cast<std::size_t>(I)] /= P;
}

// The elimination of one pivot the full way: the whole row divided, every element updated.
void eliminate_pivot(double* b, std::size_t ld, int K, int I, double P)
{
    divide_pivot_row(b, ld, K, I, P);
    eliminate(b, ld, K, I);
}

// Takes the offset of 1.0 off the diagonal again.
void remove_offset(double* b, std::size_t ld, int K)
{
    for (int I = 0; I < K; ++I) b[static_cast<std::size_t>(I) * ld + static_cast<std::size_t>(I)] -= 1.0;
}

// The elimination the full way, then the removal of the offset; stops at
// the first pivot that is exactly zero.
template <class Watch>
Status eliminate_fully(double* b, std::size_t ld, int K, Watch& watch)
{
    for (int I = 0; I < K; ++I) {
        const double P = pivot_of(b, ld, I);
        if (P == 0.0) return FAILED;
        watch.observe(I, P);
        eliminate_pivot(b, ld, K, I, P);
    }
    remove_offset(b, ld, K);
    return DONE;
}

bool usable(double x) { return std::isfinite(x) && !(x == 0.0 && std::signbit(x)); }

// Rows from..to-1 of one column lose p times the saved Q; W rows at a time (each lane gets
// exactly its own product and difference), then one by one.
template <int W>
[[gnu::always_inline]] inline void update_column(double* __restrict column, const double* __restrict q, double p,
                                                 int from, int to)
{
    Lanes<W> pp;
    broadcast<W>(pp, p);
    int L = from;
#pragma GCC unroll 2
    for (; L + W <= to; L += W) {
        Lanes<W> x, y;
        load<W>(x, column + L);
        load<W>(y, q + L);
        x = x - pp * y;
        store<W>(column + L, x);
    }
    for (; L < to; ++L) column[L] = column[L] - p * q[L];
}

// The updates of one pivot in the columns where its row is not zero: the rows from..to-1 of
// every such column J lose B(I,J) times the saved Q. The pivot row I may lie among them: it is
// computed with the others and then given its value back.
template <int W>
[[gnu::always_inline]] inline void update_columns(double* b, std::size_t ld, const int* columns, std::size_t n,
                                                  const double* q, int I, int from, int to)
{
    for (std::size_t k = 0; k < n; ++k) {
        double* const column = b + static_cast<std::size_t>(columns[k]) * ld;
        const double p = column[I];
        update_column<W>(column, q, p, from, to);
        column[I] = p;
    }
}

LIBRARY_AVX2 void update_columns_avx2(double* b, std::size_t ld, const int* columns, std::size_t n, const double* q,
                                      int I, int from, int to)
{
    update_columns<4>(b, ld, columns, n, q, I, from, to);
}
void update_columns_sse2(double* b, std::size_t ld, const int* columns, std::size_t n, const double* q, int I, int from,
                         int to)
{
    update_columns<2>(b, ld, columns, n, q, I, from, to);
}

// The sparse form of the elimination, used while the block holds no -0.0, no infinity and no
// NaN. Then an update B(L,J) - B(I,J)*Q(L) whose B(I,J) or Q(L) is an exact zero subtracts a
// signed zero from a value that is not -0.0, which gives the value back bit for bit: only the
// rows with Q(L) != 0 and, in them, only the columns where the pivot row is not zero change.
// Dividing the pivot row by a positive finite P leaves its zeros +0.0, and a difference of two
// values that are not -0.0 is never -0.0. What can break the condition is a division that
// underflows to a signed zero or overflows (seen at once: the step is then done the full way
// and the later pivots take the full form), and an update that overflows: an infinity or NaN
// stays one through every later step, so a scan at the end finds it (MADINV then starts again
// the full way).
//
// The elimination keeps, for every column and every row of the block, a range outside which
// the block holds +0.0: a pivot finds its row's non-zeros within the row's range and the rows
// with Q(L) != 0 within its column's range, and widens the ranges of what it fills in. Within
// the rows from the first to the last Q(L) != 0 the updates are all computed (those with
// Q(L) = 0 give the value back), so that they run over whole stretches of a column.
class SparseElimination {
public:
    SparseElimination(double* b, std::size_t ld, int K, std::vector<Rows> columns)
        : b_(b), ld_(ld), K_(K), columns_(std::move(columns)), rows_(static_cast<std::size_t>(K))
    {
        for (int J = 0; J < K_; ++J) {
            const Rows r = columns_[static_cast<std::size_t>(J)];
            for (int L = r.begin; L < r.end; ++L) rows_[static_cast<std::size_t>(L)] = hull(rows_[static_cast<std::size_t>(L)], {J, J + 1});
        }
        pivot_columns_.reserve(static_cast<std::size_t>(K));
        q_.resize(static_cast<std::size_t>(K));
    }

    // Whether the block holds only finite values and no -0.0.
    bool applies() const
    {
        for (int J = 0; J < K_; ++J)
            for (int L = columns_[static_cast<std::size_t>(J)].begin; L < columns_[static_cast<std::size_t>(J)].end; ++L)
                if (!usable(at(L, J))) return false;
        return true;
    }

    // Whether the block holds only finite values.
    bool finite() const
    {
        for (int J = 0; J < K_; ++J)
            for (int L = columns_[static_cast<std::size_t>(J)].begin; L < columns_[static_cast<std::size_t>(J)].end; ++L)
                if (!std::isfinite(at(L, J))) return false;
        return true;
    }

    // Divides pivot row I by P (> 0, finite) and eliminates. False when the step had to be
    // done the full way and the later pivots need the full form.
    bool step(int I, double P)
    {
        bool clean = true;
        pivot_columns_.clear();
        const Rows row = rows_[static_cast<std::size_t>(I)];
        for (int J = row.begin; J < row.end; ++J) {
            double& x = at(I, J);
            if (x == 0.0) continue;  // +0.0 / P is +0.0
            x = x / P;
            pivot_columns_.push_back(J);
            if (!(std::isfinite(x) && x != 0.0)) clean = false;  // no longer usable, or underflowed
        }
        if (!clean) {
            eliminate(b_, ld_, K_, I);
            return false;
        }
        // The rows with Q(L) != 0, and Q saved before the pivot column changes.
        const Rows range = columns_[static_cast<std::size_t>(I)];
        int first = range.end, last = range.begin - 1;
        const double* const pivot_column = b_ + static_cast<std::size_t>(I) * ld_;
        for (int L = range.begin; L < range.end; ++L) {
            const double q = pivot_column[L];
            q_[static_cast<std::size_t>(L)] = q;
            if (L != I && q != 0.0) {
                if (first > L) first = L;
                last = L;
            }
        }
        if (first > last) return true;
        if (runs_avx2()) update_columns_avx2(b_, ld_, pivot_columns_.data(), pivot_columns_.size(), q_.data(), I, first, last + 1);
        else update_columns_sse2(b_, ld_, pivot_columns_.data(), pivot_columns_.size(), q_.data(), I, first, last + 1);
        // The columns of the pivot row hold row I, the rows with Q(L) != 0 column I: both
        // ranges are not empty and just grow.
        for (int J : pivot_columns_) {
            Rows& c = columns_[static_cast<std::size_t>(J)];
            c = {std::min(c.begin, first), std::max(c.end, last + 1)};
        }
        const int filled_begin = pivot_columns_.front(), filled_end = pivot_columns_.back() + 1;
        for (int L = first; L <= last; ++L) {
            Rows& r = rows_[static_cast<std::size_t>(L)];
            if (L != I && q_[static_cast<std::size_t>(L)] != 0.0) r = {std::min(r.begin, filled_begin), std::max(r.end, filled_end)};
        }
        return true;
    }

    const std::vector<Rows>& columns() const { return columns_; }
    // After a step done the full way the whole block may hold anything.
    void whole() { columns_.assign(static_cast<std::size_t>(K_), Rows{0, K_}); }

private:
    double& at(int L, int J) const { return b_[static_cast<std::size_t>(J) * ld_ + static_cast<std::size_t>(L)]; }

    double* b_;
    std::size_t ld_;
    int K_;
    std::vector<Rows> columns_, rows_;  // ranges within the block, by column and by row
    std::vector<int> pivot_columns_;
    std::vector<double> q_;
};

// A's block as it was: the elements within the column ranges, column after column.
struct SavedBlock {
    std::vector<Rows> columns;
    std::vector<double> values;
};

SavedBlock save(const Matrix& A, int K)
{
    SavedBlock saved;
    const ColumnShape* const shape = MatrixAccess::shapes(A);
    for (int J = 0; J < K; ++J) {
        const Rows r = meet(rows_of(shape[J]), Rows{0, K});
        saved.columns.push_back(r);
        const double* const a = MatrixAccess::storage(A) + static_cast<std::size_t>(J) * MatrixAccess::ld(A);
        saved.values.insert(saved.values.end(), a + r.begin, a + r.end);
    }
    return saved;
}

// B's block = the saved block with 1.0 added to the diagonal; returns the column ranges within
// the block. `held` are the ranges where B's block may hold something beforehand.
std::vector<Rows> restore_with_offset(const SavedBlock& saved, Matrix& B, int K, const std::vector<Rows>& held)
{
    std::vector<Rows> ranges(static_cast<std::size_t>(K));
    std::size_t at = 0;
    for (int J = 0; J < K; ++J) {
        double* const b = MatrixAccess::storage(B) + static_cast<std::size_t>(J) * MatrixAccess::ld(B);
        const Rows r = saved.columns[static_cast<std::size_t>(J)];
        for (int L = held[static_cast<std::size_t>(J)].begin; L < held[static_cast<std::size_t>(J)].end; ++L) b[L] = 0.0;
        for (int L = r.begin; L < r.end; ++L) b[L] = saved.values[at++];
        b[J] = b[J] + 1.0;
        ranges[static_cast<std::size_t>(J)] = hull(r, {J, J + 1});
    }
    return ranges;
}

// B's block = A's block with 1.0 added to the diagonal (B is not A).
std::vector<Rows> copy_with_offset(const Matrix& A, Matrix& B, int K, const std::vector<Rows>& held)
{
    const ColumnShape* const shape = MatrixAccess::shapes(A);
    std::vector<Rows> ranges(static_cast<std::size_t>(K));
    for (int J = 0; J < K; ++J) {
        const double* const a = MatrixAccess::storage(A) + static_cast<std::size_t>(J) * MatrixAccess::ld(A);
        double* const b = MatrixAccess::storage(B) + static_cast<std::size_t>(J) * MatrixAccess::ld(B);
        const Rows r = meet(rows_of(shape[J]), Rows{0, K});
        const Rows work = hull(r, held[static_cast<std::size_t>(J)]);
        for (int L = work.begin; L < work.end; ++L) b[L] = a[L];
        b[J] = b[J] + 1.0;
        ranges[static_cast<std::size_t>(J)] = hull(r, {J, J + 1});
    }
    return ranges;
}

// The straight routine for blocks that reach beyond the declared shapes.
template <class Watch>
Status plain_inverse(const Matrix& A, Matrix& B, int K, Watch& watch)
{
    std::vector<double> original(static_cast<std::size_t>(K) * static_cast<std::size_t>(K));
    for (int J = 1; J <= K; ++J)
        for (int I = 1; I <= K; ++I) original[static_cast<std::size_t>(J - 1) * K + (I - 1)] = A(I, J);
    double* const b = MatrixAccess::storage(B);
    const std::size_t ld = MatrixAccess::ld(B);
    for (int J = 0; J < K; ++J)
        for (int I = 0; I < K; ++I) b[static_cast<std::size_t>(J) * ld + I] = original[static_cast<std::size_t>(J) * K + I];
    for (int I = 0; I < K; ++I) b[static_cast<std::size_t>(I) * ld + I] += 1.0;
    MatrixAccess::forget(B);
    return eliminate_fully(b, ld, K, watch);
}

// The inversion, with the pivots reported to `report` when Watched.
template <bool Watched>
Status invert(const Matrix& A, Matrix& B, Index K, Pivots* report)
{
    if (K <= 0) return DONE;
    PivotWatch<Watched> watch(A, K, report);
    if (!inside(A, K, K) || !inside(B, K, K)) return plain_inverse(A, B, K, watch);
    const std::size_t ld = MatrixAccess::ld(B);
    double* const b = MatrixAccess::storage(B);

    // B may be A: keep A's block for the case that the sparse form has to be done again.
    const bool in_place = &A == &B;
    const SavedBlock original = in_place ? save(A, K) : SavedBlock{};
    std::vector<Rows> held(static_cast<std::size_t>(K));
    std::vector<Rows> below(static_cast<std::size_t>(K));  // where B may hold something under the block
    {
        const ColumnShape* const shape = MatrixAccess::shapes(B);
        for (int J = 0; J < K; ++J) {
            held[static_cast<std::size_t>(J)] = meet(rows_of(shape[J]), Rows{0, K});
            below[static_cast<std::size_t>(J)] = meet(rows_of(shape[J]), Rows{K, B.rows()});
        }
    }
    const auto start = [&] {
        return in_place ? restore_with_offset(original, B, K, held) : copy_with_offset(A, B, K, held);
    };

    SparseElimination sparse(b, ld, K, start());
    if (!sparse.applies()) {
        MatrixAccess::forget(B);
        return eliminate_fully(b, ld, K, watch);
    }
    Status status = DONE;
    bool sparse_form = true;
    for (int I = 0; I < K; ++I) {
        const double P = pivot_of(b, ld, I);
        if (P == 0.0) {
            status = FAILED;
            break;
        }
        watch.observe(I, P);
        if (sparse_form && P > 0.0 && std::isfinite(P)) {
            sparse_form = sparse.step(I, P);
            if (!sparse_form) sparse.whole();
            continue;
        }
        sparse_form = false;
        sparse.whole();
        eliminate_pivot(b, ld, K, I, P);
    }
    if (!sparse.finite()) {
        // An infinity or NaN came up while the sparse form skipped updates: start again the
        // full way, from A's block.
        const std::vector<Rows> block(static_cast<std::size_t>(K), Rows{0, K});
        held = block;
        start();
        MatrixAccess::forget(B);
        watch.restart();
        return eliminate_fully(b, ld, K, watch);
    }
    if (status == DONE) remove_offset(b, ld, K);
    ColumnShape* const shape = MatrixAccess::shapes(B);
    for (int J = 0; J < K; ++J) {
        const Rows now = hull(sparse.columns()[static_cast<std::size_t>(J)], below[static_cast<std::size_t>(J)]);
        const bool finite = below[static_cast<std::size_t>(J)].empty();
        shape[J] = {now.begin, now.end, finite ? Finiteness::finite : Finiteness::unknown};
    }
    return status;
}

}  // namespace

Status MADINV(const Matrix& A, Matrix& B, Index K) { return invert<false>(A, B, K, nullptr); }

Status MADINV(const Matrix& A, Matrix& B, Index K, Pivots& pivots)
{
    pivots = Pivots{};
    return invert<true>(A, B, K, &pivots);
}

namespace {

// The scale of row and column I: 1/sqrt(A(I,I)), or 1 where the diagonal element gives none.
std::vector<double> unit_diagonal_scales(const Matrix& A, Index K)
{
    std::vector<double> scale(static_cast<std::size_t>(K), 1.0);
    for (Index I = 1; I <= K; ++I) {
        const double a = A(I, I);
        if (a > 0.0 && std::isfinite(a)) scale[static_cast<std::size_t>(I - 1)] = 1.0 / std::sqrt(a);
    }
    return scale;
}

// B(I,J) = A(I,J) * scale(I) * scale(J) over the block (B may be A). Within the declared shapes
// only the rows of A's column shapes are computed, the rest of B's block cleared where it held
// something, and B's shapes set to A's (with what B holds below the block).
void scale_block(const Matrix& A, Matrix& B, Index K, const std::vector<double>& scale)
{
    if (!inside(A, K, K) || !inside(B, K, K)) {
        for (Index J = 1; J <= K; ++J)
            for (Index I = 1; I <= K; ++I)
                B(I, J) = A(I, J) * scale[static_cast<std::size_t>(I - 1)] * scale[static_cast<std::size_t>(J - 1)];
        return;
    }
    const ColumnShape* const a_shape = MatrixAccess::shapes(A);
    ColumnShape* const b_shape = MatrixAccess::shapes(B);
    const bool in_place = &A == &B;
    for (int J = 0; J < K; ++J) {
        const Rows r = meet(rows_of(a_shape[J]), Rows{0, K});
        const Rows held = meet(rows_of(b_shape[J]), Rows{0, K});
        const Rows below = meet(rows_of(b_shape[J]), Rows{K, B.rows()});
        const double* const a = MatrixAccess::storage(A) + static_cast<std::size_t>(J) * MatrixAccess::ld(A);
        double* const b = MatrixAccess::storage(B) + static_cast<std::size_t>(J) * MatrixAccess::ld(B);
        if (!in_place)
            for (int L = held.begin; L < held.end; ++L)
                if (L < r.begin || L >= r.end) b[L] = 0.0;
        const double sj = scale[static_cast<std::size_t>(J)];
        for (int L = r.begin; L < r.end; ++L) b[L] = a[L] * scale[static_cast<std::size_t>(L)] * sj;
        const Rows now = hull(r, below);
        b_shape[J] = {now.begin, now.end, Finiteness::unknown};
    }
}

}  // namespace

Status MADINV_on_unit_diagonal(const Matrix& A, Matrix& B, Index K, Pivots& pivots)
{
    pivots = Pivots{};
    if (K <= 0) return DONE;
    const std::vector<double> scale = unit_diagonal_scales(A, K);
    scale_block(A, B, K, scale);
    const Status status = MADINV(B, B, K, pivots);
    if (status != DONE) return status;
    scale_block(B, B, K, scale);
    return DONE;
}

}  // namespace library
