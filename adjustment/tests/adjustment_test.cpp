// The adjustment on a context of its own, without the frame of a run: no files, no dialogue, no
// point database. A plane trilateration whose true coordinates are known: three points fixed in
// X and Y at (0, 0), (100 m, 0), (0, 100 m), one free point at (60 m, 40 m) whose approximate
// coordinates are 30 mm and 20 mm off, and the three distances to it computed from the truth.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "adjustment/adjustment.h"
#include "adjustment/exit_block.h"
#include "adjustment/solution.h"
#include "platform/console.h"
#include "platform/sink.h"
#include "test_profile.h"

namespace {

struct Trilateration {
    struct Point {
        std::int16_t number;
        std::int16_t code;
        double x, y;
    };

    explicit Trilateration(std::int16_t sighted_station = 1) {
        profile.dimension = 2;
        const Point points[] = {
            {1, 6, 0.0, 0.0}, {2, 6, 100000.0, 0.0}, {3, 6, 0.0, 100000.0}, {4, 0, 60030.0, 39980.0}};
        for (const Point& p : points) {
            ++net.IB;
            net.IN[net.IB] = p.number;
            net.KOD1[net.IB] = p.code;
            net.XO[net.IB] = p.x;
            net.YO[net.IB] = p.y;
        }
        net.NN = static_cast<std::int16_t>(2 * net.IB);
        net.MOO = 1.0f;
        // Distances from points 1, 2 and 3 to the true position (60 m, 40 m), in mm.
        const double truth[3] = {std::sqrt(60000.0 * 60000.0 + 40000.0 * 40000.0),
                                 std::sqrt(40000.0 * 40000.0 + 40000.0 * 40000.0),
                                 std::sqrt(60000.0 * 60000.0 + 60000.0 * 60000.0)};
        for (std::int16_t m = 1; m <= 3; ++m) {
            net.INS[m] = m == 1 ? sighted_station : m;
            net.INC[m] = 4;
            net.DO[m] = truth[m - 1];
            net.PPP[m] = 1.0;
        }
        net.ID = 3;
        net.NR = 3;
    }

    adjustment::Profile profile = test_profile();
    platform::ScriptConsole console;
    platform::StringSink report, control;
    const std::string report_name = "VYSL.TXT";
    adjustment::Network net{profile.cap, 2};
    adjustment::Solution solution{profile.cap};
    bool points_final = false;
    adjustment::Adjustment adj{profile, profile.text, console, report, control,
                               report_name, net, solution, points_final};
};

TEST(AdjustmentContext, TheFreePointReturnsToTheTruthAndTheCoordinatesBecomeFinal) {
    Trilateration t;
    adjustment::adjust(t.adj);
    EXPECT_NEAR(t.net.XO[4], 60000.0, 1e-6);
    EXPECT_NEAR(t.net.YO[4], 40000.0, 1e-6);
    for (int i = 1; i <= 3; ++i) {  // the fixed points keep their coordinates
        EXPECT_EQ(t.net.XO[i], i == 2 ? 100000.0 : 0.0);
        EXPECT_EQ(t.net.YO[i], i == 3 ? 100000.0 : 0.0);
    }
    EXPECT_TRUE(t.points_final);
    // Three distances, two unknowns left after the fixed components: one redundant observation.
    EXPECT_EQ(t.solution.redundancy, 1);
    EXPECT_NEAR(t.solution.VVT(1, 1), 0.0, 1e-9);
    // The misclosure list of the first pass went to the control file given, nowhere else.
    EXPECT_FALSE(t.control.lines.empty());
}

// A distance from a station that is not in the point list: the message names the report as it
// was typed, and the run ends through the exit block with nothing final to store.
TEST(AdjustmentContext, AMissingStationNamesTheTypedReport) {
    Trilateration t(7);
    try {
        adjustment::adjust(t.adj);
        FAIL() << "the adjustment should have ended through the exit block";
    } catch (const adjustment::ExitBlock& end) {
        EXPECT_EQ(end.status, platform::ExitStatus::failed);
    }
    EXPECT_NE(t.console.screen().find(t.profile.text.missing_point[2] + "VYSL.TXT"), std::string::npos)
        << t.console.screen();
    EXPECT_FALSE(t.points_final);
}

}  // namespace
