// The library routines' access to the storage and the column shapes of a matrix, and the row
// ranges they compute with.
#pragma once
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "library/matrix.h"

namespace library {

// A range of rows [begin, end), counted from 0; begin >= end is empty.
struct Rows {
    int begin = 0;
    int end = 0;
    bool empty() const { return begin >= end; }
    int size() const { return empty() ? 0 : end - begin; }
};

// The smallest range holding both.
inline Rows hull(Rows a, Rows b)
{
    if (a.empty()) return b;
    if (b.empty()) return a;
    return {std::min(a.begin, b.begin), std::max(a.end, b.end)};
}

inline Rows meet(Rows a, Rows b)
{
    Rows r{std::max(a.begin, b.begin), std::min(a.end, b.end)};
    return r.empty() ? Rows{} : r;
}

inline Rows rows_of(const ColumnShape& s) { return s.begin < s.end ? Rows{s.begin, s.end} : Rows{}; }

// Whether the bits of x are not those of +0.0 (-0.0 counts, as does every other value).
inline bool not_plus_zero(double x) { return std::bit_cast<std::uint64_t>(x) != 0; }

struct MatrixAccess {
    static double* storage(Matrix& m) { return m.data_.get(); }
    static const double* storage(const Matrix& m) { return m.data_.get(); }
    static std::size_t ld(const Matrix& m) { return static_cast<std::size_t>(m.rows_); }

    // The column shapes (column from 0), found first when the matrix has forgotten them. A
    // routine that writes through storage() sets the shapes of what it wrote.
    static ColumnShape* shapes(const Matrix& m)
    {
        m.refresh();
        return m.shapes();
    }
    // Whether column j (from 0) is all finite, looked at once when unknown.
    static bool finite(const Matrix& m, int j) { return m.finite(j + 1); }
    // The matrix forgets its shapes; the next request scans it.
    static void forget(Matrix& m) { m.stale_ = true; }
};

// Whether the block of `rows` x `cols` from (1,1) lies in the declared shape of m.
inline bool inside(const Matrix& m, int rows, int cols) { return rows <= m.rows() && cols <= m.cols(); }

}  // namespace library
