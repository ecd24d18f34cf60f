// The ends of a run that the plane adjustment meets, as a user meets them: each network is small
// and made by hand so that one fault stands in it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "planor_run.h"

namespace {

using namespace planor_e2e;

// A right triangle of 100 m legs: point 1 fixed (code 6), 2 the azimuth point, 3 free; exact
// directions and distances from these coordinates (the azimuth of 1-2 is 0 cc, of 1-3 1 000 000).
const std::vector<std::string> TRIANGLE = {"1 6 0 0", "2 2 100000 0", "3 0 0 100000"};
const std::vector<std::string> TRIANGLE_DIRECTIONS = {
    "1 2 0 1", "1 3 1000000 1", "2 3 1500000 1", "2 1 2000000 1", "3 1 3000000 1", "3 2 3500000 1"};
const std::vector<std::string> TRIANGLE_DISTANCES = {"1 2 100000 1", "2 3 141421.356 1", "1 3 100000 1"};

// The lines, in this order, somewhere on the screen.
void expect_in_order(const Result& r, const std::vector<std::string>& lines) {
    int from = 0;
    for (const std::string& expected : lines) {
        int at = -1;
        for (std::size_t i = static_cast<std::size_t>(from); i < r.screen.size(); ++i)
            if (r.screen[i] == expected) {
                at = static_cast<int>(i);
                break;
            }
        EXPECT_GE(at, 0) << "missing, or out of order: \"" << expected << "\"";
        if (at >= 0) from = at + 1;
    }
}

// A station missing from the point list; and observations without any point (the scale RC is
// then not computed), whose first station is missing.
TEST(PlanorFailure, MissingStationEndsThroughTheExitBlock) {
    struct Case {
        std::vector<std::string> points;
        std::string missing;
    };
    const Case cases[] = {{TRIANGLE, "9"}, {{}, "1"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.missing);
        testsupport::DataFolder folder;
        const Result r = run_input(folder, plane_input(c.points, {"1 2 0 1", "1 3 1000000 1", "9 1 0 1", "9 2 5 1"}));
        EXPECT_EQ(r.status, 1);
        ASSERT_GE(r.screen.size(), 6u);
        const std::vector<std::string> tail(r.screen.end() - 6, r.screen.end());
        const std::vector<std::string> expected = {
            "Procedura CBODU ... Hledane cislo neexistuje" + right(c.missing, 7),
            "Cislo stanoviska nebo cile neexistuje v seznamu",
            "souradnic",
            "Provedte opravu dat, vymazte vystupni soubor - " + left(REPORT, 20),
            "a znovu provedte vypocet",
            "KONEC",
        };
        EXPECT_EQ(tail, expected);
    }
}

// Same coordinates in an angle, in a distance, and an azimuth point 0.05 mm from the code-6
// point (below 0.1 mm).
TEST(PlanorFailure, SameCoordinatesHaltWithTheOneLineAndNoPointNumbers) {
    struct Case {
        const char* name;
        std::vector<std::string> points, directions, distances;
    };
    const Case cases[] = {
        {"angle", {"1 6 0 0", "2 0 0 0", "3 0 100000 0"}, {"1 2 0 1", "1 3 100 1"}, {}},
        {"distance", {"1 6 0 0", "2 0 0 0", "3 0 100000 0"}, {}, {"1 3 100000 1", "1 2 5 1"}},
        {"azimuth point", {"1 6 0 0", "2 2 0.05 0", "3 0 100000 0"}, {"3 1 0 1", "3 2 10 1"}, {"1 3 100000 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::DataFolder folder;
        const Result r = run_input(folder, plane_input(c.points, c.directions, c.distances), "B.DB");
        EXPECT_EQ(r.status, 1);
        ASSERT_GE(r.screen.size(), 2u);
        EXPECT_EQ(r.screen[r.screen.size() - 2], " Chyba - Jsou zadany stejne souradnice pro dva body");
        EXPECT_EQ(find(r.screen, "KONEC"), -1);
        EXPECT_EQ(find_start(r.screen, " Cisla bodu"), -1);
        EXPECT_EQ(folder.read("B.DB"), "") << "a halt without the exit block";
    }
}

TEST(PlanorFailure, MissingCode6PointHaltsWithKonecAndStoresNothing) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input({"1 3 0 0", "2 2 100000 0", "3 3 0 100000"}, TRIANGLE_DIRECTIONS,
                                                   TRIANGLE_DISTANCES),
                               "B.DB");
    EXPECT_EQ(r.status, 1);
    ASSERT_GE(r.screen.size(), 2u);
    EXPECT_EQ(r.screen[r.screen.size() - 2], "*** Chyba v zadani: Chybi bod s cislem kodu 6 ***");
    EXPECT_EQ(r.screen.back(), "KONEC");
    EXPECT_EQ(folder.read("B.DB"), "") << "no exit block: the new database stays empty";
}

// Mended: three points, one angle and one distance for the four free coordinates of points 2 and
// 3; the run halts before the first solution instead of reporting a singular solution.
TEST(PlanorFailure, UnderdeterminedNetworkHalts) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input({"1 6 0 0", "2 0 100000 0", "3 0 0 100000"},
                                                   {"1 2 0 1", "1 3 1000000 1"}, {"1 2 100000 1"}));
    EXPECT_EQ(r.status, 1);
    // Two condition rows only (the code-6 point): the pause comes first.
    expect_in_order(r, {" dim G() < 3, tj IR<3 ", " Chyba - uloha je nedostatecne urcena", "         tj. maly pocet podminek umisteni site",
                        "         nebo nedostatecne zamereni site"});
    EXPECT_EQ(find(r.screen, "KONEC"), -1);
    EXPECT_EQ(find_start(r.screen, "+"), -1);
    for (const std::string& line : r.report) EXPECT_EQ(line.find("V Y S L E D N"), std::string::npos);
}

