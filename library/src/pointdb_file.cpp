// The point database file: direct access to whole 32-byte little-endian records.
#include "library/pointdb.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <bit>

#include "platform/files.h"

namespace library {

namespace {

constexpr std::size_t record_bytes = 32;
using RecordBytes = std::array<unsigned char, record_bytes>;

// Byte offsets of the values inside a record; bytes 26-31 carry no value and are zeros.
constexpr std::size_t number_at = 0;
constexpr std::size_t x_at = 2;
constexpr std::size_t y_at = 10;
constexpr std::size_t z_at = 18;

void put_le(RecordBytes& bytes, std::size_t at, std::uint64_t value, int size)
{
    for (int n = 0; n < size; ++n) bytes[at + static_cast<std::size_t>(n)] = static_cast<unsigned char>(value >> (8 * n));
}

std::uint64_t get_le(const RecordBytes& bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int n = 0; n < size; ++n) value |= std::uint64_t{bytes[at + static_cast<std::size_t>(n)]} << (8 * n);
    return value;
}

RecordBytes encode(const DbRecord& record)
{
    RecordBytes bytes{};
    put_le(bytes, number_at, static_cast<std::uint16_t>(record.number), 2);
    put_le(bytes, x_at, std::bit_cast<std::uint64_t>(record.x), 8);
    put_le(bytes, y_at, std::bit_cast<std::uint64_t>(record.y), 8);
    put_le(bytes, z_at, std::bit_cast<std::uint64_t>(record.z), 8);
    return bytes;
}

DbRecord decode(const RecordBytes& bytes)
{
    DbRecord record;
    record.number = static_cast<std::int16_t>(static_cast<std::uint16_t>(get_le(bytes, number_at, 2)));
    record.x = std::bit_cast<double>(get_le(bytes, x_at, 8));
    record.y = std::bit_cast<double>(get_le(bytes, y_at, 8));
    record.z = std::bit_cast<double>(get_le(bytes, z_at, 8));
    return record;
}

// Byte position of record k (from 1).
off_t position(long k) { return static_cast<off_t>(k - 1) * static_cast<off_t>(record_bytes); }

}  // namespace

PointDatabase::~PointDatabase() { close(); }

bool PointDatabase::open(const std::filesystem::path& path)
{
    close();
    // O_CREAT without O_TRUNC: an existing file is opened as it is, a missing one is created
    // empty, and nothing can truncate a database that exists. Only a regular file is opened: a
    // FIFO or a device is refused at once, without waiting.
    const int fd = platform::open_regular_file(path, O_RDWR | O_CREAT);
    if (fd < 0) return false;
    file_ = ::fdopen(fd, "r+b");
    if (file_ == nullptr) {
        ::close(fd);
        return false;
    }
    // Unbuffered: every read and write of a record goes to the file at once, so that a failed
    // write is seen by the routine that made it and not at some later flush.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    return true;
}

void PointDatabase::close()
{
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

PointDatabase::ReadResult PointDatabase::read(long k, DbRecord& record)
{
    if (file_ == nullptr || k < 1) return ReadResult::error;
    if (::fseeko(file_, position(k), SEEK_SET) != 0) return ReadResult::error;
    RecordBytes bytes{};
    const std::size_t got = std::fread(bytes.data(), 1, record_bytes, file_);
    const bool at_end = std::feof(file_) != 0;
    std::clearerr(file_);
    if (got == record_bytes) {
        record = decode(bytes);
        return ReadResult::ok;
    }
    return got == 0 && at_end ? ReadResult::end_of_file : ReadResult::error;
}

bool PointDatabase::write(long k, const DbRecord& record)
{
    if (file_ == nullptr || k < 1) return false;
    if (::fseeko(file_, position(k), SEEK_SET) != 0) return false;
    const RecordBytes bytes = encode(record);
    const bool written = std::fwrite(bytes.data(), 1, record_bytes, file_) == record_bytes;
    std::clearerr(file_);
    return written;
}

bool PointDatabase::length_is_whole()
{
    if (file_ == nullptr) return false;
    struct stat info {};
    if (::fstat(::fileno(file_), &info) != 0) return false;
    return info.st_size % static_cast<off_t>(record_bytes) == 0;
}

}  // namespace library
