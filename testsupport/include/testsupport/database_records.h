// The records of a point database file as the tests write and read them, from the file layout:
// number (2 bytes), X, Y and the third value (8 bytes each, little-endian IEEE), 6 zero bytes.
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace testsupport {

struct DbRecord {
    std::int16_t number;
    double x, y, z;
    friend bool operator==(const DbRecord&, const DbRecord&) = default;
};

inline void PrintTo(const DbRecord& r, std::ostream* os) {
    *os << "{" << r.number << ", " << std::fixed << r.x << ", " << r.y << ", " << r.z << "}";
}

namespace detail {

inline void put_le(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

inline std::uint64_t get_le(const std::string& in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
    return value;
}

}  // namespace detail

// The 32 bytes of each record, in order.
inline std::string db_bytes(const std::vector<DbRecord>& records) {
    std::string out;
    for (const DbRecord& r : records) {
        detail::put_le(out, static_cast<std::uint16_t>(r.number), 2);
        detail::put_le(out, std::bit_cast<std::uint64_t>(r.x), 8);
        detail::put_le(out, std::bit_cast<std::uint64_t>(r.y), 8);
        detail::put_le(out, std::bit_cast<std::uint64_t>(r.z), 8);
        detail::put_le(out, 0, 6);
    }
    return out;
}

// The records of a database file; a failure when its length is not a whole number of records
// or a record's last 6 bytes are not zeros.
inline std::vector<DbRecord> db_records(const std::string& bytes) {
    EXPECT_EQ(bytes.size() % 32, 0u) << "database length " << bytes.size();
    std::vector<DbRecord> records;
    for (std::size_t at = 0; at + 32 <= bytes.size(); at += 32) {
        records.push_back({static_cast<std::int16_t>(detail::get_le(bytes, at, 2)),
                           std::bit_cast<double>(detail::get_le(bytes, at + 2, 8)),
                           std::bit_cast<double>(detail::get_le(bytes, at + 10, 8)),
                           std::bit_cast<double>(detail::get_le(bytes, at + 18, 8))});
        EXPECT_EQ(detail::get_le(bytes, at + 26, 6), 0u) << "record " << at / 32 + 1 << ": bytes 26-31";
    }
    return records;
}

}  // namespace testsupport
