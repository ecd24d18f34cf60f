// The deformation program on two epochs computed from known coordinates and displacements
// (two_epoch_network.h): with a fixed datum the adjusted displacements return the true ones;
// with a free datum they, [pvv], the redundancy and the pair standard deviations agree with an
// independent solution written here (the same differences and datum rows, solved through the
// bordered normal equations instead of N + G'G).
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "adjustment/run.h"
#include "bordered_solution.h"
#include "adjustment/solution.h"
#include "platform/console.h"
#include "spatial_deformation/profile.h"
#include "testsupport/in_process.h"
#include "testsupport/runner.h"
#include "solution_families.h"
#include "two_epoch_network.h"

namespace {

using namespace deformation_truth;

// Six points some 300 to 700 m apart, heights over 50 m; no two on one line from a third.
std::vector<Point> six_points(std::vector<int> codes) {
    std::vector<Point> p = {
        {1, 0, 970000.0, 1950000.0, 300000.0},  {2, 0, 1350000.0, 2120000.0, 310500.0},
        {3, 0, 1250000.0, 2450000.0, 305200.0}, {4, 0, 930000.0, 2390000.0, 298400.0},
        {5, 0, 760000.0, 2050000.0, 301800.0},  {6, 0, 1080000.0, 1720000.0, 296200.0},
    };
    for (std::size_t k = 0; k < p.size(); ++k) p[k].code = codes[k];
    return p;
}

// Displacements of a few millimetres; point 1 (code 7 in the fixed cases) does not move and point
// 2 moves only along the ray from point 1, so that the fixed datum returns them.
void displace(std::vector<Point>& p) {
    const double ux = p[1].X - p[0].X, uy = p[1].Y - p[0].Y, s = std::hypot(ux, uy);
    p[1].dX = 3.0 * ux / s;
    p[1].dY = 3.0 * uy / s;
    p[1].dZ = -1.5;
    const double d[4][3] = {{4.0, -2.5, 1.0}, {-3.0, 5.0, -2.0}, {2.2, 1.7, 4.1}, {-1.4, -3.3, -2.6}};
    for (int k = 0; k < 4; ++k) {
        p[2 + k].dX = d[k][0];
        p[2 + k].dY = d[k][1];
        p[2 + k].dZ = d[k][2];
    }
}

using truth::orientations;

// What one run leaves: displacements, [pvv], redundancy, MO, and the report's lines.
struct Outcome {
    int status = -1;
    std::vector<double> H;
    double pvv = 0, MO = 0;
    int redundancy = 0;
    std::vector<std::string> report;
    std::string screen;
};

Outcome run_kaspen(const TwoEpochFile& file) {
    testsupport::DataFolder folder;
    folder.write("D.TXT", file_text(file));
    platform::ScriptConsole console({"R.TXT", "D.TXT"});
    Outcome out;
    out.status = testsupport::run_in_process(spatial_deformation::profile(), folder, console, [&](const adjustment::Run& run) {
        if (!run.solution) return;
        for (int k = 1; k <= run.net.NN; ++k) out.H.push_back(run.solution->H(k, 1));
        out.pvv = run.solution->VVT(1, 1);
        out.redundancy = run.solution->redundancy;
        out.MO = run.net.MO;
    });
    out.report = folder.lines_cp1250("R.TXT");
    out.screen = console.screen();
    return out;
}

// A run that ends normally with the true displacements of the six points, to 0.01 mm.
void expect_true_displacements(const Outcome& out, const std::vector<Point>& points) {
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(out.H.size(), 18u);
    for (int k = 0; k < 6; ++k) {
        const double truth[3] = {points[k].dX, points[k].dY, points[k].dZ};
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(out.H[3 * k + a], truth[a], 0.01) << "point " << k + 1 << " axis " << a;
    }
}

// The independent solution: rows of the angles of consecutive directions, the distances and the
// zenith angles at the epoch-(o) coordinates; right-hand sides the changes between the epochs
// (angles reduced to the half circle); weights through the angles' correlation; datum rows of the
// placement codes; the bordered normal equations.
truth::BorderedSolution solve_independently(const TwoEpochFile& f) {
    std::vector<truth::PlacedPoint> placed;
    for (const Point& p : f.points) placed.push_back({p.number, p.code, p.X, p.Y});
    const int u = 3 * static_cast<int>(f.points.size());
    auto index = [&](std::int16_t number) { return truth::position(placed, number); };
    const int nd = static_cast<int>(f.directions.size());
    auto d_of = [](const Point& a, const Point& b) { return Eigen::Vector3d(b.X - a.X, b.Y - a.Y, b.Z - a.Z); };
    truth::DifferenceRows rows;
    truth::add_angle_rows(rows, f.directions, placed, 3);
    const int nz = static_cast<int>(f.zenith_angles.size());
    for (std::size_t k = 0; k < f.slope_distances.size(); ++k) {
        const Measured& m = f.slope_distances[k];
        const int s = index(m.station), t = index(m.target);
        const Eigen::Vector3d d = d_of(f.points[s], f.points[t]);
        Eigen::VectorXd row = Eigen::VectorXd::Zero(u);
        row.segment<3>(3 * t) = d / d.norm();
        row.segment<3>(3 * s) = -d / d.norm();
        rows.rows.push_back(row);
        rows.l.push_back(m.i - m.o);
        rows.maps.push_back({{nd + nz + static_cast<int>(k), 1.0}});
    }
    for (int k = 0; k < nz; ++k) {
        const Measured& m = f.zenith_angles[k];
        const int s = index(m.station), t = index(m.target);
        const Eigen::Vector3d d = d_of(f.points[s], f.points[t]);
        const double h = std::hypot(d.x(), d.y()), S2 = d.squaredNorm();
        // z = atan2(h, dZ): dz/dh = dZ/S^2, dz/d(dZ) = -h/S^2, dh/d(dX, dY) = (dX, dY)/h.
        const Eigen::Vector3d g(d.z() * d.x() / (h * S2), d.z() * d.y() / (h * S2), -h / S2);
        Eigen::VectorXd row = Eigen::VectorXd::Zero(u);
        row.segment<3>(3 * t) = g * CC_PER_RADIAN;
        row.segment<3>(3 * s) = -g * CC_PER_RADIAN;
        rows.rows.push_back(row);
        rows.l.push_back(m.i - m.o);
        rows.maps.push_back({{nd + k, 1.0}});
    }
    const int p = nd + nz + static_cast<int>(f.slope_distances.size());
    Eigen::VectorXd Pinv(p);
    for (int q = 0; q < nd; ++q) Pinv(q) = 1.0 / f.directions[q].weight;
    for (int q = 0; q < nz; ++q) Pinv(nd + q) = 1.0 / f.zenith_angles[q].weight;
    for (std::size_t q = 0; q < f.slope_distances.size(); ++q) Pinv(nd + nz + q) = 1.0 / f.slope_distances[q].weight;
    // Datum rows of the placement codes: code 7 fixes a point.
    return truth::solve_differences(rows, Pinv, truth::datum_rows(placed, 3, 7, f.slope_distances.empty()));
}

struct Case {
    const char* name;
    std::vector<int> codes;
    bool distances;
    double blunder = 0;  // cc added to epoch (i) of the first zenith angle
};

class KnownDeformation : public testing::TestWithParam<Case> {};

TEST_P(KnownDeformation, AgreesWithTheIndependentSolution) {
    const Case& c = GetParam();
    std::vector<Point> points = six_points(c.codes);
    displace(points);
    const Plan plan = full_plan(points, c.distances);
    TwoEpochFile file = observe(points, plan, orientations(plan.groups.size()));
    file.MOO = 2.0;  // sigma_d is scaled by this a-priori value, whatever the test adopts
    file.zenith_angles[0].i += c.blunder;
    const Outcome out = run_kaspen(file);
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(out.H.size(), 18u);
    const truth::BorderedSolution ind = solve_independently(file);
    EXPECT_EQ(out.redundancy, ind.redundancy);
    EXPECT_NEAR(out.pvv, ind.pvv, 1e-6 + 1e-7 * ind.pvv);
    // A blunder makes the a-posteriori MO exceed its bound: it is kept, differs from MOO, and the
    // report warns; without it MO (near 0) is replaced by MOO and there is no warning.
    if (c.blunder != 0) {
        EXPECT_GT(out.MO, 2.5);
    } else {
        EXPECT_DOUBLE_EQ(out.MO, 2.0);
    }
    const auto warning = std::find(out.report.begin(), out.report.end(),
                                   " !!! Měření neodpovídá směrodatné odchylce (požadované) !!!");
    EXPECT_EQ(warning != out.report.end(), c.blunder != 0);
    const bool fixed = c.codes[0] == 7 && c.blunder == 0;
    for (int k = 0; k < 6; ++k) {
        const double truth[3] = {points[k].dX, points[k].dY, points[k].dZ};
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(out.H[3 * k + a], ind.x(3 * k + a), 0.01) << "point " << k + 1 << " axis " << a;
            if (fixed) {
                EXPECT_NEAR(out.H[3 * k + a], truth[a], 0.01) << "point " << k + 1 << " axis " << a;
            }
        }
    }
    // sigma_d of every pair from the independent cofactors, scaled by MOO = 2.
    const auto xy = truth::pair_rows(out.report, "  Výpočet vektoru posunu (x,y)");
    const auto z = truth::pair_rows(out.report, "  Výpočet vektoru posunu (z)");
    ASSERT_EQ(xy.size(), 15u);
    ASSERT_EQ(z.size(), 15u);
    int r = 0;
    for (int a = 0; a < 6; ++a)
        for (int b = a + 1; b < 6; ++b, ++r) {
            Eigen::VectorXd e = Eigen::VectorXd::Zero(18);
            const double dx = ind.x(3 * a) - ind.x(3 * b), dy = ind.x(3 * a + 1) - ind.x(3 * b + 1);
            const double d = std::hypot(dx, dy);
            e(3 * a) = dx / d;
            e(3 * b) = -dx / d;
            e(3 * a + 1) = dy / d;
            e(3 * b + 1) = -dy / d;
            EXPECT_NEAR(xy[r].first, d, 0.006) << "pair " << a + 1 << "-" << b + 1;
            EXPECT_NEAR(xy[r].second, std::sqrt(e.dot(ind.Qx * e)) * 2.0, 0.006) << "pair " << a + 1 << "-" << b + 1;
            const double vz = ind.Qx(3 * a + 2, 3 * a + 2) + ind.Qx(3 * b + 2, 3 * b + 2) - 2 * ind.Qx(3 * a + 2, 3 * b + 2);
            EXPECT_NEAR(z[r].first, std::fabs(ind.x(3 * a + 2) - ind.x(3 * b + 2)), 0.006);
            EXPECT_NEAR(z[r].second, std::sqrt(std::max(vz, 0.0)) * 2.0, 0.006) << "pair " << a + 1 << "-" << b + 1;
        }
}

