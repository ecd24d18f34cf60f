// The spatial adjustment on networks whose true coordinates are known. The observations are
// computed from the true coordinates (truth_network.h); each case runs once with exact
// observations and once with Gaussian noise of known size from a fixed seed.
//  - Always: coordinates, corrections, [pvv], cofactors and redundancy agree with an independent
//    classical adjustment with orientation unknowns (classical_adjustment.h) that computes its
//    directions with the program's full circle, and the redundancy with a count made here from
//    the observations and the placement codes.
//  - Exact observations: the adjusted coordinates come back to the truth (for a free network: to
//    the truth placed in the datum of its input coordinates) and [pvv] is near zero; to 0.01 mm
//    where no angle spans a station's X axis, to 0.1 mm where the program's single-precision
//    full circle shifts such angles by 0.1113 cc.
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
#include "platform/console.h"
#include "spatial_adjustment/builds.h"
#include "testsupport/in_process.h"
#include "testsupport/runner.h"
#include "solution_families.h"
#include "truth_network.h"

namespace {

using truth::Point;

// True coordinates [mm] of the ten points that the cases draw from, a network of some 700 m
// across with heights spread over 50 m. From every point the other nine lie at least 7 gon apart
// in azimuth, and no two points are closer than 20 m in Y, so that no line runs near a station's
// X axis (where the computed direction passes between the two ends of the circle).
const Point BASE[] = {
    {1, 0, 970000.0, 1950000.0, 300000.0},  {2, 0, 1350000.0, 2120000.0, 310500.0},
    {3, 0, 1250000.0, 2450000.0, 305200.0}, {4, 0, 930000.0, 2390000.0, 298400.0},
    {5, 0, 760000.0, 2050000.0, 301800.0},  {6, 0, 1080000.0, 1720000.0, 296200.0},
    {7, 0, 1370000.0, 2320000.0, 312700.0}, {8, 0, 1030000.0, 2220000.0, 341000.0},
    {9, 0, 1480000.0, 1930000.0, 288000.0}, {10, 0, 690000.0, 2240000.0, 322000.0},
};

struct TruthCase {
    const char* name;
    std::vector<int> codes;          // placement codes of the first codes.size() base points
    int sets;                        // direction sets per station
    truth::Rounds rounds;            // one group per set, or one per set and side of the X axis
    bool distances;                  // slope distances measured
    std::vector<std::int16_t> lone;  // stations that sight only one target per group
    double free_offset_mm;           // largest input offset of a point of |code| <= 1
    double other_offset_mm;          // largest input offset of every other point, exact data
    double noisy_other_offset_mm;    // the same with noise (then the other points stay far from
                                     // their solution, which shows whether they are moved)
    std::uint64_t seed;
};

void PrintTo(const TruthCase& c, std::ostream* os) { *os << c.name; }

using truth::Rounds;

const TruthCase CASES[] = {
    // One code-7 point and an azimuth point, the others free and far off in the input (with
    // noise the azimuth point too, so that it shows whether it is moved during the passes).
    {"fixed", {7, 2, 0, 0, 0, 0, 0}, 1, Rounds::full, true, {}, 300.0, 0.0, 150.0, 11},
    {"fixed_halves", {7, 2, 0, 0, 0, 0, 0}, 1, Rounds::halves, true, {}, 300.0, 0.0, 150.0, 18},
    // Two sets per station (separate station groups), a station of one direction per group,
    // codes 1 and -1 among the free points.
    {"fixed_two_sets", {7, 2, 0, 1, -1, 0, 0, 0}, 2, Rounds::halves, true, {6}, 250.0, 0.0, 0.0, 12},
    // Free networks: all points code 3; they are linearised once, at their input coordinates.
    {"free_true_input", {3, 3, 3, 3, 3, 3}, 1, Rounds::full, true, {}, 0.0, 0.0, 0.0, 13},
    {"free", {3, 3, 3, 3, 3, 3}, 1, Rounds::halves, true, {}, 0.0, 3.0, 3.0, 14},
    {"free_without_distances", {3, 3, 3, 3, 3, 3}, 1, Rounds::halves, false, {}, 0.0, 3.0, 3.0, 15},
    // Points fixed in all (code 8) or in two of their components (codes 4, 5, 6).
    {"fixed_components", {8, 4, 5, 0, 0, 6, 0}, 1, Rounds::halves, true, {}, 300.0, 0.0, 150.0, 16},
    // Ten points, directions and zenith angles only: scale from the code-7 and code-4 points.
    {"ten_points_without_distances", {7, 4, 0, 0, 1, 0, 0, 0, 0, 0}, 1, Rounds::full, false, {},
     200.0, 0.0, 0.0, 17},
};

using truth::Data;

using truth::ProgramResult;

ProgramResult run_ostrel(const truth::InputFile& file,
                         spatial_adjustment::Build build = spatial_adjustment::Build::main) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", truth::file_text(file));
    platform::ScriptConsole console({"REPORT.TXT", "INPUT.TXT", "n", "n", "n", "n", "n"});
    const adjustment::Profile profile = spatial_adjustment::profile(build);
    ProgramResult out;
    out.status = testsupport::run_in_process(profile, folder, console,
                                             [&](const adjustment::Run& run) { truth::take_results(run, out); });
    out.screen = console.screen();
    return out;
}

