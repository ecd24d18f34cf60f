// Console runs of planor with a point database, the file read back record by record afterwards.
// Expected records are written from the input coordinates and the file layout (number, X, Y,
// 0.0, six zero bytes), in the order that the sort and the cleaning of the database routines
// give: ascending numbers, a repeated number kept once and its repeat marked 9999 with zeros
// (shown as deleted), the marked records then taken out of the file.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "planor_run.h"

namespace planor_e2e {
namespace {

const std::string DB = "BODY.DB";

// Points `from`..`to` with code 0 at X = 1000000 + 1000 n + shift, Y = 2000000 - 1000 n.
std::vector<std::string> points(int from, int to, double shift) {
    std::vector<std::string> p;
    for (int n = from; n <= to; ++n)
        p.push_back(std::to_string(n) + " 0 " + std::to_string(1000000.0 + 1000.0 * n + shift) + " " +
                    std::to_string(2000000.0 - 1000.0 * n));
    return p;
}
DbRecord record(int n, double shift) { return {static_cast<std::int16_t>(n), 1000000.0 + 1000.0 * n + shift, 2000000.0 - 1000.0 * n, 0.0}; }

int count(const std::vector<std::string>& lines, const std::string& text) {
    int n = 0;
    for (const std::string& l : lines) n += l == text;
    return n;
}

// The example database is what a run on the points-only example KNOWN.TXT writes: its points
// of code 0 or more, sorted by number.
TEST(Database, PointsOnlyInputFillsANewDatabase) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, example("KNOWN.TXT"), DB);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.screen.back(), "KONEC");
    const std::vector<DbRecord> expected = {
        {1, 5000000.0, 1000000.0, 0.0}, {2, 5000000.0, 1400000.0, 0.0}, {3, 5350000.0, 1250000.0, 0.0}};
    EXPECT_EQ(folder.read(DB), db_bytes(expected));
    EXPECT_EQ(example("BODY.DB"), db_bytes(expected)) << "examples/BODY.DB as a run builds it";
}

// With up to 13 records the sort has the gap 1 alone, which keeps equal numbers in file order:
// the old record of each number stays and the appended one is deleted, then taken out.
TEST(Database, SecondRunKeepsTheOldRecordOfEachNumber) {
    testsupport::DataFolder folder;
    run_input(folder, plane_input(points(1, 3, 0.0)), DB);
    const Result r = run_input(folder, plane_input(points(1, 3, 55.5)), DB);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(db_records(folder.read(DB)), (std::vector<DbRecord>{record(1, 0.0), record(2, 0.0), record(3, 0.0)}));
    EXPECT_EQ(count(r.screen, " Bod je v databazi vicekrat - zrusen je :"), 3);
    // The deleted record as (I6,3F14.1), its first blank being carriage control.
    EXPECT_NE(find(r.screen, "    1" + right("1001055.5", 14) + right("1999000.0", 14) + right("0.0", 14)), -1);
}

// A database of n known points (101..100 + n: no 99 among them, which would end the count) and
// a run that stores six of them again (101, 103, 104, 107, 108, 100 + n, moved by 55.5 mm) and
// one new point 101 + n. Whatever gaps the sort of n + 7 records takes, each known record stays
// byte for byte at its place, the run's repeats are deleted (shown, then taken out of the file)
// and the new point comes last of the numbers.
TEST(Database, KnownRecordsStayWhateverTheSize) {
    for (const int n : {14, 40, 41, 121, 122, 364}) {
        SCOPED_TRACE(n);
        testsupport::DataFolder folder;
        std::vector<DbRecord> known;
        for (int k = 101; k <= 100 + n; ++k) known.push_back(record(k, 0.0));
        folder.write(DB, db_bytes(known));
        std::vector<std::string> run_points;
        for (const int k : {101, 103, 104, 107, 108, 100 + n}) run_points.push_back(points(k, k, 55.5)[0]);
        run_points.push_back(points(101 + n, 101 + n, 0.0)[0]);
        const Result r = run_input(folder, plane_input(run_points), DB);
        EXPECT_EQ(r.status, 0);
        std::vector<DbRecord> expected = known;
        expected.push_back(record(101 + n, 0.0));
        EXPECT_EQ(db_records(folder.read(DB)), expected);
        EXPECT_EQ(folder.read(DB).substr(0, 32 * n), db_bytes(known)) << "byte for byte";
        EXPECT_EQ(count(r.screen, " Bod je v databazi vicekrat - zrusen je :"), 6);
        // The deleted record as (I6,3F14.1), its first blank being carriage control.
        const int last = 100 + n;
        EXPECT_NE(find(r.screen, right(std::to_string(last), 5) + right(std::to_string(1000000 + 1000 * last + 55) + ".5", 14) +
                                     right(std::to_string(2000000 - 1000 * last) + ".0", 14) + right("0.0", 14)),
                  -1)
            << "the run's record is the one deleted";
    }
}

