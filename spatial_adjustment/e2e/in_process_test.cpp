// What the console runs cannot pin down: the banner and the report header for a chosen start
// time, and the cofactor matrix that the interactive computations read.
#include <gtest/gtest.h>

#include <cstdlib>

#include "adjustment/opening_report.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "platform/console.h"
#include "platform/sink.h"
#include "program_texts.h"
#include "run_table.h"
#include "spatial_adjustment/builds.h"
#include "testsupport/in_process.h"
#include "testsupport/runner.h"

namespace e2e {
namespace {

using spatial_adjustment::Build;

// 9:05:07 on 3 January: every number of the date and time is padded with a blank, not a zero.
const platform::DateTime START{3, 1, 2027, 9, 5, 7};

TEST(Banner, RecordsForAStartAtFiveMinutesPastNine) {
    const std::vector<std::string> r = adjustment::banner_records(spatial_adjustment::profile(Build::main), START);
    ASSERT_EQ(r.size(), 26u + 9u + 4u);
    for (int i = 0; i < 26; ++i) EXPECT_EQ(r[i], "") << "record 1, line " << i + 1;
    EXPECT_EQ(r[26], BANNER_FRAME);
    EXPECT_EQ(testsupport::chars(r[26]), 73);
    EXPECT_EQ(r[27], BANNER_3);
    EXPECT_EQ(r[28], BANNER_4);
    EXPECT_EQ(r[29], BANNER_5);
    EXPECT_EQ(r[30], BANNER_6_H);
    EXPECT_EQ(r[31], BANNER_7_MAIN);
    EXPECT_EQ(r[32], BANNER_8_MAIN + blanks(29) + "Datum:  3. 1.2027 *");
    EXPECT_EQ(r[33], " *" + blanks(53) + "Čas:  9: 5: 7   *");
    const int length[] = {72, 72, 72, 72, 73, 72, 72};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(testsupport::chars(r[27 + i]), length[i]) << "record " << i + 3;
    EXPECT_EQ(r[34], BANNER_FRAME);
    for (int i = 35; i < 39; ++i) EXPECT_EQ(r[i], "");
}

TEST(ReportHeader, DateAndTimeAtTheirPositions) {
    platform::StringSink out;
    adjustment::write_report_header(spatial_adjustment::profile(Build::main), START, out);
    ASSERT_EQ(out.lines.size(), 3u);
    EXPECT_EQ(out.lines[0], HEADER_307 + " 3. 1.2027   Čas:  9: 5: 7");
    EXPECT_EQ(testsupport::chars(out.lines[0]), 72);
    EXPECT_EQ(out.lines[1], "");
    EXPECT_EQ(out.lines[2], "");
}

// The cofactor matrix of HAND.TXT (derived by hand in interactive_runs_test.cpp): the block of
// the free point 2 is diag(4, 9, 16); the rows and columns of the fixed points 1, 3, 4 are zero.
TEST(Cofactors, OfTheHandNetwork) {
    testsupport::DataFolder folder;
    folder.write("HAND.TXT", fixture("HAND.TXT"));
    platform::ScriptConsole console({"R.TXT", "HAND.TXT", "n", "n", "n", "n", "n"});
    bool seen = false;
    const int status = testsupport::run_in_process(
        spatial_adjustment::profile(Build::main), folder, console, [&](const adjustment::Run& run) {
            ASSERT_TRUE(run.solution);
            seen = true;
            EXPECT_EQ(run.net.NN, 12);
            EXPECT_DOUBLE_EQ(run.net.MO, 1.5);
            const library::Matrix& R = run.solution->R;
            const double diagonal[] = {4.0, 9.0, 16.0};
            for (int a = 1; a <= 12; ++a)
                for (int b = 1; b <= 12; ++b) {
                    const bool free = a >= 4 && a <= 6 && b >= 4 && b <= 6;
                    if (!free)
                        EXPECT_EQ(R(a, b), 0.0) << "R(" << a << "," << b << ")";
                    else if (a == b)
                        EXPECT_NEAR(R(a, b), diagonal[a - 4], 1e-9) << "R(" << a << "," << b << ")";
                    else
                        EXPECT_NEAR(R(a, b), 0.0, 1e-9) << "R(" << a << "," << b << ")";
                }
        });
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(seen);
}

}  // namespace
}  // namespace e2e
