// Column-major 64-bit real matrices with a declared shape, addressed from 1.
#pragma once
#include <cstdint>
#include <vector>

namespace library {

using Index = std::int16_t;  // counts, indices and dimensions are 16-bit signed

// Status result of the routines that can fail.
enum Status : std::int16_t {
    DONE = 0,    // the routine did its work
    FAILED = 1,  // see the routine's comment for what failed and what is left behind
};

// A matrix declared with `rows` x `cols` elements. Element (I,J) lies at position
// (J-1)*rows + (I-1); only the declared number of rows enters the addressing. The routines
// work on a leading used block that the caller passes apart from the declared shape.
class Matrix {
public:
    Matrix(Index rows, Index cols)
        : rows_(rows), cols_(cols), data_(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), 0.0) {}
    Index rows() const { return rows_; }
    Index cols() const { return cols_; }
    double& operator()(int i, int j) { return data_[static_cast<std::size_t>(j - 1) * rows_ + (i - 1)]; }
    double operator()(int i, int j) const { return data_[static_cast<std::size_t>(j - 1) * rows_ + (i - 1)]; }
    double* data() { return data_.data(); }
    const double* data() const { return data_.data(); }

private:
    Index rows_, cols_;
    std::vector<double> data_;
};

}  // namespace library
