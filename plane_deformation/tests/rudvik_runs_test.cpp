// Both builds of the plane deformation program run as a user would (in a temporary data folder,
// the answers on standard input): the screen, the report, the control file and the point
// database against the program's layouts, and the ends of a run that its input can cause.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "testsupport/runner.h"

namespace {

using testsupport::blanks;
using testsupport::fixed;
using testsupport::integer;

const std::string TAB = "\t";

struct Result : testsupport::RunLines {
    std::string database;  // the bytes of the database file DB.DB after the run
};

Result run(const char* program, const std::string& input_file, const std::string& answers,
           const std::string& database = "") {
    testsupport::DataFolder folder;
    folder.write("D.TXT", input_file);
    if (!database.empty()) folder.write("DB.DB", database);
    Result r{testsupport::run_lines(program, folder, answers, "R.TXT"), folder.read("DB.DB")};
    return r;
}

Result rudvik(const std::string& input_file, const std::string& answers = "R.TXT\nD.TXT\nn\n",
              const std::string& database = "") {
    return run(RUDVIK_PATH, input_file, answers, database);
}

using testsupport::contains;
using testsupport::find_start;

// The lines of a table from its title on.
std::vector<std::string> from(const std::vector<std::string>& lines, const std::string& title) {
    const int k = find_start(lines, title);
    if (k < 0) return {};
    return std::vector<std::string>(lines.begin() + k, lines.end());
}

// A database of records (number, X, Y), each 32 bytes: int16, three float64, six zero bytes.
struct DbPoint {
    std::int16_t number;
    double x, y;
};
std::string db_bytes(const std::vector<DbPoint>& points) {
    std::string bytes;
    for (const DbPoint& p : points) {
        char record[32] = {};
        const double z = 0.0;
        std::memcpy(record, &p.number, 2);
        std::memcpy(record + 2, &p.x, 8);
        std::memcpy(record + 10, &p.y, 8);
        std::memcpy(record + 18, &z, 8);
        bytes.append(record, 32);
    }
    return bytes;
}
std::vector<DbPoint> db_points(const std::string& bytes) {
    std::vector<DbPoint> points;
    for (std::size_t at = 0; at + 32 <= bytes.size(); at += 32) {
        DbPoint p{};
        std::memcpy(&p.number, bytes.data() + at, 2);
        std::memcpy(&p.x, bytes.data() + at + 2, 8);
        std::memcpy(&p.y, bytes.data() + at + 10, 8);
        points.push_back(p);
    }
    return points;
}

// Three points computed by hand: 1 fixed (code 6), 2 with Y fixed (code 5) 500 m along X, 3
// free 400 m along Y. Directions at 1 to 2 and 3, distances 1-2 and 1-3. Between the epochs
// point 2 moves +3 mm in X (the distance 1-2 grows by 3 mm) and point 3 by (-1, +2) mm: the
// direction to it turns by 1/400002 rad, the distance 1-3 grows by 2 mm. One angle and two
// distances for three free unknowns: r = 0.
const std::string THREE = "'Tri body'\n"
                          "2.0 1.0 1.0 2.0\n"
                          "1 6 1000000.0 1000000.0\n"
                          "2 5 1500000.0 1000000.0\n"
                          "3 0 1000000.0 1400000.0\n"
                          "-1\n"
                          "1 2 100.0 100.0 1\n"
                          "1 3 1000100.0 1000101.5915452 1\n"
                          "-1\n"
                          "1 2 500000.0 500003.0 1\n"
                          "1 3 400000.0 400002.0 1\n"
                          "-1\n";

TEST(RudvikRun, ThreePointsWithoutRedundancyFollowTheLayouts) {
    const Result r = rudvik(THREE);
    ASSERT_EQ(r.status, 0);
    // Direction and distance tables without corrections and statistics; TABs as they are.
    const std::vector<std::string> directions = from(r.report, " S m ě r y");
    ASSERT_GE(directions.size(), 6u);
    EXPECT_EQ(directions[1], " stanovisko cíl       směr(o)     směr(i)   váha");
    EXPECT_EQ(directions[2], TAB + TAB + TAB + " [cc]" + TAB + TAB + "[cc]" + TAB + " ");
    EXPECT_EQ(directions[3], "");
    const std::string row = blanks(3) + integer(1, 5) + integer(2, 5) + blanks(4);
    EXPECT_EQ(directions[4], row + fixed(100.0, 10, 1) + blanks(4) + fixed(100.0, 10, 1) + fixed(1.0, 7, 2));
    EXPECT_EQ(directions[5], blanks(3) + integer(1, 5) + integer(3, 5) + blanks(4) + fixed(1000100.0, 10, 1) +
                                 blanks(4) + fixed(1000101.6, 10, 1) + fixed(1.0, 7, 2));
    const std::vector<std::string> distances = from(r.report, " D é l k y");
    ASSERT_GE(distances.size(), 6u);
    EXPECT_EQ(distances[1], " stanovisko cíl      délka(o)    délka(i)");
    EXPECT_EQ(distances[2], "                        [mm]        [mm] ");
    EXPECT_EQ(distances[4], row + fixed(500000.0, 10, 1) + blanks(4) + fixed(500003.0, 10, 1) + fixed(1.0, 7, 2));
    EXPECT_EQ(distances[6], "");
    EXPECT_EQ(find_start(r.report, " [v] = "), -1);
    EXPECT_EQ(find_start(r.report, " Směrod. odch. jednotková po vyrov."), -1) << "no unit standard deviation at r = 0";

    // Coordinates, displacements and ellipses: MO = MOO = 1, MCH = 2, so QCH = 4. Point 1 fixed:
    // a circle of MCH. Point 2: qx = 1 + 4, qy = 4, 0 gon. Point 3: qx = 2 (400000/RO)^2 + 4,
    // qy = 1 + 4, 100 gon.
    const std::vector<std::string> results = from(r.report, "       V Ý S L E D N É   S O U Ř A D N I C E   A");
    ASSERT_GE(results.size(), 9u);
    EXPECT_EQ(results[1], "       P A R A M E T R Y   E L I P S Y   C H Y B");
    EXPECT_EQ(results[5], "                                                    [mm]      [mm]    [g]");
    EXPECT_EQ(results[6], " " + integer(1, 4) + " " + fixed(1000000.0, 13, 1) + fixed(0.0, 8, 1) + fixed(1000000.0, 13, 1) +
                              fixed(0.0, 8, 1) + fixed(2.0, 9, 2) + fixed(2.0, 9, 2) + blanks(4) + "---");
    EXPECT_EQ(results[7], " " + integer(2, 4) + " " + fixed(1500003.0, 13, 1) + fixed(3.0, 8, 1) + fixed(1000000.0, 13, 1) +
                              fixed(0.0, 8, 1) + fixed(std::sqrt(5.0), 9, 2) + fixed(2.0, 9, 2) + fixed(0.0, 9, 2));
    const double qx3 = 2.0 * std::pow(400000.0 / 636619.772367, 2) + 4.0;
    EXPECT_EQ(results[8], " " + integer(3, 4) + " " + fixed(999999.0, 13, 1) + fixed(-1.0, 8, 1) + fixed(1400002.0, 13, 1) +
                              fixed(2.0, 8, 1) + fixed(std::sqrt(5.0), 9, 2) + fixed(std::sqrt(qx3), 9, 2) +
                              fixed(100.0, 9, 2));
    EXPECT_TRUE(contains(r.report, " Uvažovaná směrod.odch. jednotková   =" + fixed(1.0, 6, 1)));
    const double mean = std::sqrt((4 + 4 + 5 + 4 + qx3 + 5) / 6.0);
    EXPECT_TRUE(contains(r.report, " Průmerná směrod.odch. souřadnicová  =" + fixed(mean, 6, 1) + " [mm]"));

    // Pairs: sigma_d from R scaled by MOO; (1,2): d 3, sigma 1; (1,3): d sqrt 5,
    // sigma^2 = 0.2 qx + 0.8 qy of point 3 without QCH; (2,3): d sqrt 20, sigma^2 = 0.8 (1 + qx) + 0.2.
    const double q3 = qx3 - 4.0;
    const double s13 = std::sqrt(0.2 * q3 + 0.8), s23 = std::sqrt(0.8 * (1.0 + q3) + 0.2);
    const std::vector<std::string> pairs = from(r.report, "  Výpočet vektoru posunu (x,y) a jeho směrod.odchylky");
    ASSERT_GE(pairs.size(), 13u);
    EXPECT_EQ(pairs[1], "  poř.č.    č.b.1  č.b.2  posum  směrodatná odch.");
    auto pair_row = [](long c, int a, int b, double v, double s) {
        return " " + integer(c, 7) + integer(a, 7) + integer(b, 7) + blanks(3) + fixed(v, 7, 2) + fixed(s, 7, 2);
    };
    EXPECT_EQ(pairs[3], pair_row(1, 1, 2, 3.0, 1.0));
    EXPECT_EQ(pairs[4], pair_row(2, 1, 3, std::sqrt(5.0), s13));
    EXPECT_EQ(pairs[5], pair_row(3, 2, 3, std::sqrt(20.0), s23));
    EXPECT_EQ(pairs[7], "  Výpočet normovaného vektoru posunu");
    auto list_row = [](long c, int a, int b, double t) {
        return " " + integer(c, 7) + integer(a, 7) + integer(b, 7) + blanks(3) + fixed(t, 7, 2);
    };
    EXPECT_EQ(pairs[10], list_row(1, 1, 3, std::sqrt(5.0) / s13));
    EXPECT_EQ(pairs[11], list_row(2, 1, 2, 3.0));
    EXPECT_EQ(pairs[12], list_row(3, 2, 3, std::sqrt(20.0) / s23));
    EXPECT_EQ(pairs.size(), 13u) << "no height table";

    // The control file: the first record, two empty ones, no paths; the lists with point numbers
    // and the change alone.
    const std::vector<std::string> control = {
        "  Toto okno slouží ke kontrole dat. ", "", "",
        " Rozdíly mezi úhly vypoč. z měř. směrů a ze souřad.", "", "",
        "     2    1    3        1.59", "", "",
        " Rozdíly mezi délkami vypoč. z měření a ze souřad.", "", "",
        "     1    2        3.00", "     1    3        2.00"};
    EXPECT_EQ(r.control, control);
}

// Two points and one distance: one pair row and one list row.
TEST(RudvikRun, TwoPointsGiveOnePair) {
    const Result r = rudvik("'Dva body'\n1 1 1 1\n1 6 0 0\n2 5 300000 0\n-1\n-1\n1 2 300000 300004 4\n-1\n");
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string> pairs = from(r.report, "  Výpočet vektoru posunu (x,y)");
    ASSERT_EQ(pairs.size(), 9u);
    EXPECT_EQ(pairs[3], " " + integer(1, 7) + integer(1, 7) + integer(2, 7) + blanks(3) + fixed(4.0, 7, 2) + fixed(0.5, 7, 2));
    EXPECT_EQ(pairs[8], " " + integer(1, 7) + integer(1, 7) + integer(2, 7) + blanks(3) + fixed(8.0, 7, 2));
    EXPECT_TRUE(contains(r.screen, "Tisk směru ")) << "also without directions";
    EXPECT_EQ(find_start(r.report, " S m ě r y"), -1);
}

// The example network (examples/PLANEDEF.TXT) has redundancy: the headings with corrections, TABs at their places, and
// the statistics with the program's labels.
TEST(RudvikRun, TablesWithCorrections) {
    // Its point 3 comes from the example point database.
    testsupport::DataFolder examples;
    const Result r = rudvik(examples.read(std::string(EXAMPLES_DIR) + "/PLANEDEF.TXT"), "R.TXT\nD.TXT\nDB.DB\n",
                            examples.read(std::string(EXAMPLES_DIR) + "/PLANEDEF.DB"));
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string> directions = from(r.report, " S m ě r y");
    ASSERT_GE(directions.size(), 3u);
    EXPECT_EQ(directions[1], " stanovisko cíl       směr(o)     směr(i)   " + TAB + "váha" + TAB + "   oprava");
    EXPECT_EQ(directions[2], TAB + TAB + TAB + "  [cc]" + TAB + "       [cc]");
    EXPECT_EQ(testsupport::chars(directions[4]), 58) << "station, target, two epochs, weight, correction";
    EXPECT_NE(find_start(r.report, " Směr.odch.roz.směru = "), -1);
    EXPECT_NE(find_start(r.report, " Pro všechny směry:"), -1);
    const std::vector<std::string> distances = from(r.report, " D é l k y");
    EXPECT_EQ(distances[1], " stanovisko cíl      délka(o)    déka(i)    váha      oprava   rozdíl");
    EXPECT_EQ(distances[2], "                       [mm]       [mm]              [mm]     [mm]");
    EXPECT_EQ(testsupport::chars(distances[4]), 68);
    EXPECT_NE(find_start(r.report, " Směrod.odch.roz.délky = "), -1);
    EXPECT_NE(find_start(r.report, " Směrod. odch. jednotková po vyrov.= "), -1);
    EXPECT_EQ(find_start(r.screen, " Směrod. odch. jednotková"), -1) << "the report only";
    EXPECT_EQ(find_start(r.screen, "Pocet"), -1);
    EXPECT_EQ(find_start(r.report, "       V Ý S L E D N É") + 6, find_start(r.report, "    1 ")) << "no empty record after the heading";
}

// One free unknown (dX of point 2) from two distances 1-2 that changed by 0 and 10 mm: dX = 5,
// v = A.H - L = +5 and -5, [pvv] = 50, r = 2 - 4 + 3 = 1, MO = sqrt(50) = 7.07 above the upper
// bound (1 + 2/1).MOO = 3: the warning, and MO stays in use. The second weight, written as 0,
// is read as 1.
TEST(RudvikRun, RejectedUnitStandardDeviation) {
    const Result r = rudvik("'T'\n1 1 1 1\n1 6 0 0\n2 5 500000 0\n-1\n-1\n"
                            "1 2 500000 500000 1\n1 2 500000 500010 0\n-1\n");
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string> distances = from(r.report, " D é l k y");
    ASSERT_GE(distances.size(), 10u);
    EXPECT_EQ(distances[1], " stanovisko cíl      délka(o)    déka(i)    váha      oprava   rozdíl");
    const std::string row = blanks(3) + integer(1, 5) + integer(2, 5) + blanks(4) + fixed(500000.0, 10, 1) + blanks(4);
    EXPECT_EQ(distances[4], row + fixed(500000.0, 10, 1) + fixed(1.0, 7, 2) + blanks(3) + fixed(5.0, 7, 1) + blanks(3) + fixed(0.0, 7, 1));
    EXPECT_EQ(distances[5], row + fixed(500010.0, 10, 1) + fixed(1.0, 7, 2) + blanks(3) + fixed(-5.0, 7, 1) + blanks(3) + fixed(10.0, 7, 1));
    EXPECT_EQ(distances[6], "");
    EXPECT_NE(find_start(distances, " [v] = " + fixed(0.0, 6, 1)), -1);
    bool sigma = false;
    for (const std::string& line : distances)
        sigma = sigma || line.find(" Směrod.odch.roz.délky = " + fixed(std::sqrt(50.0), 6, 1) + " [mm]") != std::string::npos;
    EXPECT_TRUE(sigma);
    const int k = find_start(r.report, " Směrod. odch. jednotková po vyrov.= ");
    ASSERT_GE(k, 0);
    EXPECT_EQ(r.report[k], " Směrod. odch. jednotková po vyrov.= " + fixed(std::sqrt(50.0), 6, 1));
    EXPECT_TRUE(contains(r.report, " !!! Měření neodpovídá základní směrod. odch. !!!"));
    EXPECT_EQ(find_start(r.screen, " !!! Měření"), -1) << "the report only";
    EXPECT_TRUE(contains(r.report, " Uvažovaná směrod.odch. jednotková   =" + fixed(std::sqrt(50.0), 6, 1)));
    EXPECT_NE(find_start(r.report, "    2      500005.0     5.0"), -1);
}

// The frame of both builds: banner, prompts without folder or example, the refusals with the
// first 24 characters of the full name, the end messages, the report header.
TEST(RudvikRun, BannerDialogueAndEndOfBothBuilds) {
    for (const auto& [program, folder] : {std::pair{RUDVIK_PATH, std::string("C:\\TEST\\IG\\")},
                                          std::pair{RUDVIK_H_PATH, std::string("H:\\TEST\\IG\\")}}) {
        testsupport::DataFolder data;
        data.write("D.TXT", THREE);
        data.write("OLD.TXT", "keep");
        const testsupport::Outcome o = testsupport::run(program, data, "OLD.TXT\nR.TXT\nNONE.TXT\nD.TXT\nn\n");
        const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
        EXPECT_EQ(o.status, 0);
        ASSERT_GE(screen.size(), 33u);
        for (int k = 0; k < 25; ++k) EXPECT_EQ(screen[k], "") << k;
        EXPECT_EQ(screen[25], "Program pro výpočet deformací v rovině        ");
        EXPECT_EQ(screen[26].substr(0, 50), "18/5/1999  ver. 1.21" + blanks(30));
        EXPECT_EQ(screen[26].substr(50, 7), "Datum: ");
        EXPECT_EQ(testsupport::chars(screen[26]), 67);
        EXPECT_EQ(screen[27].substr(0, 50), "T E R V A L" + blanks(9) + blanks(30));
        EXPECT_EQ(testsupport::columns(screen[27], 51, 7), "Čas:   ");
        EXPECT_EQ(testsupport::chars(screen[27]), 65);
        EXPECT_EQ(screen[28], "Soubory je nutné uložit do " + folder + "... ");
        EXPECT_EQ(screen[29] + screen[30] + screen[31], "");
        EXPECT_EQ(screen[32], "Jméno výstupního souboru (pro tisk) ");
        EXPECT_EQ(screen[33], (folder + "OLD.TXT" + blanks(20)).substr(0, 24) + " - tento soubor již existuje");
        EXPECT_EQ(screen[34], "Jméno výstupního souboru (pro tisk) ");
        EXPECT_EQ(screen[35], "Jméno vstupního souboru (souřadnice,směry,délky) ");
        EXPECT_EQ(screen[36], (folder + "NONE.TXT" + blanks(20)).substr(0, 24) + " - tento soubor neexistuje");
        EXPECT_EQ(screen[38], "Jméno databáze (souboru bodů), bez databáze = n");
        EXPECT_EQ(data.read("OLD.TXT"), "keep");
        const std::size_t n = screen.size();
        EXPECT_EQ(screen[n - 3], "Výsledky výpočtu jsou v souboru :  R.TXT       ");
        EXPECT_EQ(screen[n - 2], "Tisk na tiskárnu se provede : TYPE R.TXT        > LPT1");
        EXPECT_EQ(screen[n - 1], "KONEC");
        EXPECT_NE(o.screen.find("Tisk souřadnic "), std::string::npos) << "overwritten by the progress line";
        EXPECT_TRUE(contains(screen, "Tisk délek "));
        EXPECT_TRUE(contains(screen, "Tisk výsledných souřadnic"));
        const std::vector<std::string> report = data.lines_cp1250("R.TXT");
        ASSERT_GE(report.size(), 10u);
        EXPECT_EQ(report[0].substr(0, 42), "TERVAL         SELMOR ver.2.01     Datum: ");
        EXPECT_EQ(testsupport::columns(report[0], 53, 8), "   čas: ");
        EXPECT_EQ(report[3], "Akce: Tri body" + blanks(72));
        EXPECT_EQ(report[5], "základní směrod. odch. rozdílu směru [cc]  =   2.0");
        EXPECT_EQ(report[6], "základní směrod. odch. rozdílu délky [mm]  =   1.0");
        EXPECT_EQ(report[7], "základní směrod. odch. jednotková          =   1.0");
        EXPECT_EQ(report[8], "základní směrod. odch. souřadnicová   [mm] =   2.0");
        EXPECT_EQ(report[10], " S o u ř a d n i c e");
        EXPECT_EQ(report[11], " číslo bodu        X              Y         kód   podmínky umístění");
    }
}

// The progress line counts the solutions 1 and 2, and the overprint ends it.
TEST(RudvikRun, ProgressLine) {
    testsupport::DataFolder data;
    data.write("D.TXT", THREE);
    const testsupport::Outcome o = testsupport::run(RUDVIK_PATH, data, "R.TXT\nD.TXT\nn\n");
    const std::string p1 = blanks(35) + " počítám " + integer(1, 4), p2 = blanks(35) + " počítám " + integer(2, 4);
    const std::size_t a = o.screen.find(p1), b = o.screen.find(p2), c = o.screen.find(" Již jsem dopočítal, pokračuje tisk a dialog");
    ASSERT_NE(a, std::string::npos);
    ASSERT_NE(b, std::string::npos);
    ASSERT_NE(c, std::string::npos);
    EXPECT_LT(a, b);
    EXPECT_LT(b, c);
    EXPECT_EQ(o.screen.find(" počítám    3"), std::string::npos);
}

// A faulty direction record (line 8): the three console lines in both builds; the main build
// echoes the next line to the control file, the second build writes nothing there.
TEST(RudvikRun, ReadErrorOfBothBuilds) {
    std::string input = THREE;
    input.replace(input.find("1 3 1000100.0"), 3, "1 x");
    for (const char* program : {RUDVIK_PATH, RUDVIK_H_PATH}) {
        const Result r = run(program, input, "R.TXT\nD.TXT\nn\n");
        EXPECT_EQ(r.status, 1);
        const int k = find_start(r.screen, "  chyba ve čtení vstupnich dat na řadku č.: ");
        ASSERT_GE(k, 0);
        EXPECT_EQ(r.screen[k].substr(r.screen[k].size() - 1), "8");
        EXPECT_EQ(r.screen[k + 1], "  soubor nesmí být pořízen editorem T602 ");
        EXPECT_EQ(r.screen[k + 2], "  dále odstraňte TAB mezery  ");
        EXPECT_EQ(r.screen[k + 3], "KONEC");
        if (program == std::string(RUDVIK_PATH))
            EXPECT_EQ(r.control, (std::vector<std::string>{"  Toto okno slouží ke kontrole dat. ", "", "",
                                                            " Chyba ve čtení vstupního souboru na řádku č.:   8",
                                                            "-1" + blanks(38)}));
        else
            EXPECT_EQ(r.control, (std::vector<std::string>{"  Toto okno slouží ke kontrole dat. ", "", ""}));
    }
    // No line after the faulty record: a blank echo.
    const Result last = rudvik("'T'\n1 1 1 1\n1 0 x");
    EXPECT_EQ(last.control.back(), blanks(40));
}

// A file of n points on a grid (points only, or with the given sections appended); point 1
// fixed (code 6) and point 2 with its Y fixed (code 5), the others free.
std::string grid(int n, const std::string& sections = "") {
    std::string text = "'Sit'\n1 1 1 1\n";
    for (int k = 1; k <= n; ++k)
        text += std::to_string(k) + (k == 1 ? " 6 " : k == 2 ? " 5 " : " 0 ") + std::to_string(1000000 + 100000 * (k % 6)) + " " +
                std::to_string(2000000 + 130000 * (k / 6)) + "\n";
    return text + "-1\n" + sections;
}

// The capacities: 30 points, 198 measured quantities (in either section), 180 distances; one
// more halts the run.
TEST(RudvikRun, Capacities) {
    EXPECT_TRUE(contains(rudvik(grid(30)).screen, "KONEC"));
    const Result p31 = rudvik(grid(31));
    EXPECT_EQ(p31.screen.back(), "Chyba ve vstupu, max. počet bodů je 30");
    auto distances = [](int n) {
        std::string text = "-1\n";
        int c = 0;
        for (int a = 1; a <= 30 && c < n; ++a)
            for (int b = a + 1; b <= 30 && c < n; ++b, ++c) text += std::to_string(a) + " " + std::to_string(b) + " 100000 100001 1\n";
        return text + "-1\n";
    };
    const Result d180 = rudvik(grid(30, distances(180)));
    EXPECT_EQ(d180.screen.back(), "Chyba ve vstupu, měř. délek může být max. 172") << "180 distances are read";
    const Result d181 = rudvik(grid(30, distances(181)));
    EXPECT_EQ(d181.screen.back(), "Chyba ve vstupu, max. počet délek je 180");
    // 198 quantities: 26 stations with one direction each and 172 distances (172 rows).
    std::string directions;
    for (int s = 1; s <= 26; ++s) directions += std::to_string(s) + " " + std::to_string(s + 1) + " 0 0 1\n";
    const Result q198 = rudvik(grid(30, directions + distances(172)));
    EXPECT_EQ(q198.screen.back(), "KONEC");
    EXPECT_EQ(find_start(q198.screen, "Chyba ve vstupu"), -1);
    const Result q199 = rudvik(grid(30, directions + "27 28 0 0 1\n" + distances(172)));
    EXPECT_EQ(q199.screen.back(), "Chyba ve vstupu, max. počet měření je 198");
    // The same halt when the 199th quantity is a direction.
    std::string many;
    for (int k = 0; k < 199; ++k) many += k % 2 == 0 ? "1 2 0 0 1\n" : "1 3 0 0 1\n";
    EXPECT_EQ(rudvik(grid(30, many + "-1\n-1\n")).screen.back(), "Chyba ve vstupu, max. počet měření je 198");
}

// Code -1 is read with its coordinates and kept out of the database; code -2 needs a database.
TEST(RudvikRun, DatabaseCodes) {
    // Without a database: point 3 (code -1) is read with its coordinates, point 2 (code -2) ends
    // the run.
    const std::string with_minus_two = "'T'\n1 1 1 1\n1 6 0 0\n3 -1 0 400000\n2 -2\n-1\n-1\n1 2 500000 500003 1\n-1\n";
    const Result none = rudvik(with_minus_two);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.screen[find_start(none.screen, "Žádná DATABAZE bodu není inicializována ") - 1], "Jméno databáze (souboru bodů), bez databáze = n");
    EXPECT_EQ(none.screen.back(), "KONEC");

