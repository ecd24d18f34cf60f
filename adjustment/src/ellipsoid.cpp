// Error ellipsoids by one sweep of plane rotations, and the rotation matrix MADROT.
#include "adjustment/ellipsoid.h"

#include <cmath>

#include "adjustment/messages.h"
#include "adjustment/units.h"
#include "library/madarith.h"
#include "platform/record.h"

namespace adjustment {

using library::Matrix;

void MADROT(Matrix& ROT, double OMEG, std::int16_t OSA, platform::RecordSink& report) {
    int i = 0, j = 0, k = 0;
    switch (OSA) {
        case 3: i = 1; j = 2; k = 3; break;
        case 1: i = 2; j = 3; k = 1; break;
        case 2: i = 1; j = 3; k = 2; break;
        default:
            report.put(platform::Record(Messages::bad_axis).i(OSA, 3));
            return;
    }
    const double c = std::cos(OMEG), s = std::sin(OMEG);
    ROT(i, i) = c;
    ROT(i, j) = -s;
    ROT(i, k) = 0.0;
    ROT(j, i) = s;
    ROT(j, j) = c;
    ROT(j, k) = 0.0;
    ROT(k, i) = 0.0;
    ROT(k, j) = 0.0;
    ROT(k, k) = 1.0;
}

namespace {

// One rotation that makes MX(p,q) zero; returns its angle [gon].
double rotation_step(Matrix& MX, int p, int q, std::int16_t axis, platform::RecordSink& report) {
    double theta = 0.0;
    const bool tiny = (std::fabs(MX(p, q)) < HL && std::fabs(MX(p, p) - MX(q, q)) < HL) ||
                      (std::fabs(MX(p, p)) < HL && std::fabs(MX(q, q)) < HL);
    if (!tiny) {
        theta = std::atan2(2.0 * MX(p, q), MX(p, p) - MX(q, q));
        if (theta < 0) theta = theta + 2.0 * LU;
        theta = theta / 2.0;
    }
    Matrix ROT(3, 3), ROTT(3, 3), MXR(3, 3);
    MADROT(ROT, theta, axis, report);
    library::MADMUL(MX, ROT, MXR, 3, 3, 3);
    library::MADTRN(ROT, ROTT, 3, 3);
    library::MADMUL(ROTT, MXR, MX, 3, 3, 3);
    return theta * GON_PER_RADIAN;
}

}  // namespace

Ellipsoid ellipsoid(Matrix& MX, double MO, platform::RecordSink& report) {
    Ellipsoid e;
    e.alfa = rotation_step(MX, 1, 2, 3, report);
    e.gama = rotation_step(MX, 2, 3, 1, report);
    e.beta = rotation_step(MX, 1, 3, 2, report);
    e.a = std::sqrt(std::fabs(MX(1, 1))) * MO;
    e.b = std::sqrt(std::fabs(MX(2, 2))) * MO;
    e.c = std::sqrt(std::fabs(MX(3, 3))) * MO;
    return e;
}

}  // namespace adjustment
