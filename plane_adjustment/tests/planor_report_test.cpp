// The plane report tables with the plane program's profile against their layouts, on small
// hand-made results whose statistics are worked out in the comments.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "adjustment/report_tables.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "plane_adjustment/profile.h"
#include "testsupport/report_run.h"
#include "testsupport/runner.h"

using testsupport::chars;
using testsupport::columns;

namespace {

// Directions: station 1 to 2, 3, 4 (weights 1, 2.5, 1; v 0.5, -1.0, 0.25), station 2 to 1, 3
// (v 2, -2). Distances 1-2 and 2-3 (weight 2; v 1.0, -0.5).
void observations(adjustment::Run& run, int redundancy) {
    adjustment::Network& net = run.net;
    const std::int16_t cs[] = {0, 1, 1, 1, 2, 2, 1, 2};
    const std::int16_t cc[] = {0, 2, 3, 4, 1, 3, 2, 3};
    const double p[] = {0, 1, 2.5, 1, 1, 1, 2, 2};
    const double v[] = {0, 0.5, -1.0, 0.25, 2.0, -2.0, 1.0, -0.5};
    net.IS = 5;
    net.ISZ = 5;
    net.ID = 2;
    net.NR = 7;
    testsupport::observation_rows(run, cs, cc, p, v);
    net.DO[1] = 123456.78;
    net.DO[2] = 2.5;
    run.solution->redundancy = static_cast<library::Index>(redundancy);
}

TEST(PlanorReport, ObservationTablesWithPlainStatistics) {
    testsupport::ReportRun f(plane_adjustment::profile());
    observations(f.run, 4);
    f.observation_tables();
    const std::vector<std::string> expected = {
        "",
        " S m ě r y",
        " stanovisko cíl       směr       váha     oprava",
        "                      [cc]                [cc]",
        "",
        "       1    2      100000.0     1.00       0.5",
        "       1    3      200000.0     2.50      -1.0",
        "       1    4      300000.0     1.00       0.3",
        // group of three, unweighted: [v] = -0.25; sqrt((0.25 + 1 + 0.0625) / 2) = 0.81
        "",
        " [v] =   -0.3",
        " Směrod.odchyl.směru =    0.8 [cc]",
        "",
        "       2    1      400000.0     1.00       2.0",
        "       2    3      500000.0     1.00      -2.0",
        // a group of two: no lines. All: m = 5 directions - 2 groups; [v] = -0.25;
        // sqrt((1.3125 + 8) / 3) = 1.76
        "",
        " Pro všechny směry:",
        "",
        " [v] =   -0.3",
        " Směrod.odchyl.směru =    1.8 [cc]",
        "",
        "",
        " D é l k y",
        " stanovisko cíl       délka      váha     oprava",
        "                       [mm]                [mm]",
        "",
        "       1    2      123456.8     2.00       1.0",
        "       2    3           2.5     2.00      -0.5",
        // plain: [v] = 0.5; sqrt(1.25 / 1) = 1.12
        "",
        " [v] =    0.5",
        " Směrodat.odch.délky =    1.1 [mm]",
        "",
    };
    EXPECT_EQ(f.report.lines, expected);
    // station 4-8, target 9-13, direction 18-27, weight 30-36, correction 40-46
    const std::string& row = f.report.lines[6];
    EXPECT_EQ(chars(row), 46);
    EXPECT_EQ(columns(row, 4, 5), "    1");
    EXPECT_EQ(columns(row, 9, 5), "    3");
    EXPECT_EQ(columns(row, 18, 10), "  200000.0");
    EXPECT_EQ(columns(row, 28, 9), "     2.50");
    EXPECT_EQ(columns(row, 37, 10), "      -1.0");
    const std::string& screen = f.console.screen();
    EXPECT_NE(screen.find("Tisk smeru "), std::string::npos);
    EXPECT_NE(screen.find("Tisk delek "), std::string::npos);
}

TEST(PlanorReport, NoRedundancyNoCorrectionsNoStatistics) {
    testsupport::ReportRun f(plane_adjustment::profile());
    observations(f.run, 0);
    f.observation_tables();
    const auto& l = f.report.lines;
    ASSERT_EQ(l.size(), 17u);
    EXPECT_EQ(l[2], " stanovisko cíl       směr       váha");
    EXPECT_EQ(l[3], "                      [cc] ");
    EXPECT_EQ(l[5], "       1    2      100000.0     1.00");
    EXPECT_EQ(l[12], " stanovisko cíl       délka      váha");
    EXPECT_EQ(l[13], "                       [mm]");
    EXPECT_EQ(l[16], "       2    3           2.5     2.00");
}

TEST(PlanorReport, NoDirectionsOnlyTheConsoleLineOneDistanceNoStatistics) {
    testsupport::ReportRun f(plane_adjustment::profile());
    adjustment::Network& net = f.run.net;
    net.ID = 1;
    net.NR = 1;
    net.INS[1] = 4;
    net.INC[1] = 5;
    net.PPP[1] = 1;
    net.DO[1] = 10.0;
    f.run.solution->redundancy = 1;
    f.observation_tables();
    EXPECT_EQ(f.report.lines.size(), 6u);
    EXPECT_EQ(f.report.lines[1], " D é l k y");
    EXPECT_NE(f.console.screen().find("Tisk smeru "), std::string::npos);
}

TEST(PlanorReport, CoordinatesWithEllipseCircleAndAsymmetry) {
    testsupport::ReportRun f(plane_adjustment::profile());
    adjustment::Network& net = f.run.net;
    net.IB = 3;
    net.NN = 6;
    const std::int16_t numbers[] = {0, 1, 25, 7};
    for (int i = 1; i <= 3; ++i) {
        net.IN[i] = numbers[i];
        net.XO[i] = 1000.0 * i;
        net.YO[i] = -2000.04 * i;
    }
    net.KOD1[1] = 6;
    net.MCH = 0.0;
    net.MO = 1.5;
    adjustment::Solution& s = *f.run.solution;
    s.HR(3, 1) = -0.26;
    s.HR(4, 1) = 12.0;
    s.R(3, 3) = 4.0;  // point 25: qx = 4, qy = 1, qxy = 0
    s.R(4, 4) = 1.0;
    s.R(5, 5) = 1.0;  // point 7: qx = qy = 1 and qxy = 0.02 with 0 below the diagonal
    s.R(6, 6) = 1.0;
    s.R(5, 6) = 0.02;
    f.result_tables();
    const auto& l = f.report.lines;
    ASSERT_EQ(l.size(), 17u);
    EXPECT_EQ(l[0], "");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], "       V Y S L E D N É   S O U Ř A D N I C E   A");
    EXPECT_EQ(l[3], "       P A R A M E T R Y   E L I P S Y   C H Y B");
    EXPECT_EQ(l[4], "");
    EXPECT_EQ(l[5], "  číslo      x          dx         y         dy    hlavní   vedlejší  úhel");
    EXPECT_EQ(l[7], "                                                    [mm]      [mm]    [g]");
    EXPECT_EQ(l[8], "");
    // The fixed point with MCH = 0: a circle of radius 0.00.
    EXPECT_EQ(l[9], "    1        1000.0     0.0      -2000.0     0.0     0.00     0.00    ---");
    // qx = 4, qy = 1: a = 2 MO = 3.00, b = MO = 1.50, along X.
    EXPECT_EQ(l[10], "   25        2000.0    -0.3      -4000.1    12.0     3.00     1.50     0.00");
    EXPECT_EQ(columns(l[10], 2, 4), "  25");
    EXPECT_EQ(columns(l[10], 7, 13), "       2000.0");
    EXPECT_EQ(columns(l[10], 20, 8), "    -0.3");
    EXPECT_EQ(columns(l[10], 28, 13), "      -4000.1");
    EXPECT_EQ(columns(l[10], 41, 8), "    12.0");
    EXPECT_EQ(columns(l[10], 49, 9), "     3.00");
    EXPECT_EQ(columns(l[10], 58, 9), "     1.50");
    EXPECT_EQ(columns(l[10], 67, 9), "     0.00");
    // RD(5,6) - RD(6,5) = 0.02 > 0.01: the line with the index 2i-1 = 5 before the row.
    EXPECT_EQ(l[11], " Chyba v RD()      5") << "a free-format record: the integer in 7 columns";
    // qx = qy = 1, qxy = 0.02: axes sqrt(1.02) and sqrt(0.98) times 1.5, at 50 gon.
    EXPECT_EQ(l[12], "    7        3000.0     0.0      -6000.1     0.0     1.51     1.48    50.00");
    EXPECT_EQ(l[13], "");
    EXPECT_EQ(l[14], " Uvažovaná směrodat odch.jednotková  =   1.5");
    EXPECT_EQ(l[15], "");
    // trace = 4 + 1 + 1 + 1 = 7; sqrt(7 / 6) * 1.5 = 1.62
    EXPECT_EQ(l[16], " Průměrná směrod.odch. souřadnicová  =   1.6 [mm]");
    EXPECT_NE(f.console.screen().find("Tisk vyslednych souradnic"), std::string::npos);
}

TEST(PlanorReport, FixedPointCircleIsMch) {
    testsupport::ReportRun f(plane_adjustment::profile());
    adjustment::Network& net = f.run.net;
    net.IB = 1;
    net.NN = 2;
    net.IN[1] = 3;
    net.KOD1[1] = 6;
    net.MCH = 2.0;
    net.MO = 1.5;
    f.result_tables();
    // QCH = MCH^2 / MO^2 on the diagonal: a = sqrt(QCH) MO = MCH.
    EXPECT_EQ(f.report.lines[9], "    3           0.0     0.0          0.0     0.0     2.00     2.00    ---");
}

}  // namespace