    // With a database holding point 2: the run takes it from there and stores the points of
    // code 0 and more with their resulting coordinates: 1 (fixed) and 4; neither 2 (code -2)
    // nor 3 (code -1). Point 4 moves 2 mm away from point 1.
    const std::string db = db_bytes({{2, 500000.0, 0.0}});
    const std::string input = "'T'\n1 1 1 1\n1 6 0 0\n2 -2\n3 -1 0 400000\n4 0 300000 300000\n-1\n"
                              "1 2 0 0 1\n1 3 1000000 1000000 1\n1 4 500000 500000 1\n-1\n"
                              "1 2 500000 500003 1\n1 3 400000 400000 1\n1 4 424264.068712 424266.068712 1\n-1\n";
    const Result with = rudvik(input, "R.TXT\nD.TXT\nDB.DB\n", db);
    EXPECT_EQ(with.screen.back(), "KONEC");
    const std::vector<DbPoint> stored = db_points(with.database);
    ASSERT_EQ(stored.size(), 3u);
    EXPECT_EQ(stored[0].number, 1);
    EXPECT_EQ(stored[0].x, 0.0);
    EXPECT_EQ(stored[0].y, 0.0);
    EXPECT_EQ(stored[1].number, 2);
    EXPECT_EQ(stored[1].x, 500000.0);
    EXPECT_EQ(stored[2].number, 4);
    // Point 4 moved 2 mm away from point 1: its resulting coordinates, not those of epoch (o).
    EXPECT_NEAR(stored[2].x, 300000.0 + std::sqrt(2.0), 0.01);
    EXPECT_NEAR(stored[2].y, 300000.0 + std::sqrt(2.0), 0.01);
    // Point 2 from the database moved by 3 mm along its ray: its resulting X in the report.
    EXPECT_NE(find_start(with.report, "    2      500003.0     3.0"), -1);