std::vector<Point> true_points(const TruthCase& c) {
    std::vector<Point> points;
    for (std::size_t i = 0; i < c.codes.size(); ++i) {
        points.push_back(BASE[i]);
        points.back().code = c.codes[i];
    }
    return points;
}

// Condition rows that the placement codes place: counted here from the codes alone.
int counted_condition_rows(const std::vector<Point>& points, bool distances) {
    int rows = 0;
    bool free_network = false;
    for (const Point& p : points) {
        const int code = std::abs(p.code);
        if (code == 2) rows += 1;
        if (code == 3) free_network = true;
        if (code == 4 || code == 5 || code == 6 || code == 8) rows += 2;
        if (code == 7) rows += 3;
    }
    return rows + (free_network ? (distances ? 4 : 5) : 0);
}

// Angles formed from consecutive directions of each station group, zenith angles, distances.
int counted_derived_observations(const truth::Plan& plan) {
    int count = 0;
    for (const truth::StationGroup& g : plan.groups) count += static_cast<int>(g.targets.size()) - 1;
    return count + static_cast<int>(plan.zenith_angles.size() + plan.slope_distances.size());
}

// The program's results against the classical adjustment of the same file, and its counts
// against the observations and codes of the case.
void expect_as_classical(const ProgramResult& program, const truth::ClassicalResult& reference,
                         const std::vector<Point>& truth_points, const truth::Plan& plan, bool distances) {
    const int points = static_cast<int>(truth_points.size());
    const int derived = counted_derived_observations(plan);
    const int conditions = counted_condition_rows(truth_points, distances);
    EXPECT_EQ(program.NM, derived);
    EXPECT_EQ(program.NP, conditions);
    EXPECT_EQ(program.redundancy, derived - 3 * points + conditions);
    EXPECT_EQ(reference.redundancy, derived - 3 * points + conditions);

    truth::expect_like_classical(program, reference);
}

// Exact observations: back to the truth, [pvv] near zero.
void expect_truth(const ProgramResult& program, const truth::InputFile& file,
                  const std::vector<Point>& truth_points, const TruthCase& c) {
    const std::vector<Point> expected = truth::exact_result(truth_points, file.points, c.distances);
    // With the exact full circle the classical adjustment itself returns to the truth.
    const truth::ClassicalResult exact_circle = truth::adjust_classically(file, truth::Circle::exact);
    truth::expect_coordinates_near(exact_circle.adjusted, expected, 0.01,
                            "classical adjustment with 2 pi, against the truth");
    EXPECT_LT(std::sqrt(exact_circle.pvv / exact_circle.redundancy), 0.01);
    // The program returns to the truth exactly where no angle spans a station's X axis. An angle
    // that spans it is computed 0.1113 cc off (the single-precision full circle added to one of
    // its two directions only), which moves these networks by a few hundredths of a millimetre.
    const bool spans_axis = c.rounds == Rounds::full;
    truth::expect_coordinates_near(program.points, expected, spans_axis ? 0.1 : 0.01, "against the truth");
    EXPECT_LT(std::sqrt(program.VVT / program.redundancy), spans_axis ? 0.1 : 0.01);
}

