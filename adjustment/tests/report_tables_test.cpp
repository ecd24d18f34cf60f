// The observation tables, the coordinate tables and the closing lines against their layouts, on
// small hand-made results whose statistics are worked out by hand in the comments.
#include <gtest/gtest.h>

#include <memory>

#include "adjustment/report_tables.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "test_profile.h"
#include "testsupport/report_run.h"
#include "testsupport/runner.h"

using testsupport::chars;
using testsupport::columns;

namespace {

// Directions: station 1 to 2, 3, 4 (p 1, 1, 2; v 0.5, -1.0, 0.25), station 2 to 1, 3 (v 2, -2),
// station 3 to 1, 2 (v 0.0 and 1.0: the zero is not counted). Zenith angle 1-2 (p 0.36, v 3).
// Distances 1-2 and 2-3 (p 2.25; v 1.0, -0.5).
void observations(adjustment::Run& run, int redundancy) {
    adjustment::Network& net = run.net;
    const std::int16_t cs[] = {0, 1, 1, 1, 2, 2, 3, 3, 1, 1, 2};
    const std::int16_t cc[] = {0, 2, 3, 4, 1, 3, 1, 2, 2, 2, 3};
    const double p[] = {0, 1, 1, 2, 1, 1, 1, 1, 0.36, 2.25, 2.25};
    const double v[] = {0, 0.5, -1.0, 0.25, 2.0, -2.0, 0.0, 1.0, 3.0, 1.0, -0.5};
    net.IS = 7;
    net.IZ = 1;
    net.ISZ = 8;
    net.ID = 2;
    net.NR = 10;
    testsupport::observation_rows(run, cs, cc, p, v);
    net.ZZ[1] = 1000000.0;
    net.DO[1] = 123456.78;
    net.DO[2] = 2.5;
    run.solution->redundancy = static_cast<library::Index>(redundancy);
}

}  // namespace

TEST(ObservationTables, StatisticsOfGroupsAndOfAllDirections) {
    testsupport::ReportRun f(test_profile());
    observations(f.run, 5);
    adjustment::write_observation_tables(f.profile, f.run.net, *f.run.solution, f.report, f.console);
    const std::vector<std::string> expected = {
        "",
        " S m ě r y",
        " stanovisko cíl       směr       váha     oprava",
        "                      [cc]                [cc]",
        "",
        "       1    2      100000.0       1.0       0.5",
        "       1    3      200000.0       1.0      -1.0",
        "       1    4      300000.0       2.0       0.3",
        // group 1: [pv] = 0.5 - 1.0 + 0.5 = 0; [pvv] = 0.25 + 1 + 0.125 = 1.375; sqrt(1.375/2) = 0.83
        "",
        " [pv] =    0.0",
        " Směrod. odch. směru =    0.8 [cc]",
        "",
        "",
        "       2    1      400000.0       1.0       2.0",
        "       2    3      500000.0       1.0      -2.0",
        "       3    1      600000.0       1.0       0.0",
        "       3    2      700000.0       1.0       1.0",
        // all: N = 6 counted, g = 3 groups; [pv] = 1; [pvv] = 1.375 + 8 + 1; sqrt(10.375/3) = 1.86
        "",
        " Pro všechny směry : ",
        "",
        " [pv] =    1.0",
        " Směrod. odch. směru =    1.9 [cc]",
        "",
        "",
        "",
        " Z e n i t o v é   ú h l y",
        " stanovisko cíl   zenitový úhel  váha     oprava",
        "                      [cc]                [cc]",
        "",
        "       1    2     1000000.0       0.4       3.0",
        // one zenith angle: no statistics
        "",
        " D é l k y",
        " stanovisko cíl       délka      váha     oprava",
        "                       [mm]                [mm]",
        "",
        "       1    2      123456.8       2.3       1.0",
        "       2    3           2.5       2.3      -0.5",
        // [pv] = 2.25 - 1.125 = 1.125; [pvv] = 2.25 + 0.5625; sqrt(2.8125/1) = 1.68
        "",
        " [pv] =    1.1",
        " Směrod. odch. délky =    1.7 [mm]",
        "",
    };
    EXPECT_EQ(f.report.lines, expected);
    EXPECT_EQ(chars(f.report.lines[5]), 47);
    EXPECT_EQ(columns(f.report.lines[5], 38, 10), "       0.5");
    EXPECT_NE(f.console.screen().find("Tisk smeru "), std::string::npos);
    EXPECT_NE(f.console.screen().find("Tisk délek "), std::string::npos);
}

TEST(ObservationTables, NoRedundancyLeavesOutCorrectionsAndStatistics) {
    testsupport::ReportRun f(test_profile());
    observations(f.run, 0);
    adjustment::write_observation_tables(f.profile, f.run.net, *f.run.solution, f.report, f.console);
    const auto& l = f.report.lines;
    ASSERT_GE(l.size(), 6u);
    EXPECT_EQ(l[2], " stanovisko cíl       směr       váha");
    EXPECT_EQ(l[3], "                      [cc]");
    EXPECT_EQ(l[5], "       1    2      100000.0       1.0");
    for (const std::string& line : l) {
        EXPECT_EQ(line.find("[pv]"), std::string::npos);
        EXPECT_LE(chars(line), 48);
    }
    EXPECT_NE(std::find(l.begin(), l.end(), " stanovisko cíl   zenitový úhel  váha"), l.end());
    EXPECT_NE(std::find(l.begin(), l.end(), "                       [mm]"), l.end());
}