TEST(Database, PointFoundTakesItsCoordinatesAndTheRestOfItsRecordIsNotRead) {
    testsupport::DataFolder folder;
    run_input(folder, plane_input(points(1, 2, 0.0)), DB);
    const Result r = run_input(folder, plane_input({"2 -1 neni cislo", "7 0 10.0 20.0"}), DB);
    EXPECT_EQ(r.status, 0);
    const int row = find_start(r.report, blanks(7) + "2");
    ASSERT_NE(row, -1);
    EXPECT_EQ(r.report[row], blanks(3) + right("2", 5) + blanks(4) + right("1002000.0", 12) + blanks(3) +
                                 right("1998000.0", 12) + blanks(3) + right("-1", 4) + blanks(14));
    EXPECT_EQ(db_records(folder.read(DB)), (std::vector<DbRecord>{record(1, 0.0), record(2, 0.0), {7, 10.0, 20.0, 0.0}}))
        << "the database point is not stored again";
}

// A database point that is not there ends the run through the exit block, which leaves the
// database as it was (the points read before are approximations, not known points), says so
// and ends as failed. 99 and 9999 are never found.
TEST(Database, PointNotFoundLeavesTheDatabaseUnchanged) {
    for (const std::string number : {"4", "99", "9999"}) {
        SCOPED_TRACE(number);
        testsupport::DataFolder folder;
        run_input(folder, plane_input(points(1, 2, 0.0)), DB);
        const std::string before = folder.read(DB);
        const Result r = run_input(folder, plane_input({"7 0 10.0 20.0", number + " -1", "8 0 30.0 40.0"}), DB);
        EXPECT_EQ(r.status, 1);
        ASSERT_GE(r.screen.size(), 3u);
        EXPECT_EQ(r.screen[r.screen.size() - 3], " Hledany bod neni v databazi " + right(number, 7));
        EXPECT_EQ(r.screen[r.screen.size() - 2], "Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny");
        EXPECT_EQ(r.screen.back(), "KONEC");
        EXPECT_EQ(folder.read(DB), before);
    }
}

TEST(Database, EmptyDatabaseWithOnlyDatabasePointsEndsAtOnce) {
    testsupport::DataFolder folder;
    folder.write(DB, "");
    const Result r = run_input(folder, plane_input({"5 -1", "6 -1"}, {"5 6 0.0 1"}), DB);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(count(r.screen, " Hledany bod neni v databazi       5"), 1);
    EXPECT_EQ(r.screen.back(), "KONEC");
    EXPECT_EQ(count(r.screen, "KONEC"), 1);
    EXPECT_EQ(folder.read(DB), "");
}

// Ends before a completed adjustment leave a database of 40 known points byte for byte as it
// was, with the line that says so and status 1: a read error in a direction record, a station
// missing from the point list, and more condition rows than G holds (a Helmert point first
// without distances sets four rows, 29 fixed points add two each: 62). The points of each input
// repeat known numbers, which would otherwise block the corrected run's adjusted coordinates.
TEST(Database, EndsBeforeACompletedAdjustmentLeaveTheDatabaseUnchanged) {
    struct Case {
        const char* name;
        std::vector<std::string> points, directions;
        std::string message;
    };
    std::vector<std::string> over = {"1 3 0.0 0.0"};
    for (int n = 2; n <= 30; ++n) over.push_back(std::to_string(n) + " 6 " + std::to_string(1000 * n) + ".0 " + std::to_string(500 * n) + ".0");
    const Case cases[] = {
        {"read error", {"3 0 0.0 100000.0", "1 6 0.0 0.0", "2 2 100000.0 0.0"},
         {"1 2 0 1", "1 3 1000000 x"}, "  chyba ve cteni vstupnich dat na radku c.:       8"},
        {"missing station", {"3 0 0.0 100000.0", "1 6 0.0 0.0", "2 2 100000.0 0.0"},
         {"1 2 0 1", "1 3 1000000 1", "9 1 0 1", "9 2 5 1"}, "a znovu provedte vypocet"},
        {"conditions over 60", over, {"2 1 0 1", "2 3 100 1"}, "JP < IG"},
    };
    std::vector<DbRecord> known;
    for (int k = 1; k <= 40; ++k) known.push_back(record(k, 0.0));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::DataFolder folder;
        folder.write(DB, db_bytes(known));
        const Result r = run_input(folder, plane_input(c.points, c.directions), DB);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(find(r.screen, c.message), -1);
        ASSERT_GE(r.screen.size(), 2u);
        EXPECT_EQ(r.screen[r.screen.size() - 2], "Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny");
        EXPECT_EQ(r.screen.back(), "KONEC");
        EXPECT_EQ(db_records(folder.read(DB)), known);
    }
}

