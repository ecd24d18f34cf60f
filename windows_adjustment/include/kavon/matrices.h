// The program's matrix and geometry routines. Its matrices are sized to their contents (rows
// 1..n, columns 1..m, an element never written is 0): they are the library's matrices with the
// declared size equal to the size in use, and the arithmetic is the library's own, so that every
// result has the same bits as in the console programs. The resizing of MADEXT and MADRED, the
// bearing and the message boxes are this program's.
#pragma once
#include "library/matrix.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace kavon {

// A matrix of this program: the library's, declared exactly as large as it is used. A type of
// its own, so that a call names this program's routine and never the library's directly.
class Matrix : public library::Matrix {
public:
    using library::Matrix::Matrix;
    // Takes over a matrix of the library's, e.g. a result of the least-squares chain.
    explicit Matrix(library::Matrix&& other) noexcept : library::Matrix(std::move(other)) {}
};
using Count = std::int16_t;

// A diagnostic of the adjustment: the program shows nothing of it, so it does nothing.
void PrintMatrix(const Matrix& A, Count n, Count m);

// B = A⁻¹ of the n×n matrix A (A unchanged; B has at least n×n elements): Gauss-Jordan
// elimination without pivoting, as the library's MADINV. At a pivot that is exactly zero: the
// message box "Matice je singulární", n := −1, B left part-transformed. n ≤ 0 does nothing.
void InvertMatrix(const Matrix& A, Matrix& B, Count& n);

// The index of the first of list(1..n) equal to `number`; n + 1 when none is, after the message
// box "Procedura CBODU ... Hledané číslo neexistuje" followed by the number's text (a leading
// blank when it is not negative). list[0] is not used.
void CBODU(const std::vector<double>& list, Count n, double number, Count& index);

// The bearing [rad], 0 ≤ result < 2π, of the vector with first-axis component b and second-axis
// component a, from the first axis towards the second, with π = 3.1415926536. Zero components
// are compared exactly: (0, b > 0) 0, (0, b < 0) π, (a > 0, 0) π/2, (a < 0, 0) 3π/2, (0, 0) 0.
double Bearing(double a, double b);

// C = A + B and C = A − B over n×m elements (C may be A or B).
void MADADD(const Matrix& A, const Matrix& B, Matrix& C, Count n, Count m);
void MADSUB(const Matrix& A, const Matrix& B, Matrix& C, Count n, Count m);
// C (l×n) = A (l×m) · B (m×n); C is cleared first and must be another matrix than A and B.
void MADMUL(const Matrix& A, const Matrix& B, Matrix& C, Count l, Count m, Count n);
// B (n×m) = Aᵀ of A (m×n); B must be another matrix than A.
void MADTRN(const Matrix& A, Matrix& B, Count m, Count n);
// A zero column inserted at k (1 ≤ k ≤ m + 1): A becomes exactly n × (m + 1), the old columns
// from k on move one place right, m := m + 1. Any other k changes nothing.
void MADEXT(Matrix& A, Count n, Count& m, Count k);
// Column k removed (1 ≤ k ≤ m): A becomes exactly n × (m − 1), m := m − 1. Any other k changes
// nothing.
void MADRED(Matrix& A, Count n, Count& m, Count k);

}  // namespace kavon