// Mended: enough rows for the unknowns and conditions, yet the conditions leave a motion of the
// whole network free, so that the solution would be noise: no placement code at all, and a
// network of directions alone (the code-6 and the code-2 point fix the shifts and the rotation,
// nothing fixes the scale). The run halts before the first solution.
TEST(PlanorFailure, NetworkWithAFreeDatumMotionHalts) {
    struct Case {
        const char* name;
        std::vector<std::string> points, distances;
        bool few_conditions;  // fewer than three condition rows: the pause first
    };
    const Case cases[] = {
        {"all points free", {"1 0 0 0", "2 0 100000 0", "3 0 0 100000"}, TRIANGLE_DISTANCES, true},
        {"scale free without distances", TRIANGLE, {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::DataFolder folder;
        const Result r = run_input(folder, plane_input(c.points, TRIANGLE_DIRECTIONS, c.distances));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(find(r.screen, " dim G() < 3, tj IR<3 ") >= 0, c.few_conditions);
        expect_in_order(r, {" Chyba - uloha je nedostatecne urcena", "         tj. maly pocet podminek umisteni site",
                            "         nebo nedostatecne zamereni site"});
        EXPECT_EQ(find(r.screen, "KONEC"), -1);
        for (const std::string& line : r.report) EXPECT_EQ(line.find("V Y S L E D N"), std::string::npos);
    }
}

// A code-6 point listed before Helmert points: its two rows are the Helmert shift rows, which
// then hold the sums of the Helmert points' increments, and the rotation row follows. The datum
// is fixed (point 1 by its removed components, the rest by the three rows), so the run adjusts:
// points 2 and 3 of the square of 100 m, given 30 mm off in Y in opposite senses (the sums of the
// shift and the rotation rows vanish on that), come back to it from exact observations.
TEST(PlanorFailure, CodeSixBesideHelmertPointsFixesTheDatum) {
    testsupport::DataFolder folder;
    const Result r = run_input(
        folder, plane_input({"1 6 0 0", "2 3 100000 -30", "3 3 100000 100030", "4 3 0 100000"},
                            {"1 2 0 1", "1 3 500000 1", "1 4 1000000 1", "2 3 1000000 1", "2 4 1500000 1",
                             "2 1 2000000 1", "3 4 2000000 1", "3 1 2500000 1", "3 2 3000000 1"},
                            {"1 2 100000 1", "2 3 100000 1", "3 4 100000 1", "4 1 100000 1"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.screen.back(), "KONEC");
    const int table = find(r.report, "       V Y S L E D N É   S O U Ř A D N I C E   A");
    ASSERT_GE(table, 0);
    // number, X, dX, Y, dY (input minus adjusted), read as numbers: a correction of a few
    // thousandths of a millimetre is printed with its sign, as -0.0.
    const double truth[3][5] = {{2, 100000, 0, 0, -30}, {3, 100000, 0, 100000, 30}, {4, 0, 0, 100000, 0}};
    for (int k = 0; k < 3; ++k) {
        std::istringstream row(r.report[static_cast<std::size_t>(table + 8 + k)]);
        for (double expected : truth[k]) {
            double value = -1;
            row >> value;
            EXPECT_NEAR(value, expected, 0.05) << "point " << truth[k][0];
        }
    }
}

// A code-4 point listed before the Helmert points shares condition row 1 with their sum of dX:
// three condition rows in all, and 2 angles + 3 distances = 5 rows for 8 unknowns: redundancy 0,
// solvable, and exact observations give back the true square.
TEST(PlanorFailure, MixedCodesThatTheCheckLetsThrough) {
    testsupport::DataFolder folder;
    const Result r = run_input(
        folder, plane_input({"1 4 0 0", "2 3 100000 0", "3 3 100000 100000", "4 3 0 100000"},
                            {"1 2 0 1", "1 3 500000 1", "1 4 1000000 1"},
                            {"1 2 100000 1", "2 3 100000 1", "3 4 100000 1"}));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.screen.back(), "KONEC");
    const int table = find(r.report, "       V Y S L E D N É   S O U Ř A D N I C E   A");
    ASSERT_GE(table, 0);
    const std::string& point3 = r.report[table + 9];
    EXPECT_EQ(testsupport::columns(point3, 1, 19), "    3      100000.0");
    EXPECT_EQ(testsupport::columns(point3, 28, 13), "     100000.0");
    // r = 0: no test line, no corrections.
    EXPECT_EQ(find_start(r.report, " Směrodat.odchylka jednotk."), -1);
    EXPECT_EQ(find(r.report, " stanovisko cíl       směr       váha"), find(r.report, " S m ě r y") + 1);
}

// Point 4 takes part in no observation: its two columns of the normal matrix are zero.
TEST(PlanorFailure, SingularNormalMatrixEndsThroughTheExitBlock) {
    testsupport::DataFolder folder;
    std::vector<std::string> points = TRIANGLE;
    points.push_back("4 0 50000 50000");
    const Result r = run_input(folder, plane_input(points, TRIANGLE_DIRECTIONS, TRIANGLE_DISTANCES));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(find(r.screen, " dim G() < 3, tj IR<3 "), -1) << "three condition rows";
    expect_in_order(r, {"chyba v inverzi MI()", " zrejme spatne zadane podminky na umisteni site,",
                        " nejprve ale provedte kontrolu vstupnich velicin", "KONEC"});
}

// 175 directions of one station: 174 angles, two beyond the 172 rows, each with its pause; the
// halt after the (absent) distance rows.
TEST(PlanorFailure, RowsBeyond172PauseThenHalt) {
    testsupport::DataFolder folder;
    std::vector<std::string> directions;
    for (int k = 0; k < 175; ++k) directions.push_back(k % 2 == 0 ? "1 2 0 1" : "1 3 1000000 1");
    const Result r = run_input(folder, plane_input(TRIANGLE, directions));
    EXPECT_EQ(r.status, 1);
    int pauses = 0;
    for (const std::string& line : r.screen) pauses += line.find("NM > JM") != std::string::npos;
    EXPECT_EQ(pauses, 2);
    EXPECT_EQ(r.screen.back(), "Chyba ve vstupu, mer. delek muze byt max. 172");
    EXPECT_EQ(find(r.screen, "KONEC"), -1);
    // The misclosure list holds all 174 angles.
    EXPECT_EQ(r.control.size(), 3u + 174u);
}

// The plane program has no console line for the redundancy and the unit standard deviation; its
// test line goes to the report only.
TEST(PlanorFailure, TestLineInTheReportOnly) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input(TRIANGLE, TRIANGLE_DIRECTIONS, TRIANGLE_DISTANCES));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(find_start(r.screen, "Po"), -1);
    EXPECT_EQ(find_start(r.screen, " Směrodat"), -1);
    const int line = find_start(r.report, " Směrodat.odchylka jednotk. po vyrov. = ");
    ASSERT_GE(line, 1);
    EXPECT_EQ(r.report[line - 1], "");
    EXPECT_EQ(testsupport::chars(r.report[line]), 46);
    EXPECT_EQ(r.report[line + 1], "");
    EXPECT_EQ(r.report[line + 2], "");
    EXPECT_NE(find_start(r.screen, "+"), 0);
}

// The test of the unit standard deviation: exact observations give s0 below the upper bound
// (1 + 2/sqrt(6)) MOO = 1.82, so MOO = 1.0 is used and no warning follows; a distance 50 mm too
// long gives an s0 above it, which is used, with the warning after the test line. Either way the
// progress line is overwritten at the end by the line that the printing follows.
TEST(PlanorFailure, UnitStandardDeviationTest) {
    for (const bool gross : {false, true}) {
        SCOPED_TRACE(gross);
        std::vector<std::string> distances = TRIANGLE_DISTANCES;
        if (gross) distances[2] = "1 3 100050 1";
        testsupport::DataFolder folder;
        const Result r = run_input(folder, plane_input(TRIANGLE, TRIANGLE_DIRECTIONS, distances));
        EXPECT_EQ(r.status, 0);
        const int line = find_start(r.report, " Směrodat.odchylka jednotk. po vyrov. = ");
        ASSERT_GE(line, 0);
        const std::string s0 = r.report[line].substr(r.report[line].size() - 6);
        EXPECT_EQ(r.report[line + 1], "");
        EXPECT_EQ(r.report[line + 2], "");
        EXPECT_EQ(r.report[line + 3] == " !!! Měření neodpovídá základní směrod. odch. !!!", gross);
        EXPECT_EQ(find(r.report, " !!! Měření neodpovídá základní směrod. odch. !!!") != -1, gross);
        EXPECT_GT(std::stod(s0), gross ? 1.82 : -1.0);
        EXPECT_LT(std::stod(s0), gross ? 1000.0 : 0.05);
        EXPECT_EQ(find(r.report, " Uvažovaná směrodat odch.jednotková  =" + (gross ? s0 : std::string("   1.0"))),
                  static_cast<int>(r.report.size()) - 3);
        // The progress line ends with no line feed: only a carriage return before the text leaves
        // it alone on its line.
        EXPECT_NE(find(r.screen, blanks(35) + " Jiz jsem dopocital, pokracuje tisk a dialog"), -1);
    }
}

// The misclosure lists of the first pass: the angles (left target, station, right target), then
// the distances; the later passes add nothing.
TEST(PlanorControlFile, MisclosureListsOfTheFirstPassOnly) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input(TRIANGLE, TRIANGLE_DIRECTIONS, TRIANGLE_DISTANCES));
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.control.size(), 14u);
    EXPECT_EQ(r.control[0], " Rozdíly mezi úhly vypoč. z měř. směrů a ze souřad.");
    EXPECT_EQ(r.control[1], "");
    EXPECT_EQ(r.control[2], "");
    EXPECT_EQ(testsupport::columns(r.control[3], 1, 16), "     2    1    3");
    EXPECT_EQ(testsupport::columns(r.control[4], 1, 16), "     3    2    1");
    EXPECT_EQ(testsupport::columns(r.control[5], 1, 16), "     1    3    2");
    EXPECT_EQ(r.control[6], "");
    EXPECT_EQ(r.control[7], "");
    EXPECT_EQ(r.control[8], " Rozdíly mezi délkami vypoč. z měření a ze souřad.");
    EXPECT_EQ(testsupport::columns(r.control[11], 1, 11), "     1    2");
    // 141421.356 measured against 141421.35624 computed: -0.00024 mm, written in 12 columns.
    EXPECT_EQ(testsupport::chars(r.control[12]), 23);
    EXPECT_NEAR(std::stod(r.control[12].substr(11)), 0.0, 0.005);
    for (int k = 3; k <= 5; ++k) EXPECT_NEAR(std::stod(r.control[k].substr(16)), 0.0, 0.005);
}

