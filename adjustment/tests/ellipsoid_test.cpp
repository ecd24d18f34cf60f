// Error ellipsoids and the rotation MADROT, checked against rotations and angles worked out by hand.
#include "adjustment/ellipsoid.h"
#include "adjustment/units.h"

#include <gtest/gtest.h>

#include <cmath>

using adjustment::MADROT;
using library::Matrix;

namespace {

Matrix block(double a11, double a22, double a33, double a12 = 0, double a13 = 0, double a23 = 0) {
    Matrix m(3, 3);
    m(1, 1) = a11; m(2, 2) = a22; m(3, 3) = a33;
    m(1, 2) = m(2, 1) = a12;
    m(1, 3) = m(3, 1) = a13;
    m(2, 3) = m(3, 2) = a23;
    return m;
}

}  // namespace

TEST(Madrot, EachAxisCodeTurnsItsPlane) {
    const double w = 0.3, c = std::cos(w), s = std::sin(w);
    struct Case { std::int16_t axis; int i, j, k; };
    for (const Case& t : {Case{3, 1, 2, 3}, Case{1, 2, 3, 1}, Case{2, 1, 3, 2}}) {
        Matrix rot(3, 3);
        platform::StringSink report;
        MADROT(rot, w, t.axis, report);
        EXPECT_EQ(rot(t.i, t.i), c);
        EXPECT_EQ(rot(t.i, t.j), -s);
        EXPECT_EQ(rot(t.j, t.i), s);
        EXPECT_EQ(rot(t.j, t.j), c);
        EXPECT_EQ(rot(t.k, t.k), 1.0);
        EXPECT_EQ(rot(t.i, t.k), 0.0);
        EXPECT_EQ(rot(t.k, t.j), 0.0);
        EXPECT_TRUE(report.lines.empty());
    }
}

TEST(Madrot, BadAxisCodeLeavesTheMatrixAndWritesTheLine) {
    Matrix rot(3, 3);
    rot(1, 1) = 7.0;
    platform::StringSink report;
    MADROT(rot, 0.5, 4, report);
    EXPECT_EQ(rot(1, 1), 7.0);
    EXPECT_EQ(rot(2, 2), 0.0);
    ASSERT_EQ(report.lines.size(), 1u);
    EXPECT_EQ(report.lines[0], " Spatne zadana osa rotace <1,3> =   4");
}

TEST(Ellipsoid, DescendingDiagonalBlockGivesZeroAnglesAndRootsOfTheDiagonal) {
    // atan2(0, q_pp - q_qq) is 0 for every pair when the diagonal falls from axis 1 to 3.
    Matrix mx = block(16.0, 9.0, 4.0);
    platform::StringSink report;
    const adjustment::Ellipsoid e = adjustment::ellipsoid(mx, 1.5, report);
    EXPECT_DOUBLE_EQ(e.a, 6.0);
    EXPECT_DOUBLE_EQ(e.b, 4.5);
    EXPECT_DOUBLE_EQ(e.c, 3.0);
    EXPECT_EQ(e.alfa, 0.0);
    EXPECT_EQ(e.beta, 0.0);
    EXPECT_EQ(e.gama, 0.0);
}

TEST(Ellipsoid, RisingDiagonalTurnsTheFirstPairByAQuarter) {
    // q11 < q22 with no correlation: atan2(0, -5) = pi, halved: the axes 1 and 2 change places.
    Matrix mx = block(4.0, 9.0, 1.0);
    platform::StringSink report;
    const adjustment::Ellipsoid e = adjustment::ellipsoid(mx, 1.0, report);
    EXPECT_NEAR(e.alfa, 100.0, 1e-4);
    EXPECT_NEAR(e.a, 3.0, 1e-6);
    EXPECT_NEAR(e.b, 2.0, 1e-6);
    EXPECT_NEAR(e.c, 1.0, 1e-12);
    EXPECT_EQ(e.gama, 0.0);
    EXPECT_EQ(e.beta, 0.0);
}

TEST(Ellipsoid, FixedPointBlockIsQchTimesIdentity) {
    // A fixed point's block is MCH^2/MO^2 times the identity: every step is tiny-free but has
    // zero off-diagonal and equal diagonal, so theta = 0 and a = b = c = MCH.
    const double MCH = 2.0, MO = 1.5, q = MCH * MCH / (MO * MO);
    Matrix mx = block(q, q, q);
    platform::StringSink report;
    const adjustment::Ellipsoid e = adjustment::ellipsoid(mx, MO, report);
    EXPECT_NEAR(e.a, MCH, 1e-12);
    EXPECT_NEAR(e.b, MCH, 1e-12);
    EXPECT_NEAR(e.c, MCH, 1e-12);
    EXPECT_EQ(e.alfa, 0.0);
    EXPECT_EQ(e.beta, 0.0);
    EXPECT_EQ(e.gama, 0.0);
}

TEST(Ellipsoid, OnlyTheFirstPairCorrelated) {
    // Block [[5, 2, 0], [2, 2, 0], [0, 0, 1]]: theta = atan2(4, 3)/2, eigenvalues 6 and 1.
    Matrix mx = block(5.0, 2.0, 1.0, 2.0);
    platform::StringSink report;
    const adjustment::Ellipsoid e = adjustment::ellipsoid(mx, 1.0, report);
    const double theta = std::atan2(4.0, 3.0) / 2.0;
    EXPECT_NEAR(e.alfa, theta * 63.66197967529297, 1e-9);
    EXPECT_NEAR(e.a, std::sqrt(6.0), 1e-12);
    EXPECT_NEAR(e.b, 1.0, 1e-12);
    EXPECT_NEAR(e.c, 1.0, 1e-12);
    EXPECT_EQ(e.beta, 0.0);
    EXPECT_EQ(e.gama, 0.0);
}

TEST(Units, SinglePrecisionConstantsAreTheProgramsOwn) {
    EXPECT_EQ(adjustment::LU, 3.1415927410125732);
    EXPECT_EQ(adjustment::GON_PER_RADIAN, 63.66197967529297);
    EXPECT_EQ(adjustment::HL, 9.999999747378752e-05);
    EXPECT_EQ(adjustment::WEIGHT_MIN, 0.0010000000474974513);
    EXPECT_EQ(adjustment::AZIMUTH_MIN, 0.10000000149011612);
    EXPECT_EQ(adjustment::RD_SYMMETRY, 0.009999999776482582);
}
