// Units and angle constants of the console programs.
#pragma once

namespace adjustment {

constexpr double RO = 636619.772367;       // centesimal seconds (cc) per radian
constexpr double RK = 4000000.0;           // cc in a full circle
constexpr double HALF_CIRCLE = 2000000.0;  // cc in a half circle
// pi rounded to a 32-bit real, widened: the programs add 2*LU to a negative angle in radians,
// and that single-precision full circle is part of their results.
constexpr double LU = static_cast<double>(3.14159265358979f);
// 200/pi written to seven digits as a 32-bit real (63.66197967529297): radians to gon in the
// ellipsoid angles.
constexpr double GON_PER_RADIAN = static_cast<double>(63.66198f);
// The 32-bit thresholds that the programs compare as 64-bit values.
constexpr double WEIGHT_MIN = static_cast<double>(0.001f);   // a weight below it counts as 1.0
constexpr double V_COUNTED = static_cast<double>(0.001f);    // |v| above it enters the statistics
constexpr double AZIMUTH_MIN = static_cast<double>(0.1f);    // mm, azimuth point to its reference
constexpr double HL = static_cast<double>(1.0e-4f);          // ellipsoid rotation tolerance
constexpr double RD_SYMMETRY = static_cast<double>(0.01f);   // covariance symmetry tolerance

}  // namespace adjustment
