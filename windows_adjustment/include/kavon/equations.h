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
};

// The rows a press forms (angles counted from the stations of consecutive directions), and the
// bytes of every matrix of the press for a network of these sizes.
int derivedRows(const ModuleData& data);
double pressBytes(const ModuleData& data);

// Forms the equations and conditions of the network at the points' values; nothing after a
// message box or a silent stop.
std::optional<Equations> formEquations(const ModuleData& data, const PointValues& points);

// An estimate of the diagonal of the normal matrix N = A'QA over the first `columns` columns of A
// (element 0 unused): the sum of A(r,j)^2 / QI(r,r), each derived observation weighted by the
// inverse of its own cofactor QI(r,r) = sum of D(r,k)^2 / PP(k,k) (the correlations of angles
// that share a direction left aside, which the order of the diagonal does not need). Rows whose
// cofactor is not positive add nothing.
std::vector<double> normalDiagonal(const Equations& e, Count columns);

// Whether a placement code fixes components: the columns of point i it fixes, highest first.
std::vector<int> fixedColumns(double code, int i);

}  // namespace kavon
