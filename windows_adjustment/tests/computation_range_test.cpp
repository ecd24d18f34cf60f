// A press of "Výpočet" at every size, place and weight a user may meet: free networks of a few
// metres to 100 m in the national grid (X about 1 100 km, Y about 700 km), 5 m networks at local
// coordinates with weights up to 1000, a 20 km network with weights of 0.002. The observations
// are exact, computed from true coordinates, and the approximations are off by a known amount;
// one press must give the increments of an independent solution of the same linearised
// equations to 0.05 mm: independent_step.h with the rows of codes 2 and 3 as constraints (they
// only fix the datum in every network here). Networks that leave a point partly free are still
// refused there.
#include "independent_step.h"
#include "session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>
#include <string>

namespace kavon {
namespace {

using truth::Point;

constexpr double gridX = 1100000000.0, gridY = 700000000.0;  // mm: a place in the national grid
constexpr double localX = 1200000.0, localY = 2100000.0;     // mm: local coordinates
constexpr double tolerance = 0.05;                           // mm

// Five points round (X0, Y0) with sides of about `side` [mm], at heights some hundredths of the
// side apart above Z0: every point sees the others well apart in azimuth.
std::vector<Point> pentagon(double side, double X0, double Y0, double Z0, const std::vector<int>& codes)
{
    std::vector<Point> points;
    for (int i = 0; i < 5; ++i) {
        const double angle = 2 * M_PI * i / 5 + 0.2 * (i % 2);
        const double radius = side * (0.55 + 0.08 * ((i * 2) % 5));
        points.push_back({static_cast<std::int16_t>(i + 1), codes[static_cast<std::size_t>(i)],
                          X0 + radius * std::cos(angle), Y0 + radius * std::sin(angle),
                          Z0 + side * 0.04 * ((i * 3) % 5)});
    }
    return points;
}

const std::vector<int> FREE = {3, 3, 3, 3, 3};
const std::vector<int> FIXED_AND_AZIMUTH = {7, 2, 0, 0, 0};

struct RangeCase {
    const char* name;
    double side, X0, Y0, Z0;
    std::vector<int> codes;
    double weight;  // of every measured quantity; 0: the weights of their accuracies
    double off;     // mm: the largest offset of an approximation in each free component
};
void PrintTo(const RangeCase& c, std::ostream* os) { *os << c.name; }

const RangeCase CASES[] = {
    {"free_8m_grid_15mm", 8000, gridX, gridY, 450000, FREE, 0, 15},
    {"free_8m_grid_100mm", 8000, gridX, gridY, 450000, FREE, 0, 100},
    {"free_30m_grid_15mm", 30000, gridX, gridY, 450000, FREE, 0, 15},
    {"free_30m_grid_100mm", 30000, gridX, gridY, 450000, FREE, 0, 100},
    {"free_50m_grid_15mm", 50000, gridX, gridY, 450000, FREE, 0, 15},
    {"free_50m_grid_100mm", 50000, gridX, gridY, 4500000, FREE, 0, 100},
    {"free_100m_grid_15mm", 100000, gridX, gridY, 450000, FREE, 0, 15},
    {"free_100m_grid_100mm", 100000, 1290000000.0, 1290000000.0, 4900000, FREE, 0, 100},
    {"free_5m_weight_1", 5000, localX, localY, 300000, FREE, 1, 15},
    {"free_5m_weight_10", 5000, localX, localY, 300000, FREE, 10, 15},
    {"free_5m_weight_100", 5000, localX, localY, 300000, FREE, 100, 15},
    {"free_5m_weight_1000", 5000, localX, localY, 300000, FREE, 1000, 15},
    {"fixed_5m_weight_1", 5000, localX, localY, 300000, FIXED_AND_AZIMUTH, 1, 15},
    {"fixed_5m_weight_10", 5000, localX, localY, 300000, FIXED_AND_AZIMUTH, 10, 15},
    {"fixed_5m_weight_100", 5000, localX, localY, 300000, FIXED_AND_AZIMUTH, 100, 15},
    {"fixed_5m_weight_1000", 5000, localX, localY, 300000, FIXED_AND_AZIMUTH, 1000, 15},
    {"free_20km_weight_0002", 20000000, gridX, gridY, 450000, FREE, 0.002, 100},
    {"fixed_20km_weight_0002", 20000000, gridX, gridY, 450000, FIXED_AND_AZIMUTH, 0.002, 100},
    // The ends of the range: sides of 1 m in the national grid at weights of 1000, of 50 km at
    // weights of 0.001.
    {"free_1m_grid_weight_1000", 1000, 1300000000.0, 1300000000.0, 450000, FREE, 1000, 15},
    {"fixed_1m_grid_weight_1000", 1000, 1300000000.0, 1300000000.0, 450000, FIXED_AND_AZIMUTH, 1000, 15},
    {"free_50km_weight_0001", 50000000, gridX, gridY, 4500000, FREE, 0.001, 100},
    {"fixed_50km_weight_0001", 50000000, gridX, gridY, 4500000, FIXED_AND_AZIMUTH, 0.001, 100},
};

// The file with every measured quantity at the case's weight, where it names one.
truth::InputFile weighted(truth::InputFile file, const RangeCase& c)
{
    if (c.weight > 0)
        for (auto* section : {&file.directions, &file.zenith_angles, &file.slope_distances})
            for (truth::Measured& m : *section) m.weight = c.weight;
    return file;
}

truth::InputFile rangeFile(const RangeCase& c)
{
    const std::vector<Point> points = pentagon(c.side, c.X0, c.Y0, c.Z0, c.codes);
    std::mt19937_64 engine(24);
    const truth::Plan plan = truth::full_plan(points, 1, truth::Rounds::full, true);
    return weighted(truth::observe(points, truth::perturbed(points, c.off, c.off, engine), plan, {}, false, engine), c);
}

// One press on the file: the message boxes it showed, and the increments against those of the
// independent solution at the same coordinates (the largest difference, in mm).
struct PressAgainstIndependent {
    std::vector<std::string> messages;
    double worst = 0;
    std::vector<double> H;  // the increments of the press, from index 1
};
PressAgainstIndependent pressOnce(const truth::InputFile& file)
{
    test::Session s;
    s.openAndRead(s.file("net.txt", truth::file_text(file)));
    s.messages.clear();
    const test::IndependentStep step = test::independent_step(file, file.points, s.form1->data.RC, test::DatumRows::constraints);
    s.form1->Command8_Click();
    PressAgainstIndependent result{s.messages, 0, {}};
    if (!s.form1->data.results) return result;
    const Results& r = *s.form1->data.results;
    result.H.push_back(0);
    for (int k = 0; k < step.dx.size(); ++k) {
        result.worst = std::max(result.worst, std::fabs(r.H(k + 1, 1) - step.dx(k)));
        result.H.push_back(r.H(k + 1, 1));
    }
    return result;
}

class KavonRange : public ::testing::TestWithParam<RangeCase> {};

TEST_P(KavonRange, OnePressGivesTheIndependentIncrements)
{
    const PressAgainstIndependent press = pressOnce(rangeFile(GetParam()));
    ASSERT_TRUE(press.messages.empty()) << press.messages.front();
    EXPECT_LT(press.worst, tolerance);
}

// A free plane network of four points 8 to 16 m apart in the national grid, as a user reported
// it (directions of weight 1, horizontal distances of weight 2.25, exact to one another), made
// spatial: the points at heights of 449.3 to 451.1 m, the slope distances and zenith angles of
// weight 1 formed from the horizontal distances and those heights.
truth::InputFile reportedNetwork()
{
    truth::InputFile file;
    file.title = "free network in the national grid";
    file.UU = 3, file.UD = 2, file.UZ = 5, file.MOO = 3, file.MCH = 1;
    file.points = {{101, 3, 1100227280.2537, 700308816.9642, 450000},
                   {102, 3, 1100213776.2914, 700304099.1860, 450800},
                   {103, 3, 1100220216.5619, 700317928.6573, 449300},
                   {104, 3, 1100211388.6299, 700311992.2741, 451100}};
    file.directions = {{101, 103, 882627.493810, 1},  {101, 102, 1677006.520561, 1}, {101, 104, 1337014.101363, 1},
                       {102, 104, 1796439.754993, 1}, {102, 101, 824728.549263, 1},  {102, 103, 1333363.514201, 1},
                       {103, 104, 3322566.961135, 1}, {103, 101, 364985.994351, 1},  {103, 102, 3667999.986041, 1},
                       {104, 102, 2165898.599783, 1}, {104, 103, 3357389.334086, 1}, {104, 101, 2854194.974853, 1}};
    const truth::Measured horizontal[] = {{101, 103, 11541.196254, 2.25}, {101, 102, 14314.673380, 2.25},
                                          {101, 104, 16204.393018, 2.25}, {102, 104, 8256.691367, 2.25},
                                          {102, 103, 15272.002592, 2.25}, {103, 104, 10632.158165, 2.25}};
    const auto height = [&](std::int16_t number) {
        for (const Point& p : file.points)
            if (p.number == number) return p.Z;
        return 0.0;
    };
    for (const truth::Measured& d : horizontal) {
        const double dZ = height(d.target) - height(d.station);
        file.slope_distances.push_back({d.station, d.target, truth::as_written(std::hypot(d.value, dZ)), d.weight});
        const double zenith = std::atan2(d.value, dZ) * truth::CC_PER_RADIAN;
        file.zenith_angles.push_back({d.station, d.target, truth::as_written(zenith), 1});
    }
    return file;
}

TEST(KavonRangeReported, TheReportedFreeNetworkIsAdjusted)
{
    const truth::InputFile file = reportedNetwork();
    const PressAgainstIndependent press = pressOnce(file);
    ASSERT_TRUE(press.messages.empty()) << press.messages.front();
    EXPECT_LT(press.worst, tolerance);
    // What a widely used free adjustment gives for the plane network as it stands, to the
    // hundredth of a millimetre: point 101 moves by +3.13 mm in X and -2.29 mm in Y.
    EXPECT_NEAR(press.H[1], 3.13, 0.01);
    EXPECT_NEAR(press.H[2], -2.29, 0.01);
}

INSTANTIATE_TEST_SUITE_P(Networks, KavonRange, ::testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

// The shapes that leave a point partly free, added to a network whose datum is fixed: point 9
// seen from point 1 by one zenith angle and one slope distance (free on a horizontal circle about
// 1), by one direction and one zenith angle (free along the ray), or points 8 and 9 seen only
// from each other. The normal matrix is singular although rounding keeps its pivots from being
// exactly zero: the press is refused and moves nothing, at any place and weight.
enum class Shape { zenithAndDistance, directionAndZenith, pairAlone };

truth::InputFile partlyFree(const RangeCase& c, Shape shape)
{
    std::vector<Point> points = pentagon(c.side, c.X0, c.Y0, c.Z0, c.codes);
    truth::Plan plan = truth::full_plan(points, 1, truth::Rounds::full, true);
    const Point& one = points[0];
    points.push_back({8, 0, one.X - 0.9 * c.side, one.Y + 1.3 * c.side, c.Z0 + 0.02 * c.side});
    points.push_back({9, 0, one.X + 0.4 * c.side, one.Y - 1.5 * c.side, c.Z0 - 0.03 * c.side});
    if (shape == Shape::pairAlone) {
        plan.zenith_angles.insert(plan.zenith_angles.end(), {{8, 9}, {9, 8}});
        plan.slope_distances.emplace_back(8, 9);
    } else {
        plan.zenith_angles.emplace_back(1, 9);
        if (shape == Shape::zenithAndDistance) plan.slope_distances.emplace_back(1, 9);
        else plan.groups.front().targets.push_back(9);  // the station group of point 1
        points.erase(points.end() - 2);                 // no point 8
    }
    std::mt19937_64 engine(25);
    return weighted(truth::observe(points, truth::perturbed(points, c.off, c.off, engine), plan, {}, false, engine), c);
}

TEST(KavonRangePartlyFree, APartlyFreePointIsRefusedAtAnyPlaceAndWeight)
{
    const RangeCase& gridFree = CASES[0];       // 8 m, free, national grid
    const RangeCase& heavyFixed = CASES[15];    // 5 m, codes 7 and 2, weights 1000
    const RangeCase& lightFree = CASES[16];     // 20 km, free, weights 0.002
    for (const RangeCase* c : {&gridFree, &heavyFixed, &lightFree})
        for (const Shape shape : {Shape::zenithAndDistance, Shape::directionAndZenith, Shape::pairAlone}) {
            SCOPED_TRACE(std::string(c->name) + ", shape " + std::to_string(static_cast<int>(shape)));
            test::Session s;
            s.openAndRead(s.file("net.txt", truth::file_text(partlyFree(*c, shape))));
            s.messages.clear();
            const auto x = s.form1->data.pointX, y = s.form1->data.pointY, z = s.form1->data.pointZ;
            s.form1->Command8_Click();
            EXPECT_EQ(s.messages, std::vector<std::string>{texts::underDetermined});
            EXPECT_EQ(s.form1->data.pointX, x);
            EXPECT_EQ(s.form1->data.pointY, y);
            EXPECT_EQ(s.form1->data.pointZ, z);
            EXPECT_FALSE(s.form1->data.results);
        }
}

}  // namespace
}  // namespace kavon
