// The column shapes that the matrices keep: they never claim a zero where there is none, the
// routines that read them give the bits of the plain loops whatever was written before (through
// the element access, through data(), through the routines), and the shapes passed along a
// chain of routines give the same bits as the plain chain.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "library/madarith.h"
#include "library/madinv.h"
#include "matrix_helpers.h"

namespace library {
namespace {

using test::plain_inverse;
using test::plain_product;

constexpr double inf = std::numeric_limits<double>::infinity();
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

// Every element outside a column's range is +0.0, and a column said to be finite (or not) is so.
void expect_true_shapes(const Matrix& m, const char* name)
{
    for (int j = 1; j <= m.cols(); ++j) {
        const ColumnShape s = m.shape(j);
        bool finite = true;
        for (int i = 1; i <= m.rows(); ++i) {
            const double x = m(i, j);
            if (!std::isfinite(x)) finite = false;
            if (i - 1 < s.begin || i - 1 >= s.end) {
                ASSERT_EQ(std::bit_cast<std::uint64_t>(x), 0u) << name << " (" << i << "," << j << ") outside rows " << s.begin << ".." << s.end;
            }
        }
        if (s.finiteness == Finiteness::finite) {
            ASSERT_TRUE(finite) << name << " column " << j;
        }
        if (s.finiteness == Finiteness::not_finite) {
            ASSERT_FALSE(finite) << name << " column " << j;
        }
        ASSERT_EQ(m.finite(j), finite) << name << " column " << j;
    }
}

TEST(MatrixShape, NewMatrixIsZeroWithEmptyFiniteColumns)
{
    const Matrix m(5, 3);
    for (int j = 1; j <= 3; ++j) {
        EXPECT_GE(m.shape(j).begin, m.shape(j).end);
        EXPECT_TRUE(m.finite(j));
        for (int i = 1; i <= 5; ++i) EXPECT_EQ(std::bit_cast<std::uint64_t>(m(i, j)), 0u);
    }
}

TEST(MatrixShape, ElementWritesWidenTheColumnAndCopiesKeepIt)
{
    Matrix m(6, 3);
    m(4, 2) = 1.0;
    m(2, 2) = -0.0;  // -0.0 is not +0.0: inside the range
    EXPECT_EQ(m.shape(2).begin, 1);
    EXPECT_EQ(m.shape(2).end, 4);
    m(3, 2) = inf;
    EXPECT_FALSE(m.finite(2));
    const Matrix copy = m;
    Matrix moved = Matrix(copy);
    expect_true_shapes(copy, "copy");
    expect_true_shapes(moved, "moved");
    EXPECT_EQ(test::differing_bits(copy, m), 0);
    m.data()[5] = 2.0;  // element (6,1) behind the matrix's back: the shapes are found again
    expect_true_shapes(m, "after data()");
    EXPECT_EQ(m.shape(1).begin, 5);
}

// A product whose shapes were found, then inputs changed through the element access (outside
// the former range, an infinity into a finite column, a NaN as factor) and through data():
// every product still has the plain loop's bits.
TEST(MatrixShape, ChangedInputsNeverGiveStaleProducts)
{
    Matrix A(8, 6), B(6, 5), fast(8, 5), plain(8, 5);
    for (int i = 2; i <= 4; ++i) A(i, 1) = i;
    A(5, 3) = 2.0;
    B(1, 1) = 3.0;
    B(3, 2) = -1.0;
    const auto check = [&](const char* step) {
        MADMUL(A, B, fast, 8, 6, 5);
        plain_product(A, B, plain, 8, 6, 5);
        EXPECT_EQ(test::differing_bits(fast, plain), 0) << step;
        expect_true_shapes(fast, step);
    };
    check("first");
    A(8, 1) = 7.0;
    check("below the former range");
    A(1, 2) = inf;  // column 2 of A meets only B(2,J) = 0: 0 * inf = NaN
    check("infinity in a column with zero factors");
    A(1, 2) = 0.0;
    check("infinity gone");
    B(4, 5) = nan;
    check("NaN factor");
    B.data()[6 * 4 + 3] = 0.0;
    A.data()[8 * 5 + 7] = -2.5;
    check("written through data()");
    MADVAL(A, 8, 6, 0.0);
    check("cleared");
}

// What C holds before the product: cleared within the used rows, kept below them.
TEST(MatrixShape, ProductClearsTheUsedRowsAndKeepsTheOthers)
{
    Matrix A(6, 2), B(2, 2), C(6, 2);
    A(1, 1) = 2.0;
    B(1, 1) = 3.0;
    MADVAL(C, 6, 2, 9.0);
    MADMUL(A, B, C, 4, 2, 2);
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(C(i, 1), i == 1 ? 6.0 : (i <= 4 ? 0.0 : 9.0)) << i;
        EXPECT_EQ(C(i, 2), i <= 4 ? 0.0 : 9.0) << i;
    }
    expect_true_shapes(C, "C");
}

// Blocks that reach beyond the declared rows address the following columns, as before.
TEST(MatrixShape, BlocksBeyondTheDeclaredRowsRunIntoTheNextColumns)
{
    Matrix A(4, 3);
    MADVAL(A, 5, 2, 1.5);  // column 1 and the first element of column 2, then column 2 and (1,3)
    EXPECT_EQ(A(1, 3), 1.5);
    EXPECT_EQ(A(2, 3), 0.0);
    expect_true_shapes(A, "A");
}

// The matrices of one random chain: each routine works on the fast set and, written plainly,
// on a copy; after every step all declared arrays agree bit for bit (any two NaN alike) and the
// fast set's shapes are true.
class Chain {
public:
    explicit Chain(std::uint64_t seed) : rng_(seed)
    {
        for (int k = 0; k < count; ++k) {
            fast_.emplace_back(rows, cols);
            plain_.emplace_back(rows, cols);
        }
    }

