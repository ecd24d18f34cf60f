// An independent linearised adjustment of a spatial network, written for the tests: every
// direction an observation with one orientation unknown per station group, zenith angles and
// slope distances as observations; the components that codes 4 to 7 fix are left out of the
// unknowns, and the azimuth rows (code 2) and free-network rows (code 3) enter the normal matrix
// as G^T.G, which makes them conditions where the network has no other datum. One call is one
// Gauss-Newton step from the given coordinates; every point moves.
#pragma once
#include <Eigen/Dense>
#include <vector>

#include "truth_network.h"

namespace kavon::test {

struct IndependentStep {
    Eigen::VectorXd dx;   // 3n increments [mm], zero for fixed components
    Eigen::MatrixXd Qxx;  // 3n x 3n cofactors of the increments, zero for fixed components
    Eigen::VectorXd v;    // corrections of the measured quantities: directions, zenith angles, distances
    double pvv = 0;
    int redundancy = 0;   // derived observations (angles, zenith angles, distances) - 3n + condition rows
};

// How the rows of codes 2 and 3 enter the solution.
enum class DatumRows {
    normalMatrix,  // added as G^T.G to the normal matrix, as the program does
    constraints,   // as constraints G.x = 0, solved in the null space of G: the same solution
                   // where the rows only fix the datum, and one that keeps its digits where
                   // G^T.G is tiny beside the normal matrix in some direction (a network of a
                   // metre in the national grid, whose rotation row about the origin nearly
                   // repeats the translation rows)
};

// One step at `current` (the coordinates of the file's points in file order). `RC` is the scale
// of the free-network rows.
IndependentStep independent_step(const truth::InputFile& file, const std::vector<truth::Point>& current, double RC,
                                 DatumRows datum = DatumRows::normalMatrix);

// Steps until the increments fall below 1e-9 mm (at most 30); the coordinates reached.
std::vector<truth::Point> independent_adjustment(const truth::InputFile& file, double RC);

// Σ(|x| + |y|) / (2n) of the file's points.
double scale_of(const truth::InputFile& file);

}  // namespace kavon::test
