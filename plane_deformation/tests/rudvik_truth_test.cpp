// The plane deformation program on two epochs computed from known coordinates and displacements
// (plane_epochs.h): with a fixed datum the adjusted displacements return the true ones; with a
// free datum they, [pvv], the redundancy and the pair standard deviations agree with the
// independent solution (the same differences and datum rows, solved through the bordered normal
// equations instead of N + G'G).
#include <gtest/gtest.h>

#include <cmath>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "plane_deformation/builds.h"
#include "platform/console.h"
#include "plane_epochs.h"
#include "solution_families.h"
#include "testsupport/in_process.h"
#include "testsupport/runner.h"

namespace {

using namespace plane_epochs;

// Six points some 300 to 700 m apart; no two on one line from a third.
std::vector<Point> six_points(std::vector<int> codes) {
    std::vector<Point> p = {
        {1, 0, 970000.0, 1950000.0}, {2, 0, 1350000.0, 2120000.0}, {3, 0, 1250000.0, 2450000.0},
        {4, 0, 930000.0, 2390000.0}, {5, 0, 760000.0, 2050000.0},  {6, 0, 1080000.0, 1720000.0},
    };
    for (std::size_t k = 0; k < p.size(); ++k) p[k].code = codes[k];
    return p;
}

// Displacements of a few millimetres; point 1 (code 6 in the fixed cases) does not move and
// point 2 moves only along the ray from point 1, so that the fixed datum returns them.
void displace(std::vector<Point>& p) {
    const double ux = p[1].X - p[0].X, uy = p[1].Y - p[0].Y, s = std::hypot(ux, uy);
    p[1].dX = 3.0 * ux / s;
    p[1].dY = 3.0 * uy / s;
    const double d[4][2] = {{4.0, -2.5}, {-3.0, 5.0}, {2.2, 1.7}, {-1.4, -3.3}};
    for (int k = 0; k < 4; ++k) {
        p[2 + k].dX = d[k][0];
        p[2 + k].dY = d[k][1];
    }
}

using truth::orientations;

File observed(const std::vector<Point>& points, const Plan& plan) {
    const std::vector<double> o = orientations(plan.groups.size());
    return observe(points, plan, o, o);
}

// What one run leaves: displacements, resulting coordinates, [pvv], redundancy, MO, the report
// and the control file.
struct Outcome {
    int status = -1;
    std::vector<double> H, XO, YO;
    double pvv = 0, MO = 0;
    int redundancy = 0;
    std::vector<std::string> report, control;
    std::string screen;
};

Outcome run_rudvik(const File& file) {
    testsupport::DataFolder folder;
    folder.write("D.TXT", file_text(file));
    platform::ScriptConsole console({"R.TXT", "D.TXT", "n"});
    Outcome out;
    auto take = [&](const adjustment::Run& run) {
        if (!run.solution) return;
        for (int k = 1; k <= run.net.NN; ++k) out.H.push_back(run.solution->H(k, 1));
        for (int k = 1; k <= run.net.IB; ++k) {
            out.XO.push_back(run.net.XO[k]);
            out.YO.push_back(run.net.YO[k]);
        }
        out.pvv = run.solution->VVT(1, 1);
        out.redundancy = run.solution->redundancy;
        out.MO = run.net.MO;
    };
    const adjustment::Profile profile = plane_deformation::profile(plane_deformation::Build::main);
    out.status = testsupport::run_in_process(profile, folder, console, take);
    out.report = folder.lines_cp1250("R.TXT");
    out.control = folder.lines_cp1250("ERR$$$.TXT");
    out.screen = console.screen();
    return out;
}

void expect_true_displacements(const Outcome& out, const std::vector<Point>& points) {
    ASSERT_EQ(out.H.size(), 2 * points.size());
    for (std::size_t k = 0; k < points.size(); ++k) {
        EXPECT_NEAR(out.H[2 * k], points[k].dX, 0.01) << "point " << k + 1;
        EXPECT_NEAR(out.H[2 * k + 1], points[k].dY, 0.01) << "point " << k + 1;
    }
}

struct Case {
    const char* name;
    std::vector<int> codes;
    bool distances;
};

class KnownPlaneDeformation : public testing::TestWithParam<Case> {};

TEST_P(KnownPlaneDeformation, AgreesWithTheIndependentSolution) {
    const Case& c = GetParam();
    std::vector<Point> points = six_points(c.codes);
    displace(points);
    File file = observed(points, full_plan(points, c.distances));
    file.MOO = 2.0;  // sigma_d is scaled by this a-priori value
    const Outcome out = run_rudvik(file);
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(out.H.size(), 12u);
    const Solution ind = solve(file);
    EXPECT_EQ(out.redundancy, ind.redundancy);
    EXPECT_NEAR(out.pvv, ind.pvv, 1e-6 + 1e-7 * ind.pvv);
    for (int k = 0; k < 12; ++k) EXPECT_NEAR(out.H[k], ind.x(k), 0.01) << "unknown " << k + 1;
    if (c.codes[0] == 6) expect_true_displacements(out, points);
    // The resulting coordinates: epoch (o) plus the displacement, for every point.
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(out.XO[k], points[k].X + out.H[2 * k]);
        EXPECT_EQ(out.YO[k], points[k].Y + out.H[2 * k + 1]);
    }
    // sigma_d of every pair from the independent cofactors, scaled by MOO = 2.
    const auto xy = truth::pair_rows(out.report, "  Výpočet vektoru posunu (x,y)");
    ASSERT_EQ(xy.size(), 15u);
    int r = 0;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b, ++r) {
            const double dx = ind.x(2 * a) - ind.x(2 * b), dy = ind.x(2 * a + 1) - ind.x(2 * b + 1);
            const double d = std::hypot(dx, dy);
            Eigen::VectorXd e = Eigen::VectorXd::Zero(12);
            e(2 * a) = dx / d;
            e(2 * b) = -dx / d;
            e(2 * a + 1) = dy / d;
            e(2 * b + 1) = -dy / d;
            EXPECT_NEAR(xy[r].first, d, 0.006) << "pair " << a + 1 << "-" << b + 1;
            EXPECT_NEAR(xy[r].second, std::sqrt(e.dot(ind.Qx * e)) * 2.0, 0.006) << "pair " << a + 1 << "-" << b + 1;
        }
    // Two solutions: the second repeats the first.
    EXPECT_NE(out.screen.find(" počítám    2"), std::string::npos);
    EXPECT_EQ(out.screen.find(" počítám    3"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(Datum, KnownPlaneDeformation,
                         testing::Values(Case{"fixed", {6, 2, 0, 0, 0, 0}, true},
                                         Case{"free", {3, 3, 3, 3, 3, 3}, true},
                                         Case{"free_without_distances", {3, 3, 3, 3, 3, 3}, false}),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

// Small networks far from the origin, small networks at heavy weights, a large one at light
// weights (solution_families.h), exact epochs, the epoch-(o) coordinates of the file true or off:
// the displacements as the independent solution of the same differences, to 0.05 mm.
class KnownPlaneDeformationFamilies : public testing::TestWithParam<truth::Family> {};

TEST_P(KnownPlaneDeformationFamilies, AgreeWithTheIndependentSolution) {
    const truth::Family& f = GetParam();
    std::vector<Point> points;
    for (const truth::Point& p : truth::family_points(f, 2)) points.push_back({p.number, p.code, p.X, p.Y});
    for (std::size_t k = 0; k < points.size(); ++k) {
        points[k].dX = truth::FAMILY_DISPLACEMENTS[k][0];
        points[k].dY = truth::FAMILY_DISPLACEMENTS[k][1];
    }
    File file = observed(points, full_plan(points, true));
    std::mt19937_64 engine(44);
    const auto offsets = truth::family_offsets(f, engine);
    for (std::size_t k = 0; k < points.size(); ++k) {
        file.points[k].X += offsets[k][0];
        file.points[k].Y += offsets[k][1];
    }
    if (f.weight > 0)
        for (auto* section : {&file.directions, &file.distances})
            for (Measured& m : *section) m.weight = f.weight;
    const Outcome out = run_rudvik(file);
    ASSERT_EQ(out.status, 0) << out.screen;
    ASSERT_EQ(out.H.size(), 10u);
    const Solution ind = solve(file);
    double largest = 0;
    for (int k = 0; k < 10; ++k) largest = std::max(largest, std::fabs(out.H[k] - ind.x(k)));
    RecordProperty("largest_difference_mm", std::to_string(largest));
    EXPECT_LT(largest, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Families, KnownPlaneDeformationFamilies, testing::ValuesIn(truth::families()),
                         truth::family_name);

// Identical epochs: every right-hand side is 0, the displacements are 0, [pvv] = 0, and the test
// replaces the a-posteriori MO = 0 by MOO.
TEST(KnownPlaneDeformation, IdenticalEpochsGiveNoDisplacement) {
    const std::vector<Point> points = six_points({6, 2, 0, 0, 0, 0});
    File file = observed(points, full_plan(points, true));
    file.MOO = 1.5;
    const Outcome out = run_rudvik(file);
    ASSERT_EQ(out.status, 0);
    for (double h : out.H) EXPECT_EQ(h, 0.0);
    EXPECT_EQ(out.pvv, 0.0);
    EXPECT_DOUBLE_EQ(out.MO, 1.5);
}

// A distance that grew by 3 mm: +3.00 in the control file's list and 3.0 in the report's last
// column "rozdíl" of its row.
TEST(KnownPlaneDeformation, AGrownDistanceIsListedWithItsChange) {
    std::vector<Point> points = six_points({6, 2, 0, 0, 0, 0});
    const double ux = points[2].X - points[0].X, uy = points[2].Y - points[0].Y, s = std::hypot(ux, uy);
    points[2].dX = 3.0 * ux / s;  // point 3 moves 3 mm away from point 1
    points[2].dY = 3.0 * uy / s;
    Plan plan = full_plan(points, false);
    plan.distances = {{1, 3}, {2, 4}};
    const Outcome out = run_rudvik(observed(points, plan));
    ASSERT_EQ(out.status, 0);
    expect_true_displacements(out, points);
    EXPECT_NE(std::find(out.control.begin(), out.control.end(), "     1    3        3.00"), out.control.end());
    EXPECT_NE(std::find(out.control.begin(), out.control.end(), "     2    4        0.00"), out.control.end());
    bool found = false;
    const auto table = std::find(out.report.begin(), out.report.end(), " D é l k y");
    for (auto line_at = table; line_at != out.report.end(); ++line_at)
        if (const std::string& line = *line_at; line.rfind("       1    3", 0) == 0) {
            found = true;
            EXPECT_EQ(testsupport::columns(line, 62, 7), "    3.0") << line;
        }
    EXPECT_TRUE(found);
}

// A target sighted twice in a row at one station: the angle between the two sightings is 0 in
// both epochs wherever the target stands, so its row must not hold the target back (its two
// roles cancel); the displacements are the true ones.
TEST(KnownPlaneDeformation, ATargetSightedTwiceInARowReturnsTheTrueDisplacements) {
    std::vector<Point> points = six_points({6, 2, 0, 0, 0, 0});
    displace(points);
    Plan plan = full_plan(points, true);
    std::vector<std::int16_t>& targets = plan.groups[5].second;
    targets.push_back(targets.back());
    const Outcome out = run_rudvik(observed(points, plan));
    ASSERT_EQ(out.status, 0);
    expect_true_displacements(out, points);
}

// A station whose direction set passes zero in epoch (o) only (its orientation differs between
// the epochs): each epoch's angle is formed with its own reduction, so the change is the true
// change of the angle.
TEST(KnownPlaneDeformation, ADirectionSetPassingZeroInOneEpochOnly) {
    std::vector<Point> points = six_points({6, 2, 0, 0, 0, 0});
    displace(points);
    Plan plan = full_plan(points, true);
    // Station 4 (group 4) sights its targets clockwise from point 1. In epoch (o) the direction
    // to point 1 reads just below the full circle, so the set passes zero; in epoch (i) it reads
    // 100 cc, and the set does not.
    std::vector<std::int16_t>& targets = plan.groups[3].second;
    const double first = azimuth(points[3], points[0], false);
    auto clockwise = [&](std::int16_t t) { return std::fmod(azimuth(points[3], points[t - 1], false) - first + FULL_CIRCLE, FULL_CIRCLE); };
    std::sort(targets.begin(), targets.end(), [&](std::int16_t a, std::int16_t b) { return clockwise(a) < clockwise(b); });
    std::vector<double> o = orientations(plan.groups.size()), i = o;
    o[3] = FULL_CIRCLE - 1000.0 - first;
    i[3] = 100.0 - azimuth(points[3], points[0], true);
    const File file = observe(points, plan, o, i);
    bool wraps_o = false, wraps_i = false;
    for (std::size_t k = 0; k + 1 < file.directions.size(); ++k) {
        if (file.directions[k].station != 4 || file.directions[k + 1].station != 4) continue;
        wraps_o = wraps_o || file.directions[k + 1].o < file.directions[k].o;
        wraps_i = wraps_i || file.directions[k + 1].i < file.directions[k].i;
    }
    ASSERT_TRUE(wraps_o);
    ASSERT_FALSE(wraps_i);
    const Outcome out = run_rudvik(file);
    ASSERT_EQ(out.status, 0);
    expect_true_displacements(out, points);
}

// An angle of 5 cc between two targets on nearly one line, whose directions change order between
// the epochs (the angle becomes 3,999,997 cc): its change enters as -8 cc, not as 3,999,992 cc.
TEST(KnownPlaneDeformation, AnAngleWhoseDirectionsCrossReturnsTheTrueDisplacements) {
    std::vector<Point> points = six_points({6, 2, 0, 0, 0, 0});
    displace(points);
    // Point 6 stands 5 cc beyond point 5 as seen from point 1, twice as far, and moves sideways
    // so that the angle 5-1-6 goes from +5 to -3 cc.
    truth::place_crossing_target(points[0], points[4], points[5]);
    Plan plan = full_plan(points, true);
    plan.groups[0].second = {2, 3, 4, 5, 6};  // the angle 5-1-6 from consecutive directions
    const File file = observed(points, plan);
    const double angle_o = file.directions[4].o - file.directions[3].o;
    const double angle_i = file.directions[4].i - file.directions[3].i;
    ASSERT_NEAR(std::fmod(angle_o + FULL_CIRCLE, FULL_CIRCLE), 5.0, 0.01);
    ASSERT_NEAR(std::fmod(angle_i + FULL_CIRCLE, FULL_CIRCLE), FULL_CIRCLE - 3.0, 0.01);
    const Outcome out = run_rudvik(file);
    ASSERT_EQ(out.status, 0);
    expect_true_displacements(out, points);
    // The listed change of that angle (left target 5, station 1, right target 6).
    EXPECT_NE(std::find(out.control.begin(), out.control.end(), "     5    1    6       -8.00"), out.control.end());
}

}  // namespace

namespace {

// The setting of both builds: at most six solutions, each formed from the same coordinates (the
// loop that this setting drives is tested with the shared convergence test).
TEST(RudvikLoop, AtMostSixSolutionsInBothBuilds) {
    for (plane_deformation::Build build : {plane_deformation::Build::main, plane_deformation::Build::h_drive}) {
        const adjustment::Profile profile = plane_deformation::profile(build);
        EXPECT_FALSE(profile.loop.moves_points);
        EXPECT_EQ(profile.loop.passes, 6);
    }
}

}  // namespace
