// The first half of a press of "Výpočet": the point cells as numbers, the weights, the
// observation equations of the network at its current coordinates, the matrix of derived
// observations, the datum conditions of the placement codes and the removal of the fixed
// coordinate components. Every data failure shows its message box and stops the press.
#pragma once
#include "kavon/matrices.h"
#include "kavon/module.h"

#include <optional>
#include <vector>

namespace kavon {

// The point arrays as numbers, indexed from 1 like the module arrays.
struct PointValues {
    std::vector<double> code, x, y, z;
};

// Converts the cells by the regional settings. A cell that does not hold a number: the message
// box naming the point and the column, and nothing.
std::optional<PointValues> convertPoints(const ModuleData& data);

// The derived observations: angles of consecutive directions of one station, slope distances
// and zenith angles, in this order.
struct Equations {
    Count NR = 0;   // measured quantities
    Count NM = 0;   // derived-observation rows
    Count NN = 0;   // 3 × nPoints unknowns
    Count NNA = 0;  // unknowns left after the removal of the fixed components
    Count IR = 0;   // condition rows
    Matrix PP{0, 0}, A{0, 0}, L{0, 0}, D{0, 0}, G{0, 0};
    // Whether the condition rows only fix the datum (as many as the motions that the observations
    // leave free): the solution may then weight them to the normal matrix. Where they do and
    // code 3 places rows, Gc holds them with the rotation and scale taken about the centre of the
    // code-3 points, for the solution on the scaled normal matrix.
    bool datumRowsOnly = false;
    bool centredRows = false;
    Matrix Gc{0, 0};
};

// The rows a press forms (angles counted from the stations of consecutive directions), and the
// bytes of every matrix of the press for a network of these sizes.
int derivedRows(const ModuleData& data);
double pressBytes(const ModuleData& data);

// Forms the equations and conditions of the network at the points' values; nothing after a
// message box or a silent stop.
std::optional<Equations> formEquations(const ModuleData& data, const PointValues& points);

// Whether a placement code fixes components: the columns of point i it fixes, highest first.
std::vector<int> fixedColumns(double code, int i);

}  // namespace kavon