    // A point not in the database: the lookup's message, then the exit block leaves the
    // database as it was (point 1, read before, is not stored), says so and ends as failed.
    const Result missing = rudvik("'T'\n1 1 1 1\n1 0 7 8\n5 -2\n-1\n", "R.TXT\nD.TXT\nDB.DB\n", db);
    EXPECT_EQ(missing.status, 1);
    const int line = find_start(missing.screen, " Hledany bod neni v databazi");
    ASSERT_GE(line, 0);
    EXPECT_EQ(missing.screen[line + 1], "Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny");
    EXPECT_EQ(missing.screen.back(), "KONEC");
    EXPECT_EQ(missing.database, db);
}

// A failed solution is no completed adjustment: the exit block stores nothing, not even the
// epoch-(o) coordinates, and says so. Point 4 takes part in no observation, so its columns of the
// normal matrix are zero.
TEST(RudvikRun, SingularSolutionLeavesTheDatabaseUnchanged) {
    std::string input = THREE;
    input.replace(input.find("-1\n1 2 100.0"), 2, "4 0 700000 900000\n-1");
    input.replace(input.rfind("-1\n"), 3, "2 3 640312.4 640313.4 1\n2 3 640312.4 640313.4 1\n-1\n");
    const std::string known = db_bytes({{50, 1.0, 2.0}});
    const Result r = rudvik(input, "R.TXT\nD.TXT\nDB.DB\n", known);
    EXPECT_EQ(r.status, 1);
    const int k = find_start(r.screen, "Zadání je singulární");
    ASSERT_GE(k, 0);
    EXPECT_EQ(r.screen[k + 1], " zřejmě špatně zadané podmínky na umístění sítě,");
    EXPECT_EQ(r.screen[k + 2], " nejprve ale proveďte kontrolu vstupních veličin");
    ASSERT_GE(r.screen.size(), 2u);
    EXPECT_EQ(r.screen[r.screen.size() - 2], "Vyrovnani neni dokonceno, databaze bodu zustava beze zmeny");
    EXPECT_EQ(r.screen.back(), "KONEC");
    EXPECT_EQ(r.database, known);
}

