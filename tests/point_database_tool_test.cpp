// tools/point_database.py against point database files decoded here on their own: every record
// of the file is one line of the listing, in file order, and the values printed read back to the
// file's bytes exactly (number, X, Y, third value, six zero bytes).
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport/runner.h"

namespace {

constexpr std::size_t RECORD = 32;

struct Listing {
    int status = -1;
    std::vector<std::string> lines;
};

Listing list(const std::string& file) {
    const std::string command = "'" PYTHON3 "' '" TOOL "' '" + file + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    Listing listing;
    listing.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(out);
    for (std::string line; std::getline(lines, line);) listing.lines.push_back(line);
    return listing;
}

std::string bytes_of(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// One record as the file holds it: little-endian number and reals (this machine's order).
std::string record(std::int16_t number, double x, double y, double third) {
    std::string r(RECORD, '\0');
    std::memcpy(&r[0], &number, 2);
    std::memcpy(&r[2], &x, 8);
    std::memcpy(&r[10], &y, 8);
    std::memcpy(&r[18], &third, 8);
    return r;
}

// A listed line read back: its record number, the 32 bytes its values give, and its remark.
struct Line {
    long index = 0;
    std::string bytes;
    std::string remark;
};
Line read_back(const std::string& line) {
    std::istringstream fields(line);
    long index = 0, number = 0;
    std::string x, y, third;
    fields >> index >> number >> x >> y >> third;
    std::string remark;
    std::getline(fields, remark);
    remark.erase(0, remark.find_first_not_of(' '));
    return {index, record(static_cast<std::int16_t>(number), std::strtod(x.c_str(), nullptr),
                          std::strtod(y.c_str(), nullptr), std::strtod(third.c_str(), nullptr)),
            remark};
}

// The listing of a file holds a heading and one line per whole record that gives its bytes back.
void expect_records(const std::string& bytes, const Listing& listing, const std::vector<std::string>& remarks) {
    const std::size_t whole = bytes.size() / RECORD;
    ASSERT_EQ(listing.lines.size(), whole + 1);
    ASSERT_EQ(remarks.size(), whole);
    EXPECT_EQ(listing.lines[0].rfind("record number", 0), 0u) << listing.lines[0];
    for (std::size_t k = 0; k < whole; ++k) {
        SCOPED_TRACE(listing.lines[k + 1]);
        const Line line = read_back(listing.lines[k + 1]);
        EXPECT_EQ(line.index, static_cast<long>(k + 1));
        EXPECT_EQ(line.bytes, bytes.substr(k * RECORD, RECORD));
        EXPECT_EQ(line.remark, remarks[k]);
    }
}

TEST(PointDatabaseTool, ListsTheExampleDatabaseByteForByte) {
    const std::string path = std::string(EXAMPLES_DIR) + "/BODY.DB";
    const std::string bytes = bytes_of(path);
    ASSERT_EQ(bytes.size(), 3 * RECORD);
    const Listing listing = list(path);
    EXPECT_EQ(listing.status, 0);
    expect_records(bytes, listing, {"", "", ""});
    // Its first record, decoded here field by field: point 1 at (5000000.0, 1000000.0), 0.0.
    EXPECT_EQ(bytes.substr(0, RECORD), record(1, 5000000.0, 1000000.0, 0.0));
}

TEST(PointDatabaseTool, MarksDeletedRecordsTheEndMarkAndWhatLiesPastIt) {
    testsupport::DataFolder folder;
    const std::string bytes = record(5, 0.1, -1234567.891, 1e-300) + record(9999, 0.0, 0.0, 0.0) +
                              record(99, 7.25, 8.5, 0.0) + record(7, 5300061.523456789, 1249999.9999999998, 0.0) +
                              record(9999, 0.0, 0.0, 0.0);
    folder.write("P.DB", bytes);
    const Listing listing = list((folder.path() / "P.DB").string());
    EXPECT_EQ(listing.status, 0);
    expect_records(bytes, listing, {"", "deleted", "end mark", "past the end mark", "past the end mark"});
}

TEST(PointDatabaseTool, AFileThatIsNoPointDatabaseIsListedAsFarAsItGoesWithStatus1) {
    testsupport::DataFolder folder;
    const std::string cut = record(3, 1.0, 2.0, 0.0) + "x";  // 33 bytes
    std::string dirty = record(4, 1.0, 2.0, 0.0);
    dirty[31] = '\x01';  // a byte of no value that is not zero
    folder.write("CUT.DB", cut);
    folder.write("DIRTY.DB", dirty);
    const Listing cut_listing = list((folder.path() / "CUT.DB").string());
    EXPECT_EQ(cut_listing.status, 1);
    expect_records(cut, cut_listing, {""});
    const Listing dirty_listing = list((folder.path() / "DIRTY.DB").string());
    EXPECT_EQ(dirty_listing.status, 1);
    ASSERT_EQ(dirty_listing.lines.size(), 2u);
    EXPECT_EQ(bytes_of((folder.path() / "DIRTY.DB").string()), dirty) << "the tool only reads";
    EXPECT_EQ(list((folder.path() / "NONE.DB").string()).status, 1);
}

}  // namespace
