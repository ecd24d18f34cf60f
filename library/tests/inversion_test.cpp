// MADINV: inverses known in closed form, the failure states, bit identity with the elimination
// written row by row, and A*B = I for random well-conditioned symmetric positive definite
// matrices (fixed seed).
#include <gtest/gtest.h>

#include <ostream>
#include <cmath>
#include <random>
#include <vector>

#include "library/madarith.h"
#include "library/madinv.h"
#include "matrix_helpers.h"

namespace library {
namespace {

using test::from_rows;

struct InverseCase {
    const char* name;
    std::vector<std::vector<double>> a;
    Status status;
    std::vector<std::vector<double>> b;  // the inverse, or the state left at the failed pivot
    double tolerance;                    // 0: exact
};

std::ostream& operator<<(std::ostream& out, const InverseCase& c) { return out << c.name; }

class Inverse : public ::testing::TestWithParam<InverseCase> {};

TEST_P(Inverse, GivesTheInverseOrTheStateAtTheFailedPivot)
{
    const auto& c = GetParam();
    const int K = static_cast<int>(c.a.size());
    Matrix A(5, 4);  // declared larger than the block: the addressing uses the 5 declared rows
    for (int i = 1; i <= K; ++i)
        for (int j = 1; j <= K; ++j) A(i, j) = c.a[i - 1][j - 1];
    const Matrix original = A;
    Matrix B(5, 4);
    MADVAL(B, 5, 4, 7777.0);
    EXPECT_EQ(MADINV(A, B, static_cast<Index>(K)), c.status);
    EXPECT_EQ(test::differing_bits(A, original), 0) << "A must stay unchanged";
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 4; ++j) {
            if (i > K || j > K) {
                EXPECT_EQ(B(i, j), 7777.0) << "outside the block " << i << "," << j;
                continue;
            }
            const double expected = c.b[i - 1][j - 1];
            if (c.tolerance == 0.0) EXPECT_EQ(B(i, j), expected) << i << "," << j;
            else EXPECT_NEAR(B(i, j), expected, c.tolerance) << i << "," << j;
        }

    Matrix in_place = A;  // B the same array as A
    EXPECT_EQ(MADINV(in_place, in_place, static_cast<Index>(K)), c.status);
    for (int i = 1; i <= K; ++i)
        for (int j = 1; j <= K; ++j) EXPECT_EQ(test::bits(in_place(i, j)), test::bits(B(i, j)));
}

INSTANTIATE_TEST_SUITE_P(
    Library, Inverse,
    ::testing::Values(
        InverseCase{"Symmetric", {{4, 1}, {1, 3}}, DONE, {{3.0 / 11, -1.0 / 11}, {-1.0 / 11, 4.0 / 11}}, 1e-15},
        InverseCase{"General", {{1, 2}, {3, 4}}, DONE, {{-2, 1}, {1.5, -0.5}}, 1e-15},
        InverseCase{"OrderOne", {{5}}, DONE, {{0.2}}, 1e-15},
        // A zero at (1,1) needs a row exchange, which the elimination never makes.
        InverseCase{"ZeroFirstPivot", {{0, 1}, {1, 0}}, FAILED, {{1, 1}, {1, 1}}, 0.0},
        InverseCase{"ZeroSecondPivot", {{2, 0}, {0, 0}}, FAILED, {{1.5, 0}, {0, 1}}, 0.0},
        // 1e-17 + 1.0 is exactly 1.0: the pivot counts as zero.
        InverseCase{"PivotLostInTheOffset", {{1e-17}}, FAILED, {{1.0}}, 0.0},
        InverseCase{"Diagonal", {{2, 0, 0}, {0, 4, 0}, {0, 0, 8}}, DONE, {{0.5, 0, 0}, {0, 0.25, 0}, {0, 0, 0.125}}, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MADINV, EmptyOrderDoesNothing)
{
    Matrix A(2, 2), B(2, 2);
    MADVAL(B, 2, 2, 3.0);
    EXPECT_EQ(MADINV(A, B, 0), DONE);
    EXPECT_EQ(MADINV(A, B, -1), DONE);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(B.data()[k], 3.0);
}

// The routine walks the columns in storage order; every element must still come out with the
// bits of the row-by-row elimination, exact zeros and -0.0 included, failures included.
TEST(MADINV, SameBitsAsTheRowByRowElimination)
{
    constexpr std::uint64_t seed = 4242;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 rng(seed);
    int failures = 0;
    for (int round = 0; round < 60; ++round) {
        const int K = 1 + round % 23;
        const double zero_share = (round % 4) * 0.3;  // 0, 0.3, 0.6, 0.9
        Matrix A(30, 25);
        test::fill_random(A, rng, zero_share);
        if (round % 3 == 0)
            for (int i = 1; i <= K; ++i) A(i, i) += 40.0;  // some that go through
        Matrix fast(30, 25), plain(30, 25);
        const Status fast_status = MADINV(A, fast, static_cast<Index>(K));
        const Status plain_status = test::plain_inverse(A, plain, K);
        ASSERT_EQ(fast_status, plain_status) << "round " << round;
        ASSERT_EQ(test::differing_bits(fast, plain), 0) << "round " << round << " K " << K;
        if (fast_status == FAILED) ++failures;
    }
    EXPECT_GT(failures, 0);  // the failure states were compared too
}

TEST(MADINV, RandomSymmetricPositiveDefiniteMatricesGiveTheIdentity)
{
    constexpr std::uint64_t seed = 19620521;
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (int K = 1; K <= 60; K += (K < 10 ? 1 : 7)) {
        SCOPED_TRACE(::testing::Message() << "seed " << seed << ", order " << K);
        // A = R'R + K*I: symmetric, positive definite and well conditioned.
        Matrix R(60, 60), Rt(60, 60), A(60, 60), B(60, 60), AB(60, 60);
        for (int i = 1; i <= K; ++i)
            for (int j = 1; j <= K; ++j) R(i, j) = value(rng);
        MADTRN(R, Rt, static_cast<Index>(K), static_cast<Index>(K));
        MADMUL(Rt, R, A, static_cast<Index>(K), static_cast<Index>(K), static_cast<Index>(K));
        for (int i = 1; i <= K; ++i) A(i, i) += K;
        ASSERT_EQ(MADINV(A, B, static_cast<Index>(K)), DONE);
        MADMUL(A, B, AB, static_cast<Index>(K), static_cast<Index>(K), static_cast<Index>(K));
        double worst = 0.0;
        for (int i = 1; i <= K; ++i)
            for (int j = 1; j <= K; ++j) worst = std::max(worst, std::abs(AB(i, j) - (i == j ? 1.0 : 0.0)));
        EXPECT_LT(worst, 1e-9);
    }
}

}  // namespace
}  // namespace library