// A code-6 point listed before the only Helmert point shares the Helmert rows: the shifts rows
// hold the sums of both points' components, and the rotation row, about the origin of the
// coordinates, is orthogonal here to the line between them. The datum is still fixed (point 1 by
// its removed components, then point 2 by the shift rows), so the run is no under-determined
// network: points 1 and 2 stay, and 3 and 4 return their displacements (2, -1) and (-1.5, 2.5) mm,
// from which the observations were computed.
TEST(RudvikRun, ConditionsSharingTheHelmertRowsStillFixTheDatum) {
    const Result r = rudvik("'T'\n2.0 1.0 1.0 2.0\n"
                            "1 6 1000000.0 500000.0\n2 3 1000000.0 0.0\n3 0 1300000.0 200000.0\n4 0 700000.0 250000.0\n-1\n"
                            "1 2 3000000.0 3000000.0 1\n1 3 3500000.0 3500001.0610 1\n1 4 2442284.1232 2442279.4269 1\n"
                            "2 1 1000000.0 1000000.0 1\n2 3 374334.0836 374330.6557 1\n2 4 1557715.8768 1557714.3113 1\n"
                            "3 1 1500000.0 1500001.0610 1\n3 2 2374334.0836 2374330.6557 1\n3 4 1947070.6479 1947067.2672 1\n"
                            "4 1 442284.1232 442279.4269 1\n4 2 3557715.8768 3557714.3113 1\n4 3 3947070.6479 3947067.2672 1\n-1\n"
                            "1 3 424264.0687 424266.1900 1\n2 4 390512.4838 390515.2366 1\n3 4 602079.7289 602083.5075 1\n"
                            "1 4 390512.4838 390512.0357 1\n-1\n");
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string> results = from(r.report, "       V Ý S L E D N É   S O U Ř A D N I C E   A");
    ASSERT_GE(results.size(), 10u);
    EXPECT_EQ(results[6].substr(0, 48), " " + integer(1, 4) + " " + fixed(1000000.0, 13, 1) + fixed(0.0, 8, 1) +
                                            fixed(500000.0, 13, 1) + fixed(0.0, 8, 1));
    EXPECT_EQ(results[8].substr(0, 48), " " + integer(3, 4) + " " + fixed(1300002.0, 13, 1) + fixed(2.0, 8, 1) +
                                            fixed(199999.0, 13, 1) + fixed(-1.0, 8, 1));
    EXPECT_EQ(results[9].substr(0, 48), " " + integer(4, 4) + " " + fixed(699998.5, 13, 1) + fixed(-1.5, 8, 1) +
                                            fixed(250002.5, 13, 1) + fixed(2.5, 8, 1));
}

