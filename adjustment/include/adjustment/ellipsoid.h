// Error ellipsoids of the spatial points: one sweep of three plane rotations of the point's 3x3
// covariance block.
#pragma once
#include <cstdint>

#include "library/matrix.h"
#include "platform/sink.h"

namespace adjustment {

// ROT (3x3, out) = rotation by OMEG [rad] in the plane of two axes about the third: OSA 3 turns
// axes 1-2, 1 turns 2-3, 2 turns 1-3. Another OSA writes the report line
// " Spatne zadana osa rotace <1,3> = " with the code and leaves ROT unchanged.
void MADROT(library::Matrix& ROT, double OMEG, std::int16_t OSA, platform::RecordSink& report);

struct Ellipsoid {
    double a = 0, b = 0, c = 0;       // semi-axes [mm]
    double alfa = 0, beta = 0, gama = 0;  // angles of the steps on axes 1-2, 1-3, 2-3 [gon]
};

// The ellipsoid of the 3x3 covariance block MX (cofactors, scaled by MO [mm]); MX is rotated in
// place.
Ellipsoid ellipsoid(library::Matrix& MX, double MO, platform::RecordSink& report);

}  // namespace adjustment
