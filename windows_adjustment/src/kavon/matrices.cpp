// Matrix and geometry routines over the library's arithmetic.
#include "kavon/matrices.h"

#include "forms/numbers.h"
#include "forms/runtime.h"
#include "library/madarith.h"
#include "library/madinv.h"

#include <cmath>

namespace kavon {

namespace {

constexpr double pi = 3.1415926536;
constexpr double halfPi = 1.5707963268;
constexpr double threeHalvesPi = 4.7123889804;
constexpr double twoPi = 6.2831853072;

// A new matrix of n rows and `cols` columns holding the n × `used` block of A.
Matrix resized(const Matrix& A, Count n, Count used, Count cols)
{
    Matrix result(n, cols);
    for (int j = 1; j <= used; ++j)
        for (int i = 1; i <= n; ++i) result(i, j) = A(i, j);
    return result;
}

}  // namespace

void PrintMatrix(const Matrix&, Count, Count) {}

void InvertMatrix(const Matrix& A, Matrix& B, Count& n)
{
    if (library::MADINV(A, B, n) == library::FAILED) {
        forms::msgBox("Matice je singulární");
        n = -1;
    }
}

void CBODU(const std::vector<double>& list, Count n, double number, Count& index)
{
    for (index = 1; index <= n; ++index)
        if (list[static_cast<std::size_t>(index)] == number) return;
    forms::msgBox("Procedura CBODU ... Hledané číslo neexistuje" + forms::strText(number));
}

double Bearing(double a, double b)
{
    if (a == 0) return b < 0 ? pi : 0;
    if (b == 0) return a > 0 ? halfPi : threeHalvesPi;
    const double angle = std::atan(a / b);
    if (b < 0) return angle + pi;
    return a > 0 ? angle : angle + twoPi;
}

void MADADD(const Matrix& A, const Matrix& B, Matrix& C, Count n, Count m) { library::MADADD(A, B, C, n, m); }

void MADSUB(const Matrix& A, const Matrix& B, Matrix& C, Count n, Count m) { library::MADSUB(A, B, C, n, m); }

void MADMUL(const Matrix& A, const Matrix& B, Matrix& C, Count l, Count m, Count n)
{
    library::MADMUL(A, B, C, l, m, n);
}

void MADTRN(const Matrix& A, Matrix& B, Count m, Count n) { library::MADTRN(A, B, m, n); }

void MADEXT(Matrix& A, Count n, Count& m, Count k)
{
    if (k < 1 || k > m + 1) return;
    Matrix extended = resized(A, n, m, static_cast<Count>(m + 1));
    library::MADEXT(extended, n, m, k);
    A = std::move(extended);
}

void MADRED(Matrix& A, Count n, Count& m, Count k)
{
    if (k < 1 || k > m) return;
    Matrix reduced = resized(A, n, m, m);
    library::MADRED(reduced, n, m, k);
    A = resized(reduced, n, m, m);
}

}  // namespace kavon
