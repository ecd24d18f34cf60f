// The point database file: record layout, counting and sorting, duplicates, appending, read
// errors. The files are written byte by byte by the test (db_fixture.h).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "db_fixture.h"
#include "library/pointdb.h"

namespace library {
namespace {

using test::numbered;
using test::numbers_of;
using test::Point;

class Database : public test::DatabaseFile {};

const std::string read_error_line = " Chyba ve cteni databaze, uloha je prerusena";

TEST_F(Database, RecordLayoutIsLittleEndianWithSixZeroBytes)
{
    ASSERT_TRUE(db.open(path));
    Index PB = 0;
    ASSERT_EQ(BULOZ(db, PB, 258, 1.0, -2.0, 0.0), DONE);
    const std::string expected = std::string("\x02\x01", 2) + std::string("\0\0\0\0\0\0\xF0\x3F", 8) +
                                 std::string("\0\0\0\0\0\0\0\xC0", 8) + std::string(8, '\0') + std::string(6, '\0');
    EXPECT_EQ(bytes(), expected);

    // Number -2 (FE FF) with X = 1.5 (3FF8...), Y = 0, third value 0, written by hand.
    db.close();
    write_bytes(std::string("\xFE\xFF", 2) + std::string("\0\0\0\0\0\0\xF8\x3F", 8) + std::string(22, '\0'));
    ASSERT_TRUE(db.open(path));
    ASSERT_EQ(BTRID(db, PB, console), DONE);
    EXPECT_EQ(PB, 1);
    double X = 0, Y = 9, Z = 9;
    Index KF1 = 0;
    EXPECT_EQ(BHLED(db, PB, -2, X, Y, Z, KF1, console), DONE);
    EXPECT_EQ(X, 1.5);
    EXPECT_EQ(Y, 0.0);
    EXPECT_EQ(KF1, 1);
}

TEST_F(Database, OpenCreatesAMissingFileAndKeepsAnExistingOne)
{
    ASSERT_TRUE(db.open(path));
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
    db.close();
    create(numbered({4, 2}));
    db.close();
    ASSERT_TRUE(db.open(path));  // opened again: nothing truncated
    EXPECT_EQ(numbers_of(points()), (std::vector<std::int16_t>{4, 2}));
    EXPECT_FALSE(db.open(folder));  // a folder is no database
    // Nor is a FIFO or a device: refused at once, without waiting for a writer.
    ASSERT_EQ(mkfifo((folder / "FIFO.DAT").c_str(), 0600), 0);
    EXPECT_FALSE(db.open(folder / "FIFO.DAT"));
    EXPECT_FALSE(db.open("/dev/zero"));
    EXPECT_FALSE(db.is_open());
}

TEST_F(Database, NewEmptyFile)
{
    ASSERT_TRUE(db.open(path));
    Index PB = 5;
    EXPECT_EQ(BTRID(db, PB, console), DONE);
    EXPECT_EQ(PB, 0);
    EXPECT_EQ(BSINGL(db, PB, console), FAILED);
    EXPECT_EQ(console.screen(), "");
    double X = 1, Y = 2, Z = 3;
    Index KF1 = 7;
    EXPECT_EQ(BHLED(db, PB, 12, X, Y, Z, KF1, console), FAILED);
    EXPECT_EQ(console.screen(), " Hledany bod neni v databazi      12");
    EXPECT_EQ(X, 1);
    EXPECT_EQ(KF1, 7);
}

struct SortCase {
    const char* name;
    std::vector<std::int16_t> numbers;
    Index PB;
    std::vector<std::int16_t> order;  // the whole file afterwards
};

std::ostream& operator<<(std::ostream& out, const SortCase& c) { return out << c.name; }

class Sort : public test::DatabaseFile, public ::testing::WithParamInterface<SortCase> {};

TEST_P(Sort, CountsAndSortsWholeRecords)
{
    const auto& c = GetParam();
    const auto before = numbered(c.numbers);
    create(before);
    Index PB = -1;
    EXPECT_EQ(BTRID(db, PB, console), DONE);
    EXPECT_EQ(PB, c.PB);
    const auto after = points();
    EXPECT_EQ(numbers_of(after), c.order);
    for (const auto& p : after) {  // every record moved whole: its values are the ones it had
        bool found = false;
        for (const auto& q : before) found = found || p == q;
        EXPECT_TRUE(found) << "record " << p.number << " lost its values";
    }
    EXPECT_EQ(console.screen(), "");
}

INSTANTIATE_TEST_SUITE_P(Library, Sort,
                         ::testing::Values(SortCase{"ThreeRecords", {5, 3, 8}, 3, {3, 5, 8}},
                                           SortCase{"CountStopsAt99", {4, 99, 2}, 1, {4, 99, 2}},
                                           SortCase{"First99", {99, 4, 2}, 0, {99, 4, 2}},
                                           SortCase{"DeletedSortLast", {9999, 7, 9999, -3}, 4, {-3, 7, 9999, 9999}},
                                           SortCase{"TwoGaps", {20, 19, 18, 17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7, 6},
                                                    15, {6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Database, DuplicateIsDeletedWithItsRecordShownThenSortedLast)
{
    create(numbered({3, 5, 5, 8}));
    Index PB = 4;
    EXPECT_EQ(BSINGL(db, PB, console), DONE);
    EXPECT_EQ(PB, 4);
    const auto after = points();
    EXPECT_EQ(after[2], (Point{9999, 0.0, 0.0, 0.0}));
    EXPECT_EQ(after[1].x, 502.0);  // the first of the run stays
    // The message record, then the (I6,3F14.1) record whose first character is the carriage
    // control: "     5" + "         503.0" + "        -503.0" + "           0.0".
    EXPECT_EQ(console.screen(), " Bod je v databazi vicekrat - zrusen je :\n"
                                "    5         503.0        -503.0           0.0");
    EXPECT_EQ(BTRID(db, PB, console), DONE);
    EXPECT_EQ(PB, 4);
    EXPECT_EQ(numbers_of(points()), (std::vector<std::int16_t>{3, 5, 8, 9999}));
}

TEST_F(Database, NothingDeletedRecountsTheRecordsBelow9999)
{
    create(numbered({3, 5, 8, 9999}));
    Index PB = 4;
    EXPECT_EQ(BSINGL(db, PB, console), DONE);
    EXPECT_EQ(PB, 3);
    EXPECT_EQ(console.screen(), "");
}

TEST_F(Database, DeletedRecordsBetweenRepeatsAreSkipped)
{
    create(numbered({5, 9999, 5, 6, 6, 6}));
    Index PB = 6;
    EXPECT_EQ(BSINGL(db, PB, console), DONE);
    EXPECT_EQ(PB, 6);
    EXPECT_EQ(numbers_of(points()), (std::vector<std::int16_t>{5, 9999, 9999, 6, 9999, 9999}));
}

TEST_F(Database, CleaningMeetsTheEndOfTheFile)
{
    create(numbered({3, 5, 5}));
    Index PB = 6;  // more than the file holds
    EXPECT_EQ(BSINGL(db, PB, console), FAILED);
    EXPECT_EQ(PB, 6);
    EXPECT_EQ(numbers_of(points()), (std::vector<std::int16_t>{3, 5, 9999}));  // the deletion stays
}

TEST_F(Database, AppendWritesRecordPBPlusOne)
{
    create(numbered({1, 2, 3, 4, 5}));
    Index PB = 3;
    EXPECT_EQ(BULOZ(db, PB, 42, 1.5, 2.5, 0.0), DONE);
    EXPECT_EQ(PB, 4);
    const auto after = points();
    ASSERT_EQ(after.size(), 5u);  // record 4 replaced, nothing inserted
    EXPECT_EQ(after[3], (Point{42, 1.5, 2.5, 0.0}));
    EXPECT_EQ(after[4].number, 5);
}

// A file whose length is not a whole number of records is damaged: the count reports a read
// error, keeps the records counted and sorts nothing.
TEST_F(Database, PartRecordAtTheEndIsAReadError)
{
    create(numbered({5, 3, 8}), "12345");
    Index PB = 0;
    EXPECT_EQ(BTRID(db, PB, console), FAILED);
    EXPECT_EQ(PB, 3);
    EXPECT_EQ(console.screen(), read_error_line);
    EXPECT_EQ(numbers_of(points()), (std::vector<std::int16_t>{5, 3, 8}));
}

TEST_F(Database, PartRecordAfterThe99IsAReadErrorToo)
{
    create(numbered({5, 99, 8}), "x");
    Index PB = 0;
    EXPECT_EQ(BTRID(db, PB, console), FAILED);
    EXPECT_EQ(PB, 1);
    EXPECT_EQ(console.screen(), read_error_line);
}

// A point database writes bytes 26-31 of every record as zeros. A file of whole records with
// anything else there (a text file of 64 bytes, say) is no point database: the count reports a
// read error and nothing is written to it.
TEST_F(Database, RecordWithSomethingInItsSpareBytesIsNoDatabase)
{
    for (const std::size_t at : {26u, 31u}) {
        SCOPED_TRACE(at);
        std::string content = test::record_bytes({5, 1.0, 2.0, 0.0}) + test::record_bytes({3, 1.0, 2.0, 0.0});
        content[32 + at] = 'x';
        db.close();
        write_bytes(content);
        ASSERT_TRUE(db.open(path));
        console = platform::ScriptConsole();
        Index PB = 0;
        EXPECT_EQ(BTRID(db, PB, console), FAILED);
        EXPECT_EQ(PB, 1);
        EXPECT_EQ(console.screen(), read_error_line);
        EXPECT_EQ(bytes(), content);
    }
    db.close();
    const std::string text = "Seznam bodu site Dolni Lhota, zamereni z jara 2024, bez oprav.\r\n";
    write_bytes(text);
    ASSERT_TRUE(db.open(path));
    Index PB = 0;
    EXPECT_EQ(BTRID(db, PB, console), FAILED);
    EXPECT_EQ(bytes(), text);
}

// PB is 16-bit: a file of more records than 32767 must not wrap the count.
TEST_F(Database, CountBeyond32767RecordsIsAReadError)
{
    create(std::vector<Point>(32768, Point{1, 0.0, 0.0, 0.0}));
    Index PB = 0;
    EXPECT_EQ(BTRID(db, PB, console), FAILED);
    EXPECT_EQ(PB, 32767);
    EXPECT_EQ(console.screen(), read_error_line);
    EXPECT_EQ(BULOZ(db, PB, 2, 0.0, 0.0, 0.0), FAILED);  // no record 32768 with a 16-bit count
    EXPECT_EQ(PB, 32767);
}

// The file is locked while it is open: a second opening of it (another run) is refused at once
// and says why; once the first is closed it opens. A folder is refused for another reason.
TEST_F(Database, OpenFileIsLockedUntilClosed)
{
    ASSERT_TRUE(db.open(path));
    PointDatabase second;
    EXPECT_FALSE(second.open(path));
    EXPECT_TRUE(second.in_use());
    EXPECT_FALSE(second.is_open());
    db.close();
    EXPECT_TRUE(second.open(path));
    EXPECT_FALSE(second.in_use());
    EXPECT_FALSE(db.open(path));
    EXPECT_TRUE(db.in_use());
    EXPECT_FALSE(db.open(folder));
    EXPECT_FALSE(db.in_use());
}

// The count reads the records up to the first 99 and no further: a file of 1 GiB whose fourth
// record is 99 (sparse, so no disk is used) is counted as three records and sorted.
TEST_F(Database, CountReadsNoFurtherThanThe99)
{
    create(numbered({5, 3, 8, 99}));
    std::filesystem::resize_file(path, std::uintmax_t{1} << 30);
    Index PB = 0;
    EXPECT_EQ(BTRID(db, PB, console), DONE);
    EXPECT_EQ(PB, 3);
    EXPECT_EQ(console.screen(), "");
    const std::string head = bytes().substr(0, 4 * 32);
    EXPECT_EQ(test::point_from(head, 0).number, 3);
    EXPECT_EQ(test::point_from(head, 96).number, 99);
}

// The deleted records are taken out of records 1..PB; the others keep their order and bytes
// and the file ends after them. Where a 99 ends the counted records before the end of the
// file, the records beyond are not moved and nothing is taken out.
struct RemoveCase {
    const char* name;
    std::vector<std::int16_t> numbers;
    Index PB;
    std::vector<std::int16_t> after;  // the whole file afterwards
    Index PB_after;
};

std::ostream& operator<<(std::ostream& out, const RemoveCase& c) { return out << c.name; }

class RemoveDeleted : public test::DatabaseFile, public ::testing::WithParamInterface<RemoveCase> {};

TEST_P(RemoveDeleted, TakesOutTheDeletedRecords)
{
    const RemoveCase& c = GetParam();
    const std::vector<Point> before = numbered(c.numbers);
    create(before);
    Index PB = c.PB;
    EXPECT_EQ(remove_deleted(db, PB), DONE);
    EXPECT_EQ(PB, c.PB_after);
    const std::vector<Point> after = points();
    EXPECT_EQ(numbers_of(after), c.after);
    for (const Point& p : after) {
        if (p.number == DB_DELETED) continue;
        EXPECT_NE(std::find(before.begin(), before.end(), p), before.end()) << p.number << " as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(Library, RemoveDeleted,
                         ::testing::Values(RemoveCase{"AtTheEnd", {1, 2, 9999, 9999}, 4, {1, 2}, 2},
                                           RemoveCase{"AllDeleted", {9999, 9999}, 2, {}, 0},
                                           RemoveCase{"NoneDeleted", {1, 2, 3}, 3, {1, 2, 3}, 3},
                                           RemoveCase{"HigherNumbersMoveUp", {-4, 9999, 9999, 12000, 32767}, 5,
                                                      {-4, 12000, 32767}, 3},
                                           RemoveCase{"BeforeA99", {1, 9999, 99, 7}, 2, {1, 9999, 99, 7}, 2}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Database, LiveNumbersLeaveOutTheDeleted)
{
    create(numbered({3, 5, 9999, 12000, 9999}));
    std::vector<std::int16_t> numbers;
    EXPECT_EQ(live_numbers(db, 4, numbers), DONE);
    EXPECT_EQ(numbers, (std::vector<std::int16_t>{3, 5, 12000}));
    EXPECT_EQ(live_numbers(db, 6, numbers), FAILED) << "more records than the file holds";
}

TEST_F(Database, RoutinesOnAClosedDatabaseFail)
{
    Index PB = 0;
    EXPECT_EQ(BTRID(db, PB, console), FAILED);
    EXPECT_EQ(BSINGL(db, PB, console), FAILED);
    EXPECT_EQ(BULOZ(db, PB, 1, 0.0, 0.0, 0.0), FAILED);
    EXPECT_EQ(PB, 0);
}

}  // namespace
}  // namespace library
