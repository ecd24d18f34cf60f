// The point database of the two programs that use one (planor and rudvik), run as a user would:
// two runs on one database at once, run after run on one database, a database at the capacity of
// its search, a file far larger than a database can be, and a database named without a folder
// while the data folder is not the current one. Expected records are written from the input
// coordinates and the file layout, in the order of the database routines (ascending numbers, a
// known record kept byte for byte, the run's repeat of it deleted and taken out).
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "testsupport/database_records.h"
#include "testsupport/live_run.h"
#include "testsupport/runner.h"

namespace {

using testsupport::DbRecord;
using testsupport::db_bytes;
using testsupport::db_records;

struct Program {
    const char* name;
    const char* path;
    std::int16_t database_code;  // the placement code that takes a point from the database
};
const Program PLANOR{"planor", PLANOR_PATH, -1};
const Program RUDVIK{"rudvik", RUDVIK_PATH, -2};
const Program PROGRAMS[] = {PLANOR, RUDVIK};

const std::string DB = "BODY.DB";
const std::string IN_USE = "Databazi " + DB + " prave pouziva jina uloha: zadejte ji znovu, az skonci, nebo n";
const std::string READ_ERROR = " Chyba ve cteni databaze, uloha je prerusena";
const std::string NOT_USED = "Uloha pokracuje bez databaze bodu";

// Point n at X = 1000000 + 1000 n + shift, Y = 2000000 - 1000 n [mm].
DbRecord known(int n, double shift = 0.0) {
    return {static_cast<std::int16_t>(n), 1000000.0 + 1000.0 * n + shift, 2000000.0 - 1000.0 * n, 0.0};
}
std::vector<DbRecord> known_points(int from, int to) {
    std::vector<DbRecord> r;
    for (int n = from; n <= to; ++n) r.push_back(known(n));
    return r;
}

// An input of points only, which both programs read alike (title, a-priori record, the points
// with code 0 or as given, then empty observation sections): a whole input without observations,
// whose points the run stores.
std::string points_input(const std::vector<DbRecord>& points, const std::vector<std::string>& more = {}) {
    std::ostringstream s;
    s.setf(std::ios::fixed);
    s.precision(1);
    s << "'Body site'\n5.0 3.0 1.0 2.0\n";
    for (const std::string& line : more) s << line << "\n";
    for (const DbRecord& p : points) s << p.number << " 0 " << p.x << " " << p.y << "\n";
    s << "-1\n-1\n-1\n";
    return s.str();
}

std::string answers(const std::string& report, const std::string& input, const std::string& database) {
    return report + "\n" + input + "\n" + database + "\n";
}

// Whether every record of `known` is among `records`, as it was.
bool holds(const std::vector<DbRecord>& records, const std::vector<DbRecord>& known) {
    return std::all_of(known.begin(), known.end(), [&](const DbRecord& k) {
        return std::find(records.begin(), records.end(), k) != records.end();
    });
}

std::string example(const std::string& name) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A planor run on the example PLANE.TXT holds BODY.DB open while it waits at its first
// interactive offer. A second planor run and a rudvik run asked for BODY.DB meanwhile are told
// at once that another run uses it, and asked again: rudvik takes another database, planor waits
// and, once the first run has ended, takes BODY.DB and stores its points beside the first run's.
TEST(DatabaseRuns, SecondRunIsToldAndAskedAgain) {
    testsupport::DataFolder folder;
    for (const char* name : {"PLANE.TXT", "BODY.DB", "PLANEDEF.TXT", "PLANEDEF.DB"}) folder.write(name, example(name));
    const std::vector<DbRecord> second = {known(21), known(22), known(23)};
    folder.write("NEW.TXT", points_input(second));

    testsupport::LiveRun first(PLANOR.path, folder.path(), folder.path(), answers("R1.TXT", "PLANE.TXT", DB));
    ASSERT_TRUE(first.wait_for("Chcete provest vypocet delky", 20)) << first.screen();
    testsupport::LiveRun waiting(PLANOR.path, folder.path(), folder.path(), answers("R2.TXT", "NEW.TXT", DB));
    testsupport::LiveRun other(RUDVIK.path, folder.path(), folder.path(), answers("R3.TXT", "PLANEDEF.TXT", DB));
    ASSERT_TRUE(waiting.wait_for(IN_USE, 20)) << waiting.screen();
    ASSERT_TRUE(other.wait_for(IN_USE, 20)) << other.screen();

    other.answer("PLANEDEF.DB\n");
    EXPECT_EQ(other.finish(20), 0) << other.screen();
    const std::vector<DbRecord> planedef = db_records(folder.read("PLANEDEF.DB"));
    EXPECT_TRUE(holds(planedef, db_records(example("PLANEDEF.DB"))));
    EXPECT_EQ(planedef.size(), 7u) << "its network stored beside points 3 and 20";

    usleep(200000);
    EXPECT_FALSE(waiting.ended()) << "it waits at the question, having said why";
    EXPECT_EQ(waiting.lines(IN_USE), 1);
    first.answer("n\nn\n");
    EXPECT_EQ(first.finish(20), 0) << first.screen();
    const std::string after_first = folder.read(DB);
    ASSERT_EQ(after_first.size(), 10u * 32) << "points 1 to 10";
    waiting.answer(DB + "\n");
    EXPECT_EQ(waiting.finish(20), 0) << waiting.screen();
    EXPECT_EQ(folder.read(DB), after_first + db_bytes(second));
}

// Pairs of runs started together on one database of 2,000 known points, each storing 30 points
// of its own (planor with planor, and planor with rudvik). A run told that the other holds the
// database is answered its name again a moment later, as a user would. Without the lock the
// second run's appends overwrite the first's, or its sort writes back records the first run has
// moved; with it, every pair leaves the known records as they were and all 60 points stored.
TEST(DatabaseRuns, RunsStartedTogetherStoreAllTheirPoints) {
    const std::vector<DbRecord> base = known_points(1001, 3000);
    const std::vector<DbRecord> points_a = known_points(5001, 5030), points_b = known_points(6001, 6030);
    int told = 0;
    for (int pair = 0; pair < 40; ++pair) {
        SCOPED_TRACE(pair);
        const Program& second = pair % 2 == 0 ? PLANOR : RUDVIK;
        testsupport::DataFolder folder;
        folder.write(DB, db_bytes(base));
        folder.write("A.TXT", points_input(points_a));
        folder.write("B.TXT", points_input(points_b));
        testsupport::LiveRun a(PLANOR.path, folder.path(), folder.path(), answers("RA.TXT", "A.TXT", DB));
        testsupport::LiveRun b(second.path, folder.path(), folder.path(), answers("RB.TXT", "B.TXT", DB));
        testsupport::LiveRun* runs[] = {&a, &b};
        int answered[2] = {0, 0};
        const auto start = std::chrono::steady_clock::now();
        while (!(a.ended() && b.ended()) && std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
            for (int r = 0; r < 2; ++r) {
                if (runs[r]->lines(IN_USE) <= answered[r]) continue;
                usleep(5000);
                runs[r]->answer(DB + "\n");
                ++answered[r];
                ++told;
            }
            usleep(1000);
        }
        EXPECT_EQ(a.finish(5), 0) << a.screen();
        EXPECT_EQ(b.finish(5), 0) << b.screen();
        std::vector<DbRecord> expected = base;
        expected.insert(expected.end(), points_a.begin(), points_a.end());
        expected.insert(expected.end(), points_b.begin(), points_b.end());
        EXPECT_EQ(db_records(folder.read(DB)), expected);
        if (HasFailure()) break;
    }
    // The runs of a pair meet at the database in most pairs: a test in which none did would have
    // shown nothing.
    RecordProperty("runs_told", told);
    std::printf("runs told that the database was in use: %d\n", told);
    EXPECT_GT(told, 0);
}

// Run after run of one input on one database: the run's points repeat the known ones, which
// stay; the repeats are deleted and taken out, so the file stops growing (planor on the example
// PLANE.TXT, 10 records; rudvik on PLANEDEF.TXT, 7 records).
TEST(DatabaseRuns, RepeatedRunsDoNotGrowTheDatabase) {
    struct Case {
        const Program& program;
        const char *input, *database, *more_answers;
        std::size_t records;
    };
    for (const Case& c : {Case{PLANOR, "PLANE.TXT", "BODY.DB", "n\nn\n", 10}, Case{RUDVIK, "PLANEDEF.TXT", "PLANEDEF.DB", "", 7}}) {
        SCOPED_TRACE(c.program.name);
        testsupport::DataFolder folder;
        folder.write(c.input, example(c.input));
        folder.write(c.database, example(c.database));
        std::string after_first;
        for (int run = 1; run <= 3; ++run) {
            SCOPED_TRACE(run);
            const std::string report = "R" + std::to_string(run) + ".TXT";
            const testsupport::Outcome o =
                testsupport::run(c.program.path, folder, answers(report, c.input, c.database) + c.more_answers);
            EXPECT_EQ(o.status, 0) << o.screen;
            const std::string bytes = folder.read(c.database);
            EXPECT_EQ(bytes.size(), c.records * 32);
            EXPECT_TRUE(holds(db_records(bytes), db_records(example(c.database)))) << "the known records";
            if (run == 1) after_first = bytes;
            EXPECT_EQ(bytes, after_first);
        }
    }
}

// The deleted records sort after every number below 9999 and before the higher ones: a point
// numbered above 9999 moves up over them, byte for byte, and the file ends with it.
TEST(DatabaseRuns, PointsAbove9999MoveUpOverTheDeletedRecords) {
    for (const Program& program : PROGRAMS) {
        SCOPED_TRACE(program.name);
        testsupport::DataFolder folder;
        folder.write(DB, db_bytes({known(5), known(12000)}));
        folder.write("IN.TXT", points_input({known(5, 55.5), known(7)}));
        const testsupport::Outcome o = testsupport::run(program.path, folder, answers("R.TXT", "IN.TXT", DB));
        EXPECT_EQ(o.status, 0) << o.screen;
        EXPECT_EQ(db_records(folder.read(DB)), (std::vector<DbRecord>{known(5), known(7), known(12000)}));
    }
}

// The search covers 10,945 records. A database of 10,942 (point 3 among them): a run whose
// points would make it 10,946 stores nothing, says why and ends with status 1; one that makes it
// exactly 10,945 (a known point again, three new ones) stores them, and the next run finds point
// 3. A database that already holds 10,946 is not used: the run says so at the opening.
TEST(DatabaseRuns, DatabaseAtTheCapacityOfTheSearch) {
    std::vector<DbRecord> base = known_points(-10941, -1);
    base.push_back(known(3));
    ASSERT_EQ(base.size(), 10942u);
    const std::string full = "Databaze bodu pojme nejvyse 10945 bodu, body nejsou ulozeny";
    for (const Program& program : PROGRAMS) {
        SCOPED_TRACE(program.name);
        testsupport::DataFolder folder;
        folder.write(DB, db_bytes(base));
        folder.write("OVER.TXT", points_input(known_points(10, 13)));
        const testsupport::Outcome over = testsupport::run(program.path, folder, answers("R1.TXT", "OVER.TXT", DB));
        EXPECT_EQ(over.status, 1);
        const std::vector<std::string> lines = testsupport::screen_lines(over.screen);
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[lines.size() - 2], full);
        EXPECT_EQ(lines.back(), "KONEC");
        EXPECT_EQ(folder.read(DB), db_bytes(base)) << "nothing stored";

        folder.write("UPTO.TXT", points_input({known(3, 55.5), known(10), known(11), known(12)}));
        const testsupport::Outcome upto = testsupport::run(program.path, folder, answers("R2.TXT", "UPTO.TXT", DB));
        EXPECT_EQ(upto.status, 0) << upto.screen;
        std::vector<DbRecord> expected = base;
        expected.insert(expected.end(), {known(10), known(11), known(12)});
        EXPECT_EQ(db_records(folder.read(DB)), expected);

        const std::string take_3 = "3 " + std::to_string(program.database_code);
        folder.write("FIND.TXT", points_input({known(10)}, {take_3}));
        const testsupport::Outcome find = testsupport::run(program.path, folder, answers("R3.TXT", "FIND.TXT", DB));
        EXPECT_EQ(find.status, 0) << find.screen;
        EXPECT_EQ(find.screen.find("Hledany bod neni v databazi"), std::string::npos);
        EXPECT_EQ(db_records(folder.read(DB)), expected);

        std::vector<DbRecord> beyond = expected;
        beyond.push_back(known(13));
        folder.write(DB, db_bytes(beyond));
        const testsupport::Outcome opening = testsupport::run(program.path, folder, answers("R4.TXT", "FIND.TXT", DB));
        const std::vector<std::string> opened = testsupport::screen_lines(opening.screen);
        const auto told = std::find(opened.begin(), opened.end(),
                                    "Databaze bodu ma vice nez 10945 zaznamu, vice jich hledani neprecte");
        ASSERT_NE(told, opened.end()) << opening.screen;
        ASSERT_NE(told + 1, opened.end());
        EXPECT_EQ(*(told + 1), NOT_USED);
        EXPECT_EQ(opening.status, 1) << "point 3 cannot be taken from a database";
        EXPECT_EQ(folder.read(DB), db_bytes(beyond));
    }
}

