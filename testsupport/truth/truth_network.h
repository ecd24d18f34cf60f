// Networks whose true coordinates are known: exact directions (each station group with its own
// random orientation), zenith angles and slope distances computed from chosen coordinates, with
// optional Gaussian noise of known size drawn from a fixed seed, and the input data file of the
// spatial adjustment in its layout, or of the plane adjustment in its own (directions and
// distances of points with Z = 0).
#pragma once
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

namespace truth {

constexpr double CC_PER_RADIAN = 636619.772367;  // centesimal seconds per radian
constexpr double FULL_CIRCLE = 4000000.0;         // cc in a full circle
constexpr double HALF_CIRCLE = 2000000.0;         // cc in a half circle

// A point: number, placement code, coordinates X, Y, Z [mm] (X is the first axis).
struct Point {
    std::int16_t number = 0;
    int code = 0;
    double X = 0, Y = 0, Z = 0;
};

// One measured quantity: station and target numbers, value [cc or mm], weight.
struct Measured {
    std::int16_t station = 0, target = 0;
    double value = 0, weight = 1;
};

// One station group of directions: the station and its targets in the order written.
struct StationGroup {
    std::int16_t station = 0;
    std::vector<std::int16_t> targets;
};

// What is measured: direction groups in file order, zenith angles and slope distances as
// (station, target) pairs in file order.
struct Plan {
    std::vector<StationGroup> groups;
    std::vector<std::pair<std::int16_t, std::int16_t>> zenith_angles, slope_distances;
};

// Standard deviations of one measurement: direction and zenith angle [cc], slope distance [mm].
struct Accuracy {
    double direction = 3.0, zenith = 5.0, distance = 2.0;
};

// The content of one input data file. Every value is held as the file states it (rounded to
// the written decimals), so that a reference computation sees exactly what the program reads.
struct InputFile {
    int dimension = 3;  // 2: the plane layout (no Z, no zenith angles, no UZ)
    std::string title;
    double UU = 0, UD = 0, UZ = 0, MOO = 1, MCH = 0;  // a-priori record
    std::vector<Point> points;                        // coordinates as written
    std::vector<Measured> directions, zenith_angles, slope_distances;
};

// Unit standard deviation of the weights: a quantity of standard deviation s gets the weight
// (SIGMA0 / s)^2, s in cc or mm.
constexpr double SIGMA0 = 3.0;

// Horizontal direction (azimuth from the X axis toward the Y axis) from a to b [cc], 0..FULL_CIRCLE.
double azimuth(const Point& a, const Point& b);
// Zenith angle from a to b [cc]: 0 straight up.
double zenith_angle(const Point& a, const Point& b);
// Slope distance from a to b [mm].
double slope_distance(const Point& a, const Point& b);

// How the targets of one station and set are grouped.
enum class Rounds {
    full,    // one station group with all targets
    halves,  // two station groups: the targets on the positive Y side of the station (dY >= 0),
             // and those on the negative side, so that no angle of a group spans the X axis
};

// Every point a station sighting all other points in `sets` direction sets (each set, and with
// `Rounds::halves` each half, its own station group). The groups are written round by round, so
// that no two groups of one station follow each other. Targets go round by azimuth, each
// station starting at a different target, so that directions and computed angles pass through
// zero. One zenith angle and, with `distances`, one slope distance per pair of points,
// alternately from either end. A station listed in `lone` keeps only its first target in every
// group (a group of one direction).
// Throws std::invalid_argument when two neighbouring targets of a group lie within 1 gon of each
// other in azimuth (the angle between them would be ambiguous at the full circle), or when two
// groups of one station would follow each other in the file.
Plan full_plan(const std::vector<Point>& truth, int sets, Rounds rounds, bool distances,
               const std::vector<std::int16_t>& lone = {});

// Observations of the plan computed from the true coordinates. Each station group gets a random
// orientation offset, uniform over the full circle; with `noisy`, every value gets Gaussian noise
// of the accuracy's standard deviation. The engine is the caller's, seeded by the caller.
// Weights are (SIGMA0 / s)^2. The points of the file are `input` (true or perturbed).
InputFile observe(const std::vector<Point>& truth, const std::vector<Point>& input, const Plan& plan,
                  const Accuracy& accuracy, bool noisy, std::mt19937_64& engine);

// The true points with each point of |code| <= 1 moved by up to `free_mm` in every component
// (uniform), and every other point by up to `other_mm` [mm] in each component that its code
// leaves free (all for codes 2 and 3, Z for 4, X for 5, Y for 6, none from 7 on), so that the
// fixed components keep their true values and the observations stay consistent with them.
// In the plane (`dimension` 2) the components are X and Y: code 4 keeps X, 5 keeps Y, 6 and
// above keep both.
std::vector<Point> perturbed(const std::vector<Point>& truth, double free_mm, double other_mm,
                             std::mt19937_64& engine, int dimension = 3);

// Five points numbered 1 to 5 about (X0, Y0, Z0) [mm], with sides of about `side` [mm]: an
// irregular quadrilateral with a point inside, heights within 5 % of the side, codes 0. From
// every point the others lie more than 10 gon apart in azimuth.
std::vector<Point> compact_network(double side, double X0, double Y0, double Z0);

// The file in the plane layout: no zenith angles, Z of every point 0, the distances horizontal.
InputFile in_the_plane(InputFile file);

// The text of the input data file: title in apostrophes, the a-priori record, the point section,
// the direction, zenith-angle and slope-distance sections, each ended by a line "-1". In the
// plane layout: UU, UD, MOO, MCH; points without Z; directions and distances.
std::string file_text(const InputFile& file);

// A value as the file writes it (fixed point, 6 decimals), read back.
double as_written(double value);

}  // namespace truth