class OstrelTruth : public ::testing::TestWithParam<std::tuple<TruthCase, Data>> {};

TEST_P(OstrelTruth, AgreesWithTruthAndClassicalAdjustment) {
    const auto& [c, data] = GetParam();
    const bool noisy = data == Data::noisy;
    const std::uint64_t seed = c.seed * 2 + (noisy ? 1 : 0);
    SCOPED_TRACE("case " + std::string(c.name) + (noisy ? ", noisy" : ", exact") + ", seed " +
                 std::to_string(seed));
    std::mt19937_64 engine(seed);
    const std::vector<Point> truth_points = true_points(c);
    const std::vector<Point> input = truth::perturbed(
        truth_points, c.free_offset_mm, noisy ? c.noisy_other_offset_mm : c.other_offset_mm, engine);
    const truth::Plan plan = truth::full_plan(truth_points, c.sets, c.rounds, c.distances, c.lone);
    const truth::InputFile file = truth::observe(truth_points, input, plan, truth::Accuracy{}, noisy, engine);

    const ProgramResult program = run_ostrel(file);
    ASSERT_EQ(program.status, 0) << program.screen;
    ASSERT_TRUE(program.adjusted) << program.screen;
    const truth::ClassicalResult reference = truth::adjust_classically(file, truth::Circle::single_precision);
    expect_as_classical(program, reference, truth_points, plan, c.distances);
    if (noisy) {
        // The noise has the standard deviations that the weights state, so sigma0 is near SIGMA0.
        const double sigma0 = std::sqrt(program.VVT / program.redundancy);
        EXPECT_GT(sigma0, 0.5 * truth::SIGMA0);
        EXPECT_LT(sigma0, 1.5 * truth::SIGMA0);
    } else {
        expect_truth(program, file, truth_points, c);
    }
}

// The generator's quantities by hand: azimuth from X toward Y, zenith angle 0 straight up (to
// 1e-5 cc: cc per radian is written with 6 decimals).
TEST(TruthNetwork, QuantitiesAndFileLayout) {
    const Point a{1, 7, 1000.0, 1000.0, 0.0}, b{2, 0, 2000.0, 2000.0, 0.0}, c{3, 0, 0.0, 1000.0, 1000.0},
                d{4, 0, 1000.0, 0.0, 0.0};
    EXPECT_NEAR(truth::azimuth(a, b), 500000.0, 1e-5);
    EXPECT_NEAR(truth::azimuth(a, c), 2000000.0, 1e-5);
    EXPECT_NEAR(truth::azimuth(a, d), 3000000.0, 1e-5);
    EXPECT_NEAR(truth::zenith_angle(a, b), 1000000.0, 1e-5);
    EXPECT_NEAR(truth::zenith_angle(a, c), 500000.0, 1e-5);
    EXPECT_NEAR(truth::zenith_angle(c, a), 1500000.0, 1e-5);
    EXPECT_NEAR(truth::slope_distance(a, c), 1000.0 * std::sqrt(2.0), 1e-9);

    truth::InputFile file;
    file.title = "T";
    file.UU = 3, file.UD = 2, file.UZ = 5, file.MOO = 3;
    file.points = {a, b};
    file.directions = {{1, 2, 5.25, 1.0}};
    file.slope_distances = {{2, 1, 1414.2, 2.25}};
    EXPECT_EQ(truth::file_text(file),
              "'T'\n3.000000 2.000000 5.000000 3.000000 0.000000\n"
              "1 7 1000.000000 1000.000000 0.000000\n2 0 2000.000000 2000.000000 0.000000\n-1\n"
              "1 2 5.250000 1.000000\n-1\n-1\n2 1 1414.200000 2.250000\n-1\n");
}

