// Two-epoch networks whose true coordinates and displacements are known: both epochs of every
// direction, zenith angle and slope distance computed from the true coordinates (epoch (o)) and
// from the coordinates moved by the chosen displacements (epoch (i)), written as an input file
// of the spatial deformation program.
#pragma once
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "truth_network.h"
#include "two_epochs.h"

namespace deformation_truth {

using truth::CC_PER_RADIAN;
using truth::FULL_CIRCLE;

struct Point {
    std::int16_t number = 0;
    int code = 0;
    double X = 0, Y = 0, Z = 0;     // epoch (o) [mm]
    double dX = 0, dY = 0, dZ = 0;  // displacement to epoch (i) [mm]
};

using Measured = truth::EpochPair;

struct Plan {
    // Station groups in file order: the station and its targets.
    truth::StationGroups groups;
    std::vector<std::pair<std::int16_t, std::int16_t>> zenith_angles, slope_distances;
};

struct TwoEpochFile {
    double UU = 1, UD = 1, UZ = 1, MOO = 1, MCH = 0;
    std::vector<Point> points;
    std::vector<Measured> directions, zenith_angles, slope_distances;
};

// Horizontal direction from a to b [cc], 0 .. FULL_CIRCLE; zenith angle [cc]; slope distance [mm],
// in epoch (o) (moved = false) or epoch (i).
double azimuth(const Point& a, const Point& b, bool moved);
double zenith_angle(const Point& a, const Point& b, bool moved);
double slope_distance(const Point& a, const Point& b, bool moved);

// Both epochs of the plan. Every station group has its own orientation `orientation[g]` [cc],
// the same in both epochs; weights: directions 1, zenith angles 0.36, distances 2.25.
TwoEpochFile observe(const std::vector<Point>& points, const Plan& plan, const std::vector<double>& orientation);

// Every point sights every other point in one group; a zenith angle and a slope distance per pair
// (with `distances`), alternately from either end.
Plan full_plan(const std::vector<Point>& points, bool distances);

// The input file: title, a-priori record, points, the three sections, each ended by "-1".
std::string file_text(const TwoEpochFile& file);

}  // namespace deformation_truth
