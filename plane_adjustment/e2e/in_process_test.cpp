// What the console runs cannot pin down: the banner and the report header for a chosen start
// time, and the weights and the unit standard deviation as the reader leaves them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "adjustment/opening_report.h"
#include "adjustment/run.h"
#include "plane_adjustment/profile.h"
#include "planor_run.h"
#include "platform/console.h"
#include "platform/sink.h"
#include "testsupport/in_process.h"

namespace planor_e2e {
namespace {

// 9:05:07 on 3 January: every number of the date and time is padded with a blank.
const platform::DateTime START{3, 1, 2027, 9, 5, 7};

TEST(PlanorBanner, RecordsForAStartAtFiveMinutesPastNine) {
    const std::vector<std::string> r = adjustment::banner_records(plane_adjustment::profile(), START);
    ASSERT_EQ(r.size(), 26u + 9u + 4u);
    std::string frame = " ";
    for (int i = 0; i < 36; ++i) frame += "* ";
    const std::vector<std::string> body = {
        frame,
        " * Program pro výpočet geodetických úloh v E-2" + blanks(25) + "*",
        " * v místní souřadnicové soustavě             " + blanks(25) + "*",
        " * 30bodů, 199 měřených veličin               " + blanks(25) + "*",
        " * Vstupní soubor je nutné umístit do H:\\TEST\\IG" + blanks(23) + "*",
        " * Kontrolní soubor F:\\ERR$$$.TXT             " + blanks(25) + "*",
        " * 15/05/1999  ver. 1.07" + blanks(29) + "Datum:  3. 1.2027 *",
        " *" + blanks(53) + "Čas:  9: 5: 7   *",
        frame,
    };
    for (int i = 0; i < 26; ++i) EXPECT_EQ(r[i], "");
    for (std::size_t i = 0; i < body.size(); ++i) {
        EXPECT_EQ(r[26 + i], body[i]);
        if (i > 0 && i + 1 < body.size()) {
            EXPECT_EQ(testsupport::chars(r[26 + i]), 72) << "record " << i;
        }
    }
    for (int i = 35; i < 39; ++i) EXPECT_EQ(r[i], "");
}

TEST(PlanorReportHeader, DateAndTimeAtTheirPositions) {
    platform::StringSink out;
    adjustment::write_report_header(plane_adjustment::profile(), START, out);
    ASSERT_EQ(out.lines.size(), 3u);
    EXPECT_EQ(out.lines[0], "TERVAL         ORMEK ver.3.01      Datum:  3. 1.2027   Cas:  9: 5: 7");
    EXPECT_EQ(out.lines[1], "");
    EXPECT_EQ(out.lines[2], "");
}

// Reads the input in-process and hands the network to `inspect`.
int read_network(const std::string& input, const std::function<void(const adjustment::Network&)>& inspect) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", input);
    platform::ScriptConsole console({"R.TXT", "INPUT.TXT", "n"});
    return testsupport::run_in_process(plane_adjustment::profile(), folder, console,
                                       [&](const adjustment::Run& run) { inspect(run.net); });
}

// A weight below 0.001 as a 32-bit real counts as 1.0: 0.001 itself lies below it.
TEST(PlanorReader, WeightsBelowTheThresholdCountAsOne) {
    const std::string input = plane_input({"1 6 0.0 0.0", "2 0 100.0 0.0", "3 0 0.0 100.0"},
                                          {"1 2 0.0 0", "1 3 100000.0 0.0005", "2 1 0.0 0.001"}, {"1 2 100.0 0.0011"});
    const int status = read_network(input, [](const adjustment::Network& net) {
        EXPECT_EQ(net.IS, 3);
        EXPECT_EQ(net.ID, 1);
        EXPECT_EQ(net.NR, 4);
        EXPECT_EQ(net.NN, 6);
        EXPECT_EQ(net.PPP[1], 1.0);
        EXPECT_EQ(net.PPP[2], 1.0);
        EXPECT_EQ(net.PPP[3], 1.0);
        EXPECT_EQ(net.PPP[4], 0.0011);
        EXPECT_EQ(net.DO[1], 100.0);
        EXPECT_EQ(net.INS[4], 1);
        EXPECT_EQ(net.INC[4], 2);
        // RC: (0 + 0 + 100 + 0 + 0 + 100) / (2 x 3 points).
        EXPECT_DOUBLE_EQ(net.RC, 200.0 / 6.0);
    });
    // One angle and one distance for the four coordinates of points 2 and 3 (point 1 fixed by
    // two condition rows): after reading, the determinacy check halts the run.
    EXPECT_EQ(status, 1);
}

TEST(PlanorReader, UnitStandardDeviationDefault) {
    for (const auto& c : {std::pair<std::string, double>{"0", 1.0}, {"0.01", static_cast<double>(0.01f)}}) {
        const std::string& text = c.first;
        const double MO = c.second;
        read_network("'S'\n5 3 " + text + " 2\n1 0 1.0 2.0\n-1\n", [&](const adjustment::Network& net) {
            EXPECT_EQ(net.MO, MO) << text;
            EXPECT_EQ(net.UU, 5.0f);
            EXPECT_EQ(net.UD, 3.0f);
            EXPECT_EQ(net.MCH, 2.0);
        });
    }
}

// The triangle of 100 m legs with point 3 given 2 m and 1 m off: exact observations bring it back
// in three solutions. With the bound set at two, the second solution ends the iteration as
// diverged after point 3 has moved: the advice, the database left as it was, status 1. With
// Planor's bound the run finishes and stores the adjusted coordinates beside the old record.
TEST(PlanorPassLimit, UnfinishedAdjustmentLeavesTheDatabaseAlone) {
    const std::string input = plane_input({"1 6 0 0", "2 2 100000 0", "3 0 2000 101000"},
                                          {"1 2 0 1", "1 3 1000000 1", "2 3 1500000 1", "2 1 2000000 1",
                                           "3 1 3000000 1", "3 2 3500000 1"},
                                          {"1 2 100000 1", "2 3 141421.356 1", "1 3 100000 1"});
    const std::string old = db_bytes({{50, 300000.0, 400000.0, 0.0}});
    for (const int limit : {2, 100}) {
        SCOPED_TRACE(limit);
        testsupport::DataFolder folder;
        folder.write("INPUT.TXT", input);
        folder.write("B.DB", old);
        adjustment::Profile profile = plane_adjustment::profile();
        EXPECT_EQ(profile.pass_limit, 100);
        profile.pass_limit = limit;
        platform::ScriptConsole console({"R.TXT", "INPUT.TXT", "B.DB", "n", "n"});
        // The database name is taken relative to the current directory, as typed.
        const std::filesystem::path here = std::filesystem::current_path();
        std::filesystem::current_path(folder.path());
        const int status = testsupport::run_in_process(profile, folder, console, {});
        std::filesystem::current_path(here);
        const std::vector<std::string> screen = testsupport::screen_lines(console.screen());
        ASSERT_FALSE(screen.empty());
        EXPECT_EQ(screen.back(), "KONEC");
        const bool advised = find(screen, "  Zpusob zadani vypoctu nevede k vysledku") != -1;
        const bool unchanged = find(screen, "Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny") != -1;
        if (limit == 2) {
            EXPECT_EQ(status, 1);
            EXPECT_TRUE(advised);
            EXPECT_TRUE(unchanged);
            EXPECT_EQ(folder.read("B.DB"), old);
            for (const std::string& line : folder.lines_cp1250("R.TXT")) EXPECT_EQ(line.find("V Y S L E D N"), std::string::npos);
        } else {
            EXPECT_EQ(status, 0);
            EXPECT_FALSE(advised);
            EXPECT_FALSE(unchanged);
            const std::vector<DbRecord> db = db_records(folder.read("B.DB"));
            ASSERT_EQ(db.size(), 4u);
            EXPECT_EQ(db[0], (DbRecord{1, 0.0, 0.0, 0.0}));
            // The azimuth point gets the last increment only: it stays within 0.01 mm.
            for (std::size_t k = 1; k <= 2; ++k) {
                EXPECT_EQ(db[k].number, static_cast<std::int16_t>(k + 1));
                EXPECT_NEAR(db[k].x, k == 1 ? 100000.0 : 0.0, 0.01);
                EXPECT_NEAR(db[k].y, k == 1 ? 0.0 : 100000.0, 0.01);
                EXPECT_EQ(db[k].z, 0.0);
            }
            EXPECT_EQ(db[3], (DbRecord{50, 300000.0, 400000.0, 0.0}));
        }
    }
}

}  // namespace
}  // namespace planor_e2e
