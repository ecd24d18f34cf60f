// Inversion by Gauss-Jordan elimination without pivot search, on the matrix with 1.0 added to
// its diagonal.
#include "library/madinv.h"

#include <cmath>
#include <cstddef>
#include <vector>

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

// The sparse form of one pivot's step, used while the matrix holds no -0.0, no infinity and no
// NaN. Then an update B(L,J) - B(I,J)*Q(L) whose B(I,J) or Q(L) is an exact zero subtracts a
// signed zero from a value that is not -0.0, which gives the value back bit for bit: only the
// rows with Q(L) != 0 and, in them, only the columns where the pivot row is not zero change.
// Dividing the pivot row by a positive finite P leaves its zeros +0.0, and a difference of two
// values that are not -0.0 is never -0.0. What can break the condition is a division that
// underflows to a signed zero or overflows (seen at once: the step is then done the full way
// and the later pivots take the full form), and an update that overflows: an infinity or NaN
// stays one through every later step, so a scan at the end finds it (MADINV then starts again
// the full way).
class SparseElimination {
public:
    SparseElimination(double* b, std::size_t ld, int K) : b_(b), ld_(ld), K_(K) {
        columns_.reserve(static_cast<std::size_t>(K));
        rows_.reserve(static_cast<std::size_t>(K));
        q_.reserve(static_cast<std::size_t>(K));
    }

    // Whether the block holds only finite values and no -0.0.
    bool applies() const {
        for (int J = 0; J < K_; ++J)
            for (int L = 0; L < K_; ++L)
                if (!usable(at(L, J))) return false;
        return true;
    }

    // Whether the block holds only finite values.
    bool finite() const {
        for (int J = 0; J < K_; ++J)
            for (int L = 0; L < K_; ++L)
                if (!std::isfinite(at(L, J))) return false;
        return true;
    }

    // Divides pivot row I by P (> 0, finite) and eliminates. False when the later pivots need
    // the full form.
    bool step(int I, double P) {
        bool clean = true;
        columns_.clear();
        for (int J = 0; J < K_; ++J) {
            double& x = at(I, J);
            if (x == 0.0) continue;  // +0.0 / P is +0.0
            x = x / P;
            columns_.push_back(J);
            if (!usable(x) || x == 0.0) clean = false;
        }
        if (!clean) {
            eliminate(b_, ld_, K_, I);
            return false;
        }
        rows_.clear();
        q_.clear();
        for (int L = 0; L < K_; ++L) {
            const double q = at(L, I);
            if (L != I && q != 0.0) {
                rows_.push_back(L);
                q_.push_back(q);
            }
        }
        if (rows_.size() + 1 == static_cast<std::size_t>(K_))
            dense_rows(I);
        else
            listed_rows(I);
        return true;
    }

private:
    // Every other row has Q != 0: whole columns, the pivot column last (its Q are read there).
    void dense_rows(int I) {
        const double* const q = b_ + static_cast<std::size_t>(I) * ld_;
        for (int J : columns_)
            if (J != I) subtract(b_ + static_cast<std::size_t>(J) * ld_, I, q);
        double* const pivot_column = b_ + static_cast<std::size_t>(I) * ld_;
        const double p = pivot_column[I];
        for (std::size_t t = 0; t < rows_.size(); ++t)
            pivot_column[rows_[t]] = pivot_column[rows_[t]] - p * q_[t];
    }

    void subtract(double* __restrict column, int I, const double* __restrict q) const {
        const double p = column[I];
        for (int L = 0; L < I; ++L) column[L] = column[L] - p * q[L];
        for (int L = I + 1; L < K_; ++L) column[L] = column[L] - p * q[L];
    }

    // Only the rows whose Q != 0, from the saved Q.
    void listed_rows(int I) {
        for (int J : columns_) {
            double* const column = b_ + static_cast<std::size_t>(J) * ld_;
            const double p = column[I];
            for (std::size_t t = 0; t < rows_.size(); ++t)
                column[rows_[t]] = column[rows_[t]] - p * q_[t];
        }
    }

    static bool usable(double x) { return std::isfinite(x) && !(x == 0.0 && std::signbit(x)); }
    double& at(int L, int J) const { return b_[static_cast<std::size_t>(J) * ld_ + static_cast<std::size_t>(L)]; }

    double* b_;
    std::size_t ld_;
    int K_;
    std::vector<int> columns_, rows_;
    std::vector<double> q_;
};

}  // namespace

namespace {

void copy_with_offset(const Matrix& A, Matrix& B, Index K)
{
    for (int J = 1; J <= K; ++J)
        for (int I = 1; I <= K; ++I) B(I, J) = A(I, J);
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) + 1.0;
}

// Steps 3 and 4 on B; `sparse_form` lets the pivots take the sparse form while it applies.
// Sets `overflowed` when the sparse form may have met an infinity or NaN on the way.
Status eliminate_all(Matrix& B, Index K, bool sparse_form, bool& overflowed)
{
    const std::size_t ld = static_cast<std::size_t>(B.rows());
    SparseElimination sparse(B.data(), ld, K);
    sparse_form = sparse_form && sparse.applies();
    const bool started_sparse = sparse_form;
    overflowed = false;
    for (int I = 1; I <= K; ++I) {
        const double P = B(I, I) - 1.0;
        if (P == 0.0) {
            overflowed = started_sparse && !sparse.finite();
            return FAILED;
        }
        if (sparse_form && P > 0.0 && std::isfinite(P)) {
            sparse_form = sparse.step(I - 1, P);
            continue;
        }
        sparse_form = false;
        for (int J = 1; J <= K; ++J) B(I, J) = B(I, J) / P;
        eliminate(B.data(), ld, K, I - 1);
    }
    overflowed = started_sparse && !sparse.finite();
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) - 1.0;
    return DONE;
}

}  // namespace

Status MADINV(const Matrix& A, Matrix& B, Index K)
{
    if (K <= 0) return DONE;
    // B may be A: keep a copy for the case that the sparse form has to be done again.
    const bool in_place = &A == &B;
    Matrix original = in_place ? Matrix(K, K) : Matrix(1, 1);
    if (in_place)
        for (int J = 1; J <= K; ++J)
            for (int I = 1; I <= K; ++I) original(I, J) = A(I, J);
    copy_with_offset(A, B, K);
    bool overflowed = false;
    Status status = eliminate_all(B, K, true, overflowed);
    if (overflowed) {
        copy_with_offset(in_place ? original : A, B, K);
        status = eliminate_all(B, K, false, overflowed);
    }
    return status;
}

}  // namespace library
