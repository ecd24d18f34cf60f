// Storage of a matrix and the scans that find its column shapes.
#include <cmath>
#include <cstdint>
#include <cstring>

#include "matrix_access.h"
#include "storage.h"

namespace library {

namespace {

// Bytes of the elements and of the column shapes.
std::size_t bytes(Index rows, Index cols)
{
    const std::size_t r = static_cast<std::size_t>(rows), c = static_cast<std::size_t>(cols);
    return r * c * sizeof(double) + c * sizeof(ColumnShape);
}

// The key under which the storage keeps blocks of this declared shape.
std::uint32_t layout(Index rows, Index cols)
{
    return static_cast<std::uint32_t>(static_cast<std::uint16_t>(rows)) << 16 | static_cast<std::uint16_t>(cols);
}

}  // namespace

Matrix::Matrix(Index rows, Index cols) : rows_(rows), cols_(cols), data_(nullptr)
{
    const storage::Block block = storage::take(bytes(rows, cols), layout(rows, cols));
    data_ = static_cast<double*>(block.data);
    if (block.used) clear_left();
}

Matrix::Matrix(const Matrix& other)
    : rows_(other.rows_), cols_(other.cols_),
      data_(static_cast<double*>(storage::take(bytes(rows_, cols_), layout(rows_, cols_)).data)), stale_(other.stale_)
{
    if (data_) std::memcpy(data_, other.data_, bytes(rows_, cols_));
}

Matrix::Matrix(Matrix&& other) noexcept
    : rows_(other.rows_), cols_(other.cols_), data_(other.data_), stale_(other.stale_)
{
    other.rows_ = 0;
    other.cols_ = 0;
    other.data_ = nullptr;
    other.stale_ = false;
}

Matrix::~Matrix() { release(); }

Matrix& Matrix::operator=(const Matrix& other)
{
    if (this != &other) *this = Matrix(other);
    return *this;
}

Matrix& Matrix::operator=(Matrix&& other) noexcept
{
    if (this == &other) return *this;
    release();
    rows_ = other.rows_;
    cols_ = other.cols_;
    data_ = other.data_;
    stale_ = other.stale_;
    other.rows_ = 0;
    other.cols_ = 0;
    other.data_ = nullptr;
    other.stale_ = false;
    return *this;
}

// The storage goes back as it is; where the shapes are not known, every column counts as
// possibly holding something, so that the next matrix of this declared shape clears all of it.
void Matrix::release()
{
    if (!data_) return;
    if (stale_)
        for (int j = 0; j < cols_; ++j) shapes()[j] = {0, rows_, Finiteness::unknown};
    storage::give_back(data_, bytes(rows_, cols_), layout(rows_, cols_));
    data_ = nullptr;
}

// Storage left by an earlier matrix of this declared shape: the columns are cleared within the
// shapes it left, and the shapes become empty and finite, so that the matrix holds +0.0
// everywhere.
void Matrix::clear_left()
{
    const std::size_t ld = static_cast<std::size_t>(rows_);
    for (int j = 0; j < cols_; ++j) {
        const ColumnShape& s = shapes()[j];
        if (s.begin < s.end)
            std::memset(data_ + static_cast<std::size_t>(j) * ld + static_cast<std::size_t>(s.begin), 0,
                        static_cast<std::size_t>(s.end - s.begin) * sizeof(double));
    }
    std::memset(static_cast<void*>(shapes()), 0, static_cast<std::size_t>(cols_) * sizeof(ColumnShape));
}

void Matrix::refresh() const
{
    if (!stale_) return;
    const std::size_t ld = static_cast<std::size_t>(rows_);
    for (int j = 0; j < cols_; ++j) {
        const double* const column = data_ + static_cast<std::size_t>(j) * ld;
        int begin = 0;
        while (begin < rows_ && !not_plus_zero(column[begin])) ++begin;
        int end = rows_;
        while (end > begin && !not_plus_zero(column[end - 1])) --end;
        ColumnShape& s = shapes()[j];
        s.begin = begin < end ? begin : 0;
        s.end = begin < end ? end : 0;
        s.finiteness = begin < end ? Finiteness::unknown : Finiteness::finite;
    }
    stale_ = false;
}

ColumnShape Matrix::shape(int j) const
{
    refresh();
    return shapes()[j - 1];
}

bool Matrix::finite(int j) const
{
    refresh();
    ColumnShape& s = shapes()[j - 1];
    if (s.finiteness == Finiteness::unknown) {
        const double* const column = data_ + static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(rows_);
        // x - x is +0.0 for every finite x and NaN for an infinity or a NaN. The bits are
        // gathered without an early exit, so that the loop takes several elements at once.
        std::uint64_t special = 0;
        for (int i = s.begin; i < s.end; ++i) special |= std::bit_cast<std::uint64_t>(column[i] - column[i]);
        s.finiteness = special ? Finiteness::not_finite : Finiteness::finite;
    }
    return s.finiteness == Finiteness::finite;
}

}  // namespace library
