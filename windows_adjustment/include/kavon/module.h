// The data that the handlers of the program share: the network as read from the input file
// (sized to the file), the counts and the scalars. Arrays are used from index 1 to their count.
#pragma once
#include "kavon/matrices.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kavon {

// An element of the point arrays: a number as read, or the text of a table cell that the
// writing back of the point table stores (converted only when the computation uses it).
using Variant = std::variant<double, std::string>;

// What the last press of "Výpočet" that moved the points leaves for the results window.
struct Results {
    Matrix H;        // NN × 1: the increments of that press [mm], zero for fixed components
    Matrix V;        // NR × 1: corrections of directions, zenith angles, slope distances
    Matrix R;        // NN × NN: cofactor matrix of the unknowns, zero for fixed components
    double VVT = 0;  // weighted sum of squared corrections
    Count NN = 0;    // 3 × nPoints
};

struct ModuleData {
    std::string inputFileName;  // the file chosen in the Open dialog

    std::int16_t nPoints = 0;
    std::int16_t nDirections = 0;
    std::int16_t nZenithAngles = 0;
    std::int16_t nSlopeDistances = 0;
    std::int16_t nDirectionSets = 0;  // runs of consecutive directions with the same station

    std::vector<double> pointNumber;
    std::vector<Variant> pointCode, pointX, pointY, pointZ;  // x, y, z [mm]

    std::vector<double> dirStation, dirTarget, dirValue, dirWeight;  // value [cc]
    std::vector<double> zenStation, zenTarget, zenValue, zenWeight;  // value [cc]
    std::vector<double> distStation, distValue, distWeight;          // value [mm]
    std::vector<std::int16_t> distTarget;

    double sigma0 = 0;      // a-priori unit standard deviation, as read
    double sigma0Used = 0;  // the one the results use; the computation may replace it
    double RC = 0;          // scale of the network: Σ(|x| + |y|) / (2 × nPoints) [mm]
    int gridCols = 0;       // columns of the table last written, to form cell indices

    std::optional<Results> results;  // none until a press has moved the points
    int distanceRow = 0;             // distances computed in the dialogue of the results window
};

}  // namespace kavon