// A text file of 64 bytes given as the database: its length is a whole number of records, but
// its bytes 26-31 are not zeros, so it is no point database. The run goes on without one and
// the file stays as it was.
TEST(Database, TextFileGivenAsTheDatabaseIsLeftAlone) {
    testsupport::DataFolder folder;
    const std::string text = "Seznam bodu site Dolni Lhota, zamereni z jara 2024, bez oprav.\r\n";
    ASSERT_EQ(text.size(), 64u);
    folder.write("SEZNAM.TXT", text);
    const Result r = run_input(folder, plane_input(points(1, 2, 0.0)), "SEZNAM.TXT");
    EXPECT_EQ(r.status, 0);
    const int line = find(r.screen, " Chyba ve cteni databaze, uloha je prerusena");
    ASSERT_NE(line, -1);
    EXPECT_EQ(r.screen[line + 1], "Uloha pokracuje bez databaze bodu");
    EXPECT_EQ(folder.read("SEZNAM.TXT"), text);
}

// A size limit that stops the appends inside the second record: the file is cut back to the
// records it had, the run says that the points are not stored, and the next run uses the file.
TEST(Database, FailedAppendLeavesWholeRecordsForTheNextRun) {
    testsupport::DataFolder folder;
    std::vector<DbRecord> known;
    for (int k = 101; k <= 221; ++k) known.push_back(record(k, 0.0));
    folder.write(DB, db_bytes(known));
    folder.write("INPUT.TXT", plane_input(points(300, 302, 0.0)));
    testsupport::Watch limited;
    limited.file_size_limit = 121 * 32 + 40;
    const testsupport::Outcome o = testsupport::run_watched(PLANOR_PATH, folder, REPORT + "\nINPUT.TXT\n" + DB + "\n", limited);
    EXPECT_EQ(o.status, 1);
    const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
    EXPECT_NE(find(screen, "Chyba v databazi bodu, body nejsou ulozeny uplne"), -1) << o.screen;
    EXPECT_EQ(db_records(folder.read(DB)), known);
    const Result next = run_input(folder, plane_input({"221 -1", "222 0 5.0 6.0"}), DB);
    EXPECT_EQ(next.status, 0);
    EXPECT_EQ(find(next.screen, " Chyba ve cteni databaze, uloha je prerusena"), -1);
    known.push_back({222, 5.0, 6.0, 0.0});
    EXPECT_EQ(db_records(folder.read(DB)), known);
}

// 99 would end the count of the database and 9999 marks a deleted record: a point with such a
// number is not stored (the run says so), and the points after it stay searchable.
TEST(Database, ReservedNumbersAreNotStored) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input({"5 0 1.0 2.0", "99 0 3.0 4.0", "9999 0 5.0 6.0", "7 0 7.0 8.0"}), DB);
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(find(r.screen, "Cislo bodu je v databazi vyhrazeno, bod se do ni neuklada:     99"), -1);
    EXPECT_NE(find(r.screen, "Cislo bodu je v databazi vyhrazeno, bod se do ni neuklada:   9999"), -1);
    EXPECT_EQ(db_records(folder.read(DB)), (std::vector<DbRecord>{{5, 1.0, 2.0, 0.0}, {7, 7.0, 8.0, 0.0}}));
    const Result again = run_input(folder, plane_input({"7 -1", "5 -1"}), DB);
    EXPECT_EQ(again.status, 0);
    EXPECT_NE(find_start(again.report, blanks(3) + right("7", 5) + blanks(4) + right("7.0", 12)), -1);
}

// A file whose length is not a whole number of 32-byte records: the count reports it, the run
// goes on without a database and never writes to the file.
TEST(Database, DatabaseOfOneHundredBytesIsReportedAndLeftAlone) {
    testsupport::DataFolder folder;
    const std::string bytes = db_bytes({{3, 1.0, 2.0, 0.0}, {1, 3.0, 4.0, 0.0}, {2, 5.0, 6.0, 0.0}}) + "abcd";
    ASSERT_EQ(bytes.size(), 100u);
    folder.write(DB, bytes);
    const Result r = run_input(folder, plane_input(points(1, 2, 0.0)), DB);
    EXPECT_EQ(r.status, 0);
    const int line = find(r.screen, " Chyba ve cteni databaze, uloha je prerusena");
    ASSERT_NE(line, -1);
    EXPECT_EQ(r.screen[line + 1], "Uloha pokracuje bez databaze bodu");
    EXPECT_EQ(folder.read(DB), bytes);
}

}  // namespace
}  // namespace planor_e2e
