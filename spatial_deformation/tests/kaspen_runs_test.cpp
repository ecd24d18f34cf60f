// The deformation program run as a user would (in a temporary data folder, the answers on
// standard input): the screen, the report and the control file against the program's layouts,
// and the ends of a run that its input can cause.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "testsupport/runner.h"
#include "two_epoch_network.h"

namespace {

using namespace deformation_truth;

using testsupport::blanks;
using testsupport::fixed;
using testsupport::integer;

using Result = testsupport::RunLines;

Result run_kaspen(const std::string& input_file, const std::string& answers = "R.TXT\nD.TXT\n") {
    testsupport::DataFolder folder;
    folder.write("D.TXT", input_file);
    return testsupport::run_lines(KASPEN_PATH, folder, answers, "R.TXT");
}

using testsupport::contains;
using testsupport::find_start;

// Six points, point 1 fixed (code 7), point 2 the azimuth point (code 2): every point sights the
// others, a zenith angle and a distance per pair; points 3 to 6 move by a few millimetres.
TwoEpochFile fixed_network() {
    std::vector<Point> p = {
        {1, 7, 970000.0, 1950000.0, 300000.0},  {2, 2, 1350000.0, 2120000.0, 310500.0},
        {3, 0, 1250000.0, 2450000.0, 305200.0, 4.0, -2.5, 1.0}, {4, 0, 930000.0, 2390000.0, 298400.0, -3.0, 5.0, -2.0},
        {5, 0, 760000.0, 2050000.0, 301800.0, 2.2, 1.7, 4.1},  {6, 0, 1080000.0, 1720000.0, 296200.0, -1.4, -3.3, -2.6},
    };
    const Plan plan = full_plan(p, true);
    std::vector<double> orientation;
    for (std::size_t g = 0; g < plan.groups.size(); ++g) orientation.push_back(700000.0 * (g + 1));
    TwoEpochFile f = observe(p, plan, orientation);
    f.UU = 1.0;
    f.UD = 0.7;
    f.UZ = 1.5;
    f.MOO = 2.0;
    f.MCH = 0.5;
    // A noise-like change of a few tenths, so that the corrections are not all zero.
    const double wobble[] = {0.3, -0.5, 0.2, 0.4, -0.1};
    for (std::size_t k = 0; k < f.directions.size(); ++k) f.directions[k].i += wobble[k % 5];
    return f;
}

TEST(KaspenRun, BannerDialogueAndEnd) {
    const Result r = run_kaspen(file_text(fixed_network()));
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string>& s = r.screen;
    // Screen lines show the records without their carriage-control blank.
    const int time = find_start(s, "*" + blanks(53) + "Čas: ");
    ASSERT_GE(time, 6);
    EXPECT_EQ(s[time - 1].substr(0, 23 + 29), "*  5/11/2000  ver. 1.03" + blanks(29));
    EXPECT_EQ(s[time + 1], "* !!! Datový soubor Dxx.TXT je nutné umístit do H:\\TEST\\IG\\" + blanks(11) + "*");
    EXPECT_EQ(s[time + 2], "* Chybový soubor F:\\ERR$$$.TXT               " + blanks(25) + "*");
    EXPECT_EQ(s[time - 5], "* Program pro analýzu deformací v E-3        " + blanks(25) + "*");
    EXPECT_EQ(s[time - 4], "* v místní souřadnicové soustavě             " + blanks(25) + "*");
    EXPECT_EQ(s[time - 3], "* 20 bodů, 99 měřených veličin               " + blanks(25) + "*");
    EXPECT_EQ(s[time - 2], "* měřené veličiny: směry, zenitové úhly, šikmé délky" + blanks(18) + "*");
    // The frame line (36 times "* ") above and below, and four empty lines after it.
    std::string frame;
    for (int k = 0; k < 36; ++k) frame += "* ";
    const auto trimmed = [](std::string l) { return l.erase(l.find_last_not_of(' ') + 1); };
    EXPECT_EQ(trimmed(s[time - 6]), trimmed(frame));
    EXPECT_EQ(trimmed(s[time + 3]), trimmed(frame));
    for (int k = 4; k <= 7; ++k) EXPECT_EQ(s[time + k], "") << k;
    for (const char* line : {"Jméno výstupního souboru (pro tisk výsledku) ", "ve tvaru  DDxxyyzz.TXT",
                             "Jméno vstupního souboru (souřadnice,směry,délky) ", "ve tvaru  Dxxyyzzz.TXT"})
        EXPECT_TRUE(contains(s, line)) << line;
    // 30 directions at 6 stations, 15 zenith angles, 15 distances: 24 + 15 + 15 = 54 rows,
    // 18 unknowns, 4 condition rows: r = 40.
    EXPECT_TRUE(contains(s, "Pocet nadbytec. mereni =      40"));
    EXPECT_TRUE(contains(s, "Výsledky výpočtu jsou v souboru :  F:\\R.TXT" + blanks(18)));
    EXPECT_EQ(s.back(), "KONEC");
}

TEST(KaspenRun, ControlFileWithIndexesAndTwoValues) {
    TwoEpochFile f = fixed_network();
    // The points in another order of numbers, so that numbers and list positions differ.
    const std::int16_t renumber[] = {0, 11, 12, 13, 14, 15, 16};
    for (Point& p : f.points) p.number = renumber[p.number];
    for (auto* section : {&f.directions, &f.zenith_angles, &f.slope_distances})
        for (Measured& m : *section) {
            m.station = renumber[m.station];
            m.target = renumber[m.target];
        }
    const Result r = run_kaspen(file_text(f));
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string>& c = r.control;
    ASSERT_GE(c.size(), 4u);
    EXPECT_EQ(c[0], "  Toto okno slouží ke kontrole dat. ");
    EXPECT_EQ(c[1], "");
    EXPECT_EQ(c[2], "");
    // No record with the paths: the angle heading follows at once.
    EXPECT_EQ(c[3], " Rozdíly mezi úhly vypoč. z měř. směrů a ze souřad.");
    // The first angle 12-11-13 (positions 2, 1, 3): its change between the epochs and its epoch-(o)
    // misclosure (the observations are exact, so 0.00 up to rounding).
    const double change = (f.directions[1].i - f.directions[0].i) - (f.directions[1].o - f.directions[0].o);
    EXPECT_EQ(c[6].substr(0, 28), " " + integer(2, 5) + integer(1, 5) + integer(3, 5) + fixed(change, 12, 2));
    EXPECT_EQ(std::stod(c[6].substr(28)), 0.0);
    EXPECT_EQ(c[6].size(), 40u);
    const int d = find_start(c, " Rozdíly mezi délkami");
    ASSERT_GT(d, 2);
    EXPECT_EQ(c[d - 1], "");
    EXPECT_EQ(c[d - 2], "");
    // The first distance 11-12 (positions 1, 2).
    const Measured& m = f.slope_distances[0];
    EXPECT_EQ(c[d + 3].substr(0, 23), " " + integer(1, 5) + integer(2, 5) + fixed(m.i - m.o, 12, 2));
    EXPECT_EQ(c[d + 3].size(), 35u);
    const int z = find_start(c, " Rozdíly mezi zenit.délkami z měř. hodnot a ze souřad.");
    ASSERT_GT(z, d);
    EXPECT_EQ(c[z + 3].substr(0, 11), " " + integer(1, 5) + integer(2, 5));
}

TEST(KaspenRun, ReportTablesAtTheirColumns) {
    const TwoEpochFile f = fixed_network();
    const Result r = run_kaspen(file_text(f));
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string>& t = r.report;
    EXPECT_EQ(t[0].substr(0, 46), " TERVAL      Deformace v Ostrel v.1.02 Datum: ");
    const int a = find_start(t, " Akce: ");
    ASSERT_GE(a, 0);
    EXPECT_EQ(t[a + 2], " směrodatná odchylka rozdílu směru    [cc] =   1.0");
    EXPECT_EQ(t[a + 3], " směrodatná odchylka rozdílu délky    [mm] =   0.7");
    EXPECT_EQ(t[a + 4], " směrodatná odchylka rozdílu zen.úhlu [cc] =   1.5");
    EXPECT_EQ(t[a + 5], " směrodatná odchylka jednotková        =   2.0");
    EXPECT_EQ(t[a + 6], " směrodatná odchylka souřadnicová [mm] =   0.5");
    const int k = find_start(t, " S o u ř a d n i c e");
    ASSERT_GE(k, 0);
    EXPECT_EQ(t[k + 1], " Číslo bodu" + blanks(8) + "X" + blanks(14) + "Y" + blanks(12) + "Z" + blanks(7) + "kód" +
                            "  podmínky umístění");
    EXPECT_EQ(t[k + 2], "   " + integer(1, 5) + blanks(4) + fixed(970000.0, 12, 1) + blanks(3) + fixed(1950000.0, 12, 1) +
                            fixed(300000.0, 12, 1) + blanks(3) + integer(7, 4) + blanks(4) + "dx=0,dy=0,dz=0");
    // Directions: both epochs, weight, correction and the difference value(o) - value(i).
    const int dir = find_start(t, " S m ě r y");
    ASSERT_GE(dir, 0);
    EXPECT_EQ(t[dir + 1], " stanovisko cíl       směr(o)       směr(i)    váha   oprava    rozdíl");
    EXPECT_EQ(t[dir + 2], blanks(14) + "        [cc]          [cc]               [cc]");
    EXPECT_EQ(t[dir + 3], "");
    const std::string& row = t[dir + 4];
    const Measured& m = f.directions[0];
    EXPECT_EQ(testsupport::columns(row, 1, 42),
              "   " + integer(1, 5) + integer(2, 5) + blanks(4) + fixed(m.o, 10, 1) + blanks(5) + fixed(m.i, 10, 1));
    EXPECT_EQ(testsupport::columns(row, 43, 9), fixed(1.0, 9, 1));
    EXPECT_EQ(testsupport::columns(row, 61, 9), fixed(m.o - m.i, 9, 1));
    EXPECT_EQ(testsupport::chars(row), 69);
    // Group statistics with this program's label and unit.
    const int sigma = find_start(t, " Směrod. odch. roz. směru = ");
    ASSERT_GE(sigma, 0);
    EXPECT_EQ(testsupport::columns(t[sigma], 35, 10), " [cc] ");
    EXPECT_GE(find_start(t, " Pro všechny směry : "), 0);
    // The zenith angles and the distances each get their overall statistic, label, F6.1, unit.
    const int zs = find_start(t, " Směr.odch. roz. zenit.úhlu = ");
    const int ds = find_start(t, " Směrod. odch. roz. délky = ");
    ASSERT_GE(zs, 0);
    ASSERT_GE(ds, 0);
    EXPECT_EQ(testsupport::columns(t[zs], 37, 20), " [cc]");
    EXPECT_EQ(testsupport::columns(t[ds], 35, 20), " [mm]");
    const int zen = find_start(t, " Z e n i t o v é   ú h l y");
    EXPECT_EQ(t[zen + 1], " stanovisko cíl   zen.úhel(o)  zen.úhel(i)   váha     oprava   rozdil");
    const int dis = find_start(t, " D é l k y");
    EXPECT_EQ(t[dis + 1], " stanovisko cíl       délka(o)      délka(i)     váha     oprava   rozdíl");
    EXPECT_GE(find_start(t, " Směrodat. odchylka jednot. po vyrov.= "), 0);
    // Resulting coordinates: epoch (o) plus displacement, the displacement in the d-columns;
    // the code-7 point keeps its place.
    const int res = find_start(t, "       V Ý S L E D N É   S O U Ř A D N I C E");
    ASSERT_GE(res, 0);
    EXPECT_EQ(t[res + 6], " " + integer(1, 4) + " " + fixed(970000.0, 13, 1) + fixed(0.0, 8, 1) + fixed(1950000.0, 13, 1) +
                              fixed(0.0, 8, 1) + fixed(300000.0, 13, 1) + fixed(0.0, 8, 1));
    const std::string& p3 = t[res + 8];
    EXPECT_EQ(testsupport::columns(p3, 1, 5), " " + integer(3, 4));
    EXPECT_EQ(testsupport::columns(p3, 20, 8), fixed(4.0, 8, 1));
    EXPECT_EQ(testsupport::columns(p3, 7, 13), fixed(1250004.0, 13, 1));
    EXPECT_GE(find_start(t, "       P A R A M E T R Y   E L I P S O I D U   C H Y B"), 0);
    // The pair analysis follows the closing lines: 15 pairs in each table and list.
    const int xy = find_start(t, "  Výpočet vektoru posunu (x,y) a jeho směrod.odchylky");
    ASSERT_GT(xy, find_start(t, " Průměrná směrod. odch. souřadnicová  ="));
    EXPECT_EQ(t[xy + 1], "  poř.č.    č.b.1  č.b.2  posum  směrodatná odch.");
    EXPECT_EQ(t[xy + 3 + 15], "");
    const int zt = find_start(t, "  Výpočet vektoru posunu (z) a jeho směrod.odchylky");
    EXPECT_EQ(t[zt + 1], "    poř.č.    č.b.1  č.b.2  posum  směrodatná odch.");
    EXPECT_EQ(t.back().substr(0, 8), " " + integer(15, 7));
}

// Point 3 stands 5 cc to the left of the line 1-2 as seen from point 1, the directions to 2 and 3
// read 10 and 0 cc in both epochs: the observed angle 2-1-3 is 3,999,990 cc, its change 0. The
// list shows the change, 0.00, and beside it the epoch-(o) misclosure 3,999,990 - 5 unreduced
// (only listed, never used).
TEST(KaspenRun, EpochZeroMisclosureIsListedUnreduced) {
    char y[32];
    std::snprintf(y, sizeof y, "%.6f", 200000.0 * std::tan(5.0 / CC_PER_RADIAN));
    const std::string input = std::string("'kruh'\n1 1 1 1 0\n1 7 0 0 0\n2 7 100000 0 10000\n3 0 200000 ") + y +
                              " 30000\n-1\n1 2 10 10 1\n1 3 0 0 1\n-1\n-1\n"
                              "1 3 202237.484 202237.484 2\n2 3 101980.390 101980.390 2\n-1\n";
    const Result r = run_kaspen(input);
    ASSERT_EQ(r.status, 0);
    const int a = find_start(r.control, " Rozdíly mezi úhly");
    ASSERT_GE(a, 0);
    EXPECT_EQ(r.control[a + 3], " " + integer(2, 5) + integer(1, 5) + integer(3, 5) + fixed(0.0, 12, 2) +
                                    fixed(3999985.0, 12, 2));
}

// An angle of 5 cc in epoch (o) whose two directions change order in epoch (i) (3,999,997 cc):
// its change is listed, and adjusted, as -8 cc, not 3,999,992 cc; the epoch-(o) misclosure
// beside it is 0 (point 3 stands exactly 5 cc from the line 1-2).
TEST(KaspenRun, ACrossingAngleIsListedWithItsReducedChange) {
    char y[32];
    std::snprintf(y, sizeof y, "%.6f", 200000.0 * std::tan(5.0 / CC_PER_RADIAN));
    const std::string input = std::string("'kruh'\n1 1 1 1 0\n1 7 0 0 0\n2 7 100000 0 10000\n3 0 200000 ") + y +
                              " 30000\n-1\n1 2 0 0 1\n1 3 5 3999997 1\n-1\n-1\n"
                              "1 3 202237.484 202237.484 2\n2 3 101980.390 101980.390 2\n-1\n";
    const Result r = run_kaspen(input);
    ASSERT_EQ(r.status, 0);
    const int a = find_start(r.control, " Rozdíly mezi úhly");
    ASSERT_GE(a, 0);
    EXPECT_EQ(r.control[a + 3].substr(0, 28), " " + integer(2, 5) + integer(1, 5) + integer(3, 5) + fixed(-8.0, 12, 2));
    EXPECT_NEAR(std::stod(r.control[a + 3].substr(28)), 0.0, 0.005);
    // Point 3 moves 8 cc clockwise as seen from point 1 at 200 m: y by -8/rho * 200000 = -2.5 mm
    // (the distances hold, so x changes by a second-order amount only).
    const int res = find_start(r.report, "       V Ý S L E D N É   S O U Ř A D N I C E");
    ASSERT_GE(res, 0);
    const double dy = -8.0 / CC_PER_RADIAN * 200000.0;
    EXPECT_EQ(testsupport::columns(r.report[res + 8], 1, 5), " " + integer(3, 4));
    EXPECT_EQ(testsupport::columns(r.report[res + 8], 41, 8), fixed(dy, 8, 1));
}

// Three points, two of them fixed: one angle and two distances give 3 rows for the 3 unknowns of
// point 3 (whose placement code is given), r = 0.
std::string no_redundancy(int code) {
    return "'r nula'\n1 1 1 1 0\n1 7 0 0 0\n2 7 100000 0 10000\n3 " + std::to_string(code) +
           " 0 100000 20000\n-1\n1 2 0 0 1\n1 3 1000000 1000002 1\n-1\n-1\n"
           "1 3 101980.390 101981.390 2\n2 3 141774.469 141774.969 2\n-1\n";
}

// With r = 0 the tables lose the correction column, the direction rows keep the difference, the
// distance rows end with the weight, no statistics; with directions but no zenith angles the
// zenith heading stands in the report and in the control file.
TEST(KaspenRun, NoRedundancy) {
    const Result r = run_kaspen(no_redundancy(0));
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string>& t = r.report;
    const int dir = find_start(t, " S m ě r y");
    ASSERT_GE(dir, 0);
    EXPECT_EQ(t[dir + 1], " stanovisko cíl       směr(o)       směr(i)    váha   rozdíl");
    EXPECT_EQ(t[dir + 2], "                                   [cc]");
    EXPECT_EQ(t[dir + 5], "   " + integer(1, 5) + integer(3, 5) + blanks(4) + fixed(1000000, 10, 1) + blanks(5) +
                              fixed(1000002, 10, 1) + fixed(1, 9, 1) + fixed(-2, 9, 1));
    const int zen = find_start(t, " Z e n i t o v é   ú h l y");
    ASSERT_GE(zen, 0);
    EXPECT_EQ(t[zen + 1], " stanovisko cíl   zenitový úhel(o) zenitový úhel(i)   váha");
    EXPECT_EQ(t[zen + 2], blanks(23) + "[cc]" + blanks(6) + "[cc]");
    EXPECT_EQ(t[zen + 3], "");
    EXPECT_EQ(t[zen + 4], "");
    const int dis = find_start(t, " D é l k y");
    EXPECT_EQ(t[dis + 1], " stanovisko cíl       délka(o)      délka(i)      váha");
    EXPECT_EQ(t[dis + 4], "   " + integer(1, 5) + integer(3, 5) + blanks(4) + fixed(101980.390, 10, 1) + blanks(5) +
                              fixed(101981.390, 10, 1) + fixed(2, 9, 1));
    EXPECT_EQ(find_start(t, " [pv] = "), -1);
    EXPECT_EQ(find_start(t, " Směrodat. odchylka jednot. po vyrov.= "), -1);
    EXPECT_GE(find_start(r.control, " Rozdíly mezi zenit.délkami z měř. hodnot a ze souřad."), 0);
    const int res = find_start(t, "       V Ý S L E D N É   S O U Ř A D N I C E");
    EXPECT_EQ(testsupport::chars(t[res + 8]), 1 + 4 + 1 + 3 * (13 + 8));
}

// The two-epoch records keep the weight rule of the reader, the weight being their fifth value:
// 0, 0.0005 and 0.001 become 1.0, 0.0011 is kept (0.0 in F9.1); MOO = 0 becomes 1.0.
TEST(KaspenRun, SmallWeightsAndMOOBecomeOne) {
    const std::string input = "'vahy'\n1 1 1 0 0\n1 7 0 0 0\n2 7 100000 0 10000\n3 0 0 100000 20000\n-1\n"
                              "1 2 0 0 0\n1 3 1000000 1000002 0.0005\n-1\n-1\n"
                              "1 3 101980.390 101981.390 0.001\n2 3 141774.469 141774.969 0.0011\n-1\n";
    const Result r = run_kaspen(input);
    ASSERT_EQ(r.status, 0);
    const std::vector<std::string>& t = r.report;
    EXPECT_GE(find_start(t, " směrodatná odchylka jednotková        =   1.0"), 0);
    const int dir = find_start(t, " S m ě r y");
    const int dis = find_start(t, " D é l k y");
    ASSERT_GE(dir, 0);
    ASSERT_GE(dis, 0);
    EXPECT_EQ(testsupport::columns(t[dir + 4], 43, 9), fixed(1.0, 9, 1));
    EXPECT_EQ(testsupport::columns(t[dir + 5], 43, 9), fixed(1.0, 9, 1));
    EXPECT_EQ(testsupport::columns(t[dis + 4], 43, 9), fixed(1.0, 9, 1));
    EXPECT_EQ(testsupport::columns(t[dis + 5], 43, 9), fixed(0.0, 9, 1));
}

// Two zenith angles, r = 5 rows - 9 unknowns + 6 conditions = 2. With the weight 10^6 on the
// second, only the first correction exceeds 0.001 (the second stays far below): no zenith
// statistic. With equal weights both count, and the statistic is written.
TEST(KaspenRun, ZenithStatisticNeedsTwoCountedCorrections) {
    for (const char* weight : {"1000000", "1"}) {
        SCOPED_TRACE(weight);
        const bool both = std::string(weight) == "1";
        const std::string input =
            "'zenit'\n1 1 1 1 0\n1 7 0 0 0\n2 7 100000 0 10000\n3 0 0 100000 20000\n-1\n"
            "1 2 0 0 1\n1 3 1000000 1000000 1\n-1\n"
            "1 3 900000 900004 1\n2 3 950000 950000 " + std::string(weight) + "\n-1\n"
            "1 3 101980.390 101980.390 2\n2 3 141774.469 141774.469 2\n-1\n";
        const Result r = run_kaspen(input);
        ASSERT_EQ(r.status, 0);
        EXPECT_TRUE(contains(r.screen, "Pocet nadbytec. mereni =       2"));
        const int zen = find_start(r.report, " Z e n i t o v é   ú h l y");
        ASSERT_GE(zen, 0);
        // Rows at zen + 4 and zen + 5; the correction in columns 52-60.
        const double v1 = std::stod(testsupport::columns(r.report[zen + 4], 52, 9));
        const double v2 = std::stod(testsupport::columns(r.report[zen + 5], 52, 9));
        EXPECT_GT(std::fabs(v1), 0.05);
        if (both) {
            EXPECT_GT(std::fabs(v2), 0.05);
        } else {
            EXPECT_EQ(v2, 0.0);
        }
        EXPECT_EQ(find_start(r.report, " Směr.odch. roz. zenit.úhlu = ") >= 0, both);
    }
}

struct Failure {
    const char* name;
    std::string input;
    std::vector<std::string> screen;   // these lines appear on the screen, in this order
    std::vector<std::string> control;  // these lines appear in the control file, in this order
    bool konec;                        // the run ends through the exit block
};

std::string points(int n) {
    std::string s;
    for (int k = 1; k <= n; ++k) s += std::to_string(k) + " 0 " + std::to_string(100000 * k) + " " +
                                      std::to_string(7000 * k * k) + " 0\n";
    return s;
}

std::string records(int n, int station) {
    std::string s;
    for (int k = 1; k <= n; ++k) s += std::to_string(station) + " 2 " + std::to_string(k) + " " + std::to_string(k) + " 1\n";
    return s;
}

bool in_order(const std::vector<std::string>& lines, const std::vector<std::string>& wanted) {
    std::size_t at = 0;
    for (const std::string& w : wanted) {
        while (at < lines.size() && lines[at] != w) ++at;
        if (at == lines.size()) return false;
        ++at;
    }
    return true;
}

const std::string HEAD = "'konec'\n1 1 1 1 0\n";

const Failure FAILURES[] = {
    {"twenty_first_point", HEAD + points(21) + "-1\n",
     {"Chyba ve vstupu, max. počet bodů je 20"}, {"  Chyba ve vstupu, max. počet bodů je 20 "}, false},
    {"hundredth_direction", HEAD + points(3) + "-1\n" + records(100, 1) + "-1\n",
     {"Chyba ve vstupu, max. počet měření je 99"}, {"  Max. počet měření je 99"}, false},
    {"hundredth_in_zenith_angles", HEAD + points(3) + "-1\n" + records(60, 1) + "-1\n" + records(40, 3) + "-1\n",
     {"Chyba ve vstupu, max. počet měření je 99"}, {"  Max. počet měření je 99"}, false},
    {"hundredth_in_distances",
     HEAD + points(3) + "-1\n" + records(60, 1) + "-1\n" + records(20, 3) + "-1\n" + records(20, 1) + "-1\n",
     {"Chyba ve vstupu, max. počet měření je 99"}, {"  Max. počet měření je 99"}, false},
    // 89 angle rows (90 directions of one station to points 2 and 3 in turn): the pause for the
    // 89th, then the halt after the distance rows.
    {"eighty_ninth_row",
     HEAD + "1 7 0 0 0\n2 7 100000 0 0\n3 0 0 100000 0\n-1\n" + [] {
         std::string s;
         for (int k = 0; k < 90; ++k) s += "1 " + std::to_string(2 + k % 2) + " 0 0 1\n";
         return s;
     }() + "-1\n-1\n-1\n",
     {" NM > JM ", "Chyba ve vstupu, měř. délek může být max. 88"}, {}, false},
    // 88 angle rows (89 directions), then one zenith angle: its row is the 89th, which comes after
    // the check that follows the distances: the pause, then the halt at once.
    {"eighty_ninth_row_a_zenith_angle",
     HEAD + "1 7 0 0 0\n2 7 100000 0 0\n3 0 0 100000 0\n-1\n" + [] {
         std::string s;
         for (int k = 0; k < 89; ++k) s += "1 " + std::to_string(2 + k % 2) + " 0 0 1\n";
         return s;
     }() + "-1\n1 3 1000000 1000000 1\n-1\n-1\n",
     {" NM > JM ", "Chyba ve vstupu, měř. délek může být max. 88"}, {}, false},
    // A free network point (code 3, whose Helmert rows are 3 shifts and the rotation) and 19
    // fixed points (3 rows each): 4 + 57 = 61 condition rows, one more than G holds.
    {"sixty_first_condition_row",
     HEAD + "1 3 0 0 0\n" + [] {
         std::string s;
         for (int k = 2; k <= 20; ++k) s += std::to_string(k) + " 7 " + std::to_string(100000 * k) + " " +
                                           std::to_string(7000 * k * k) + " 0\n";
         return s;
     }() + "-1\n-1\n-1\n1 2 200000 200000 1\n-1\n",
     {"JP < IG", "KONEC"}, {}, true},
    // Point 2 lies 5 m straight above point 1: no zenith-angle row exists.
    {"zenith_straight_up", HEAD + "1 7 0 0 0\n2 0 0 0 5000\n3 0 100000 0 0\n-1\n-1\n1 2 0 0 1\n-1\n-1\n",
     {" Chyba - Jsou zadány stejné souřadnice pro dva body", " Čísla bodů:       1      2      0",
      "Stop - Program terminated."},
     {}, false},
    {"database_code", HEAD + "1 7 0 0 0\n2 -2 1 1 1\n-1\n", {"žadná DATABAZE bodů není inicializováná ", "KONEC"}, {},
     true},
    {"missing_point", HEAD + "1 7 0 0 0\n2 0 100000 0 0\n-1\n-1\n-1\n1 9 100 100 1\n-1\n",
     {"Číslo stanoviska nebo cíle neexistuje v seznamu", "souřadnic",
      "Proveďte opravu dat, změňte  výstupni soubor - R.TXT" + blanks(15), "a znovu proveďte výpočet", "KONEC"},
     {}, true},
    {"underdetermined", HEAD + "1 0 0 0 0\n2 0 100000 0 0\n3 0 0 100000 0\n-1\n-1\n-1\n1 2 100000 100000 1\n-1\n",
     {" Chyba - úloha je nedostatečně určena", "         tj. malý počet podmínek umístění sítě",
      "         nebo nedostatečné zaměře sítě", "Stop - Program terminated."},
     {}, false},
    // The fourth record (the second point) has a letter for its X: the console record, the same
    // record in the control file, then the echo of the faulty record's first line.
    {"read_error", "'chyba'\n1 1 1 1 0\n1 7 0 0 0\n2 0 X 0 0\n-1\n",
     {"  chyba ve čtení vstupních dat na řádku č.:       4", "KONEC"},
     {"   chyba ve čtení vstupních dat na řádku č.:       4", " Chyba ve čtení vstupního souboru na řádku č.:   4",
      "2 0 X 0 0" + blanks(31) + "...", ""},
     true},
    // The file ends inside the a-priori record (line 2), which has no line of its own: the echo
    // is a blank line.
    {"read_error_without_a_line", "'chyba'\n",
     {"  chyba ve čtení vstupních dat na řádku č.:       2", "KONEC"},
     {"   chyba ve čtení vstupních dat na řádku č.:       2", " Chyba ve čtení vstupního souboru na řádku č.:   2",
      blanks(40) + "...", ""},
     true},
};

class KaspenFailure : public testing::TestWithParam<Failure> {};

TEST_P(KaspenFailure, MessagesControlRecordsAndEnd) {
    const Failure& f = GetParam();
    const Result r = run_kaspen(f.input);
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(in_order(r.screen, f.screen)) << "screen:\n" << [&] {
        std::string s;
        for (const auto& l : r.screen) s += l + "\n";
        return s;
    }();
    EXPECT_TRUE(in_order(r.control, f.control));
    EXPECT_EQ(!r.screen.empty() && r.screen.back() == "KONEC", f.konec);
}

INSTANTIATE_TEST_SUITE_P(Ends, KaspenFailure, testing::ValuesIn(FAILURES),
                         [](const testing::TestParamInfo<Failure>& i) { return std::string(i.param.name); });

// The network of the benchmark fills every capacity: 20 points, 99 measured quantities (55
// directions at 11 stations, 22 zenith angles, 22 distances), 44 + 22 + 22 = 88 rows. It runs to
// its end: 60 unknowns, 3 + 1 conditions (a code-7 and a code-2 point), r = 88 - 60 + 4 = 32;
// 20 * 19 / 2 = 190 pairs in each table and each list, the lists in ascending order.
TEST(KaspenRun, TheLargestNetworkRunsToTheEnd) {
    testsupport::DataFolder examples;
    const Result r = run_kaspen(examples.read(std::string(EXAMPLES_DIR) + "/DEFBIG.TXT"));
    ASSERT_EQ(r.status, 0);
    EXPECT_TRUE(contains(r.screen, "Pocet nadbytec. mereni =      32"));
    const std::vector<std::string>& t = r.report;
    const int xy = find_start(t, "  Výpočet vektoru posunu (x,y)");
    const int z = find_start(t, "  Výpočet vektoru posunu (z)");
    ASSERT_GE(xy, 0);
    ASSERT_GT(z, xy);
    ASSERT_EQ(static_cast<int>(t.size()), z + 3 + 190 + 4 + 190);
    for (const int table : {xy, z}) {
        EXPECT_EQ(t[table + 3 + 190], "");
        EXPECT_EQ(t[table + 3 + 190 + 1], "  Výpočet normovaného vektoru posunu");
        double previous = -1;
        for (int k = 1; k <= 190; ++k) {
            const std::string& row = t[table + 3 + 190 + 4 + k - 1];
            EXPECT_EQ(row.substr(0, 8), " " + integer(k, 7));
            const double T = std::stod(row.substr(25));
            EXPECT_GE(T, previous) << "rank " << k;
            previous = T;
        }
    }
}

// A point of code -1 is read with its coordinates like a free point.
TEST(KaspenRun, CodeMinusOneIsAFreePoint) {
    const Result r = run_kaspen(no_redundancy(-1));
    ASSERT_EQ(r.status, 0);
    const int k = find_start(r.report, " S o u ř a d n i c e");
    EXPECT_EQ(testsupport::columns(r.report[k + 4], 1, 60).substr(0, 8), "   " + integer(3, 5));
    EXPECT_EQ(testsupport::columns(r.report[k + 4], 55, 4), integer(-1, 4));
}

// The progress line counts two passes, overwriting itself (" pocitam " and the pass as I4 after
// 35 blanks), and no third; the unit standard deviation after the adjustment is also on the
// screen.
TEST(KaspenRun, TwoPassesOnTheProgressLine) {
    testsupport::DataFolder folder;
    folder.write("D.TXT", file_text(fixed_network()));
    const testsupport::Outcome o = testsupport::run(KASPEN_PATH, folder, "R.TXT\nD.TXT\n");
    ASSERT_EQ(o.status, 0);
    const std::string pass = "\r" + blanks(35) + " pocitam ";
    const std::size_t first = o.screen.find(pass + integer(1, 4));
    const std::size_t second = o.screen.find(pass + integer(2, 4));
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(o.screen.find(pass + integer(3, 4)), std::string::npos);
    EXPECT_GE(find_start(testsupport::screen_lines(o.screen), "Směrodat. odchylka jednot. po vyrov.= "), 0);
}

// A report name that exists: the first 24 characters of "F:\" and the 20-character name.
TEST(KaspenRun, ExistingReportIsRefused) {
    testsupport::DataFolder folder;
    folder.write("D.TXT", file_text(fixed_network()));
    folder.write("R.TXT", "old");
    const testsupport::Outcome o = testsupport::run(KASPEN_PATH, folder, "R.TXT\nR2.TXT\nX.TXT\nD.TXT\n");
    const auto s = testsupport::screen_lines(o.screen);
    EXPECT_TRUE(contains(s, "F:\\R.TXT" + blanks(16) + " - tento soubor již existuje"));
    EXPECT_TRUE(contains(s, blanks(12) + "X.TXT" + blanks(7) + " - tento soubor neexistuje"));
    EXPECT_EQ(folder.read("R.TXT"), "old");
    EXPECT_EQ(o.status, 0);
}

}  // namespace
