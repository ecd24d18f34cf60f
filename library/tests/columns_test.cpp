// MADRED and MADEXT: deletion and insertion of a column, ignored indices, empty row extents.
#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "library/madinv.h"
#include "matrix_helpers.h"

namespace library {
namespace {

// Row 1 of a 2 x 6 matrix holds the values; row 2 holds them times 10. The used rows are 2.
Matrix two_rows(const std::vector<double>& row)
{
    Matrix A(3, 6);
    for (std::size_t j = 0; j < row.size(); ++j) {
        A(1, static_cast<int>(j + 1)) = row[j];
        A(2, static_cast<int>(j + 1)) = 10 * row[j];
        A(3, static_cast<int>(j + 1)) = -1;  // a row outside the used block
    }
    return A;
}

std::vector<double> first_row(const Matrix& A, int L)
{
    std::vector<double> row;
    for (int j = 1; j <= L; ++j) {
        EXPECT_EQ(A(2, j), 10 * A(1, j)) << "row 2 moved with row 1";
        row.push_back(A(1, j));
    }
    return row;
}

struct ColumnCase {
    const char* name;
    bool insert;  // MADEXT, else MADRED
    std::vector<double> row;
    Index IC;
    std::vector<double> result;
};

std::ostream& operator<<(std::ostream& out, const ColumnCase& c) { return out << c.name; }

class Columns : public ::testing::TestWithParam<ColumnCase> {};

TEST_P(Columns, MovesTheColumnsAndUpdatesTheCount)
{
    const auto& c = GetParam();
    Matrix A = two_rows(c.row);
    Index L = static_cast<Index>(c.row.size());
    if (c.insert) MADEXT(A, 2, L, c.IC);
    else MADRED(A, 2, L, c.IC);
    EXPECT_EQ(L, static_cast<Index>(c.result.size()));
    EXPECT_EQ(first_row(A, L), c.result);
    for (int j = 1; j <= 6; ++j) EXPECT_EQ(A(3, j), j <= static_cast<int>(c.row.size()) ? -1 : 0) << "row 3";
}

INSTANTIATE_TEST_SUITE_P(Library, Columns,
                         ::testing::Values(ColumnCase{"DeleteSecond", false, {1, 2, 3, 4}, 2, {1, 3, 4}},
                                           ColumnCase{"DeleteLast", false, {1, 2, 3, 4}, 4, {1, 2, 3}},
                                           ColumnCase{"DeleteFirst", false, {1, 2, 3, 4}, 1, {2, 3, 4}},
                                           ColumnCase{"DeleteBeyondIgnored", false, {1, 2, 3, 4}, 5, {1, 2, 3, 4}},
                                           ColumnCase{"DeleteZeroIgnored", false, {1, 2, 3, 4}, 0, {1, 2, 3, 4}},
                                           ColumnCase{"DeleteNegativeIgnored", false, {1, 2, 3, 4}, -3, {1, 2, 3, 4}},
                                           ColumnCase{"InsertSecond", true, {1, 3, 4}, 2, {1, 0, 3, 4}},
                                           ColumnCase{"Append", true, {1, 3, 4}, 4, {1, 3, 4, 0}},
                                           ColumnCase{"InsertFirst", true, {1, 3, 4}, 1, {0, 1, 3, 4}},
                                           ColumnCase{"InsertZeroIgnored", true, {1, 3, 4}, 0, {1, 3, 4}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MADRED, FormerLastColumnStaysInTheArray)
{
    Matrix A = two_rows({1, 2, 3, 4});
    Index L = 4;
    MADRED(A, 2, L, 2);
    EXPECT_EQ(A(1, 4), 4.0);
    EXPECT_EQ(A(2, 4), 40.0);
}

TEST(ColumnsOfNoRows, CountStillChanges)
{
    Matrix A = two_rows({1, 2, 3});
    const Matrix before = A;
    Index L = 3;
    MADRED(A, 0, L, 1);
    EXPECT_EQ(L, 2);
    MADEXT(A, -1, L, 1);
    EXPECT_EQ(L, 3);
    EXPECT_EQ(test::differing_bits(A, before), 0);
}

// Deleting the columns of fixed components and inserting zero columns at the same places
// (in the reverse order) gives the block back with those columns zero.
TEST(ColumnsRoundTrip, DeletionThenInsertionRestoresTheBlockWithZeroColumns)
{
    Matrix A = two_rows({1, 2, 3, 4, 5, 6});
    Index L = 6;
    MADRED(A, 2, L, 5);  // highest index first
    MADRED(A, 2, L, 2);
    EXPECT_EQ(first_row(A, L), (std::vector<double>{1, 3, 4, 6}));
    MADEXT(A, 2, L, 2);
    MADEXT(A, 2, L, 5);
    EXPECT_EQ(first_row(A, L), (std::vector<double>{1, 0, 3, 4, 0, 6}));
}

}  // namespace
}  // namespace library
