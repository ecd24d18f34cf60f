// Running the plane adjustment program and reading its files.
#include "planor_run.h"

#include <gtest/gtest.h>

#include <bit>
#include <fstream>
#include <sstream>

namespace planor_e2e {

Result run(const testsupport::DataFolder& folder, const std::string& answers) {
    return testsupport::run_lines(PLANOR_PATH, folder, answers, REPORT);
}

Result run_input(const testsupport::DataFolder& folder, const std::string& input, const std::string& database) {
    folder.write("INPUT.TXT", input);
    std::filesystem::remove(folder.path() / REPORT);  // the report of an earlier run in the folder
    return run(folder, REPORT + "\nINPUT.TXT\n" + database + "\n");
}

int find(const std::vector<std::string>& lines, const std::string& text) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == text) return static_cast<int>(i);
    return -1;
}

namespace {

void put(std::string& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint64_t get(const std::string& in, std::size_t at, int bytes) {
    std::uint64_t value = 0;
    for (int i = 0; i < bytes; ++i) value |= std::uint64_t{static_cast<unsigned char>(in[at + i])} << (8 * i);
    return value;
}

}  // namespace

std::string db_bytes(const std::vector<DbRecord>& records) {
    std::string out;
    for (const DbRecord& r : records) {
        put(out, static_cast<std::uint16_t>(r.number), 2);
        put(out, std::bit_cast<std::uint64_t>(r.x), 8);
        put(out, std::bit_cast<std::uint64_t>(r.y), 8);
        put(out, std::bit_cast<std::uint64_t>(r.z), 8);
        put(out, 0, 6);
    }
    return out;
}

void PrintTo(const DbRecord& r, std::ostream* os) {
    *os << "{" << r.number << ", " << std::fixed << r.x << ", " << r.y << ", " << r.z << "}";
}

std::vector<DbRecord> db_records(const std::string& bytes) {
    EXPECT_EQ(bytes.size() % 32, 0u) << "database length " << bytes.size();
    std::vector<DbRecord> records;
    for (std::size_t at = 0; at + 32 <= bytes.size(); at += 32) {
        records.push_back({static_cast<std::int16_t>(get(bytes, at, 2)), std::bit_cast<double>(get(bytes, at + 2, 8)),
                           std::bit_cast<double>(get(bytes, at + 10, 8)), std::bit_cast<double>(get(bytes, at + 18, 8))});
        EXPECT_EQ(get(bytes, at + 26, 6), 0u) << "record " << at / 32 + 1 << ": bytes 26-31";
    }
    return records;
}

std::string plane_input(const std::vector<std::string>& points, const std::vector<std::string>& directions,
                        const std::vector<std::string>& distances) {
    std::string s = "'Rovinna sit'\n5.0 3.0 1.0 2.0\n";
    for (const std::string& p : points) s += p + "\n";
    s += "-1\n";
    for (const std::string& d : directions) s += d + "\n";
    s += "-1\n";
    for (const std::string& d : distances) s += d + "\n";
    return s + "-1\n";
}

std::string example(const std::string& name) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    if (!in) ADD_FAILURE() << "example " << name << " is missing";
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace planor_e2e
