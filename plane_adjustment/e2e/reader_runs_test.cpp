// Console runs of planor on the plane input layout: the report's opening blocks at their
// positions, the capacities (30 points, 199 measured quantities, 70 distances), a database
// placement code without a database, and the read error with its echo in the control file.
// Every network is written here; the expected lines come from the layouts.
#include <gtest/gtest.h>

#include "planor_run.h"

namespace planor_e2e {
namespace {

// `count` points 10 m apart on a line, codes 0.
std::vector<std::string> points(int count) {
    std::vector<std::string> p;
    for (int i = 1; i <= count; ++i) p.push_back(std::to_string(i) + " 0 " + std::to_string(1000000 + 10000 * i) + ".0 2000000.0");
    return p;
}

std::vector<std::string> repeated(int count, const std::string& record) { return std::vector<std::string>(count, record); }

// A row of the input coordinate table from its fields: 3 blanks, number (5), 4 blanks, X (12),
// 3 blanks, Y (12), 3 blanks, code (4), 4 blanks, condition text (10).
std::string coordinate_row(const std::string& number, const std::string& x, const std::string& y,
                           const std::string& code, const std::string& text) {
    return blanks(3) + right(number, 5) + blanks(4) + right(x, 12) + blanks(3) + right(y, 12) + blanks(3) +
           right(code, 4) + blanks(4) + left(text, 10);
}

TEST(Reader, OpeningBlocksOfThePlaneReport) {
    testsupport::DataFolder folder;
    const std::string input =
        "'Sit s kody'\n2.5 1.5 0 2\n"
        "1 6 1000000.04 2000000.06\n2 2 -1300000.0 2100000.0\n3 3 1200000.0 1800000.0\n4 4 1.0 2.0\n"
        "5 5 3.0 4.0\n6 1 5.0 6.0\n7 7 7.0 8.0\n8 12 9.0 10.0\n9 0 11.0 12.0\n-1\n";
    const Result r = run_input(folder, input);
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(r.report.size(), 10u + 2u + 9u);
    const std::string& header = r.report[0];
    EXPECT_EQ(header.substr(0, 42), "TERVAL         ORMEK ver.3.01      Datum: ");
    EXPECT_EQ(testsupport::chars(header), 68);
    EXPECT_EQ(testsupport::columns(header, 45, 1), ".");
    EXPECT_EQ(testsupport::columns(header, 48, 1), ".");
    EXPECT_EQ(testsupport::columns(header, 53, 8), "   Cas: ");
    EXPECT_EQ(testsupport::columns(header, 63, 1), ":");
    EXPECT_EQ(testsupport::columns(header, 66, 1), ":");
    EXPECT_EQ(r.report[1], "");
    EXPECT_EQ(r.report[2], "");
    EXPECT_EQ(r.report[3], "Akce: " + left("Sit s kody", 80));
    EXPECT_EQ(r.report[4], "");
    EXPECT_EQ(r.report[5], "základní směr.odch. směru  [cc]       =   2.5");
    EXPECT_EQ(r.report[6], "základní směr.odch. délky  [mm]       =   1.5");
    EXPECT_EQ(r.report[7], "základní směr.odch.jednotková         =   1.0") << "MOO 0 becomes 1.0";
    EXPECT_EQ(r.report[8], "základní směr.odch. souřadnicová [mm] =   2.0");
    EXPECT_EQ(r.report[9], "");
    EXPECT_EQ(r.report[10], " S o u ř a d n i c e");
    EXPECT_EQ(r.report[11], " číslo bodu" + blanks(8) + "X" + blanks(14) + "Y" + blanks(9) + "kód   podmínky umístění");
    const std::vector<std::string> rows = {
        coordinate_row("1", "1000000.0", "2000000.1", "6", "dx=0,dy=0"),
        coordinate_row("2", "-1300000.0", "2100000.0", "2", "smer"),
        coordinate_row("3", "1200000.0", "1800000.0", "3", "Helmert"),
        coordinate_row("4", "1.0", "2.0", "4", "dx=0"),
        coordinate_row("5", "3.0", "4.0", "5", "dy=0"),
        coordinate_row("6", "5.0", "6.0", "1", ""),
        coordinate_row("7", "7.0", "8.0", "7", ""),
        coordinate_row("8", "9.0", "10.0", "12", ""),
        coordinate_row("9", "11.0", "12.0", "0", ""),
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(r.report[12 + i], rows[i]);
        EXPECT_EQ(testsupport::chars(r.report[12 + i]), 60);
    }
    EXPECT_EQ(folder.read(CONTROL), "");
}

TEST(Reader, UnitStandardDeviationOfOneHundredthStays) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, "'S'\n5 3 0.01 2\n1 0 1.0 2.0\n-1\n");
    ASSERT_GE(r.report.size(), 8u);
    EXPECT_EQ(r.report[7], "základní směr.odch.jednotková         =   0.0");
}

struct Capacity {
    std::string name;
    std::string input;
    int status;
    std::string last;  // the last screen line
    // Where the run adjusts: the start (number, X, dX, Y) of point 2's row of the results table.
    std::string point2 = "";
};

