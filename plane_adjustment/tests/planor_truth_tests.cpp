// The plane adjustment on networks whose true coordinates are known. The directions and
// distances are computed from the true coordinates (truth_network.h, in the plane layout); each
// case runs once with exact observations and once with Gaussian noise of known size.
//  - Always: coordinates, corrections, [pvv], cofactors and redundancy agree with an independent
//    classical adjustment with one orientation unknown per station group, which computes its
//    directions with the program's single-precision full circle; the counts of rows and
//    condition rows agree with counts made here from the observations and the codes.
//  - Exact observations: the adjusted coordinates come back to the truth (a free network to the
//    truth placed in the datum of its input coordinates).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "classical_adjustment.h"
#include "truth_checks.h"
#include "plane_adjustment/profile.h"
#include "platform/console.h"
#include "testsupport/in_process.h"
#include "testsupport/runner.h"
#include "solution_families.h"
#include "truth_network.h"

namespace {

using truth::Point;

// True coordinates [mm] of the ten points the cases draw from, some 800 m across. From every
// point the other nine lie at least 7 gon apart in azimuth.
const Point BASE[] = {
    {1, 0, 970000.0, 1950000.0, 0},  {2, 0, 1350000.0, 2120000.0, 0}, {3, 0, 1250000.0, 2450000.0, 0},
    {4, 0, 930000.0, 2390000.0, 0},  {5, 0, 760000.0, 2050000.0, 0},  {6, 0, 1080000.0, 1720000.0, 0},
    {7, 0, 1370000.0, 2320000.0, 0}, {8, 0, 1030000.0, 2220000.0, 0}, {9, 0, 1480000.0, 1930000.0, 0},
    {10, 0, 690000.0, 2240000.0, 0},
};

struct TruthCase {
    const char* name;
    std::vector<int> codes;   // placement codes of the first codes.size() base points
    int sets;                 // direction sets per station
    truth::Rounds rounds;
    bool distances;
    double free_offset_mm;    // largest input offset of a point of |code| <= 1
    double other_offset_mm;   // largest input offset of the other points in their free components
    std::uint64_t seed;
};

void PrintTo(const TruthCase& c, std::ostream* os) { *os << c.name; }

using truth::Rounds;

const TruthCase CASES[] = {
    // A fixed point (code 6) and an azimuth point (code 2), the others free and far off.
    {"fixed", {6, 2, 0, 0, 0, 0, 0}, 1, Rounds::full, true, 300.0, 0.0, 21},
    // Two sets per station, code 1 among the free points (a negative code is a database point).
    {"fixed_halves", {6, 2, 0, 1, 0, 0, 0}, 2, Rounds::halves, true, 250.0, 0.0, 22},
    // Free networks: every point code 3, with and without distances (then with the scale row).
    {"free", {3, 3, 3, 3, 3, 3}, 1, Rounds::halves, true, 0.0, 3.0, 23},
    {"free_without_distances", {3, 3, 3, 3, 3, 3}, 1, Rounds::halves, false, 0.0, 3.0, 24},
    // Codes 4 and 5 with a code-6 point; a code-7 point with a code-5 point (7 is fixed as 6).
    {"codes_4_and_5", {6, 4, 5, 0, 0, 0}, 1, Rounds::halves, true, 300.0, 0.0, 25},
    {"code_7", {7, 5, 0, 0, 0, 0, 0, 0}, 1, Rounds::halves, true, 200.0, 0.0, 26},
};

using truth::Data;

using truth::ProgramResult;

// One run; `offers`: the answers after the database question.
ProgramResult run_planor(const truth::InputFile& file, const std::vector<std::string>& offers = {"n", "n"}) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", truth::file_text(file));
    std::vector<std::string> answers = {"REPORT.TXT", "INPUT.TXT", "n"};
    answers.insert(answers.end(), offers.begin(), offers.end());
    platform::ScriptConsole console(answers);
    ProgramResult out;
    out.status = testsupport::run_in_process(plane_adjustment::profile(), folder, console,
                                             [&](const adjustment::Run& run) { truth::take_results(run, out); });
    out.screen = console.screen();
    out.report = folder.lines_cp1250("REPORT.TXT");
    return out;
}

// Condition rows of the plane codes, counted from the codes alone.
int counted_condition_rows(const std::vector<Point>& points, bool distances) {
    int rows = 0;
    bool free_network = false;
    for (const Point& p : points) {
        const int code = std::abs(p.code);
        if (code == 2 || code == 4 || code == 5) rows += 1;
        if (code >= 6) rows += 2;
        if (code == 3) free_network = true;
    }
    return rows + (free_network ? (distances ? 3 : 4) : 0);
}

int counted_derived_observations(const truth::Plan& plan) {
    int count = 0;
    for (const truth::StationGroup& g : plan.groups) count += static_cast<int>(g.targets.size()) - 1;
    return count + static_cast<int>(plan.slope_distances.size());
}

