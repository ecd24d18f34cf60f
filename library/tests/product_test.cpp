// MADMUL: hand-computed products, the order of the terms, empty extents, and bit identity with
// the plain triple loop on random matrices with many exact zeros, -0.0, infinities and NaN.
#include <gtest/gtest.h>

#include <ostream>
#include <limits>
#include <random>

#include "library/madarith.h"
#include "matrix_helpers.h"

namespace library {
namespace {

using test::from_rows;

constexpr double untouched = 7777.0;


TEST(MADMUL, HandComputedProductInDeclaredArrays)
{
    // A declared 3 x 4 (so B has 4 declared rows), B declared 4 x 3, C declared 3 x 3.
    const Matrix A = from_rows(3, 4, {{1, 2, 3}, {4, 5, 6}});
    const Matrix B = from_rows(4, 3, {{7, 8}, {9, 10}, {11, 12}});
    Matrix C(3, 3);
    MADVAL(C, 3, 3, untouched);
    MADMUL(A, B, C, 2, 3, 2);
    EXPECT_EQ(C(1, 1), 58.0);
    EXPECT_EQ(C(1, 2), 64.0);
    EXPECT_EQ(C(2, 1), 139.0);
    EXPECT_EQ(C(2, 2), 154.0);
    for (int k : {2, 5, 6, 7, 8}) EXPECT_EQ(C.data()[k], untouched) << k;
}

TEST(MADMUL, AddsTheTermsInAscendingInnerOrder)
{
    // Terms 1e16, 1, -1e16: ascending gives (1e16 + 1) - 1e16 = 0, since 1e16 + 1 rounds to
    // 1e16; the terms from the last backwards would give 1.
    const Matrix A = from_rows(1, 3, {{1e16, 1, -1e16}});
    const Matrix B = from_rows(3, 1, {{1}, {1}, {1}});
    Matrix C(1, 1);
    MADMUL(A, B, C, 1, 3, 1);
    EXPECT_EQ(C(1, 1), 0.0);
}

TEST(MADMUL, EmptyExtents)
{
    const Matrix A = from_rows(2, 2, {{1, 2}, {3, 4}});
    Matrix C(2, 2);
    for (auto [M, N] : {std::pair<Index, Index>{0, 2}, {2, 0}, {-1, 2}, {2, -1}}) {
        MADVAL(C, 2, 2, untouched);
        MADMUL(A, A, C, M, 2, N);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(C.data()[k], untouched) << "M=" << M << " N=" << N;
    }
    for (Index L : {0, -4}) {
        MADVAL(C, 2, 2, untouched);
        MADMUL(A, A, C, 2, L, 1);  // only the inner dimension empty: a zero block
        EXPECT_EQ(C(1, 1), 0.0);
        EXPECT_EQ(C(2, 1), 0.0);
        EXPECT_EQ(C(1, 2), untouched);
    }
}

TEST(MADMUL, NeverGivesMinusZeroFromMinusZeroTerms)
{
    // Every term is -0.0; the plain sum from +0.0 stays +0.0.
    const Matrix A = from_rows(1, 2, {{-0.0, 2.0}});
    const Matrix B = from_rows(2, 1, {{3.0}, {-0.0}});
    Matrix C(1, 1);
    MADMUL(A, B, C, 1, 2, 1);
    EXPECT_FALSE(std::signbit(C(1, 1)));
}

struct ProductShape {
    Index rows_a, cols_a, cols_b;  // declared: A rows_a x cols_a, B cols_a x cols_b, C rows_a x cols_b
    Index M, L, N;                 // used
    double zero_share;
    int specials;                  // infinities and NaN placed at random
};

std::ostream& operator<<(std::ostream& out, const ProductShape& s)
{
    return out << s.M << "x" << s.L << " by " << s.L << "x" << s.N << ", zeros " << s.zero_share << ", specials " << s.specials;
}

class ProductBits : public ::testing::TestWithParam<ProductShape> {};

TEST_P(ProductBits, SameBitsAsThePlainTripleLoop)
{
    const auto& s = GetParam();
    constexpr std::uint64_t seed = 20240611;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 rng(seed + static_cast<std::uint64_t>(s.M * 1000 + s.L * 10 + s.specials));
    for (int round = 0; round < 5; ++round) {
        Matrix A(s.rows_a, s.cols_a), B(s.cols_a, s.cols_b);
        test::fill_random(A, rng, s.zero_share);
        test::fill_random(B, rng, s.zero_share);
        const double special[] = {std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity(),
                                  std::numeric_limits<double>::quiet_NaN()};
        for (int n = 0; n < s.specials; ++n) {
            Matrix& target = n % 2 == 0 ? A : B;
            const int rows = n % 2 == 0 ? s.M : s.L, cols = n % 2 == 0 ? s.L : s.N;
            std::uniform_int_distribution<int> r(1, rows), c(1, cols);
            target(r(rng), c(rng)) = special[n % 3];
        }
        Matrix fast(s.rows_a, s.cols_b), plain(s.rows_a, s.cols_b);
        MADVAL(fast, s.rows_a, s.cols_b, untouched);
        MADVAL(plain, s.rows_a, s.cols_b, untouched);
        MADMUL(A, B, fast, s.M, s.L, s.N);
        test::plain_product(A, B, plain, s.M, s.L, s.N);
        ASSERT_EQ(test::differing_bits(fast, plain), 0) << "round " << round;
    }
}

INSTANTIATE_TEST_SUITE_P(Library, ProductBits,
                         ::testing::Values(ProductShape{7, 5, 6, 7, 5, 6, 0.0, 0},
                                           ProductShape{40, 30, 35, 33, 27, 31, 0.6, 0},
                                           ProductShape{40, 30, 35, 33, 27, 31, 0.95, 0},
                                           ProductShape{40, 30, 35, 33, 27, 31, 0.7, 4},
                                           ProductShape{172, 60, 60, 5, 3, 3, 0.5, 2},
                                           ProductShape{20, 20, 20, 20, 20, 20, 0.98, 1}));

// The product of the adjustment: a 172 x 180 matrix with two entries a row (an angle formed
// from two directions) times a dense 180 x 172 one, and the other way round.
TEST(MADMUL, SparseDesignMatrixGivesTheSameBitsAsThePlainLoop)
{
    constexpr std::uint64_t seed = 77;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 rng(seed);
    Matrix D(172, 180), Q(180, 172);
    for (int i = 1; i <= 172; ++i) {
        D(i, i) = -1.0;
        D(i, i + 1) = 1.0;
    }
    test::fill_random(Q, rng, 0.0);
    Matrix fast(172, 172), plain(172, 172);
    MADMUL(D, Q, fast, 172, 180, 172);
    test::plain_product(D, Q, plain, 172, 180, 172);
    EXPECT_EQ(test::differing_bits(fast, plain), 0);

    Matrix fast2(180, 180), plain2(180, 180);  // dense times the sparse one
    MADMUL(Q, D, fast2, 180, 172, 180);
    test::plain_product(Q, D, plain2, 180, 172, 180);
    EXPECT_EQ(test::differing_bits(fast2, plain2), 0);
}

}  // namespace
}  // namespace library
