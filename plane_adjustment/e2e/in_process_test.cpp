// What the console runs cannot pin down: the banner and the report header for a chosen start
// time, and the weights and the unit standard deviation as the reader leaves them.
#include <gtest/gtest.h>

#include <cstdlib>

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
    for (const auto& [text, MO] : {std::pair<std::string, double>{"0", 1.0}, {"0.01", static_cast<double>(0.01f)}}) {
        read_network("'S'\n5 3 " + text + " 2\n1 0 1.0 2.0\n-1\n", [&](const adjustment::Network& net) {
            EXPECT_EQ(net.MO, MO) << text;
            EXPECT_EQ(net.UU, 5.0f);
            EXPECT_EQ(net.UD, 3.0f);
            EXPECT_EQ(net.MCH, 2.0);
        });
    }
}

}  // namespace
}  // namespace planor_e2e