class PlanorTruth : public ::testing::TestWithParam<std::tuple<TruthCase, Data>> {};

TEST_P(PlanorTruth, AgreesWithTruthAndClassicalAdjustment) {
    const auto& [c, data] = GetParam();
    const bool noisy = data == Data::noisy;
    std::mt19937_64 engine(c.seed * 2 + (noisy ? 1 : 0));
    std::vector<Point> truth_points;
    for (std::size_t i = 0; i < c.codes.size(); ++i) {
        truth_points.push_back(BASE[i]);
        truth_points.back().code = c.codes[i];
    }
    const std::vector<Point> input = truth::perturbed(truth_points, c.free_offset_mm, c.other_offset_mm, engine, 2);
    truth::Plan plan = truth::full_plan(truth_points, c.sets, c.rounds, c.distances);
    plan.zenith_angles.clear();
    const truth::InputFile file =
        truth::in_the_plane(truth::observe(truth_points, input, plan, truth::Accuracy{}, noisy, engine));

    const ProgramResult program = run_planor(file);
    ASSERT_EQ(program.status, 0) << program.screen;
    ASSERT_TRUE(program.adjusted) << program.screen;
    const truth::ClassicalResult reference = truth::adjust_classically(file, truth::Circle::single_precision);

    const int n = static_cast<int>(truth_points.size());
    const int derived = counted_derived_observations(plan);
    const int conditions = counted_condition_rows(truth_points, c.distances);
    EXPECT_EQ(program.NM, derived);
    EXPECT_EQ(program.NP, conditions);
    EXPECT_EQ(program.redundancy, derived - 2 * n + conditions);
    EXPECT_EQ(reference.redundancy, program.redundancy);
    truth::expect_like_classical(program, reference);
    // Offsets of a few hundred millimetres: the sum of the first squared increments lies far
    // above that of the second, so the iteration runs a third solution at least.
    if (c.free_offset_mm >= 200.0) {
        EXPECT_GE(program.solutions, 3);
    }

    if (noisy) {
        const double sigma0 = std::sqrt(program.VVT / program.redundancy);
        EXPECT_GT(sigma0, 0.5 * truth::SIGMA0);
        EXPECT_LT(sigma0, 1.5 * truth::SIGMA0);
    } else {
        // Sights of up to 0.8 km, and angles that span a station's X axis computed 0.1113 cc off
        // by the single-precision full circle: about 0.1 mm.
        const bool spans_axis = c.rounds == Rounds::full;
        truth::expect_coordinates_near(program.points, truth::exact_result(truth_points, file.points, c.distances, 2),
                                       spans_axis ? 0.1 : 0.01, "against the truth");
    }
}

// The distance between two adjusted network points and its standard deviation against the
// covariance of the independent adjustment: sigma^2 = F.R.F^T MO^2 with F the distance's
// gradient (direction cosines, opposite at the two ends).
TEST(PlanorTruthDialogue, DistanceSigmaFromTheIndependentCovariance) {
    std::mt19937_64 engine(77);
    std::vector<Point> truth_points;
    const int codes[] = {6, 2, 0, 0, 0, 0};
    for (int i = 0; i < 6; ++i) {
        truth_points.push_back(BASE[i]);
        truth_points.back().code = codes[i];
    }
    const std::vector<Point> input = truth::perturbed(truth_points, 200.0, 0.0, engine, 2);
    truth::Plan plan = truth::full_plan(truth_points, 1, Rounds::halves, true);
    plan.zenith_angles.clear();
    const truth::InputFile file =
        truth::in_the_plane(truth::observe(truth_points, input, plan, truth::Accuracy{}, true, engine));
    const ProgramResult program = run_planor(file, {"y", "4 6", "-1 0", "y", "n"});
    ASSERT_EQ(program.status, 0) << program.screen;
    const truth::ClassicalResult reference = truth::adjust_classically(file, truth::Circle::single_precision);

    const Point& a = reference.adjusted[3];
    const Point& b = reference.adjusted[5];
    const double dx = b.X - a.X, dy = b.Y - a.Y, d = std::hypot(dx, dy);
    Eigen::VectorXd F = Eigen::VectorXd::Zero(12);
    F(6) = dx / d, F(10) = -dx / d, F(7) = dy / d, F(11) = -dy / d;
    const double sigma = std::sqrt(F.dot(reference.cofactors * F)) * program.MO;

    int row = -1;
    for (std::size_t i = 0; i < program.report.size(); ++i)
        if (program.report[i].rfind("     4 -   6", 0) == 0) row = static_cast<int>(i);
    ASSERT_GE(row, 0);
    const std::string& line = program.report[row];
    EXPECT_NEAR(std::stod(line.substr(20, 12)), d, 0.05);
    EXPECT_NEAR(std::stod(line.substr(38, 9)), sigma, 0.0015);
    EXPECT_GT(sigma, 0.1);
}

