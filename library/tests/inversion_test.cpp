// MADINV: inverses known in closed form, the failure states, bit identity with the elimination
// written row by row, and A*B = I for random well-conditioned symmetric positive definite
// matrices (fixed seed).
#include <gtest/gtest.h>

#include <ostream>
#include <cmath>
#include <limits>
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

// The pivots that the elimination meets, by hand: P1 = A(1,1); P2 = A(2,2) - A(2,1)*A(1,2)/A(1,1).
TEST(MADINV, ReportsTheSmallestPivotBesideItsDiagonalElement)
{
    struct Case {
        const char* name;
        std::vector<std::vector<double>> a;
        Status status;
        double smallest;  // |P| / |A(I,I)|
        Index at;
        double tolerance;
    };
    const double inf = std::numeric_limits<double>::infinity();
    const Case cases[] = {
        {"symmetric: P2 = 3 - 1/4", {{4, 1}, {1, 3}}, DONE, 2.75 / 3, 2, 1e-15},
        {"general: P2 = 4 - 6, its magnitude counts", {{1, 2}, {3, 4}}, DONE, 0.5, 2, 1e-15},
        {"diagonal: every ratio 1, the first kept", {{2, 0, 0}, {0, 4, 0}, {0, 0, 8}}, DONE, 1.0, 1, 0.0},
        {"failed at pivot 2: the pivots before it", {{2, 0}, {0, 0}}, FAILED, 1.0, 1, 0.0},
        {"failed at pivot 1: none met", {{0, 1}, {1, 0}}, FAILED, inf, 0, 0.0},
        // Rows equal but for 1e-12: inverted (no pivot is exactly zero), yet P2 is 1e-12 of A(2,2).
        {"nearly dependent rows", {{1, 1}, {1, 1 + 1e-12}}, DONE, 1e-12, 2, 1e-15},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int K = static_cast<int>(c.a.size());
        Matrix A(4, 4), B(4, 4), plain(4, 4);
        for (int i = 1; i <= K; ++i)
            for (int j = 1; j <= K; ++j) A(i, j) = c.a[i - 1][j - 1];
        Pivots pivots;
        EXPECT_EQ(MADINV(A, B, static_cast<Index>(K), pivots), c.status);
        if (c.tolerance == 0.0) EXPECT_EQ(pivots.smallest_relative, c.smallest);
        else EXPECT_NEAR(pivots.smallest_relative, c.smallest, c.tolerance);
        EXPECT_EQ(pivots.at, c.at);
        EXPECT_EQ(MADINV(A, plain, static_cast<Index>(K)), c.status);
        EXPECT_EQ(test::differing_bits(B, plain), 0) << "the report must not change the inverse";
        Pivots in_place;  // the diagonal it started from is A's, not the block being overwritten
        EXPECT_EQ(MADINV(A, A, static_cast<Index>(K), in_place), c.status);
        EXPECT_EQ(in_place.smallest_relative, pivots.smallest_relative);
        EXPECT_EQ(in_place.at, pivots.at);
    }
}

// With the pivots reported, random blocks (sparse, dense, failing) keep every bit, and the report
// agrees with the pivots of the row-by-row elimination taken here.
TEST(MADINV, ReportKeepsTheBitsOnRandomBlocks)
{
    constexpr std::uint64_t seed = 777;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 rng(seed);
    for (int round = 0; round < 40; ++round) {
        const int K = 1 + round % 17;
        Matrix A(20, 20);
        test::fill_random(A, rng, (round % 4) * 0.3);
        if (round % 2 == 0)
            for (int i = 1; i <= K; ++i) A(i, i) += 30.0;
        Matrix reported(20, 20), plain(20, 20);
        Pivots pivots;
        const Status status = MADINV(A, reported, static_cast<Index>(K), pivots);
        ASSERT_EQ(status, MADINV(A, plain, static_cast<Index>(K))) << "round " << round;
        ASSERT_EQ(test::differing_bits(reported, plain), 0) << "round " << round;
        // The pivots again, row by row on the offset block.
        std::vector<double> b(static_cast<std::size_t>(K * K));
        for (int i = 0; i < K; ++i)
            for (int j = 0; j < K; ++j) b[static_cast<std::size_t>(i * K + j)] = A(i + 1, j + 1) + (i == j ? 1.0 : 0.0);
        double smallest = std::numeric_limits<double>::infinity();
        Index at = 0;
        for (int I = 0; I < K; ++I) {
            const double P = b[static_cast<std::size_t>(I * K + I)] - 1.0;
            if (P == 0.0) break;
            const double ratio = std::fabs(P) / std::fabs(A(I + 1, I + 1));
            if (ratio < smallest) smallest = ratio, at = static_cast<Index>(I + 1);
            for (int J = 0; J < K; ++J) b[static_cast<std::size_t>(I * K + J)] /= P;
            for (int L = 0; L < K; ++L) {
                if (L == I) continue;
                const double q = b[static_cast<std::size_t>(L * K + I)];
                for (int J = 0; J < K; ++J)
                    b[static_cast<std::size_t>(L * K + J)] = b[static_cast<std::size_t>(L * K + J)] - b[static_cast<std::size_t>(I * K + J)] * q;
            }
        }
        EXPECT_EQ(pivots.smallest_relative, smallest) << "round " << round;
        EXPECT_EQ(pivots.at, at) << "round " << round;
    }
}

}  // namespace
}  // namespace library