    void step(int round)
    {
        const int op = pick(0, 10);
        const int x = pick(0, count - 1);
        int y = pick(0, count - 1), z = pick(0, count - 1);
        while (z == x || z == y) z = (z + 1) % count;
        if (y == x && (op == 3 || op == 8)) y = (y + 1) % count;
        Matrix& f = fast_[static_cast<std::size_t>(z)];
        Matrix& p = plain_[static_cast<std::size_t>(z)];
        const int M = pick(1, rows), L = pick(0, cols), N = pick(1, cols);
        switch (op) {
        case 0:  // a few elements, a part of them zeros, -0.0 or specials
            for (int k = pick(1, 6); k > 0; --k) {
                const int i = pick(1, rows), j = pick(1, cols);
                const double v = value();
                fast_[static_cast<std::size_t>(x)](i, j) = v;
                plain_[static_cast<std::size_t>(x)](i, j) = v;
            }
            break;
        case 1: {  // a whole column behind the shapes' back
            const int j = pick(0, cols - 1);
            double* const a = fast_[static_cast<std::size_t>(x)].data();
            double* const b = plain_[static_cast<std::size_t>(x)].data();
            for (int i = 0; i < rows; ++i) a[j * rows + i] = b[j * rows + i] = i % 3 == 0 ? value() : 0.0;
            break;
        }
        case 2:
        case 9:
        case 10:
            MADMUL(fast_[static_cast<std::size_t>(x)], fast_[static_cast<std::size_t>(y)], f, static_cast<Index>(M),
                   static_cast<Index>(std::min(L, rows)), static_cast<Index>(N));
            plain_product(plain_[static_cast<std::size_t>(x)], plain_[static_cast<std::size_t>(y)], p, M, std::min(L, rows), N);
            break;
        case 3: {
            const int K = pick(1, cols);
            MADTRN(fast_[static_cast<std::size_t>(x)], fast_[static_cast<std::size_t>(y)], static_cast<Index>(K), static_cast<Index>(N));
            for (int I = 1; I <= N; ++I)
                for (int J = 1; J <= K; ++J) plain_[static_cast<std::size_t>(y)](I, J) = plain_[static_cast<std::size_t>(x)](J, I);
            break;
        }
        case 4: {  // element by element; the result may be one of the operands
            Matrix& fc = pick(0, 1) ? fast_[static_cast<std::size_t>(x)] : f;
            Matrix& pc = &fc == &f ? p : plain_[static_cast<std::size_t>(x)];
            const int which = pick(0, 2);
            const auto& fa = fast_[static_cast<std::size_t>(x)];
            const auto& fb = fast_[static_cast<std::size_t>(y)];
            if (which == 0) MADADD(fa, fb, fc, static_cast<Index>(M), static_cast<Index>(N));
            if (which == 1) MADSUB(fa, fb, fc, static_cast<Index>(M), static_cast<Index>(N));
            if (which == 2) MADNAS(fa, fb, fc, static_cast<Index>(M), static_cast<Index>(N));
            for (int J = 1; J <= N; ++J)
                for (int I = 1; I <= M; ++I) {
                    const double a = plain_[static_cast<std::size_t>(x)](I, J), b = plain_[static_cast<std::size_t>(y)](I, J);
                    pc(I, J) = which == 0 ? a + b : which == 1 ? a - b : a * b;
                }
            break;
        }
        case 5: {
            const double d = pick(0, 2) ? 0.0 : value();
            MADVAL(f, static_cast<Index>(M), static_cast<Index>(N), d);
            for (int J = 1; J <= N; ++J)
                for (int I = 1; I <= M; ++I) p(I, J) = d;
            break;
        }
        case 6: {
            Index l1 = static_cast<Index>(N), l2 = l1;
            const Index ic = static_cast<Index>(pick(0, N + 1));
            MADRED(f, static_cast<Index>(M), l1, ic);
            if (ic >= 1 && ic <= l2) {
                for (int J = ic; J <= l2 - 1; ++J)
                    for (int I = 1; I <= M; ++I) p(I, J) = p(I, J + 1);
                --l2;
            }
            ASSERT_EQ(l1, l2);
            break;
        }
        case 7: {
            Index l1 = static_cast<Index>(std::min(N, cols - 1)), l2 = l1;
            const Index ic = static_cast<Index>(pick(1, l1 + 1));
            MADEXT(f, static_cast<Index>(M), l1, ic);
            for (int J = l2; J >= ic; --J)
                for (int I = 1; I <= M; ++I) p(I, J + 1) = p(I, J);
            for (int I = 1; I <= M; ++I) p(I, ic) = 0.0;
            break;
        }
        case 8: {  // an inversion, often of a matrix made invertible first; sometimes in place
            const int K = pick(1, cols);
            Matrix& fa = fast_[static_cast<std::size_t>(x)];
            Matrix& pa = plain_[static_cast<std::size_t>(x)];
            if (pick(0, 1))
                for (int i = 1; i <= K; ++i) {
                    fa(i, i) = fa(i, i) + 30.0;
                    pa(i, i) = pa(i, i) + 30.0;
                }
            const bool in_place = pick(0, 3) == 0;
            const Status s1 = MADINV(fa, in_place ? fa : f, static_cast<Index>(K));
            const Status s2 = plain_inverse(pa, in_place ? pa : p, K);
            ASSERT_EQ(s1, s2) << "round " << round;
            break;
        }
        }
        for (int k = 0; k < count; ++k) {
            ASSERT_EQ(test::differing_bits(fast_[static_cast<std::size_t>(k)], plain_[static_cast<std::size_t>(k)]), 0)
                << "round " << round << " operation " << op << " matrix " << k;
            expect_true_shapes(fast_[static_cast<std::size_t>(k)], "chain");
        }
    }

private:
    static constexpr int count = 5, rows = 11, cols = 9;

    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng_); }
    double value()
    {
        const int kind = pick(0, 19);
        if (kind < 5) return kind < 3 ? 0.0 : -0.0;
        if (kind == 5) return pick(0, 1) ? inf : -inf;
        if (kind == 6) return nan;
        return std::uniform_real_distribution<double>(-10.0, 10.0)(rng_);
    }

    std::mt19937_64 rng_;
    std::vector<Matrix> fast_, plain_;
};

