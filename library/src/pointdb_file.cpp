// The point database file: direct access to whole 32-byte little-endian records.
#include "library/pointdb.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cerrno>

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
constexpr std::size_t spare_at = 26;

void put_le(unsigned char* bytes, std::size_t at, std::uint64_t value, int size)
{
    for (int n = 0; n < size; ++n) bytes[at + static_cast<std::size_t>(n)] = static_cast<unsigned char>(value >> (8 * n));
}

std::uint64_t get_le(const unsigned char* bytes, std::size_t at, int size)
{
    std::uint64_t value = 0;
    for (int n = 0; n < size; ++n) value |= std::uint64_t{bytes[at + static_cast<std::size_t>(n)]} << (8 * n);
    return value;
}

// The 32 bytes of a record at `bytes` (the spare bytes as zeros).
void encode(const DbRecord& record, unsigned char* bytes)
{
    put_le(bytes, number_at, static_cast<std::uint16_t>(record.number), 2);
    put_le(bytes, x_at, std::bit_cast<std::uint64_t>(record.x), 8);
    put_le(bytes, y_at, std::bit_cast<std::uint64_t>(record.y), 8);
    put_le(bytes, z_at, std::bit_cast<std::uint64_t>(record.z), 8);
    put_le(bytes, spare_at, 0, 6);
}

DbRecord decode(const unsigned char* bytes)
{
    DbRecord record;
    record.number = static_cast<std::int16_t>(static_cast<std::uint16_t>(get_le(bytes, number_at, 2)));
    record.x = std::bit_cast<double>(get_le(bytes, x_at, 8));
    record.y = std::bit_cast<double>(get_le(bytes, y_at, 8));
    record.z = std::bit_cast<double>(get_le(bytes, z_at, 8));
    return record;
}

// A point database writes its spare bytes as zeros: anything else there is some other file.
bool spare_bytes_clear(const unsigned char* bytes) { return get_le(bytes, spare_at, 6) == 0; }

// The most records read at once: those that the 16-bit count numbers, and one more to see
// whether a 99 ends them there.
constexpr long most_records_read = DB_COUNT_CAPACITY + 1;

// Byte position of record k (from 1).
off_t position(long k) { return static_cast<off_t>(k - 1) * static_cast<off_t>(record_bytes); }

// pread until `size` bytes or the end of the file; the bytes read, -1 on a failed read.
ssize_t read_at(int fd, unsigned char* into, std::size_t size, off_t at)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t n = ::pread(fd, into + got, size - got, at + static_cast<off_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return -1;
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    return static_cast<ssize_t>(got);
}

// pwrite of all `size` bytes; false when a write fails or writes nothing.
bool write_at(int fd, const unsigned char* from, std::size_t size, off_t at)
{
    std::size_t put = 0;
    while (put < size) {
        const ssize_t n = ::pwrite(fd, from + put, size - put, at + static_cast<off_t>(put));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        put += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

PointDatabase::~PointDatabase() { close(); }

bool PointDatabase::open(const std::filesystem::path& path)
{
    close();
    // O_CREAT without O_TRUNC: an existing file is opened as it is, a missing one is created
    // empty, and nothing can truncate a database that exists. Only a regular file is opened: a
    // FIFO or a device is refused at once, without waiting. Every read and write goes to the
    // file at once (no stream buffer), so that a failed write is seen by the routine that made
    // it and not at some later flush.
    fd_ = platform::open_regular_file(path, O_RDWR | O_CREAT);
    in_use_ = false;
    if (fd_ < 0) return false;
    // The lock is the open file's and lasts until it is closed, that is to the end of the run. A
    // lock that another run holds is not waited for: the caller says so and asks again. A file
    // system that cannot lock makes the database unusable, as a run could not be kept off it.
    int status;
    do status = ::flock(fd_, LOCK_EX | LOCK_NB);
    while (status != 0 && errno == EINTR);
    if (status == 0) return true;
    in_use_ = errno == EWOULDBLOCK;
    close();
    return false;
}

void PointDatabase::close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

PointDatabase::ReadResult PointDatabase::read(long k, DbRecord& record)
{
    if (fd_ < 0 || k < 1) return ReadResult::error;
    RecordBytes bytes{};
    const ssize_t got = read_at(fd_, bytes.data(), record_bytes, position(k));
    if (got == static_cast<ssize_t>(record_bytes)) {
        record = decode(bytes.data());
        return ReadResult::ok;
    }
    return got == 0 ? ReadResult::end_of_file : ReadResult::error;
}

PointDatabase::ReadResult PointDatabase::read_counted(std::vector<DbRecord>& records)
{
    records.clear();
    const long long size = length();
    if (size < 0) return ReadResult::error;
    const long long whole = size / static_cast<long long>(record_bytes);
    const std::size_t wanted = static_cast<std::size_t>(std::min<long long>(whole, most_records_read));
    std::vector<unsigned char> bytes(wanted * record_bytes);
    const ssize_t got = read_at(fd_, bytes.data(), bytes.size(), 0);
    if (got < 0) return ReadResult::error;
    const std::size_t read = static_cast<std::size_t>(got) / record_bytes;
    records.reserve(read);
    for (std::size_t k = 0; k < read; ++k) {
        const unsigned char* at = bytes.data() + k * record_bytes;
        if (!spare_bytes_clear(at)) return ReadResult::error;
        if (static_cast<long>(k) == DB_COUNT_CAPACITY && decode(at).number != DB_END) return ReadResult::error;
        records.push_back(decode(at));
        if (records.back().number == DB_END) break;
    }
    // A file that ends in a part-record, or shrank while it was read, is not whole.
    const bool complete = static_cast<std::size_t>(got) == bytes.size() && size % static_cast<long long>(record_bytes) == 0;
    return complete ? ReadResult::ok : ReadResult::error;
}

bool PointDatabase::write(long k, const DbRecord& record) { return write_run(k, std::span(&record, 1)); }

bool PointDatabase::write_run(long first, std::span<const DbRecord> records)
{
    if (fd_ < 0 || first < 1) return false;
    std::vector<unsigned char> bytes(records.size() * record_bytes);
    for (std::size_t k = 0; k < records.size(); ++k) encode(records[k], bytes.data() + k * record_bytes);
    return write_at(fd_, bytes.data(), bytes.size(), position(first));
}

long long PointDatabase::length()
{
    struct stat info {};
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return -1;
    return static_cast<long long>(info.st_size);
}

bool PointDatabase::cut_to(long long bytes)
{
    if (fd_ < 0 || bytes < 0) return false;
    int status;
    do status = ::ftruncate(fd_, static_cast<off_t>(bytes));
    while (status != 0 && errno == EINTR);
    return status == 0;
}

}  // namespace library