namespace library {
namespace {

// MADINV on the matrix scaled to a unit diagonal: the inverse, A unchanged, the status of MADINV
// on the scaled matrix, and its pivots.
struct ScaledCase {
    const char* name;
    std::vector<std::vector<double>> a;
    Status status;
    std::vector<std::vector<double>> b;  // the inverse (when DONE)
    double relative;                     // tolerance relative to each element
};

std::ostream& operator<<(std::ostream& out, const ScaledCase& c) { return out << c.name; }

class ScaledInverse : public ::testing::TestWithParam<ScaledCase> {};

TEST_P(ScaledInverse, InvertsOnTheUnitDiagonal)
{
    const auto& c = GetParam();
    const int K = static_cast<int>(c.a.size());
    Matrix A(4, 4), B(4, 4);
    for (int i = 1; i <= K; ++i)
        for (int j = 1; j <= K; ++j) A(i, j) = c.a[i - 1][j - 1];
    const Matrix original = A;
    Pivots pivots;
    EXPECT_EQ(MADINV_on_unit_diagonal(A, B, static_cast<Index>(K), pivots), c.status);
    EXPECT_EQ(test::differing_bits(A, original), 0) << "A must stay unchanged";
    if (c.status != DONE) return;
    for (int i = 1; i <= K; ++i)
        for (int j = 1; j <= K; ++j) {
            const double expected = c.b[i - 1][j - 1];
            EXPECT_NEAR(B(i, j), expected, c.relative * std::fabs(expected)) << i << "," << j;
        }
}

INSTANTIATE_TEST_SUITE_P(
    Library, ScaledInverse,
    ::testing::Values(
        ScaledCase{"Symmetric", {{4, 1}, {1, 3}}, DONE, {{3.0 / 11, -1.0 / 11}, {-1.0 / 11, 4.0 / 11}}, 1e-15},
        ScaledCase{"LargeDiagonal", {{4e8, 1e8}, {1e8, 3e8}}, DONE,
                   {{3e-8 / 11, -1e-8 / 11}, {-1e-8 / 11, 4e-8 / 11}}, 1e-15},
        // MADINV alone keeps only the digits of 1 + 1e-9 that lie beyond the offset: about 1e-7
        // relative. On the unit diagonal nothing is lost.
        ScaledCase{"SmallDiagonal", {{1e-9, 0.5e-9}, {0.5e-9, 1e-9}}, DONE,
                   {{4e9 / 3, -2e9 / 3}, {-2e9 / 3, 4e9 / 3}}, 1e-15},
        // MADINV alone finds 1e-17 + 1.0 = 1.0, a zero pivot.
        ScaledCase{"PivotBelowTheOffset", {{1e-17}}, DONE, {{1e17}}, 1e-15},
        // A zero diagonal element is not scaled: the zero pivot stays.
        ScaledCase{"ZeroFirstPivot", {{0, 1}, {1, 0}}, FAILED, {}, 0},
        ScaledCase{"Singular", {{4, 4}, {4, 4}}, FAILED, {}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MADINV_on_unit_diagonal, ReportsThePivotsOfTheScaledMatrix)
{
    // Scaled: rows (1, 0.5) and (0.5, 1); the second pivot is 1 - 0.25.
    Matrix A(2, 2), B(2, 2);
    A(1, 1) = 400, A(1, 2) = 200, A(2, 1) = 200, A(2, 2) = 400;
    Pivots pivots;
    ASSERT_EQ(MADINV_on_unit_diagonal(A, B, 2, pivots), DONE);
    EXPECT_DOUBLE_EQ(pivots.smallest_relative, 0.75);
    EXPECT_EQ(pivots.at, 2);
}

}  // namespace
}  // namespace library
