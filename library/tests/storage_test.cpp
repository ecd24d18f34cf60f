// The run's matrix storage: a matrix that goes away hands its storage to the next matrix of the
// same declared shape, and that matrix holds +0.0 everywhere with empty, finite columns, however
// the one before it was written (the routines rely on the bits outside a column's range).
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "library/madarith.h"
#include "library/madinv.h"
#include "matrix_helpers.h"

namespace library {
namespace {

constexpr double nan = std::numeric_limits<double>::quiet_NaN();

void expect_fresh(const Matrix& m, const std::string& after)
{
    const double* const d = m.data();
    for (int k = 0; k < m.rows() * m.cols(); ++k)
        ASSERT_EQ(std::bit_cast<std::uint64_t>(d[k]), 0u) << "element " << k << " after " << after;
    for (int j = 1; j <= m.cols(); ++j) {
        EXPECT_GE(m.shape(j).begin, m.shape(j).end) << "column " << j << " after " << after;
        EXPECT_EQ(m.shape(j).finiteness, Finiteness::finite) << "column " << j << " after " << after;
    }
}

struct Filling {
    const char* name;
    std::function<void(Matrix&)> fill;  // writes into a 7 x 5 matrix
};

const Filling fillings[] = {
    {"element writes", [](Matrix& m) { m(2, 1) = 1.5; m(7, 5) = -0.0; m(4, 3) = nan; }},
    {"writes through data(), unknown to the shapes",
     [](Matrix& m) { for (int k = 0; k < 35; ++k) m.data()[k] = k % 3 ? 0.0 : -1.0 / (k + 1); }},
    {"MADVAL with a value", [](Matrix& m) { MADVAL(m, 6, 4, 2.0); }},
    {"MADVAL with zero over values", [](Matrix& m) { MADVAL(m, 7, 5, 3.0); MADVAL(m, 3, 2, 0.0); }},
    {"a product", [](Matrix& m) {
         const Matrix a = test::from_rows(7, 2, {{1, 2}, {0, 3}, {4, 0}, {0, 0}, {5, 6}, {7, 0}, {0, 8}});
         const Matrix b = test::from_rows(2, 5, {{1, 0, 2, 0, 3}, {0, 4, 0, 5, 0}});
         MADMUL(a, b, m, 7, 2, 5);
     }},
    {"an inverse in the leading block", [](Matrix& m) {
         const Matrix a = test::from_rows(3, 3, {{4, 1, 0}, {1, 3, 1}, {0, 1, 2}});
         Matrix inverse(3, 3);
         ASSERT_EQ(MADINV(a, inverse, 3), DONE);
         for (int i = 1; i <= 3; ++i)
             for (int j = 1; j <= 3; ++j) m(i + 2, j + 1) = inverse(i, j);
     }},
};

TEST(MatrixStorage, TheNextMatrixOfTheShapeHoldsZerosWhateverTheLastOneLeft)
{
    for (const Filling& f : fillings) {
        const double* left = nullptr;
        {
            Matrix m(7, 5);
            f.fill(m);
            left = static_cast<const Matrix&>(m).data();
        }
        const Matrix next(7, 5);
#if defined(__SANITIZE_ADDRESS__)
        (void)left;  // under the sanitizer every matrix has storage of its own
#else
        EXPECT_EQ(next.data(), left) << f.name << ": the storage is handed on";
#endif
        expect_fresh(next, f.name);
    }
}

TEST(MatrixStorage, AssignedAndMovedMatricesHandTheirStorageOn)
{
    Matrix target(7, 5);
    target(1, 1) = 9.0;
    target = Matrix(3, 3);  // the 7 x 5 storage goes back
    Matrix source(7, 5);
    expect_fresh(source, "an assignment replaced a written matrix");
    source(6, 2) = 4.0;
    Matrix moved(std::move(source));
    EXPECT_EQ(moved(6, 2), 4.0);
    moved = Matrix(2, 2);
    expect_fresh(Matrix(7, 5), "a moved-to matrix was replaced");
}

}  // namespace
}  // namespace library