// Small networks far from the origin, small networks at heavy weights, a large one at light
// weights (solution_families.h), exact observations: each adjusted to the classical adjustment of
// the same file with the program's pass rule, to 0.05 mm.
class PlanorFamilies : public ::testing::TestWithParam<truth::Family> {};

TEST_P(PlanorFamilies, AgreeWithTheClassicalAdjustment) {
    const truth::Family& f = GetParam();
    std::mt19937_64 engine(42);
    const std::vector<Point> truth_points = truth::family_points(f, 2);
    const std::vector<Point> input = truth::perturbed(truth_points, f.offset, f.offset, engine, 2);
    truth::Plan plan = truth::full_plan(truth_points, 1, Rounds::full, true);
    plan.zenith_angles.clear();
    truth::InputFile file =
        truth::in_the_plane(truth::observe(truth_points, input, plan, truth::Accuracy{}, false, engine));
    if (f.weight > 0) truth::weigh_all(file, f.weight);
    const ProgramResult program = run_planor(file);
    ASSERT_EQ(program.status, 0) << program.screen;
    ASSERT_TRUE(program.adjusted) << program.screen;
    const truth::ClassicalResult reference =
        truth::adjust_classically(file, truth::Circle::single_precision, truth::PassRule::programs);
    const double largest = truth::largest_difference(program.points, reference.adjusted, 2);
    RecordProperty("largest_difference_mm", std::to_string(largest));
    EXPECT_LT(largest, 0.05);
}

INSTANTIATE_TEST_SUITE_P(Families, PlanorFamilies, ::testing::ValuesIn(truth::families()), truth::family_name);

// A free network of four points with sides of 8 to 16 m in the national grid, exact observations:
// adjusted as the same text with 1,099,200,000 mm taken off X and 698,300,000 mm
// off Y, which moves point 101 by +3.13 and -2.29 mm, and as the classical adjustment.
TEST(PlanorNationalGrid, FourPointFreeNetworkAsNearTheOrigin) {
    const double moved_x = 1099200000.0, moved_y = 698300000.0;
    truth::InputFile grid;
    grid.dimension = 2;
    grid.title = "free network in the national grid";
    grid.UU = 3.0, grid.UD = 2.0, grid.MOO = 3.0, grid.MCH = 1.0;
    grid.points = {{101, 3, 1100227280.2537, 700308816.9642, 0}, {102, 3, 1100213776.2914, 700304099.1860, 0},
                   {103, 3, 1100220216.5619, 700317928.6573, 0}, {104, 3, 1100211388.6299, 700311992.2741, 0}};
    grid.directions = {{101, 103, 882627.493810, 1},  {101, 102, 1677006.520561, 1}, {101, 104, 1337014.101363, 1},
                       {102, 104, 1796439.754993, 1}, {102, 101, 824728.549263, 1},  {102, 103, 1333363.514201, 1},
                       {103, 104, 3322566.961135, 1}, {103, 101, 364985.994351, 1},  {103, 102, 3667999.986041, 1},
                       {104, 102, 2165898.599783, 1}, {104, 103, 3357389.334086, 1}, {104, 101, 2854194.974853, 1}};
    grid.slope_distances = {{101, 103, 11541.196254, 2.25}, {101, 102, 14314.673380, 2.25},
                            {101, 104, 16204.393018, 2.25}, {102, 104, 8256.691367, 2.25},
                            {102, 103, 15272.002592, 2.25}, {103, 104, 10632.158165, 2.25}};
    truth::InputFile local = grid;
    for (Point& p : local.points) p.X -= moved_x, p.Y -= moved_y;

    const ProgramResult at_grid = run_planor(grid), at_origin = run_planor(local);
    ASSERT_EQ(at_grid.status, 0) << at_grid.screen;
    ASSERT_EQ(at_origin.status, 0) << at_origin.screen;
    EXPECT_NEAR(at_origin.points[0].X - local.points[0].X, 3.13, 0.01);
    EXPECT_NEAR(at_origin.points[0].Y - local.points[0].Y, -2.29, 0.01);
    const truth::ClassicalResult reference =
        truth::adjust_classically(grid, truth::Circle::single_precision, truth::PassRule::programs);
    for (std::size_t i = 0; i < grid.points.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(grid.points[i].number));
        EXPECT_NEAR(at_grid.points[i].X - grid.points[i].X, at_origin.points[i].X - local.points[i].X, 0.05);
        EXPECT_NEAR(at_grid.points[i].Y - grid.points[i].Y, at_origin.points[i].Y - local.points[i].Y, 0.05);
        EXPECT_NEAR(at_grid.points[i].X, reference.adjusted[i].X, 0.05);
        EXPECT_NEAR(at_grid.points[i].Y, reference.adjusted[i].Y, 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, PlanorTruth,
                         ::testing::Combine(::testing::ValuesIn(CASES),
                                            ::testing::Values(Data::exact, Data::noisy)),
                         truth::case_name<TruthCase>);

}  // namespace