// A tiny network solved by hand: point 2 may move along X only (code 5), point 1 is fixed, and
// the distance between them is measured twice, 1000.3 mm with weight 1 and 1000.0 mm with weight
// 3. The weighted mean 1000.075 mm places point 2; corrections -0.225 and 0.075 mm; [pvv] =
// 0.225^2 + 3 * 0.075^2 = 0.0675; redundancy 2 - 6 + 3 + 2 = 1; cofactor of X2 = 1 / (1 + 3).
TEST(TruthNetwork, WeightedMeanOfTwoDistancesByHand) {
    truth::InputFile file;
    file.title = "Dve delky";
    file.UU = 3, file.UD = 2, file.UZ = 5, file.MOO = 3;
    file.points = {{1, 7, 0.0, 0.0, 0.0}, {2, 5, 1000.0, 0.0, 0.0}};
    file.slope_distances = {{1, 2, 1000.3, 1.0}, {2, 1, 1000.0, 3.0}};
    const truth::ClassicalResult reference = truth::adjust_classically(file, truth::Circle::exact);
    const ProgramResult program = run_ostrel(file);
    ASSERT_EQ(program.status, 0) << program.screen;
    ASSERT_TRUE(program.adjusted) << program.screen;
    const double v[2] = {-0.225, 0.075};
    for (const auto& [X2, V, pvv, r, R] :
         {std::tuple{reference.adjusted[1].X, std::vector<double>{reference.v(0), reference.v(1)},
                     reference.pvv, reference.redundancy, reference.cofactors(3, 3)},
          std::tuple{program.points[1].X, program.V, program.VVT, program.redundancy, program.R[3][3]}}) {
        EXPECT_NEAR(X2, 1000.075, 1e-9);
        EXPECT_NEAR(V[0], v[0], 1e-9);
        EXPECT_NEAR(V[1], v[1], 1e-9);
        EXPECT_NEAR(pvv, 0.0675, 1e-9);
        EXPECT_EQ(r, 1);
        EXPECT_NEAR(R, 0.25, 1e-12);
    }
    EXPECT_EQ(program.points[1].Y, 0.0);
    EXPECT_EQ(program.points[1].Z, 0.0);
}

using spatial_adjustment::Build;
const Build BUILDS[] = {Build::main, Build::vintra, Build::f_drive, Build::data_directory, Build::c_drive};

// A round closed on its reference target: the first station group sights its last target twice
// in a row. The angle between the two sightings is 0 wherever the target stands, so its row must
// not hold the target back (its left and right roles cancel): with exact observations every build
// returns the true coordinates, although the free points start up to 300 mm off in the input.
TEST(OstrelTruthRounds, ATargetSightedTwiceInARowReturnsTheTruth) {
    std::mt19937_64 engine(31);
    std::vector<Point> truth_points;
    for (int i = 0; i < 7; ++i) truth_points.push_back(BASE[i]);
    truth_points[0].code = 7;
    truth_points[1].code = 2;
    const std::vector<Point> input = truth::perturbed(truth_points, 300.0, 0.0, engine);
    truth::Plan plan = truth::full_plan(truth_points, 1, Rounds::halves, true);
    std::vector<std::int16_t>& targets = plan.groups[0].targets;
    targets.push_back(targets.back());
    const truth::InputFile file = truth::observe(truth_points, input, plan, truth::Accuracy{}, false, engine);
    for (const Build build : BUILDS) {
        SCOPED_TRACE(static_cast<int>(build));
        const ProgramResult program = run_ostrel(file, build);
        ASSERT_EQ(program.status, 0) << program.screen;
        ASSERT_TRUE(program.adjusted) << program.screen;
        truth::expect_coordinates_near(program.points, truth_points, 0.01, "against the truth");
        EXPECT_LT(std::sqrt(program.VVT / program.redundancy), 0.01);
    }
}

