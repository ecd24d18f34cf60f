// The closed-form error ellipse on hand cases: the axes are sqrt of the eigenvalues of the 2x2
// cofactor block times MO, the angle that of the major axis from X in gon.
#include <gtest/gtest.h>

#include <cmath>

#include "adjustment/ellipse.h"

namespace {

struct EllipseCase {
    const char* what;
    double qx, qy, qxy, MO;
    double a, b, omega;  // expected; omega unused for a circle
    bool circle;
};

// qx = qy = 2, qxy = +-0.5: eigenvalues 2.5 and 1.5, major axis at 45 or 135 degrees.
const double A45 = std::round(std::sqrt(2.5) * 100.0) / 100.0, B45 = std::round(std::sqrt(1.5) * 100.0) / 100.0;

const EllipseCase CASES[] = {
    {"major along X", 4, 1, 0, 1.5, 3.00, 1.50, 0.0, false},
    {"major along Y", 1, 4, 0, 1.5, 3.00, 1.50, 100.0, false},
    {"equal variances, positive covariance", 2, 2, 0.5, 1.0, A45, B45, 50.0, false},
    {"equal variances, negative covariance", 2, 2, -0.5, 1.0, A45, B45, 150.0, false},
    {"exact circle", 0.25, 0.25, 0, 2.0, 1.0, 1.0, 0, true},
    {"fixed point with MCH = 0", 0, 0, 0, 1.5, 0.0, 0.0, 0, true},
    // sqrt(1.00001) = 1.000005 and 1.0 both round to 1.00: a circle row.
    {"axes equal after rounding", 1.00001, 1.0, 0, 1.0, 1.00, 1.00, 0, true},
    // sqrt(1.0201) = 1.01 against sqrt(1.0) = 1.00: one hundredth apart, an ellipse row.
    {"axes 0.01 apart", 1.0201, 1.0, 0, 1.0, 1.01, 1.00, 0.0, false},
    // eigenvalues +1e-4 and -1e-4: the negative square becomes 0.
    {"negative square", 0, 0, 1e-4, 1.0, 0.01, 0.0, 50.0, false},
};

TEST(ErrorEllipse, HandCases) {
    for (const EllipseCase& c : CASES) {
        SCOPED_TRACE(c.what);
        const adjustment::Ellipse e = adjustment::error_ellipse(c.qx, c.qy, c.qxy, c.MO);
        EXPECT_EQ(e.circle, c.circle);
        EXPECT_NEAR(e.a, c.a, 1e-12);
        EXPECT_NEAR(e.b, c.b, 1e-12);
        // The gon factor is a single-precision value (100 gon comes out as 99.9999992), and a
        // negative arc tangent gets the single-precision full circle 2 LU (150 gon as 150.0000113).
        if (!c.circle) {
            EXPECT_NEAR(e.omega, c.omega, 2e-5);
        }
    }
}

TEST(ErrorEllipse, RoundingIsNumericHalvesAwayFromZero) {
    EXPECT_EQ(adjustment::round_to_hundredths(1.125), 1.13);
    EXPECT_EQ(adjustment::round_to_hundredths(-1.125), -1.13);
    EXPECT_EQ(adjustment::round_to_hundredths(2.004), 2.0);
    EXPECT_EQ(adjustment::round_to_hundredths(0.0), 0.0);
}

}  // namespace
