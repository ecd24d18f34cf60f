// Column-major 64-bit real matrices with a declared shape, addressed from 1, that keep track of
// where their columns may hold anything but zeros.
#pragma once
#include <cstdint>
#include <cstddef>

namespace library {

using Index = std::int16_t;  // counts, indices and dimensions are 16-bit signed

// Status result of the routines that can fail.
enum Status : std::int16_t {
    DONE = 0,    // the routine did its work
    FAILED = 1,  // see the routine's comment for what failed and what is left behind
};

// Whether every element of a column is finite (no infinity, no NaN), as far as it is known.
enum class Finiteness : std::uint8_t { finite = 0, unknown = 1, not_finite = 2 };

// Where one column of a matrix may hold anything but +0.0: every element outside the rows
// [begin, end) (counted from 0) has all its bits zero. begin >= end: the whole column is +0.0.
// The range may be wider than the elements that are not +0.0 (it is never narrower).
struct ColumnShape {
    std::int32_t begin = 0;
    std::int32_t end = 0;
    Finiteness finiteness = Finiteness::finite;
};

// A matrix declared with `rows` x `cols` elements. Element (I,J) lies at position
// (J-1)*rows + (I-1); only the declared number of rows enters the addressing. The routines
// work on a leading used block that the caller passes apart from the declared shape. A new
// matrix holds +0.0 everywhere. Its storage lasts for the run: a matrix that goes away hands it
// to the next matrix of the same declared shape, which clears what was left in it.
//
// The matrix keeps a ColumnShape for every column, so that the product and the inversion need
// not look at the zeros. Writing through the non-const element access widens the range of that
// column to the element (whatever value is written); the non-const data() makes the matrix
// forget all its shapes (they are found again by a scan when next asked for). The library
// routines set the shapes of the matrices they write. A reference or pointer obtained from the
// non-const accessors covers writes only until a library routine next works on the matrix.
// The shapes are found lazily also through const access, so one matrix must not be used by
// several threads at once.
class Matrix {
public:
    Matrix(Index rows, Index cols);
    Matrix(const Matrix& other);
    Matrix(Matrix&& other) noexcept;
    Matrix& operator=(const Matrix& other);
    Matrix& operator=(Matrix&& other) noexcept;
    ~Matrix();

    Index rows() const { return rows_; }
    Index cols() const { return cols_; }
    double& operator()(int i, int j)
    {
        if (!stale_) widen(i - 1, j - 1);
        return data_[static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(rows_) + (i - 1)];
    }
    double operator()(int i, int j) const
    {
        return data_[static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(rows_) + (i - 1)];
    }
    double* data()
    {
        stale_ = true;
        return data_;
    }
    const double* data() const { return data_; }

    // The shape of column j (from 1): the rows that may hold anything but +0.0, and whether the
    // column is known to be finite (it may be `unknown`).
    ColumnShape shape(int j) const;
    // Whether every element of column j (from 1) is finite; looked at once, then remembered.
    bool finite(int j) const;

private:
    friend struct MatrixAccess;  // the library routines' raw access (library/src)

    void widen(int i, int j)
    {
        if (static_cast<unsigned>(i) >= static_cast<unsigned>(rows_) ||
            static_cast<unsigned>(j) >= static_cast<unsigned>(cols_)) {
            stale_ = true;  // outside the declared shape: the addressing reaches another column
            return;
        }
        ColumnShape& s = shapes()[j];
        if (s.begin >= s.end) {
            s.begin = i;
            s.end = i + 1;
        } else {
            if (i < s.begin) s.begin = i;
            if (i >= s.end) s.end = i + 1;
        }
        s.finiteness = Finiteness::unknown;
    }
    void refresh() const;  // finds the shapes again when stale
    void release();        // gives the storage back for the next matrix of this declared shape
    void clear_left();     // clears storage that an earlier matrix of this declared shape left
    std::size_t size() const { return static_cast<std::size_t>(rows_) * static_cast<std::size_t>(cols_); }
    // The column shapes lie in the same allocation, after the elements.
    ColumnShape* shapes() const { return reinterpret_cast<ColumnShape*>(data_ + size()); }

    Index rows_, cols_;
    double* data_;                  // elements, then shapes; all zero when taken
    mutable bool stale_ = false;            // the shapes are not known
};

}  // namespace library
