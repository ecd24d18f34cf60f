// The pieces common to the plane and spatial two-epoch truth networks: a measured quantity of
// both epochs, the station groups that sight every other point, the sections of the input file,
// the independent solution of the epoch differences (the angles of consecutive directions, the
// datum rows of the placement codes, the weights of the derived rows, the bordered normal
// equations) for two or three unknowns per point, and what the tests of both programs build or
// read alike (orientations, a target whose directions cross, the pair tables of the report).
#pragma once
#include <Eigen/Dense>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "bordered_solution.h"
#include "truth_network.h"

namespace truth {

// One measured quantity of both epochs.
struct EpochPair {
    std::int16_t station = 0, target = 0;
    double o = 0, i = 0, weight = 1;
};

// Station groups in file order: the station and its targets.
using StationGroups = std::vector<std::pair<std::int16_t, std::vector<std::int16_t>>>;

// Every point sights every other point, in the order of the points, in one group (points with a
// `number`).
template <class Point>
StationGroups sight_all(const std::vector<Point>& points) {
    StationGroups groups;
    for (const Point& s : points) {
        std::vector<std::int16_t> targets;
        for (const Point& t : points)
            if (t.number != s.number) targets.push_back(t.number);
        groups.push_back({s.number, targets});
    }
    return groups;
}

// The point numbered `number` (points with a `number`).
template <class Point>
const Point& numbered(const std::vector<Point>& points, std::int16_t number) {
    for (const Point& p : points)
        if (p.number == number) return p;
    throw std::invalid_argument("no such point");
}

// The records of one section of an input file: station, target, both epochs and the weight of
// each quantity, then the end mark -1.
std::string section_text(const std::vector<EpochPair>& quantities);

// A point of epoch (o) as the solution sees it: number, placement code, X and Y [mm].
struct PlacedPoint {
    std::int16_t number = 0;
    int code = 0;
    double X = 0, Y = 0;
};

// Rows of the differences on the unknowns (`dimension` per point, in the order of the points):
// the row, its right-hand side and the measured quantities it is formed from (position in the
// order of the weights, coefficient).
struct DifferenceRows {
    std::vector<Eigen::VectorXd> rows;
    std::vector<double> l;
    std::vector<std::vector<std::pair<int, double>>> maps;
};

// The position of point `number` in `points`, or -1.
int position(const std::vector<PlacedPoint>& points, std::int16_t number);

// The angles of consecutive directions of one station (the directions are the first quantities
// of the weights): rows at the epoch-(o) coordinates, right-hand sides the changes between the
// epochs reduced to the half circle.
void add_angle_rows(DifferenceRows& out, const std::vector<EpochPair>& directions,
                    const std::vector<PlacedPoint>& points, int dimension);

// Datum rows of the placement codes: `fixed_code` fixes every coordinate of the point, 2 keeps
// the point on the ray from the first `fixed_code` point, 3 takes part in the Helmert rows
// (shifts, the rotation about the vertical and, with `scale`, the scale).
std::vector<Eigen::VectorXd> datum_rows(const std::vector<PlacedPoint>& points, int dimension, int fixed_code,
                                        bool scale);

// The solution of the rows, whose measured quantities have the inverse weights `Pinv`, under the
// datum rows `g`: weights of the derived rows (D Pinv D')^-1, the bordered normal equations.
BorderedSolution solve_differences(const DifferenceRows& d, const Eigen::VectorXd& Pinv,
                                   const std::vector<Eigen::VectorXd>& g);

// Orientations of `groups` station groups [cc]: 1234567 cc times the group's number, on the circle.
std::vector<double> orientations(std::size_t groups);

// The rows of a pair table of a report (after the heading that begins with `title`, its column
// records and an empty record, up to the next empty record): (d, sigma_d) per pair.
std::vector<std::pair<double, double>> pair_rows(const std::vector<std::string>& report, const std::string& title);

// Places `six` 5 cc beyond `five` as seen from `station`, twice as far, and moves it sideways so
// that the angle five-station-six goes from +5 cc in epoch (o) to -3 cc in epoch (i): two targets
// on nearly one line whose directions change order between the epochs. For the points of either
// network (X, Y, dX, dY [mm], and their azimuth(a, b, moved) [cc]).
template <class Point>
void place_crossing_target(const Point& station, const Point& five, Point& six) {
    const double az = azimuth(station, five, false) + 5.0;
    const double far = 2.0 * std::hypot(five.X - station.X, five.Y - station.Y);
    six.X = station.X + far * std::cos(az / CC_PER_RADIAN);
    six.Y = station.Y + far * std::sin(az / CC_PER_RADIAN);
    const double side = -8.0 / CC_PER_RADIAN * far;  // lateral move for -8 cc more than point five's turn
    const double turn5 = (azimuth(station, five, true) - azimuth(station, five, false)) / CC_PER_RADIAN * far;
    six.dX = -(side + turn5) * std::sin(az / CC_PER_RADIAN);
    six.dY = (side + turn5) * std::cos(az / CC_PER_RADIAN);
}

}  // namespace truth