void PrintTo(const Capacity& c, std::ostream* os) { *os << c.name; }

class Capacities : public testing::TestWithParam<Capacity> {};

TEST_P(Capacities, AcceptedUpToTheLimitAndHaltedBeyondIt) {
    const Capacity& c = GetParam();
    testsupport::DataFolder folder;
    const Result r = run_input(folder, c.input);
    EXPECT_EQ(r.status, c.status);
    ASSERT_FALSE(r.screen.empty());
    EXPECT_EQ(r.screen.back(), c.last);
    if (c.status != 0 && c.last != "KONEC") {
        EXPECT_EQ(find(r.screen, "KONEC"), -1) << "a halt, not the exit block";
    }
    if (!c.point2.empty()) {
        const int table = find(r.report, "       V Y S L E D N É   S O U Ř A D N I C E   A");
        ASSERT_GE(table, 0);
        EXPECT_EQ(r.report[table + 8].substr(0, c.point2.size()), c.point2);
    }
}

const std::string D = "1 2 100.0 1";  // a direction (or a distance) between points 1 and 2

// The two points of points(2) with a datum: point 1 fixed (code 6), point 2 its azimuth point
// (code 2), so that the distance between them, 10 m, fixes the rest.
const std::vector<std::string> FIXED_PAIR = {"1 6 1010000.0 2000000.0", "2 2 1020000.0 2000000.0"};

INSTANTIATE_TEST_SUITE_P(
    Planor, Capacities,
    testing::Values(
        Capacity{"Points30", plane_input(points(30)), 0, "KONEC"},
        Capacity{"Points31", plane_input(points(31)), 1, "Chyba ve vstupu, max. pocet bodu je 30"},
        // Read whole; the adjustment then finds 198 rows (149 angles, 49 distances), more than 172.
        Capacity{"Quantities199", plane_input(points(2), repeated(150, D), repeated(49, D)), 1,
                 "Chyba ve vstupu, mer. delek muze byt max. 172"},
        Capacity{"Quantities200", plane_input(points(2), repeated(150, D), repeated(50, D)), 1,
                 "Chyba ve vstupu, max. pocet mereni je 199"},
        Capacity{"Directions200", plane_input(points(2), repeated(200, D)), 1, "Chyba ve vstupu, max. pocet mereni je 199"},
        // Read whole and adjusted: 70 exact distances of the 10 m between the points leave point 2
        // where it stands.
        Capacity{"Distances70", plane_input(FIXED_PAIR, {}, repeated(70, "1 2 10000.0 1")), 0, "KONEC",
                 "    2     1020000.0     0.0    2000000.0"},
        Capacity{"Distances71", plane_input(points(2), {}, repeated(71, D)), 1, "Chyba ve vstupu, max. pocet delek je 70"}),
    [](const testing::TestParamInfo<Capacity>& info) { return info.param.name; });

TEST(Reader, DatabaseCodeWithoutDatabase) {
    testsupport::DataFolder folder;
    const Result r = run_input(folder, plane_input({"1 0 1.0 2.0", "5 -1 7.0 8.0"}));
    EXPECT_EQ(r.status, 1);
    ASSERT_GE(r.screen.size(), 2u);
    EXPECT_EQ(r.screen[r.screen.size() - 2], "Zadna DATABAZE bodu neni inicializovana ");
    EXPECT_EQ(r.screen.back(), "KONEC");
    EXPECT_EQ(r.report.size(), 10u) << "header and a-priori block only";
}

// The console names the faulty record by NS; the control file echoes the first line of that
// record (a record may run over two lines), or a blank line when the file has none.
TEST(Reader, ReadErrorAndItsEcho) {
    struct Case {
        std::string input;
        int NS;
        std::string echoed;
    };
    const std::string start = "'Chyba'\n5 3 1 2\n";
    for (const Case& c : {Case{start + "1 0 12x5 100\n2 0 1 1\n-1\n", 3, "1 0 12x5 100"},
                          Case{start + "1 0\n 12x5 100\n-1\n", 3, "1 0"},
                          Case{start + "1 0 1 1\n-1\n1 2 x 1\n", 5, "1 2 x 1"},
                          Case{"'Jen nazev'\n", 2, ""}}) {
        testsupport::DataFolder folder;
        const Result r = run_input(folder, c.input);
        EXPECT_EQ(r.status, 1) << c.input;
        ASSERT_GE(r.screen.size(), 2u);
        EXPECT_EQ(r.screen[r.screen.size() - 2], "  chyba ve cteni vstupnich dat na radku c.: " + right(std::to_string(c.NS), 7));
        EXPECT_EQ(r.screen.back(), "KONEC");
        const std::vector<std::string> control = {
            " Chyba ve čtení vstupního souboru na řádku č.:" + right(std::to_string(c.NS), 4),
            left(c.echoed, 40) + "...", ""};
        EXPECT_EQ(r.control, control) << c.input;
    }
}

}  // namespace
}  // namespace planor_e2e
