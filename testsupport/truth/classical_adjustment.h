// An independent least-squares adjustment of a spatial input file in the classical form: every
// direction an observation with one orientation unknown per station group, zenith angles and
// slope distances as observations, each with the weight of its record. The datum follows the
// placement codes as the console adjustment treats them: fixed components are left out of the
// unknowns, and G^T.G of the condition rows (built once from the input coordinates) is added to
// the coordinate block of the normal matrix. During the iteration only the points of |code| <= 1
// move; the others are linearised at their input coordinates in every pass and receive the
// increments of the last pass at the end.
#pragma once
#include <Eigen/Dense>
#include <vector>

#include "truth_network.h"

namespace truth {

struct ClassicalResult {
    std::vector<Point> adjusted;  // adjusted coordinates [mm], in input order
    Eigen::VectorXd v;            // corrections of all measured quantities in file order:
                                  // directions [cc], zenith angles [cc], slope distances [mm]
    double pvv = 0;               // sum of p*v^2 of the last pass
    int derived = 0;              // angles of consecutive directions + zenith angles + distances
    int condition_rows = 0;       // rows placed for the placement codes (also the zero rows)
    int redundancy = 0;           // derived - dimension*points + condition_rows
    Eigen::MatrixXd cofactors;    // dn x dn cofactor matrix (d = dimension) of the coordinates, zero where fixed
    int passes = 0;               // linearisations until the increments settled
};

// Scale of the free-network rows: sum over the points of |X| + |Y|, divided by dimension x
// points [mm].
double network_scale(const std::vector<Point>& points, int dimension = 3);

// The condition rows of the placement codes over the 3n coordinate columns (X, Y, Z of each
// point in input order), from the given (input) coordinates: an azimuth row toward the first
// code-7 point for code 2; the shared free-network rows (translations, rotation about Z, and the
// scale when `with_scale`) for code 3; one row per fixed component named by codes 4 to 8 (two
// for code 8). Throws std::invalid_argument for code 3 mixed with other conditions.
// In the plane (`dimension` 2, columns X, Y of each point): the azimuth row toward the first
// code-6 point, the free-network rows (two translations, the rotation, the scale), and one row
// per component fixed by codes 4 (X), 5 (Y), 6 and above (both).
Eigen::MatrixXd condition_rows(const std::vector<Point>& points, bool with_scale, int dimension = 3);

// pi rounded to a 32-bit real. The console adjustment brings a negative arc tangent to the full
// circle by adding twice this value, so every direction whose arc tangent is negative (target
// on the negative Y side of the station) is computed 0.1113 cc larger than with the exact pi.
constexpr double SINGLE_PI = static_cast<double>(3.14159265358979f);

// The full circle added to a negative arc tangent of a computed direction.
enum class Circle {
    exact,             // 2 pi
    single_precision,  // 2 SINGLE_PI, as the console adjustment computes its angles
};

// When the passes end.
enum class PassRule {
    settled,   // once the sum of squared increments repeats to 1e-9 of itself
    programs,  // the console adjustment's rule: from the second pass on, once two successive sums
               // of squared increments [mm2] differ by less than 0.1 + 0.1f
};

// Adjusts the file; throws std::runtime_error when the increments do not settle in 50 passes.
// Each pass is solved in long double without normal equations: where the condition rows only fix
// the datum, as the observations under the conditions (on a basis of the unknowns that satisfy
// them), else as the observations stacked on the condition rows; so that condition rows which
// nearly repeat each other, as the free-network rows of a small network far from the origin do,
// and weights far from 1 lose no digits.
ClassicalResult adjust_classically(const InputFile& file, Circle circle, PassRule rule = PassRule::settled);

}  // namespace truth