TEST(ResultTables, FixedPointEllipsoidIsMchAndTheClosingLines) {
    testsupport::ReportRun f(test_profile());
    adjustment::Network& net = f.run.net;
    net.IB = 2;
    net.NN = 6;
    net.IN[1] = 1;
    net.IN[2] = 25;
    net.KOD1[1] = 7;
    net.XO[1] = 1000.0; net.YO[1] = 2000.0; net.ZO[1] = 300.0;
    net.XO[2] = 1500.04; net.YO[2] = -2.0; net.ZO[2] = 310.0;
    net.MCH = 2.0;
    net.MO = 1.5;
    adjustment::Solution& s = *f.run.solution;
    s.R(4, 4) = 16.0; s.R(5, 5) = 9.0; s.R(6, 6) = 4.0;  // point 25 uncorrelated, falling diagonal
    s.HR(4, 1) = -0.26; s.HR(5, 1) = 12.0; s.HR(6, 1) = 0.0;
    adjustment::write_result_tables(f.profile, f.run.net, *f.run.solution, f.report, f.console);
    const auto& l = f.report.lines;
    ASSERT_EQ(l.size(), 27u);
    EXPECT_EQ(l[3], "       V Ý S L E D N É   S O U Ř A D N I C E  ");
    EXPECT_EQ(l[9], "    1        1000.0     0.0       2000.0     0.0        300.0     0.0");
    EXPECT_EQ(l[10], "   25        1500.0    -0.3         -2.0    12.0        310.0     0.0");
    EXPECT_EQ(columns(l[10], 7, 13), "       1500.0");
    EXPECT_EQ(columns(l[10], 20, 8), "    -0.3");
    EXPECT_EQ(l[14], "       P A R A M E T R Y   E L I P S O I D U   C H Y B");
    // QCH = MCH^2/MO^2: the fixed point's block is QCH times the identity, a = b = c = MCH.
    EXPECT_EQ(l[21], "    1        2.0       2.0       2.0         0.00     0.00     0.00");
    // point 25: sqrt(16 + 16/9) * 1.5 = 6.32, sqrt(9 + 16/9) * 1.5 = 4.92, sqrt(4 + 16/9) * 1.5 = 3.61
    EXPECT_EQ(l[22], "   25        6.3       4.9       3.6         0.00     0.00     0.00");
    EXPECT_EQ(l[23], "");
    EXPECT_EQ(l[24], " Uvažovaná směrodatná odchylka        =   1.5");
    EXPECT_EQ(columns(l[24], 40, 6), "   1.5");
    EXPECT_EQ(l[25], "");
    // trace = 6 * 16/9 + 29 = 39.67; sqrt(39.67 / 6) * 1.5 = 3.86
    EXPECT_EQ(l[26], " Průměrná směrod. odch. souřadnicová  =   3.9 [mm]");
    EXPECT_NE(f.console.screen().find("Tisk výsledných souřadnic"), std::string::npos);
}

TEST(ResultTables, CoordinateSigmaTableAndAsymmetryLine) {
    adjustment::Profile p = test_profile();
    p.coordinate_sigma_table = true;
    testsupport::ReportRun f(p);
    adjustment::Network& net = f.run.net;
    net.IB = 1;
    net.NN = 3;
    net.IN[1] = 7;
    net.MCH = 0.0;
    net.MO = 1.5;
    adjustment::Solution& s = *f.run.solution;
    s.R(1, 1) = 16.0; s.R(2, 2) = 9.0; s.R(3, 3) = 4.0;
    s.R(1, 2) = 0.02;  // R(2,1) stays 0: asymmetric beyond 0.01
    adjustment::write_result_tables(f.profile, f.run.net, *f.run.solution, f.report, f.console);
    const auto& l = f.report.lines;
    auto at = [&](const std::string& text) { return std::find(l.begin(), l.end(), text) - l.begin(); };
    const auto asym = at(" Chyba v RD()      1");
    ASSERT_LT(asym, static_cast<long>(l.size()));
    const auto title = at("       S M Ě R O D A T N É  O D C H Y L K Y           ");
    ASSERT_LT(title, static_cast<long>(l.size()));
    EXPECT_EQ(l[title - 1], "");
    EXPECT_EQ(l[title + 2], "  číslo    sigma x    sigma y    sigma z                    ");
    // sigma = MO * sqrt(RD(a,a)): 1.5 * (4, 3, 2)
    EXPECT_EQ(l[title + 5], "    7        6.0       4.5       3.0");
    EXPECT_EQ(l[title + 6], "");
    EXPECT_EQ(l[title + 7], " Uvažovaná směrodatná odchylka        =   1.5");
}
