// Storage of a matrix and the scans that find its column shapes.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include <sys/mman.h>

#include "matrix_access.h"

namespace library {

namespace {

// Bytes of the elements and of the column shapes.
std::size_t bytes(Index rows, Index cols)
{
    const std::size_t r = static_cast<std::size_t>(rows), c = static_cast<std::size_t>(cols);
    return r * c * sizeof(double) + c * sizeof(ColumnShape);
}

// Storage from this size on comes as fresh pages straight from the system, which are zero
// without being written (calloc would clear memory that the heap had used before). With the
// address sanitizer every block comes from calloc, so that the sanitizer watches its bounds.
#if defined(__SANITIZE_ADDRESS__)
constexpr std::size_t page_threshold = SIZE_MAX;
#else
constexpr std::size_t page_threshold = 16 * 1024;
#endif

// Zeroed storage: every element +0.0, every column shape empty and finite.
double* zeroed(std::size_t n)
{
    if (n == 0) return nullptr;
    void* p = nullptr;
    if (n >= page_threshold) {
        p = mmap(nullptr, n, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED) throw std::bad_alloc();
    } else {
        p = std::calloc(n, 1);
        if (!p) throw std::bad_alloc();
    }
    return static_cast<double*>(p);
}

}  // namespace

void Matrix::Release::operator()(double* p) const
{
    if (bytes >= page_threshold) munmap(p, bytes);
    else std::free(p);
}

Matrix::Matrix(Index rows, Index cols)
    : rows_(rows), cols_(cols), data_(zeroed(bytes(rows, cols)), Release{bytes(rows, cols)})
{
}

Matrix::Matrix(const Matrix& other)
    : rows_(other.rows_), cols_(other.cols_), data_(zeroed(bytes(rows_, cols_)), Release{bytes(rows_, cols_)}),
      stale_(other.stale_)
{
    if (data_) std::memcpy(data_.get(), other.data_.get(), bytes(rows_, cols_));
}

Matrix::Matrix(Matrix&& other) noexcept
    : rows_(other.rows_), cols_(other.cols_), data_(std::move(other.data_)), stale_(other.stale_)
{
    other.rows_ = 0;
    other.cols_ = 0;
    other.stale_ = false;
}

Matrix& Matrix::operator=(const Matrix& other)
{
    if (this != &other) *this = Matrix(other);
    return *this;
}

Matrix& Matrix::operator=(Matrix&& other) noexcept
{
    if (this == &other) return *this;
    rows_ = other.rows_;
    cols_ = other.cols_;
    data_ = std::move(other.data_);
    stale_ = other.stale_;
    other.rows_ = 0;
    other.cols_ = 0;
    other.stale_ = false;
    return *this;
}

void Matrix::refresh() const
{
    if (!stale_) return;
    const std::size_t ld = static_cast<std::size_t>(rows_);
    for (int j = 0; j < cols_; ++j) {
        const double* const column = data_.get() + static_cast<std::size_t>(j) * ld;
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
        const double* const column = data_.get() + static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(rows_);
        // x - x is +0.0 for every finite x and NaN for an infinity or a NaN. The bits are
        // gathered without an early exit, so that the loop takes several elements at once.
        std::uint64_t special = 0;
        for (int i = s.begin; i < s.end; ++i) special |= std::bit_cast<std::uint64_t>(column[i] - column[i]);
        s.finiteness = special ? Finiteness::not_finite : Finiteness::finite;
    }
    return s.finiteness == Finiteness::finite;
}

}  // namespace library
