// Plane two-epoch networks whose true coordinates and displacements are known: both epochs of
// every direction and distance computed from the true coordinates (epoch (o)) and from the
// coordinates moved by the chosen displacements (epoch (i)), written as an input file of the
// plane deformation program; and an independent solution of the same differences.
#pragma once
#include <Eigen/Dense>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "bordered_solution.h"
#include "truth_network.h"
#include "two_epochs.h"

namespace plane_epochs {

using truth::CC_PER_RADIAN;
using truth::FULL_CIRCLE;

struct Point {
    std::int16_t number = 0;
    int code = 0;
    double X = 0, Y = 0;    // epoch (o) [mm]
    double dX = 0, dY = 0;  // displacement to epoch (i) [mm]
};

using Measured = truth::EpochPair;

struct File {
    double UU = 1, UD = 1, MOO = 1, MCH = 0;
    std::vector<Point> points;
    std::vector<Measured> directions, distances;
};

// Station groups in file order (the station and its targets) and distances (station, target).
struct Plan {
    truth::StationGroups groups;
    std::vector<std::pair<std::int16_t, std::int16_t>> distances;
};

// Horizontal direction from a to b [cc], 0 .. FULL_CIRCLE, in epoch (o) or (i).
double azimuth(const Point& a, const Point& b, bool moved);

// Both epochs of the plan; group g has the orientation orientation_o[g] in epoch (o) and
// orientation_i[g] in epoch (i) [cc]. Weights: directions 1, distances 2.25.
File observe(const std::vector<Point>& points, const Plan& plan, const std::vector<double>& orientation_o,
             const std::vector<double>& orientation_i);

// Every point sights every other point in one group; with `distances` every pair once.
Plan full_plan(const std::vector<Point>& points, bool distances);

// The input file: title, a-priori record, points, directions, distances, each section ended by -1.
std::string file_text(const File& file);

// The independent solution: angles of consecutive directions and distances at the epoch-(o)
// coordinates, right-hand sides the changes between the epochs (angles reduced to the half
// circle), the angles' correlation through the directions, datum rows of the placement codes,
// the bordered normal equations.
using Solution = truth::BorderedSolution;
Solution solve(const File& file);

}  // namespace plane_epochs
