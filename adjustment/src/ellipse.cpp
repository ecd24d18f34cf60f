// Error ellipses in closed form.
#include "adjustment/ellipse.h"

#include <cmath>
#include <utility>

#include "adjustment/units.h"

namespace adjustment {

double round_to_hundredths(double value) { return std::round(value * 100.0) / 100.0; }

Ellipse error_ellipse(double qx, double qy, double qxy, double MO) {
    Ellipse e;
    if (qy == qx && qxy == 0.0) {
        e.a = e.b = std::sqrt(qx) * MO;
        e.circle = true;
        return e;
    }
    double theta = std::atan2(2.0 * qxy, qx - qy);
    if (theta < 0) theta = theta + 2.0 * LU;
    theta = theta / 2.0;
    const double c = std::cos(theta), s = std::sin(theta), s2 = std::sin(2.0 * theta);
    const double MO2 = MO * MO;
    double a2 = (qx * (c * c) + qy * (s * s) + qxy * s2) * MO2;
    double b2 = (qx * (s * s) - qxy * s2 + qy * (c * c)) * MO2;
    if (a2 < 0) a2 = 0;
    if (b2 < 0) b2 = 0;
    e.a = std::sqrt(a2);
    e.b = std::sqrt(b2);
    e.omega = theta * GON_PER_RADIAN;
    if (e.b > e.a) {
        std::swap(e.a, e.b);
        e.omega = e.omega + 100.0;
    }
    e.a = round_to_hundredths(e.a);
    e.b = round_to_hundredths(e.b);
    e.circle = e.a == e.b;
    return e;
}

}  // namespace adjustment