// Enough rows for the unknowns and conditions, yet the placement codes leave a motion of the
// whole network free: every build refuses the network as under-determined before any solution.
// No placement code at all; a code-7 and a code-2 point with directions and zenith angles but no
// slope distance (the scale free).
TEST(OstrelTruthRounds, AFreeDatumIsRefusedAsUnderDetermined) {
    struct Refused {
        const char* name;
        std::vector<int> codes;
        bool distances;
    };
    const Refused cases[] = {
        {"all points free", {0, 0, 0, 0, 0, 0}, true},
        {"scale free without distances", {7, 2, 0, 0, 0, 0}, false},
    };
    for (const Refused& c : cases)
        for (const Build build : BUILDS) {
            SCOPED_TRACE(std::string(c.name) + ", build " + std::to_string(static_cast<int>(build)));
            std::mt19937_64 engine(32);
            std::vector<Point> points;
            for (std::size_t i = 0; i < c.codes.size(); ++i) {
                points.push_back(BASE[i]);
                points.back().code = c.codes[i];
            }
            const truth::Plan plan = truth::full_plan(points, 1, Rounds::halves, c.distances);
            const ProgramResult program =
                run_ostrel(truth::observe(points, points, plan, truth::Accuracy{}, false, engine), build);
            EXPECT_EQ(program.status, 1);
            EXPECT_NE(program.screen.find(" Chyba - úloha je nedostatečně určena\n"
                                          "         tj. malý počet podmínek umístění sítě\n"
                                          "         nebo nedostatečné zaměření sítě\n"),
                      std::string::npos)
                << program.screen;
            EXPECT_FALSE(program.adjusted);
        }
}

// Small networks far from the origin, small networks at heavy weights, a large one at light
// weights (solution_families.h), exact observations: every build adjusts each to the classical
// adjustment of the same file with the program's pass rule, to 0.05 mm.
class OstrelFamilies : public ::testing::TestWithParam<truth::Family> {};

TEST_P(OstrelFamilies, AgreeWithTheClassicalAdjustment) {
    const truth::Family& f = GetParam();
    std::mt19937_64 engine(41);
    const std::vector<Point> truth_points = truth::family_points(f, 3);
    const std::vector<Point> input = truth::perturbed(truth_points, f.offset, f.offset, engine);
    const truth::Plan plan = truth::full_plan(truth_points, 1, Rounds::full, true);
    truth::InputFile file = truth::observe(truth_points, input, plan, truth::Accuracy{}, false, engine);
    if (f.weight > 0) truth::weigh_all(file, f.weight);
    const truth::ClassicalResult reference =
        truth::adjust_classically(file, truth::Circle::single_precision, truth::PassRule::programs);
    for (const Build build : BUILDS) {
        SCOPED_TRACE("build " + std::to_string(static_cast<int>(build)));
        const ProgramResult program = run_ostrel(file, build);
        ASSERT_EQ(program.status, 0) << program.screen;
        ASSERT_TRUE(program.adjusted) << program.screen;
        const double largest = truth::largest_difference(program.points, reference.adjusted, 3);
        if (build == Build::main) RecordProperty("largest_difference_mm", std::to_string(largest));
        EXPECT_LT(largest, 0.05);
    }
}

INSTANTIATE_TEST_SUITE_P(Families, OstrelFamilies, ::testing::ValuesIn(truth::families()), truth::family_name);

INSTANTIATE_TEST_SUITE_P(Networks, OstrelTruth,
                         ::testing::Combine(::testing::ValuesIn(CASES),
                                            ::testing::Values(Data::exact, Data::noisy)),
                         truth::case_name<TruthCase>);

}  // namespace