INSTANTIATE_TEST_SUITE_P(Datum, KnownDeformation,
                         testing::Values(Case{"fixed", {7, 2, 0, 0, 0, 0}, true},
                                         Case{"free", {3, 3, 3, 3, 3, 3}, true},
                                         Case{"free_without_distances", {3, 3, 3, 3, 3, 3}, false},
                                         Case{"fixed_with_a_blunder", {7, 2, 0, 0, 0, 0}, true, 40.0}),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

// Small networks far from the origin, small networks at heavy weights, a large one at light
// weights (solution_families.h), exact epochs, the epoch-(o) coordinates of the file true or off:
// the displacements as the independent solution of the same differences, to 0.05 mm.
class KnownDeformationFamilies : public testing::TestWithParam<truth::Family> {};

TEST_P(KnownDeformationFamilies, AgreeWithTheIndependentSolution) {
    const truth::Family& f = GetParam();
    std::vector<Point> points;
    for (const truth::Point& p : truth::family_points(f, 3)) points.push_back({p.number, p.code, p.X, p.Y, p.Z});
    for (std::size_t k = 0; k < points.size(); ++k) {
        points[k].dX = truth::FAMILY_DISPLACEMENTS[k][0];
        points[k].dY = truth::FAMILY_DISPLACEMENTS[k][1];
        points[k].dZ = truth::FAMILY_DISPLACEMENTS[k][2];
    }
    const Plan plan = full_plan(points, true);
    TwoEpochFile file = observe(points, plan, orientations(plan.groups.size()));
    std::mt19937_64 engine(43);
    const auto offsets = truth::family_offsets(f, engine);
    for (std::size_t k = 0; k < points.size(); ++k) {
        file.points[k].X += offsets[k][0];
        file.points[k].Y += offsets[k][1];
        file.points[k].Z += offsets[k][2];
    }
    if (f.weight > 0)
        for (auto* section : {&file.directions, &file.zenith_angles, &file.slope_distances})
            for (Measured& m : *section) m.weight = f.weight;
    const Outcome out = run_kaspen(file);
    ASSERT_EQ(out.status, 0) << out.screen;
    ASSERT_EQ(out.H.size(), 15u);
    const truth::BorderedSolution ind = solve_independently(file);
    double largest = 0;
    for (int k = 0; k < 15; ++k) largest = std::max(largest, std::fabs(out.H[k] - ind.x(k)));
    RecordProperty("largest_difference_mm", std::to_string(largest));
    EXPECT_LT(largest, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Families, KnownDeformationFamilies, testing::ValuesIn(truth::families()), truth::family_name);

// Identical epochs: every right-hand side is 0, the displacements are 0, [pvv] = 0, and the test
// replaces the a-posteriori MO = 0 by MOO.
TEST(KnownDeformation, IdenticalEpochsGiveNoDisplacement) {
    std::vector<Point> points = six_points({7, 2, 0, 0, 0, 0});
    const Plan plan = full_plan(points, true);
    TwoEpochFile file = observe(points, plan, orientations(plan.groups.size()));
    file.MOO = 1.5;
    const Outcome out = run_kaspen(file);
    ASSERT_EQ(out.status, 0);
    for (double h : out.H) EXPECT_EQ(h, 0.0);
    EXPECT_EQ(out.pvv, 0.0);
    EXPECT_DOUBLE_EQ(out.MO, 1.5);
}

// Points that fix some of their components (codes 4, 5, 6 and 8 beside the code-7 point) and move
// only in their free ones: the displacements come back in the free components, the fixed ones
// hold 0.0, and every point's resulting coordinates are epoch (o) plus its displacement. The
// redundancy counts the condition rows of the codes (3 + 2 + 2 + 2 + 2 = 11, code 8 fixing three
// components with two rows): 24 angles + 15 zenith angles + 15 distances - 18 unknowns + 11 = 47.
TEST(KnownDeformation, PartlyFixedPointsMoveInTheirFreeComponents) {
    std::vector<Point> points = six_points({7, 4, 5, 6, 8, 0});
    points[1].dZ = -1.5;  // code 4: dx = dy = 0
    points[2].dX = 4.0;   // code 5: dy = dz = 0
    points[3].dY = 5.0;   // code 6: dx = dz = 0
    points[5].dX = -1.4;  // code 0
    points[5].dY = -3.3;
    points[5].dZ = -2.6;
    const Plan plan = full_plan(points, true);
    const Outcome out = run_kaspen(observe(points, plan, orientations(plan.groups.size())));
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(out.H.size(), 18u);
    EXPECT_EQ(out.redundancy, 47);
    for (int k = 0; k < 6; ++k) {
        const double truth[3] = {points[k].dX, points[k].dY, points[k].dZ};
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(out.H[3 * k + a], truth[a], 0.01) << "point " << k + 1 << " axis " << a;
    }
    // Report rows (1X,I4,1X,3(F13.1,F8.1)): point 2 keeps X and Y and sinks by 1.5 mm; point 5
    // (code 8) stays where it was; the free point 6 takes its whole displacement.
    int res = 0;
    while (res < static_cast<int>(out.report.size()) &&
           out.report[static_cast<std::size_t>(res)].rfind("       V Ý S L E D N É", 0) != 0)
        ++res;
    ASSERT_LT(res + 11, static_cast<int>(out.report.size()));
    EXPECT_EQ(out.report[static_cast<std::size_t>(res + 7)],
              "    2     1350000.0     0.0    2120000.0     0.0     310498.5    -1.5");
    EXPECT_EQ(out.report[static_cast<std::size_t>(res + 10)],
              "    5      760000.0     0.0    2050000.0     0.0     301800.0     0.0");
    EXPECT_EQ(out.report[static_cast<std::size_t>(res + 11)],
              "    6     1079998.6    -1.4    1719996.7    -3.3     296197.4    -2.6");
}

// A target sighted twice in a row at one station: the angle between the two sightings is 0 in
// both epochs wherever the target stands, so its row must not hold the target back (its two
// roles cancel); the displacements are the true ones.
TEST(KnownDeformation, ATargetSightedTwiceInARowReturnsTheTrueDisplacements) {
    std::vector<Point> points = six_points({7, 2, 0, 0, 0, 0});
    displace(points);
    Plan plan = full_plan(points, true);
    std::vector<std::int16_t>& targets = plan.groups[5].second;
    targets.push_back(targets.back());
    const Outcome out = run_kaspen(observe(points, plan, orientations(plan.groups.size())));
    expect_true_displacements(out, points);
}

// Enough rows for the unknowns and conditions, yet the conditions leave a motion of the whole
// network free, so that the displacements would be noise: the run is refused as under-determined.
// No placement code at all; no slope distances (the code-7 and the code-2 point fix the shifts and
// the rotation about the vertical, nothing fixes the scale); no zenith angles in a network whose
// points all stand at one height (the slope distances then see no height either, so the heights of
// the free points are free).
TEST(KnownDeformation, ANetworkWithAFreeDatumMotionIsRefused) {
    struct Refused {
        const char* name;
        std::vector<int> codes;
        bool distances, zenith_angles, level;
    };
    const Refused cases[] = {
        {"all points free", {0, 0, 0, 0, 0, 0}, true, true, false},
        {"scale free without distances", {7, 2, 0, 0, 0, 0}, false, true, false},
        {"heights free without zenith angles", {7, 2, 0, 0, 0, 0}, true, false, true},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<Point> points = six_points(c.codes);
        if (c.level)
            for (Point& p : points) p.Z = 300000.0;
        displace(points);
        Plan plan = full_plan(points, c.distances);
        if (!c.zenith_angles) plan.zenith_angles.clear();
        const Outcome out = run_kaspen(observe(points, plan, orientations(plan.groups.size())));
        EXPECT_EQ(out.status, 1);
        EXPECT_NE(out.screen.find(" Chyba - úloha je nedostatečně určena\n         tj. malý počet podmínek umístění sítě\n"),
                  std::string::npos);
        for (const std::string& line : out.report) EXPECT_EQ(line.find("V Ý S L E D N É"), std::string::npos) << "no results";
    }
}

// Networks whose conditions fix the datum in other ways than one code-7 and one code-2 point are
// adjusted, and the displacements are the true ones.
//  - A code-7 point listed before Helmert points: its three rows are the Helmert shift rows, which
//    then hold the sums of the Helmert points' displacements, and the rotation row follows. The
//    displacements are chosen so that these sums vanish (dY of points 3, 4 and 5 in proportion to
//    the differences of their X, dZ of points 2 and 6 opposite).
//  - No zenith angles, the heights seen by the slope distances between points of different
//    heights: no motion is free, the run is no under-determined network.
TEST(KnownDeformation, OtherFixedDatumsReturnTheTrueDisplacements) {
    {
        SCOPED_TRACE("code 7 beside Helmert points");
        std::vector<Point> points = six_points({7, 3, 3, 3, 3, 3});
        points[2].dY = (points[4].X - points[3].X) * 1e-5;
        points[3].dY = (points[2].X - points[4].X) * 1e-5;
        points[4].dY = (points[3].X - points[2].X) * 1e-5;
        points[1].dZ = 2.0;
        points[5].dZ = -2.0;
        const Plan plan = full_plan(points, true);
        const Outcome out = run_kaspen(observe(points, plan, orientations(plan.groups.size())));
        expect_true_displacements(out, points);
    }
    {
        SCOPED_TRACE("no zenith angles");
        std::vector<Point> points = six_points({7, 2, 0, 0, 0, 0});
        displace(points);
        Plan plan = full_plan(points, true);
        plan.zenith_angles.clear();
        const Outcome out = run_kaspen(observe(points, plan, orientations(plan.groups.size())));
        expect_true_displacements(out, points);
    }
}

// An angle of 5 cc between two targets on nearly one line, whose directions change order between
// the epochs (the angle becomes 3,999,997 cc): its change enters as -8 cc, not as 3,999,992 cc
// (which moved the points by hundreds of metres before it was reduced).
TEST(KnownDeformation, AnAngleWhoseDirectionsCrossReturnsTheTrueDisplacements) {
    std::vector<Point> points = six_points({7, 2, 0, 0, 0, 0});
    displace(points);
    // Point 6 stands 5 cc beyond point 5 as seen from point 1, twice as far; it moves 8 cc
    // sideways (clockwise), so that the angle 5-1-6 goes from +5 to -3 cc.
    truth::place_crossing_target(points[0], points[4], points[5]);
    Plan plan = full_plan(points, true);
    plan.groups[0].second = {2, 3, 4, 5, 6};  // the angle 5-1-6 is formed from consecutive directions
    TwoEpochFile file = observe(points, plan, orientations(plan.groups.size()));
    const double angle_o = file.directions[4].o - file.directions[3].o;
    const double angle_i = file.directions[4].i - file.directions[3].i;
    ASSERT_NEAR(std::fmod(angle_o + FULL_CIRCLE, FULL_CIRCLE), 5.0, 0.01);
    ASSERT_NEAR(std::fmod(angle_i + FULL_CIRCLE, FULL_CIRCLE), FULL_CIRCLE - 3.0, 0.01);
    const Outcome out = run_kaspen(file);
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(out.H.size(), 18u);
    for (int k = 0; k < 6; ++k) {
        const double truth[3] = {points[k].dX, points[k].dY, points[k].dZ};
        for (int a = 0; a < 3; ++a) EXPECT_NEAR(out.H[3 * k + a], truth[a], 0.01) << "point " << k + 1;
    }
}

}  // namespace
