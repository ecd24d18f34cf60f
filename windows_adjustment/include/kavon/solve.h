// The second half of a press of "Výpočet": the least-squares chain of the console adjustment
// on the equations of the press, the weighted sum of squared corrections, and the fixed
// components put back as zeros.
#pragma once
#include "kavon/equations.h"
#include "kavon/module.h"

#include <optional>

namespace kavon {

// The solution of one linearisation: H (NN × 1), V, R (NN × NN) and VVT. Nothing after the
// message box of a singular matrix or a silent stop of the dimension checks.
std::optional<Results> solveOnce(Equations& equations, const PointValues& points, Count nPoints);

}  // namespace kavon

namespace kavon {

// The a-posteriori unit standard deviation m0 = sqrt(VVT / f) of a press with redundancy f > 0,
// tested against the upper bound (1 + 2/sqrt(f)) sigma0: below it the a-priori sigma0 is used on,
// otherwise m0; above it the measurement is rejected.
struct UnitVarianceTest {
    double m0, sigma0Used;
    bool rejected;
};
UnitVarianceTest unitVarianceTest(double VVT, int f, double sigma0);

}  // namespace kavon
