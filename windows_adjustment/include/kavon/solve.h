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
