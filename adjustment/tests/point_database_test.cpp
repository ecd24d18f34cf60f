// The storing part of the exit block on states that a console run reaches only through the
// adjustment or a failing disk: working coordinates of an unfinished adjustment, and a
// database that cannot be put in order (it must be tried twice, never in a loop).
// DatabaseRun's points are final (a completed adjustment) unless a test says otherwise.
#include <gtest/gtest.h>

#include <fstream>

#include "adjustment/point_database.h"
#include "adjustment/run.h"
#include "platform/console.h"
#include "platform/sink.h"
#include "test_profile.h"
#include "testsupport/runner.h"

namespace {

using platform::ExitStatus;

int count(const std::string& screen, const std::string& text) {
    int n = 0;
    for (const std::string& line : testsupport::screen_lines(screen)) n += line == text;
    return n;
}

struct DatabaseRun {
    DatabaseRun() : run(profile, console, report, control, platform::DateTime{}) {
        run.net.IB = 2;
        run.net.IN[1] = 4;
        run.net.IN[2] = 2;
        run.net.XO[1] = run.net.XO[2] = 10.0;
        run.net.YO[1] = run.net.YO[2] = 20.0;
        EXPECT_TRUE(run.database.open(folder.path() / "B.DB"));
        run.BDUMMY = 0.0f;
        run.points_final = true;
    }
    testsupport::DataFolder folder;
    adjustment::Profile profile = test_profile();
    platform::ScriptConsole console;
    platform::StringSink report, control;
    adjustment::Run run;
};

TEST(StorePoints, NothingStoredWhileTheAdjustmentIsUnfinished) {
    DatabaseRun d;
    d.run.points_final = false;
    EXPECT_EQ(adjustment::store_points(d.run, ExitStatus::failed), ExitStatus::failed);
    EXPECT_EQ(d.folder.read("B.DB"), "");
    EXPECT_EQ(count(d.console.screen(), d.profile.text.database_unchanged), 1);
}

TEST(StorePoints, PointsAppendedOnceAndSorted) {
    DatabaseRun d;
    EXPECT_EQ(adjustment::store_points(d.run, ExitStatus::finished), ExitStatus::finished);
    const std::string bytes = d.folder.read("B.DB");
    ASSERT_EQ(bytes.size(), 64u);
    EXPECT_EQ(bytes[0], 2) << "sorted: point 2 first";
    EXPECT_EQ(bytes[32], 4);
    EXPECT_EQ(d.run.PB, 2);
}

// A file that stops being a whole number of records: BTRID fails; the three calls are repeated
// once (the points are not appended again), then the run says so and ends as failed.
TEST(StorePoints, DatabaseThatCannotBePutInOrderIsTriedTwice) {
    DatabaseRun d;
    std::ofstream(d.folder.path() / "B.DB", std::ios::binary) << std::string(100, '\x01');
    EXPECT_EQ(adjustment::store_points(d.run, ExitStatus::finished), ExitStatus::failed);
    EXPECT_EQ(count(d.console.screen(), " Chyba ve cteni databaze, uloha je prerusena"), 2);
    EXPECT_EQ(count(d.console.screen(), d.profile.text.database_store_failed), 1);
    EXPECT_EQ(d.folder.read("B.DB").size(), 100u) << "two records written over the first 64 bytes, once";
}

}  // namespace
