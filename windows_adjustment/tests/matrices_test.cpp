// The program's matrix and geometry routines: the cases worked out by hand, and the bits of the
// inversion and the product against the library's routines on declared (larger) matrices, as
// the console programs call them.
#include "kavon/matrices.h"
#include "library/madarith.h"
#include "library/madinv.h"
#include "session.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace kavon {
namespace {

Matrix matrixOf(std::initializer_list<std::initializer_list<double>> rows)
{
    const auto n = static_cast<Count>(rows.size());
    const auto m = static_cast<Count>(rows.begin()->size());
    Matrix a(n, m);
    int i = 1;
    for (const auto& row : rows) {
        int j = 1;
        for (const double value : row) a(i, j++) = value;
        ++i;
    }
    return a;
}

bool sameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

class KavonMatrices : public ::testing::Test {
protected:
    test::Session s;  // records the message boxes
};

TEST_F(KavonMatrices, InvertMatrixCases)
{
    struct Case {
        const char* what;
        Matrix a;
        Count n;
        Count nAfter;
        std::vector<double> b;  // by columns: the inverse, or B as the failure left it
    };
    // A failure leaves B as the steps before the zero pivot made it: A with 1 added on the
    // diagonal, and for [[1,2],[2,4]] the first pivot's step too (P = 1; row 2 less 2 × row 1).
    const Case cases[] = {
        {"[2] gives [0.5]", matrixOf({{2}}), 1, 1, {0.5}},
        {"[0] fails at its pivot", matrixOf({{0}}), 1, -1, {1}},
        {"[[0,1],[1,0]] fails: no pivoting", matrixOf({{0, 1}, {1, 0}}), 2, -1, {1, 1, 1, 1}},
        {"[[1,2],[2,4]] fails at the second pivot", matrixOf({{1, 2}, {2, 4}}), 2, -1, {2, -2, 2, 1}},
        {"[[4,0],[0,0.5]]", matrixOf({{4, 0}, {0, 0.5}}), 2, 2, {0.25, 0, 0, 2}},
        {"n = 0 does nothing", matrixOf({{3}}), 0, 0, {0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        s.messages.clear();
        Matrix b(c.a.rows(), c.a.cols());
        Count n = c.n;
        InvertMatrix(c.a, b, n);
        EXPECT_EQ(n, c.nAfter);
        EXPECT_EQ(s.messages.size(), c.nAfter == -1 ? 1u : 0u);
        if (c.nAfter == -1) {
            EXPECT_EQ(s.messages, std::vector<std::string>{"Matice je singulární"});
        }
        for (int k = 0; k < static_cast<int>(c.b.size()); ++k)
            EXPECT_EQ(b(k % b.rows() + 1, k / b.rows() + 1), c.b[k]) << "element " << k;
    }
}

TEST_F(KavonMatrices, InvertMatrixAndMadmulHaveTheLibrarysBits)
{
    // A symmetric positive definite 5×5 matrix with digits in every place; the library works on
    // declared 60×60 matrices with the 5×5 block in use, this program on 5×5 ones.
    constexpr Count n = 5;
    Matrix a(n, n);
    library::Matrix declared(60, 60);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            const double value = (i == j ? 10.0 + i / 3.0 : 1.0 / (i + j + 0.7)) * 1e3;
            a(i, j) = value;
            declared(i, j) = value;
        }
    Matrix inverse(n, n);
    Count order = n;
    InvertMatrix(a, inverse, order);
    ASSERT_EQ(order, n);
    library::Matrix declaredInverse(60, 60);
    ASSERT_EQ(library::MADINV(declared, declaredInverse, n), library::DONE);

    Matrix product(n, n);
    MADMUL(a, inverse, product, n, n, n);
    library::Matrix declaredProduct(60, 60);
    library::MADMUL(declared, declaredInverse, declaredProduct, n, n, n);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
            EXPECT_TRUE(sameBits(inverse(i, j), declaredInverse(i, j))) << i << ',' << j;
            EXPECT_TRUE(sameBits(product(i, j), declaredProduct(i, j))) << i << ',' << j;
            EXPECT_NEAR(product(i, j), i == j ? 1.0 : 0.0, 1e-10);  // the +1 on the diagonal costs digits
        }
}

TEST_F(KavonMatrices, BearingCases)
{
    struct Case {
        double a, b, bearing;
    };
    const Case cases[] = {
        {1, 0, 1.5707963268},  {-1, 0, 4.7123889804}, {0, -5, 3.1415926536},
        {0, 5, 0},             {0, 0, 0},             {-1, 1, std::atan(-1.0) + 6.2831853072},
        {1, 1, std::atan(1.0)}, {1, -1, std::atan(-1.0) + 3.1415926536}, {-1, -1, std::atan(1.0) + 3.1415926536},
    };
    for (const auto& c : cases) EXPECT_EQ(Bearing(c.a, c.b), c.bearing) << c.a << ", " << c.b;
}

TEST_F(KavonMatrices, CboduFindsTheFirstOrTellsTheNumber)
{
    const std::vector<double> list{0, 5, 12, 7, 12};
    Count index = 0;
    CBODU(list, 4, 12, index);
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(s.messages.empty());
    CBODU(list, 4, 9, index);
    EXPECT_EQ(index, 5);
    CBODU(list, 0, 12, index);
    EXPECT_EQ(index, 1);
    CBODU(list, 4, -3, index);
    EXPECT_EQ(s.messages, (std::vector<std::string>{"Procedura CBODU ... Hledané číslo neexistuje 9",
                                                    "Procedura CBODU ... Hledané číslo neexistuje 12",
                                                    "Procedura CBODU ... Hledané číslo neexistuje-3"}));
}

TEST_F(KavonMatrices, ColumnsInsertedAndRemovedResizeTheMatrix)
{
    const auto columns = [](const Matrix& a) {
        std::vector<std::vector<double>> result(static_cast<std::size_t>(a.cols()));
        for (int j = 1; j <= a.cols(); ++j)
            for (int i = 1; i <= a.rows(); ++i) result[static_cast<std::size_t>(j - 1)].push_back(a(i, j));
        return result;
    };
    using Cols = std::vector<std::vector<double>>;
    {  // k = m + 1 appends a zero column; rows beyond n are dropped
        Matrix a = matrixOf({{1, 2}, {3, 4}, {9, 9}});
        Count m = 2;
        MADEXT(a, 2, m, 3);
        EXPECT_EQ(m, 3);
        EXPECT_EQ(a.rows(), 2);
        EXPECT_EQ(columns(a), (Cols{{1, 3}, {2, 4}, {0, 0}}));
    }
    {  // k = 1 moves every old column one place right
        Matrix a = matrixOf({{1, 2}, {3, 4}});
        Count m = 2;
        MADEXT(a, 2, m, 1);
        EXPECT_EQ(columns(a), (Cols{{0, 0}, {1, 3}, {2, 4}}));
        // k below 1 or beyond m + 1: nothing changes
        MADEXT(a, 2, m, 0);
        MADEXT(a, 2, m, 5);
        EXPECT_EQ(m, 3);
        EXPECT_EQ(a.cols(), 3);
    }
    {  // MADRED then MADEXT gives the matrix back, with the removed column zero
        Matrix a = matrixOf({{1, 2, 3}, {4, 5, 6}});
        Count m = 3;
        MADRED(a, 2, m, 2);
        EXPECT_EQ(m, 2);
        EXPECT_EQ(columns(a), (Cols{{1, 4}, {3, 6}}));
        MADRED(a, 2, m, 3);  // beyond m: nothing
        EXPECT_EQ(m, 2);
        MADEXT(a, 2, m, 2);
        EXPECT_EQ(columns(a), (Cols{{1, 4}, {0, 0}, {3, 6}}));
    }
    {  // a one-column matrix keeps its rows and no column
        Matrix a = matrixOf({{7}, {8}});
        Count m = 1;
        MADRED(a, 2, m, 1);
        EXPECT_EQ(m, 0);
        EXPECT_EQ(a.rows(), 2);
        EXPECT_EQ(a.cols(), 0);
    }
}

TEST_F(KavonMatrices, ProductsSumsAndTranspose)
{
    const Matrix a = matrixOf({{1, 2}, {3, 4}});
    const Matrix b = matrixOf({{5, 6}, {7, 8}});
    Matrix c = matrixOf({{9, 9}, {9, 9}});
    MADMUL(a, b, c, 2, 0, 2);  // inner size 0: all zero
    EXPECT_EQ(c(1, 1), 0);
    EXPECT_EQ(c(2, 2), 0);
    MADMUL(a, b, c, 2, 2, 2);
    EXPECT_EQ(c(1, 1), 19);
    EXPECT_EQ(c(2, 1), 43);
    EXPECT_EQ(c(1, 2), 22);
    EXPECT_EQ(c(2, 2), 50);
    MADADD(a, b, c, 2, 2);
    EXPECT_EQ(c(2, 1), 10);
    MADSUB(c, b, c, 2, 2);
    EXPECT_EQ(c(2, 1), 3);
    Matrix t(3, 2);
    MADTRN(matrixOf({{1, 2, 3}, {4, 5, 6}}), t, 2, 3);
    EXPECT_EQ(t(3, 1), 3);
    EXPECT_EQ(t(1, 2), 4);
    const Matrix u = t;  // a copy keeps the size and the elements
    EXPECT_EQ(u.rows(), 3);
    EXPECT_EQ(u(3, 1), 3);
}

}  // namespace
}  // namespace kavon
