// Small helpers of the library tests: matrices from rows, bitwise comparison, fixed-seed
// random matrices.
#pragma once
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <random>
#include <vector>

#include "library/matrix.h"

namespace library::test {

// The routines as they are defined, written plainly.
inline void plain_product(const Matrix& A, const Matrix& B, Matrix& C, int M, int L, int N)
{
    for (int J = 1; J <= N; ++J)
        for (int I = 1; I <= M; ++I) {
            C(I, J) = 0.0;
            for (int K = 1; K <= L; ++K) C(I, J) = C(I, J) + A(I, K) * B(K, J);
        }
}

inline Status plain_inverse(const Matrix& A, Matrix& B, int K)
{
    std::vector<double> a(static_cast<std::size_t>(K * K));
    for (int I = 1; I <= K; ++I)
        for (int J = 1; J <= K; ++J) a[static_cast<std::size_t>((I - 1) * K + J - 1)] = A(I, J);
    for (int I = 1; I <= K; ++I)
        for (int J = 1; J <= K; ++J) B(I, J) = a[static_cast<std::size_t>((I - 1) * K + J - 1)];
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) + 1.0;
    for (int I = 1; I <= K; ++I) {
        const double P = B(I, I) - 1.0;
        if (P == 0.0) return FAILED;
        for (int J = 1; J <= K; ++J) B(I, J) = B(I, J) / P;
        for (int L = 1; L <= K; ++L) {
            if (L == I) continue;
            const double Q = B(L, I);
            for (int J = 1; J <= K; ++J) B(L, J) = B(L, J) - B(I, J) * Q;
        }
    }
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) - 1.0;
    return DONE;
}


// A matrix declared rows x cols holding `values` (given row by row) in its leading block.
inline Matrix from_rows(Index rows, Index cols, std::initializer_list<std::initializer_list<double>> values)
{
    Matrix m(rows, cols);
    int i = 1;
    for (const auto& row : values) {
        int j = 1;
        for (double v : row) m(i, j++) = v;
        ++i;
    }
    return m;
}

inline std::uint64_t bits(double v) { return std::bit_cast<std::uint64_t>(v); }

// Number of elements of the whole declared arrays whose bits differ. Any two NaN count as
// equal: which of two NaN operands a sum passes on is the compiler's choice of operand order
// (it treats + as commutative), not something the source fixes.
inline int differing_bits(const Matrix& a, const Matrix& b)
{
    int count = 0;
    const std::size_t n = static_cast<std::size_t>(a.rows()) * static_cast<std::size_t>(a.cols());
    for (std::size_t k = 0; k < n; ++k) {
        const double x = a.data()[k], y = b.data()[k];
        if (x != x && y != y) continue;
        if (bits(x) != bits(y)) ++count;
    }
    return count;
}

// Fills the whole declared array; `zero_share` of the elements are exact zeros, a part of
// them -0.0.
inline void fill_random(Matrix& m, std::mt19937_64& rng, double zero_share)
{
    std::uniform_real_distribution<double> value(-10.0, 10.0);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const std::size_t n = static_cast<std::size_t>(m.rows()) * static_cast<std::size_t>(m.cols());
    for (std::size_t k = 0; k < n; ++k) {
        const double u = unit(rng);
        if (u < zero_share) m.data()[k] = u < zero_share / 2 ? -0.0 : 0.0;
        else m.data()[k] = value(rng);
    }
}

}  // namespace library::test