// A sparse file of 1 TiB given as the database: a database has at most 32,767 records, so it is
// no usable one. The run says so as for a part-record, goes on without it (the points-only
// input then ends normally) and leaves the file as it was; nothing is read beyond 1 MiB.
TEST(DatabaseRuns, FileOfOneTebibyteIsNoDatabase) {
    constexpr off_t tebibyte = off_t{1} << 40;
    for (const Program& program : PROGRAMS) {
        SCOPED_TRACE(program.name);
        testsupport::DataFolder folder;
        const std::string path = (folder.path() / DB).string();
        const int fd = ::open(path.c_str(), O_CREAT | O_WRONLY, 0644);
        ASSERT_GE(fd, 0);
        if (::ftruncate(fd, tebibyte) != 0) {
            ::close(fd);
            GTEST_SKIP() << "the temporary folder holds no file of 1 TiB";
        }
        ::close(fd);
        struct stat before {};
        ASSERT_EQ(::stat(path.c_str(), &before), 0);
        folder.write("IN.TXT", points_input({known(1), known(2)}));
        const testsupport::Outcome o = testsupport::run(program.path, folder, answers("R.TXT", "IN.TXT", DB));
        EXPECT_EQ(o.status, 0) << o.screen;
        const std::vector<std::string> lines = testsupport::screen_lines(o.screen);
        const auto error = std::find(lines.begin(), lines.end(), READ_ERROR);
        ASSERT_NE(error, lines.end()) << o.screen;
        ASSERT_NE(error + 1, lines.end());
        EXPECT_EQ(*(error + 1), NOT_USED);
        EXPECT_EQ(lines.back(), "KONEC");
        struct stat after {};
        ASSERT_EQ(::stat(path.c_str(), &after), 0);
        EXPECT_EQ(after.st_size, tebibyte);
        EXPECT_EQ(after.st_blocks, before.st_blocks) << "nothing written";
        EXPECT_EQ(after.st_mtime, before.st_mtime);
    }
}

