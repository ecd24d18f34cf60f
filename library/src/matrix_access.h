// The library routines' access to the storage and the column shapes of a matrix, and the row
// ranges they compute with.
#pragma once
#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>

#include "library/matrix.h"

// The loops that gain from AVX2 are compiled twice, for AVX2 and for every x86-64, and the
// library takes the form that the processor runs. TERVAL_ONE_TARGET makes it take the form for
// every x86-64 always (to test that form on a processor with AVX2).
#define LIBRARY_AVX2 [[gnu::target("avx2")]]

namespace library {

// Whether the loops take their AVX2 form; the processor is asked once.
inline bool runs_avx2()
{
#if defined(TERVAL_ONE_TARGET)
    return false;
#else
    static const bool avx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return avx2;
#endif
}

// W doubles operated on together, each lane on its own; the copies from and to the columns
// compile to single unaligned loads and stores.
template <int W>
struct LanesOf;
template <>
struct LanesOf<2> {
    typedef double type __attribute__((vector_size(2 * sizeof(double))));
};
template <>
struct LanesOf<4> {
    typedef double type __attribute__((vector_size(4 * sizeof(double))));
};
template <int W>
using Lanes = typename LanesOf<W>::type;

template <int W>
[[gnu::always_inline]] inline void load(Lanes<W>& x, const double* p)
{
    __builtin_memcpy(&x, p, sizeof x);
}

template <int W>
[[gnu::always_inline]] inline void store(double* p, const Lanes<W>& x)
{
    __builtin_memcpy(p, &x, sizeof x);
}

template <int W>
[[gnu::always_inline]] inline void broadcast(Lanes<W>& v, double x)
{
    for (int w = 0; w < W; ++w) v[w] = x;
}

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
    static double* storage(Matrix& m) { return m.data_; }
    static const double* storage(const Matrix& m) { return m.data_; }
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