// The failures of the adjustment as a user meets them.
TEST(RudvikRun, AdjustmentFailures) {
    struct Case {
        const char* what;
        std::string input;
        std::vector<std::string> screen;  // lines in this order, the last one the last on the screen
    };
    const Case cases[] = {
        {"station not in the point list", "'T'\n1 1 1 1\n1 6 0 0\n2 5 500000 0\n-1\n-1\n1 9 1 2 1\n-1\n",
         {"Čislo stanoviska nebo cíle neexistuje v seznamu", "souřadnic",
          "Proveďte opravu dat, vymažte vystupni soubor - R.TXT       ", "a znovu proveďte výpočet", "KONEC"}},
        {"two points with the same coordinates", "'T'\n1 1 1 1\n1 6 0 0\n2 5 0 0\n-1\n-1\n1 2 1 2 1\n-1\n",
         {" Chyba - Jsou zadány stejné souřadnice pro dva body", "Stop - Program terminated."}},
        {"no code-6 point", "'T'\n1 1 1 1\n1 0 0 0\n2 2 500000 0\n-1\n-1\n1 2 500000 500001 1\n-1\n",
         {"*** Chyba v zadání: Chybí bod s čislem kódu 6 ***", "KONEC"}},
        {"under-determined", "'T'\n1 1 1 1\n1 0 0 0\n2 0 500000 0\n-1\n-1\n1 2 500000 500001 1\n-1\n",
         {" dim G() < 3, tj IR<3 ", " Chyba - úloha je nedostatečně určena", "         tj. malý počet podmínek umístění sítě",
          "         nebo nedostatečné zaměření sítě", "Stop - Program terminated."}},
    };
    // Enough rows for the unknowns and conditions, yet the conditions leave a motion of the whole
    // network free: no fixed or Helmert point at all, the scale of a network without distances,
    // the rotation about a single Helmert point. The solution would be noise; the run halts.
    const std::string four_points = "1 0 0\n2 500000 0\n3 0 400000\n4 300000 300000\n-1\n";
    const std::string angles = "1 2 0 0 1\n1 3 1000000 1000000 1\n1 4 500000 500000 1\n"
                               "2 1 0 0 1\n2 3 700000 700000 1\n2 4 900000 900000 1\n"
                               "3 1 0 0 1\n3 2 600000 600000 1\n3 4 1100000 1100000 1\n-1\n";
    const std::string lengths = "1 2 500000 500001 1\n1 3 400000 400001 1\n2 3 640312.4 640313 1\n"
                                "1 4 424264.1 424265 1\n-1\n";
    auto with_codes = [&](const char* codes, const std::string& distances) {
        std::string points;
        std::size_t at = 0;
        for (const char* c = codes; *c != 0; ++c) {
            const std::size_t end = four_points.find('\n', at);
            const std::string record = four_points.substr(at, end - at);
            const std::size_t blank = record.find(' ');
            points += record.substr(0, blank) + " " + (*c == 'm' ? std::string("-1") : std::string(1, *c)) +
                      record.substr(blank) + "\n";
            at = end + 1;
        }
        return "'T'\n1 1 1 1\n" + points + "-1\n" + angles + distances;
    };
    const std::vector<std::string> underdetermined = {" Chyba - úloha je nedostatečně určena",
                                                      "         tj. malý počet podmínek umístění sítě",
                                                      "         nebo nedostatečné zaměření sítě",
                                                      "Stop - Program terminated."};
    std::vector<std::string> no_conditions = {" dim G() < 3, tj IR<3 "};
    no_conditions.insert(no_conditions.end(), underdetermined.begin(), underdetermined.end());
    const Case datum_cases[] = {
        {"no condition at all", with_codes("0m10", lengths), no_conditions},
        {"scale free without distances", with_codes("6200", "-1\n"), underdetermined},
        {"rotation about a single Helmert point", with_codes("3000", lengths), underdetermined},
    };
    // 175 directions of one station: 174 angle rows, two beyond the 172 rows, each with its
    // pause; the halt after the distance rows.
    std::string directions;
    for (int k = 0; k < 175; ++k) directions += k % 2 == 0 ? "1 2 0 0 1\n" : "1 3 1000000 1000000 1\n";
    const Case rows = {"more than 172 rows", "'T'\n1 1 1 1\n1 6 0 0\n2 2 500000 0\n3 0 0 500000\n-1\n" + directions + "-1\n",
                       {" NM > JM ", " NM > JM ", "Chyba ve vstupu, měř. délek může být max. 172"}};
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back(rows);
    all.insert(all.end(), std::begin(datum_cases), std::end(datum_cases));
    for (const Case& c : all) {
        const Result r = rudvik(c.input);
        std::size_t at = 0;
        for (const std::string& line : c.screen) {
            const auto it = std::find(r.screen.begin() + static_cast<long>(at), r.screen.end(), line);
            ASSERT_NE(it, r.screen.end()) << c.what << ": " << line;
            at = static_cast<std::size_t>(it - r.screen.begin()) + 1;
        }
        EXPECT_EQ(at, r.screen.size()) << c.what;
    }
}

}  // namespace