// Two directions in two station groups form no angle: the angle heading all the same.
TEST(PlanorControlFile, AngleHeadingWithoutAngles) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input(TRIANGLE, {"1 2 0 1", "2 1 0 1"}, TRIANGLE_DISTANCES));
    ASSERT_GE(r.control.size(), 4u);
    EXPECT_EQ(r.control[0], " Rozdíly mezi úhly vypoč. z měř. směrů a ze souřad.");
    EXPECT_EQ(r.control[3], "");
    EXPECT_EQ(r.control[5], " Rozdíly mezi délkami vypoč. z měření a ze souřad.");
}

}  // namespace

namespace {

using namespace planor_e2e;

// Mended: two consecutive directions of station 1 to point 3 form an angle whose value does not
// depend on where point 3 stands. Its row carries nothing in point 3's columns (the left and the
// right role add up to zero), so exact observations bring point 3, given 2 m and 1 m off, back to
// the triangle; the right-target coefficients alone would hold its azimuth from point 1 at the
// input one and the passes would not settle. The angle 3-1-3 of the dialogue is 0 with sigma 0.
TEST(PlanorRows, TwoSightingsOfOneTargetInARow) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", plane_input({"1 6 0 0", "2 2 100000 0", "3 0 2000 101000"},
                                          {"1 2 0 1", "1 3 1000000 1", "1 3 1000000 1", "2 3 1500000 1",
                                           "2 1 2000000 1", "3 1 3000000 1", "3 2 3500000 1"},
                                          TRIANGLE_DISTANCES));
    const Result r = run(folder, REPORT + "\nINPUT.TXT\nn\nn\ny\n3 1 3\n-1 0 0\ny\n");
    EXPECT_EQ(r.status, 0);
    const int table = find(r.report, "       V Y S L E D N É   S O U Ř A D N I C E   A");
    ASSERT_GE(table, 0);
    // point 3: X 0.0, dX 2000.0, Y 100000.0, dY 1000.0 (input minus adjusted)
    EXPECT_EQ(testsupport::columns(r.report[table + 9], 1, 48),
              "    3           0.0  2000.0     100000.0  1000.0");
    const int line = find_start(r.report, " Směrodat.odchylka jednotk. po vyrov. = ");
    ASSERT_GE(line, 0);
    EXPECT_EQ(r.report[line], " Směrodat.odchylka jednotk. po vyrov. =    0.0");
    EXPECT_NE(find(r.report, "     3 -   1 -   3           0.0          0.000"), -1);
}

}  // namespace
