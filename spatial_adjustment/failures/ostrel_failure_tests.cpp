// The ends of a run that the adjustment meets: each network below is small and made by hand so
// that exactly one fault stands in it; the messages, the end and the exit status are the
// program's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "testsupport/runner.h"

namespace {

struct FailureCase {
    const char* name;
    const char* input;
    std::vector<std::string> screen;  // these lines, in this order, somewhere on the screen
    bool konec;                        // the run ends through the exit block ("KONEC")
};

// Three fixed points (code 7) 100 m apart and a free point 5 at (50, 50, 1) m, observed by
// directions from all three: the observations are computed from these true coordinates.
const char* const fixed_triangle =
    "1 7 0 0 0\n2 7 100000 0 0\n3 7 0 100000 0\n";
const char* const directions_to_5 =
    "1 2 0.000 1\n1 5 500000.000 1\n2 3 1500000.000 1\n2 5 1500000.000 1\n"
    "3 1 3000000.000 1\n3 5 3500000.000 1\n-1\n";

std::string network(const char* title, const std::string& points, const std::string& rest) {
    return std::string("'") + title + "'\n1 1 1 1 0\n" + points + "-1\n" + rest;
}

const std::vector<FailureCase>& cases() {
    static const std::vector<FailureCase> all = {
        {"same_coordinates",
         // point 2 stands where point 1 stands: the angle 2-1-3 has no direction to 2
         "'stejne'\n1 1 1 1 0\n1 7 0 0 0\n2 0 0 0 5000\n3 0 100000 0 0\n-1\n"
         "1 2 0 1\n1 3 100000 1\n-1\n-1\n-1\n",
         {" Chyba - Jsou zadány stejné souřadnice pro dva body", " Čísla bodů:       1      2      3",
          " Čísla indexů:      1      2      3", "Stop - Program terminated."},
         false},
        {"zenith_straight_up",
         // point 2 lies 5 m straight above point 1: no zenith-angle row exists
         "'nad'\n1 1 1 1 0\n1 7 0 0 0\n2 0 0 0 5000\n3 0 100000 0 0\n-1\n-1\n1 2 0 1\n-1\n-1\n",
         {" Chyba - Jsou zadány stejné souřadnice pro dva body", " Čísla bodů:       1      2      0",
          "Stop - Program terminated."},
         false},
        {"missing_station",
         // the station 9 of the second direction is not in the point list
         "'chybi'\n1 7 0 0 0\n", {}, true},
        {"underdetermined",
         // three free points and one distance: 1 row, 9 unknowns, no condition
         "'malo'\n1 1 1 1 0\n1 0 0 0 0\n2 0 100000 0 0\n3 0 0 100000 0\n-1\n-1\n-1\n1 2 100000 1\n-1\n",
         {" Chyba - úloha je nedostatečně určena", "         tj. malý počet podmínek umístění sítě",
          "         nebo nedostatečné zaměření sítě", "Stop - Program terminated."},
         false},
        {"azimuth_without_code_7",
         "'smer'\n1 1 1 1 0\n1 3 0 0 0\n2 2 100000 0 0\n3 3 0 100000 0\n-1\n1 2 0 1\n1 3 1000000 1\n-1\n-1\n"
         "1 2 100000 1\n-1\n",
         {"*** Chyba v zadání: Chybí bod s číslem o  kódu 7 ***", "KONEC"},
         false},
        {"azimuth_point_on_its_reference",
         // the azimuth point 2 stands 0.05 mm from the code-7 point: below 0.1 mm
         "'blizko'\n1 1 1 1 0\n1 7 0 0 0\n2 2 0.05 0 1000\n3 0 100000 0 0\n-1\n1 3 0 1\n1 2 1000 1\n-1\n-1\n"
         "1 3 100000 1\n1 2 1000 1\n3 2 100000 1\n-1\n",
         {" Chyba - Jsou zadány stejné souřadnice pro dva body", " Čísla bodů:       2      1      0",
          "Stop - Program terminated."},
         false},
        {"observations_without_points",
         // an empty point section: the station of the first direction cannot be in the list
         "'prazdne'\n1 1 1 1 0\n-1\n1 2 3 1\n-1\n-1\n-1\n",
         {"Procedura CBODU ... Hledane cislo neexistuje      1",
          "Číslo stanoviska nebo cíle neexistuje v seznamu", "KONEC"},
         true},
        {"height_that_no_row_sees",
         // all points at height 0 and no zenith angle: nothing determines the height of point 5,
         // which the check of the datum finds before the solution
         nullptr,
         {" Chyba - úloha je nedostatečně určena", "         tj. malý počet podmínek umístění sítě",
          "         nebo nedostatečné zaměření sítě", "Stop - Program terminated."},
         false},
        {"no_convergence",
         // point 5 is given at (200, 0) m, far on the wrong side of its directions: the norms of
         // the increments alternate and never settle
         nullptr,
         {"         ***** P O Z O R ! *****", "  Způsob zadání výpočtu nevede k výsledku", "  Možná náprava:",
          "    a)  zkontrolujte všechny zadané hodnoty", "    b)  proveďte lepší odhad přibližných souřadnic",
          "    c)  seřaďte měřené veličiny ve smyslu daný bod ", "        - určovaný bod",
          "    c)  přečíslujte body (souřadnice, směry, délky)", "KONEC"},
         true},
    };
    return all;
}

std::string input_of(const FailureCase& c) {
    const std::string name = c.name;
    if (name == "missing_station")
        return network("chybi", fixed_triangle,
                       "1 2 0 1\n1 3 1000000 1\n9 1 0 1\n9 2 1000000 1\n-1\n-1\n1 2 100000 1\n-1\n");
    if (name == "height_that_no_row_sees")
        return network("singular", std::string(fixed_triangle) + "5 0 50000 50000 0\n",
                       std::string(directions_to_5) + "-1\n1 5 70710.678 1\n-1\n");
    if (name == "no_convergence")
        return network("div", std::string(fixed_triangle) + "5 0 200000 0 900\n",
                       std::string(directions_to_5) + "1 5 990997.437 1\n2 5 990997.437 1\n-1\n1 5 70717.749 1\n-1\n");
    return c.input;
}

class OstrelFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(OstrelFailure, EndsWithItsMessagesAndStatus1) {
    const FailureCase& c = GetParam();
    testsupport::DataFolder folder;
    folder.write("F.TXT", input_of(c));
    const testsupport::Outcome o = testsupport::run(OSTREL_PATH, folder, "R.TXT\nF.TXT\n\n\n\n\n\n\n");
    EXPECT_EQ(o.status, 1) << o.screen;
    const std::vector<std::string> lines = testsupport::screen_lines(o.screen);
    std::size_t at = 0;
    for (const std::string& expected : c.screen) {
        while (at < lines.size() && lines[at] != expected) ++at;
        EXPECT_LT(at, lines.size()) << "missing, or out of order: \"" << expected << "\"\n" << o.screen;
    }
    const bool konec = !lines.empty() && lines.back() == "KONEC";
    if (c.konec) {
        EXPECT_TRUE(konec) << o.screen;
    }
    // No report table beyond the opening blocks.
    for (const std::string& line : folder.lines_cp1250("R.TXT"))
        EXPECT_EQ(line.find("V Ý S L E D N É"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Networks, OstrelFailure, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(OstrelFailure, ControlFileThatCannotBeOpenedStopsTheRun) {
    testsupport::DataFolder folder;
    std::filesystem::create_directory(folder.path() / "ERR$$$.TXT");  // a folder in its place
    folder.write("F.TXT", input_of(cases()[2]));
    const testsupport::Outcome o = testsupport::run(OSTREL_PATH, folder, "R.TXT\nF.TXT\n");
    EXPECT_EQ(o.status, 1);
    const std::vector<std::string> lines = testsupport::screen_lines(o.screen);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Kontrolní soubor nelze otevřít: F:ERR$$$.TXT");
    EXPECT_FALSE(folder.exists("R.TXT"));  // nothing asked, nothing created
}

TEST(OstrelFailure, MissingStationNamesTheNumberAndTheReportToDelete) {
    testsupport::DataFolder folder;
    folder.write("F.TXT", input_of(cases()[2]));
    const testsupport::Outcome o = testsupport::run(OSTREL_PATH, folder, "CHYBI.TXT\nF.TXT\n");
    EXPECT_EQ(o.status, 1);
    const std::vector<std::string> lines = testsupport::screen_lines(o.screen);
    ASSERT_GE(lines.size(), 6u) << o.screen;
    const std::vector<std::string> tail(lines.end() - 6, lines.end());
    const std::vector<std::string> expected = {
        "Procedura CBODU ... Hledane cislo neexistuje      9",
        "Číslo stanoviska nebo cíle neexistuje v seznamu",
        "souřadnic",
        "Proveďte opravu dat, smažte  výstupní soubor - CHYBI.TXT   ",
        "a znovu proveďte výpočet",
        "KONEC",
    };
    EXPECT_EQ(tail, expected) << o.screen;
}

// A halt after part of the report is written: the 181st measured quantity stops the run after
// the opening blocks and the input coordinate table. Every record written before the halt is in
// the report and in the control file afterwards, nothing after it (layouts of the report header,
// the a-priori block and the coordinate table).
TEST(OstrelFailure, AHaltLeavesEveryRecordWrittenBeforeItInTheFiles) {
    testsupport::DataFolder folder;
    std::string input = network("pulka", fixed_triangle, "");
    for (int k = 0; k < 181; ++k) input += "1 2 0 1\n";
    folder.write("F.TXT", input + "-1\n-1\n-1\n");
    const testsupport::Outcome o = testsupport::run(OSTREL_PATH, folder, "R.TXT\nF.TXT\n");
    EXPECT_EQ(o.status, 1);
    const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
    ASSERT_GE(screen.size(), 1u);
    EXPECT_EQ(screen.back(), "Chyba ve vstupu, max. počet měření je 180") << o.screen;

    const std::vector<std::string> report = folder.lines_cp1250("R.TXT");
    ASSERT_EQ(report.size(), 16u) << "3 header, 8 a-priori, 2 heading and 3 point records";
    EXPECT_EQ(testsupport::columns(report[0], 1, 46), " TERVAL 3.07 Prostorová síť   Ostrel   Datum: ");
    EXPECT_EQ(report[1], "");
    EXPECT_EQ(report[3], " Akce: pulka" + std::string(75, ' '));
    const char* const apriori[] = {"   1.0", "   1.0", "   1.0", "   1.0", "   0.0"};  // "1 1 1 1 0"
    for (int i = 0; i < 5; ++i) EXPECT_EQ(testsupport::columns(report[5 + i], 41, 6), apriori[i]) << report[5 + i];
    EXPECT_EQ(report[10], "");
    EXPECT_EQ(report[11], " S o u ř a d n i c e");
    const char* const numbers[] = {"    1", "    2", "    3"};
    const char* const xs[] = {"         0.0", "    100000.0", "         0.0"};
    for (int p = 0; p < 3; ++p) {
        EXPECT_EQ(testsupport::columns(report[13 + p], 4, 5), numbers[p]) << report[13 + p];
        EXPECT_EQ(testsupport::columns(report[13 + p], 13, 12), xs[p]) << report[13 + p];
    }

    const std::vector<std::string> control = folder.lines_cp1250("ERR$$$.TXT");
    ASSERT_EQ(control.size(), 4u);
    EXPECT_EQ(control[0], "  Toto okno slouží ke kontrole dat. ");
    EXPECT_NE(control[3].find("R.TXT"), std::string::npos) << control[3];
    EXPECT_NE(control[3].find("F.TXT"), std::string::npos) << control[3];
}

// A control file that is a link to a device (here /dev/full) is the program's own name, not the
// device: the link is replaced by a new control file, the run writes it and ends normally, and
// the device is never opened for writing.
TEST(OstrelFailure, AControlFileLinkedToADeviceIsReplaced) {
    if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full here";
    testsupport::DataFolder folder;
    std::ifstream hand(std::string(FIXTURE_DIR) + "/HAND.TXT", std::ios::binary);
    folder.write("HAND.TXT", std::string(std::istreambuf_iterator<char>(hand), {}));
    std::filesystem::create_symlink("/dev/full", folder.path() / "ERR$$$.TXT");
    const testsupport::Outcome o = testsupport::run(OSTREL_PATH, folder, "R.TXT\nHAND.TXT\nn\nn\nn\nn\nn\nn\n");
    EXPECT_EQ(o.status, 0) << o.screen;
    EXPECT_FALSE(std::filesystem::is_symlink(folder.path() / "ERR$$$.TXT"));
    const std::vector<std::string> control = folder.lines_cp1250("ERR$$$.TXT");
    ASSERT_FALSE(control.empty());
    EXPECT_EQ(control[0], "  Toto okno slouží ke kontrole dat. ");
    EXPECT_TRUE(folder.exists("R.TXT"));
}

}  // namespace