TEST(MatrixShape, RandomChainsGiveThePlainBits)
{
    for (std::uint64_t seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed);
        Chain chain(seed);
        for (int round = 0; round < 150; ++round) {
            chain.step(round);
            if (::testing::Test::HasFatalFailure()) return;
        }
    }
}

// The structures of the adjustment: a diagonal, tridiagonal blocks along the diagonal, and a
// dense matrix; the inverse into a matrix that held other values before.
TEST(MatrixShape, InversesOfTheAdjustmentsStructuresGiveThePlainBits)
{
    constexpr std::uint64_t seed = 515;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> value(0.1, 1.0);
    constexpr int K = 40;
    for (int form = 0; form < 3; ++form) {
        Matrix A(K + 3, K), fast(K + 3, K), plain(K + 3, K);
        for (int i = 1; i <= K; ++i) {
            A(i, i) = 4.0 + value(rng);
            const bool block_end = i % 7 == 0;
            if (form == 1 && i < K && !block_end) A(i, i + 1) = A(i + 1, i) = -value(rng);
            if (form == 2)
                for (int j = 1; j < i; ++j) A(i, j) = A(j, i) = value(rng) / K;
        }
        MADVAL(fast, K + 3, K, 5.0);
        MADVAL(plain, K + 3, K, 5.0);
        ASSERT_EQ(MADINV(A, fast, K), DONE);
        ASSERT_EQ(plain_inverse(A, plain, K), DONE);
        EXPECT_EQ(test::differing_bits(fast, plain), 0) << "form " << form;
        expect_true_shapes(fast, "inverse");
        // The product of the inverse with the matrix it came from, shapes passed along.
        Matrix product_fast(K + 3, K), product_plain(K + 3, K);
        MADMUL(fast, A, product_fast, K, K, K);
        plain_product(plain, A, product_plain, K, K, K);
        EXPECT_EQ(test::differing_bits(product_fast, product_plain), 0) << "form " << form;
    }
}

}  // namespace
}  // namespace library
