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
