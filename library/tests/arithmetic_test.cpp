// Element-by-element routines, transpose, trace, fill and identity: used blocks, declared
// shapes and empty extents. Expected values are worked out by hand.
#include <gtest/gtest.h>

#include <ostream>
#include <cmath>
#include <functional>
#include <limits>

#include "library/madarith.h"
#include "matrix_helpers.h"

namespace library {
namespace {

using test::from_rows;

constexpr double untouched = 7777.0;

struct ElementwiseCase {
    const char* name;
    std::function<void(const Matrix&, const Matrix&, Matrix&, Index, Index)> routine;
    double e11, e12, e13, e21, e22, e23;  // C for A = (1 2 3 / 4 5 6), B = (6 5 4 / 3 2 -1)
};

std::ostream& operator<<(std::ostream& out, const ElementwiseCase& c) { return out << c.name; }

class Elementwise : public ::testing::TestWithParam<ElementwiseCase> {};

TEST_P(Elementwise, GivesTheUsedBlockAndMayWriteIntoItsFirstOperand)
{
    const auto& c = GetParam();
    const Matrix A = from_rows(3, 4, {{1, 2, 3}, {4, 5, 6}});
    const Matrix B = from_rows(3, 4, {{6, 5, 4}, {3, 2, -1}});
    Matrix C(3, 4);
    MADVAL(C, 3, 4, untouched);
    const Matrix before = C;
    c.routine(A, B, C, 2, 3);
    const double expected[2][3] = {{c.e11, c.e12, c.e13}, {c.e21, c.e22, c.e23}};
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 4; ++j) {
            if (i <= 2 && j <= 3) EXPECT_EQ(C(i, j), expected[i - 1][j - 1]) << i << "," << j;
            else EXPECT_EQ(C(i, j), before(i, j)) << "outside the used block " << i << "," << j;
        }

    Matrix in_place = A;
    c.routine(in_place, B, in_place, 2, 3);
    for (int i = 1; i <= 2; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(in_place(i, j), expected[i - 1][j - 1]);
    EXPECT_EQ(in_place(3, 1), 0.0);
}

TEST_P(Elementwise, EmptyOrNegativeExtentLeavesTheResultUntouched)
{
    const auto& c = GetParam();
    const Matrix A = from_rows(2, 2, {{1, 2}, {3, 4}});
    for (auto [K, L] : {std::pair<Index, Index>{0, 2}, {2, 0}, {-1, 2}, {2, -3}}) {
        Matrix C(2, 2);
        MADVAL(C, 2, 2, untouched);
        c.routine(A, A, C, K, L);
        for (int k = 0; k < 4; ++k) EXPECT_EQ(C.data()[k], untouched) << "K=" << K << " L=" << L;
    }
}

INSTANTIATE_TEST_SUITE_P(Library, Elementwise,
                         ::testing::Values(ElementwiseCase{"MADADD", MADADD, 7, 7, 7, 7, 7, 5},
                                           ElementwiseCase{"MADSUB", MADSUB, -5, -3, -1, 1, 3, 7},
                                           ElementwiseCase{"MADNAS", MADNAS, 6, 10, 12, 12, 10, -6}),
                         [](const auto& info) { return std::string(info.param.name); });

// A 172 x 60 declaration with a used block of 5 x 3: only the 15 elements at
// (J-1)*172 + (I-1) are read and written; element (1,2) sits at position 172.
TEST(DeclaredShape, OnlyTheUsedBlockOfA172By60MatrixIsReadOrWritten)
{
    Matrix A(172, 60), B(172, 60), C(172, 60);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    MADVAL(A, 172, 60, nan);  // anything read outside the block would spoil the sums
    MADVAL(B, 172, 60, nan);
    MADVAL(C, 172, 60, untouched);
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 3; ++j) {
            A.data()[(j - 1) * 172 + (i - 1)] = 10.0 * i + j;
            B.data()[(j - 1) * 172 + (i - 1)] = 0.5;
        }
    MADADD(A, B, C, 5, 3);
    EXPECT_EQ(C.data()[172], 12.5);  // element (1,2)
    int written = 0;
    for (int k = 0; k < 172 * 60; ++k) {
        const int i = k % 172 + 1, j = k / 172 + 1;
        if (i <= 5 && j <= 3) {
            EXPECT_EQ(C.data()[k], 10.0 * i + j + 0.5);
            ++written;
        } else {
            ASSERT_EQ(C.data()[k], untouched) << "position " << k;
        }
    }
    EXPECT_EQ(written, 15);
}

TEST(MADTRN, TwoByThreeBlockBecomesThreeByTwoInTheDeclaredRowsOfB)
{
    // A declared 4 x 5, so B is declared 5 x 4: B's element (I,J) lies at (J-1)*5 + (I-1).
    const Matrix A = from_rows(4, 5, {{1, 2, 3}, {4, 5, 6}});
    Matrix B(5, 4);
    MADVAL(B, 5, 4, untouched);
    MADTRN(A, B, 2, 3);
    const double expected[3][2] = {{1, 4}, {2, 5}, {3, 6}};
    for (int i = 1; i <= 5; ++i)
        for (int j = 1; j <= 4; ++j) {
            if (i <= 3 && j <= 2) EXPECT_EQ(B(i, j), expected[i - 1][j - 1]);
            else EXPECT_EQ(B(i, j), untouched) << i << "," << j;
        }
    EXPECT_EQ(B.data()[5], 4.0);  // element (1,2) of B

    Matrix C(5, 4);
    MADVAL(C, 5, 4, untouched);
    MADTRN(A, C, 0, 3);
    MADTRN(A, C, 2, -1);
    for (int k = 0; k < 20; ++k) EXPECT_EQ(C.data()[k], untouched);
}

TEST(MADTRE, SumsTheDiagonalInAscendingOrderFromZero)
{
    // 1e16 + 1 rounds back to 1e16, so the ascending sum is exactly 0; any other order gives 1.
    const Matrix A = from_rows(3, 3, {{1e16, 9, 9}, {9, 1, 9}, {9, 9, -1e16}});
    double T = untouched;
    MADTRE(A, 3, T);
    EXPECT_EQ(T, 0.0);
    MADTRE(A, 2, T);
    EXPECT_EQ(T, 1e16);
    for (Index K : {0, -2}) {
        T = untouched;
        MADTRE(A, K, T);
        EXPECT_EQ(T, 0.0) << K;
    }
}

TEST(MADVAL, FillsTheUsedBlockOnly)
{
    Matrix A(3, 3);
    MADVAL(A, 2, 3, 2.5);
    for (int i = 1; i <= 3; ++i)
        for (int j = 1; j <= 3; ++j) EXPECT_EQ(A(i, j), i <= 2 ? 2.5 : 0.0);
    MADVAL(A, -1, 3, 9.0);
    MADVAL(A, 3, 0, 9.0);
    EXPECT_EQ(A(3, 3), 0.0);
}

TEST(MADONE, SetsTheLeadingSquareBlockToTheIdentity)
{
    Matrix A(4, 4);
    MADVAL(A, 4, 4, untouched);
    MADONE(A, 3);
    for (int i = 1; i <= 4; ++i)
        for (int j = 1; j <= 4; ++j) {
            const double expected = i <= 3 && j <= 3 ? (i == j ? 1.0 : 0.0) : untouched;
            EXPECT_EQ(A(i, j), expected) << i << "," << j;
        }
    MADONE(A, 0);
    EXPECT_EQ(A(4, 4), untouched);
}

}  // namespace
}  // namespace library