// With TERVAL_DATA naming the folder of the input and the database, and another current
// folder, a database name without a folder is the data folder's, as the report and input names
// are; a name with a folder ("./") is taken as typed, from the current folder.
TEST(DatabaseRuns, DatabaseNameWithoutAFolderIsTheDataFolders) {
    for (const Program& program : PROGRAMS) {
        SCOPED_TRACE(program.name);
        testsupport::DataFolder data, current;
        data.write(DB, db_bytes({known(1)}));
        data.write("IN.TXT", points_input({known(2)}));
        testsupport::LiveRun bare(program.path, current.path(), data.path(), answers("R1.TXT", "IN.TXT", DB));
        EXPECT_EQ(bare.finish(20), 0) << bare.screen();
        EXPECT_EQ(db_records(data.read(DB)), (std::vector<DbRecord>{known(1), known(2)}));
        EXPECT_TRUE(data.exists("R1.TXT"));
        EXPECT_FALSE(current.exists(DB));

        testsupport::LiveRun typed(program.path, current.path(), data.path(), answers("R2.TXT", "IN.TXT", "./" + DB));
        EXPECT_EQ(typed.finish(20), 0) << typed.screen();
        EXPECT_EQ(db_records(current.read(DB)), (std::vector<DbRecord>{known(2)}));
        EXPECT_EQ(db_records(data.read(DB)), (std::vector<DbRecord>{known(1), known(2)}));
    }
}

}  // namespace
