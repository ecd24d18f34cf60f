// Observation equations of a pass: one row of A and one misclosure in L per derived observation,
// in the fixed order angles, distances, zenith angles (the plane programs have no zenith
// angles); the misclosure lists of the first pass go to the control file.
#pragma once

namespace adjustment {

struct Adjustment;

// The coefficients of the horizontal angle j-i-k (station i, left target j, right target k) by
// the X and Y unknowns of its three points [cc/mm], from the coordinate differences station to
// target and their squared horizontal lengths.
struct AngleCoefficients {
    double station_x, station_y, left_x, left_y, right_x, right_y;
};
AngleCoefficients angle_coefficients(double dxj, double dyj, double sj2, double dxk, double dyk,
                                     double sk2);
// The angle between two sightings of one target (left target = right target): the target's
// coefficients are the sum of its two roles, which is zero, as the angle does not depend on
// where the target stands.
void add_same_target_roles(AngleCoefficients& c);

// The coefficients of a slope distance from station i to target j by the unknowns of its two
// points (the target's are the unit vector i to j, the station's their negatives), from the
// coordinate differences station to target and the distance d (not zero).
struct DistanceCoefficients {
    double station_x, station_y, station_z, target_x, target_y, target_z;
};
DistanceCoefficients distance_coefficients(double dx, double dy, double dz, double d);

// The coefficients of the zenith angle from station i to target j by the X, Y and Z unknowns
// of its two points [cc/mm], from the coordinate differences station to target, the squared
// slope length S2 and the horizontal length h (not zero).
struct ZenithCoefficients {
    double station_x, station_y, station_z, target_x, target_y, target_z;
};
ZenithCoefficients zenith_coefficients(double dx, double dy, double dz, double S2, double h);
// The zenith angle [cc] from the horizontal length h and the height difference dz: exactly
// 1 000 000 cc for a level sighting.
double zenith_angle_cc(double h, double dz);

// Rebuilds the diagonal of PP and forms the rows of the network at the current coordinates.
void observation_rows(Adjustment& adj);
// Reduces an angle misclosure [cc] to the half circle (-2 000 000, 2 000 000].
double reduce_to_half_circle(double misclosure_cc);

}  // namespace adjustment
