// Error ellipses of the plane points in closed form.
#pragma once

namespace adjustment {

struct Ellipse {
    double a = 0, b = 0;   // semi-axes [mm]; equal for a circle
    double omega = 0;      // orientation of the major axis from X [gon]; none for a circle
    bool circle = false;
};

// The error ellipse of a point from its cofactors qx, qy, qxy and the unit standard deviation
// MO: an exact circle when qx = qy and qxy = 0; otherwise the axes from the rotation angle
// 1/2 atan2(2 qxy, qx - qy), negative squares taken as 0, the larger one as a (turned by
// 100 gon when the axes swap), both rounded to 0.01 mm, and a circle when they then agree.
Ellipse error_ellipse(double qx, double qy, double qxy, double MO);

// A number rounded to 0.01, halves away from zero.
double round_to_hundredths(double value);

}  // namespace adjustment
