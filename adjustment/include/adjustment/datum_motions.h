// The datum motions of a network: the motions of the whole network that its observations do not
// see, and whether the datum conditions hold every one of them. Used by the console engine and by
// the windowed program alike, each with its own points, condition rows and fixed components.
#pragma once
#include <span>
#include <vector>

#include "library/matrix.h"

namespace adjustment {

// The points of a network as the datum check sees them. Coordinates are indexed from 1 (element
// 0 unused) and hold at least `points` + 1 elements; z is not read in the plane. The unknowns of
// the point i are the columns dimension*(i-1)+1 .. dimension*i, one per axis X, Y (and Z).
struct DatumPoints {
    int dimension = 3;                 // 2 in the plane, 3 in space
    int points = 0;
    std::span<const double> x, y, z;
    bool distances = false;            // whether any row measures a distance (then the scale is seen)
    std::vector<int> unseen_heights;   // in space, the points whose height no row sees
};

// The motions that the observations do not see, in this order: the shift along each axis (in
// space the vertical one only while some height is seen), the rotation about the vertical,
// without distances the scale, and the height of each point that no row sees. Each is the
// displacement it gives every unknown: element k for column k (element 0 unused). The rotation
// and the scale are taken about the centre of the points and in units of their extent, so that
// large coordinates do not swamp them.
std::vector<std::vector<double>> datum_motions(const DatumPoints& points);

// What the conditions see of one motion: its value in each condition row 1..rows of G (columns
// 1..motion.size()-1), then its value at each fixed column, in the order given.
std::vector<double> seen_by_conditions(const std::vector<double>& motion, const library::Matrix& G,
                                       int rows, std::span<const int> fixed_columns);

// How many of the vectors are linearly independent: by Gram-Schmidt, a vector counts when it
// keeps a part of its own (more than 1e-9 of its length) beside those counted before it.
int independent_count(std::vector<std::vector<double>> vectors);
// Whether the vectors are linearly independent: each keeps a part of its own beside those before it.
bool linearly_independent(std::vector<std::vector<double>> vectors);

// Whether the condition rows 1..rows of G and the fixed columns hold every datum motion of the
// points: whether what they see of the motions is linearly independent. A motion left free makes
// N + G'G singular, and its inversion without pivot search need not notice: the increments along
// it would be rounding noise reported as a result.
bool datum_fixed(const DatumPoints& points, const library::Matrix& G, int rows,
                 std::span<const int> fixed_columns);

// Whether the condition rows 1..rows of G, which with the fixed columns hold every datum motion
// (datum_fixed), only fix the datum: the rows that reach the solution (those with an element
// outside the fixed columns) are as many as the motions the fixed columns leave free. Their
// solution is then that of the observations under the datum, whatever their weights and
// whichever combination of the motions each row takes. More rows than that act as observations.
bool rows_only_fix_datum(const DatumPoints& points, const library::Matrix& G, int rows,
                         std::span<const int> fixed_columns);

}  // namespace adjustment
