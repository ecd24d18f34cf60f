// A point database file in a fresh folder for one test, written and read byte by byte by the
// test itself (32-byte records: int16 number, three float64, six zero bytes, little-endian).
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "library/pointdb.h"
#include "platform/console.h"

namespace library::test {

struct Point {
    std::int16_t number;
    double x, y, z;
    bool operator==(const Point&) const = default;
};

inline std::string record_bytes(const Point& p)
{
    std::string bytes(32, '\0');
    const auto number = static_cast<std::uint16_t>(p.number);
    bytes[0] = static_cast<char>(number & 0xff);
    bytes[1] = static_cast<char>(number >> 8);
    const double values[] = {p.x, p.y, p.z};
    for (int v = 0; v < 3; ++v) {
        const auto u = std::bit_cast<std::uint64_t>(values[v]);
        for (int n = 0; n < 8; ++n) bytes[static_cast<std::size_t>(2 + 8 * v + n)] = static_cast<char>((u >> (8 * n)) & 0xff);
    }
    return bytes;
}

inline Point point_from(const std::string& bytes, std::size_t at)
{
    const auto byte = [&](std::size_t n) { return static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at + n])); };
    Point p{};
    p.number = static_cast<std::int16_t>(static_cast<std::uint16_t>(byte(0) | byte(1) << 8));
    double* values[] = {&p.x, &p.y, &p.z};
    for (int v = 0; v < 3; ++v) {
        std::uint64_t u = 0;
        for (int n = 0; n < 8; ++n) u |= byte(static_cast<std::size_t>(2 + 8 * v + n)) << (8 * n);
        *values[v] = std::bit_cast<double>(u);
    }
    return p;
}

// Points numbered as given, with X = 100 * number + position, Y = -X, third value 0.
inline std::vector<Point> numbered(const std::vector<std::int16_t>& numbers)
{
    std::vector<Point> points;
    for (std::size_t k = 0; k < numbers.size(); ++k) {
        const double x = 100.0 * numbers[k] + static_cast<double>(k + 1);
        points.push_back({numbers[k], x, -x, 0.0});
    }
    return points;
}

inline std::vector<std::int16_t> numbers_of(const std::vector<Point>& points)
{
    std::vector<std::int16_t> numbers;
    for (const auto& p : points) numbers.push_back(p.number);
    return numbers;
}

class DatabaseFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string name = (std::filesystem::temp_directory_path() / "library-test-XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        folder = name;
        path = folder / "BODY.DAT";
    }
    void TearDown() override
    {
        db.close();
        std::filesystem::remove_all(folder);
    }

    std::string bytes() const
    {
        std::ifstream file(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    void write_bytes(const std::string& content) const { std::ofstream(path, std::ios::binary) << content; }
    // Writes the file and opens it as the run's database.
    void create(const std::vector<Point>& points, const std::string& tail = "")
    {
        std::string content;
        for (const auto& p : points) content += record_bytes(p);
        write_bytes(content + tail);
        ASSERT_TRUE(db.open(path));
    }
    std::vector<Point> points() const
    {
        const std::string content = bytes();
        std::vector<Point> result;
        for (std::size_t at = 0; at + 32 <= content.size(); at += 32) result.push_back(point_from(content, at));
        return result;
    }

    std::filesystem::path folder, path;
    PointDatabase db;
    platform::ScriptConsole console;
};

}  // namespace library::test
