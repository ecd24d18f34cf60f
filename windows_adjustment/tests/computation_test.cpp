// A press of "Výpočet" on small networks worked by hand: the condition count of the placement
// codes and its messages, the removal of fixed components, the redundancy and the test, and the
// failures of the data, each with the coordinates left as they were.
#include "kavon/equations.h"
#include "kavon/form3.h"
#include "kavon/solve.h"
#include "session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <unistd.h>

namespace kavon {
namespace {

struct P {
    int number, code;
    double x, y, z;
};
struct O {
    int station, target;
    double value, weight;
};

// An input file: a-priori values with sigma0, the points and the three observation sections.
std::string inputFile(double sigma0, const std::vector<P>& points, const std::vector<O>& directions,
                      const std::vector<O>& zeniths, const std::vector<O>& distances)
{
    std::string text = "'hand network'\n3 2 5 " + std::to_string(sigma0) + " 0\n";
    char line[200];
    for (const P& p : points) {
        std::snprintf(line, sizeof line, "%d %d %.6f %.6f %.6f\n", p.number, p.code, p.x, p.y, p.z);
        text += line;
    }
    for (const auto* section : {&directions, &zeniths, &distances}) {
        text += "-1\n";
        for (const O& o : *section) {
            std::snprintf(line, sizeof line, "%d %d %.6f %.6f\n", o.station, o.target, o.value, o.weight);
            text += line;
        }
    }
    return text + "-1\n";
}

constexpr double rho = 636619.772367;

// Five points some 100 m apart at different heights, every pair seen in both ways.
const std::vector<P> FIVE = {{1, 0, 0, 0, 1000},
                             {2, 0, 100000, 10000, 3000},
                             {3, 0, 60000, 90000, 500},
                             {4, 0, -30000, 70000, 2500},
                             {5, 0, 20000, -60000, 4000}};

double azimuthCc(const P& a, const P& b)
{
    double t = std::atan2(b.y - a.y, b.x - a.x);
    if (t < 0) t += 2 * M_PI;
    return t * rho;
}
double distance(const P& a, const P& b) { return std::sqrt(std::pow(b.x - a.x, 2) + std::pow(b.y - a.y, 2) + std::pow(b.z - a.z, 2)); }
double zenithCc(const P& a, const P& b) { return std::atan2(std::hypot(b.x - a.x, b.y - a.y), b.z - a.z) * rho; }

// The five points with the given codes and exact observations: from every station a direction
// to each other point, zenith angles and, when asked, slope distances between all pairs.
std::string fiveFile(const std::vector<int>& codes, bool distances)
{
    std::vector<P> points = FIVE;
    for (std::size_t i = 0; i < points.size(); ++i) points[i].code = codes[i];
    std::vector<O> dirs, zens, dists;
    for (const P& s : points)
        for (const P& t : points) {
            if (s.number == t.number) continue;
            dirs.push_back({s.number, t.number, azimuthCc(s, t), 1});
            zens.push_back({s.number, t.number, zenithCc(s, t), 1});
            if (distances && s.number < t.number) dists.push_back({s.number, t.number, distance(s, t), 1});
        }
    return inputFile(1, points, dirs, zens, dists);
}

class KavonPress : public ::testing::Test {
protected:
    void read(const std::string& text)
    {
        s.openAndRead(s.file("net.txt", text));
        ASSERT_EQ(s.messages, std::vector<std::string>{texts::chooseInputFile});
        s.messages.clear();
    }
    std::optional<Equations> equations()
    {
        const auto points = convertPoints(s.form1->data);
        return points ? formEquations(s.form1->data, *points) : std::nullopt;
    }
    double x(int i) const { return std::get<double>(s.form1->data.pointX[static_cast<std::size_t>(i)]); }

    test::Session s;
};

TEST_F(KavonPress, ConditionCountsOfThePlacementCodes)
{
    struct Case {
        const char* what;
        std::vector<int> codes;
        bool distances;
        int IR, NNA;                 // when formed
        const char* message = nullptr;  // when stopped
    };
    const Case cases[] = {
        {"Helmert only, with distances", {3, 3, 3, 3, 3}, true, 4, 15},
        {"Helmert only, without distances", {3, 3, 3, 3, 3}, false, 5, 15},
        {"7 and 2", {7, 2, 0, 0, 0}, true, 4, 12},
        {"7, 2 and 4", {7, 2, 4, 0, 0}, true, 6, 10},
        {"two 7", {7, 7, 0, 0, 0}, true, 6, 9},
        {"one 7 alone", {7, 0, 0, 0, 0}, true, 0, 0, texts::badConditions},
        {"-7 as the origin of the azimuth", {-7, 2, 7, 0, 0}, true, 4, 12},
        {"code 8 places and removes nothing", {7, 7, 8, 0, 0}, true, 6, 9},
        {"7, 5 and 6 with distances: 7 rows for 4", {7, 5, 6, 0, 0}, true, 0, 0, texts::badConditions},
        {"2 without 7", {2, 4, 4, 0, 0}, true, 0, 0, texts::missingOrigin},
        {"7, 2 without distances: too few", {7, 2, 0, 0, 0}, false, 0, 0, texts::badConditions},
        // Enough rows, yet a motion of the whole network that the observations cannot see is
        // left free: N + G'G is singular, and the increments along it would be rounding noise.
        {"two 4: free to slide along Z", {4, 4, 0, 0, 0}, true, 0, 0, texts::underDetermined},
        {"two 5: free to slide along X", {5, 5, 0, 0, 0}, true, 0, 0, texts::underDetermined},
        {"two 6: free to slide along Y", {6, 6, 0, 0, 0}, true, 0, 0, texts::underDetermined},
        {"4, 4 and 5: every motion held", {4, 4, 5, 0, 0}, true, 6, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Session fresh;
        fresh.openAndRead(fresh.file("net.txt", fiveFile(c.codes, c.distances)));
        fresh.messages.clear();
        const auto points = convertPoints(fresh.form1->data);
        ASSERT_TRUE(points);
        const auto e = formEquations(fresh.form1->data, *points);
        if (c.message) {
            EXPECT_FALSE(e);
            EXPECT_EQ(fresh.messages, std::vector<std::string>{c.message});
            continue;
        }
        ASSERT_TRUE(e);
        EXPECT_TRUE(fresh.messages.empty());
        EXPECT_EQ(e->IR, c.IR);
        EXPECT_EQ(e->NNA, c.NNA);
        EXPECT_EQ(e->NM, 20 + (c.distances ? 10 : 0) + 15);  // 20 zenith angles, 15 angles
    }
}

TEST_F(KavonPress, HelmertRowsAreKeptAsFormedAndCopiedAboutTheCentreOfTheirPoints)
{
    // Five points of code 3 without distances: five rows for the five motions of the network,
    // so they only fix the datum. G keeps the rows about the origin (-Y/RC, X/RC); the copy for
    // the scaled solution takes the rotation and scale rows about the centre of the points, so
    // that their X and Y parts sum to zero, and leaves the translation rows as they are.
    read(fiveFile({3, 3, 3, 3, 3}, false));
    const auto e = equations();
    ASSERT_TRUE(e);
    ASSERT_EQ(e->IR, 5);
    EXPECT_TRUE(e->datumRowsOnly);
    ASSERT_TRUE(e->centredRows);
    const double RC = 100000.0 / e->G(5, 4);  // the scale row of point 2 (100000, 10000): X/RC
    EXPECT_DOUBLE_EQ(e->G(4, 4), -10000.0 / RC);
    double sums[6][2] = {};
    for (int r = 1; r <= 5; ++r)
        for (int i = 1; i <= 5; ++i)
            for (int a = 0; a < 3; ++a) {
                if (r <= 3) {
                    EXPECT_EQ(e->Gc(r, 3 * i - 2 + a), e->G(r, 3 * i - 2 + a));
                }
                if (a < 2) sums[r][a] += e->Gc(r, 3 * i - 2 + a);
            }
    for (int r = 4; r <= 5; ++r) {
        SCOPED_TRACE(r);
        EXPECT_NEAR(sums[r][0], 0.0, 1e-9);
        EXPECT_NEAR(sums[r][1], 0.0, 1e-9);
    }
    // The rotation row of point 2 (100000, 10000), about the centre (30000, 22000) of the five
    // points: the direction (-(y - 22000), x - 30000) = (12000, 70000).
    EXPECT_DOUBLE_EQ(e->Gc(4, 4) / e->Gc(4, 5), 12000.0 / 70000.0);
}

TEST_F(KavonPress, AzimuthRowTowardMinusSevenAndTheColumnsThatCodeFourRemoves)
{
    read(fiveFile({-7, 2, 7, 0, 0}, true));
    const auto e = equations();
    ASSERT_TRUE(e);
    // The azimuth of point 2 from point 1 (code -7, which keeps its columns 1 to 3).
    const double s = std::hypot(100000.0, 10000.0);
    EXPECT_DOUBLE_EQ(e->G(1, 4), -10000.0 / s);
    EXPECT_DOUBLE_EQ(e->G(1, 5), 100000.0 / s);

    // Code 4 at point 3 removes its dy and dx columns and keeps dz: of the columns 7 to 9 of the
    // point only the dz column is left, between those of points 2 and 4.
    const auto columnsOf = [](const std::vector<int>& codes) {
        test::Session fresh;
        fresh.openAndRead(fresh.file("net.txt", fiveFile(codes, true)));
        const auto points = convertPoints(fresh.form1->data);
        return formEquations(fresh.form1->data, *points);
    };
    const auto with4 = columnsOf({7, 2, 4, 0, 0});
    const auto without = columnsOf({7, 2, 0, 0, 0});
    ASSERT_TRUE(with4 && without);
    // With code 4 the rows are more than the motions of the network (point 3 holds the rotation
    // as well): the azimuth row acts as an observation, and the solution may not weight it.
    EXPECT_FALSE(with4->datumRowsOnly);
    ASSERT_EQ(with4->NNA, without->NNA - 2);
    for (int r = 1; r <= with4->NM; ++r) {
        EXPECT_EQ(with4->A(r, 3), without->A(r, 3)) << r;  // dz of point 2
        EXPECT_EQ(with4->A(r, 4), without->A(r, 6)) << r;  // dz of point 3
        EXPECT_EQ(with4->A(r, 5), without->A(r, 7)) << r;  // dx of point 4
    }
}

// From point 1 the target 3 sighted twice in a row, 4 cc apart, each with weight 1: the angle
// between the two sightings does not depend on where 3 stands, so the presses settle where one
// sighting of their mean with weight 2 settles (directions with an orientation per station).
std::string sightedTwice(bool twice)
{
    std::vector<P> points = FIVE;
    const int codes[] = {7, 2, 0, 0, 0};
    for (std::size_t i = 0; i < points.size(); ++i) points[i].code = codes[i];
    points[2].x += 150;
    points[3].y -= 120;
    std::vector<O> dirs, zens, dists;
    for (const P& s : FIVE)
        for (const P& t : FIVE) {
            if (s.number == t.number) continue;
            const double d = azimuthCc(s, t);
            if (s.number == 1 && t.number == 3 && twice) {
                dirs.push_back({1, 3, d, 1});
                dirs.push_back({1, 3, d + 4, 1});
            } else if (s.number == 1 && t.number == 3) {
                dirs.push_back({1, 3, d + 2, 2});
            } else {
                dirs.push_back({s.number, t.number, d, 1});
            }
            zens.push_back({s.number, t.number, zenithCc(s, t), 1});
            if (s.number < t.number) dists.push_back({s.number, t.number, distance(s, t), 1});
        }
    return inputFile(1, points, dirs, zens, dists);
}

TEST_F(KavonPress, TwoSightingsOfOneTargetInARowWeighAsTheirMean)
{
    const auto settled = [](bool twice) {
        test::Session t;
        t.openAndRead(t.file("net.txt", sightedTwice(twice)));
        for (int press = 0; press < 6; ++press) t.form1->Command8_Click();
        EXPECT_EQ(t.messages.size(), 1u) << "only the information message of the Open";
        std::vector<double> xyz;
        for (int i = 1; i <= 5; ++i)
            for (const auto* axis : {&t.form1->data.pointX, &t.form1->data.pointY, &t.form1->data.pointZ})
                xyz.push_back(std::get<double>((*axis)[static_cast<std::size_t>(i)]));
        return xyz;
    };
    const std::vector<double> twice = settled(true), mean = settled(false);
    ASSERT_EQ(twice.size(), mean.size());
    for (std::size_t k = 0; k < twice.size(); ++k) EXPECT_NEAR(twice[k], mean[k], 1e-5) << "component " << k;
}

// Three points, two of them fixed (code 7), the third fixed by two distances and a zenith angle
// (f = 0); a second measurement of a distance makes f = 1.
std::vector<P> threePoints(double x3) { return {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, x3, 80000, 2000}}; }
const P TRUE3 = {3, 0, 50000, 80000, 2000};

// The tests below name the messages by their constants; here a press shows each of them, and
// the texts are the program's character for character (the blanks at either end included).
TEST_F(KavonPress, ThePressShowsItsMessagesCharacterForCharacter)
{
    struct Case {
        const char* what;
        std::string file;
        std::string message;
    };
    const Case cases[] = {
        {"one 7 alone", fiveFile({7, 0, 0, 0, 0}, true), "Špatné podmínky umístění "},
        {"2 without 7", fiveFile({2, 4, 4, 0, 0}, true), " Chyba v zadání: Chybí bod s číslem  kódu 7 "},
        {"two 4: free along Z", fiveFile({4, 4, 0, 0, 0}, true), " Chyba - úloha je nedostatečně určena"},
        {"fixed points alone", inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}}, {}, {}, {}),
         "Úloha je bez vyrovnání"},
        {"a slope distance of zero length",
         inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, 0, 0, 0}}, {}, {}, {{1, 3, 1, 1}, {2, 3, 1, 1}}),
         "nulová délka mezi body 1 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Session t;
        t.openAndRead(t.file("net.txt", c.file));
        t.messages.clear();
        t.form1->Command8_Click();
        EXPECT_EQ(t.messages, std::vector<std::string>{c.message});
    }
    // The warning of a failed test is a caption, not a message box: the distance 1-3 measured
    // 2 mm long and 2 mm short gives m0 = 2.83 above the bound 3 * 0.9.
    const std::vector<P> truth = {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, TRUE3};
    const double d13 = distance(truth[0], TRUE3);
    test::Session t;
    t.openAndRead(t.file("net.txt", inputFile(0.9, truth, {}, {{1, 3, zenithCc(truth[0], TRUE3), 1}},
                                              {{1, 3, d13 + 2, 1}, {2, 3, distance(truth[1], TRUE3), 1},
                                               {1, 3, d13 - 2, 1}})));
    t.messages.clear();
    t.form1->Command8_Click();
    EXPECT_TRUE(t.messages.empty());
    ASSERT_TRUE(t.form1->Label17->visible());
    EXPECT_EQ(t.form1->Label17->caption(), " Měření neodpovídá zákl. směrodatné odch.");
}

TEST_F(KavonPress, NoRedundancyMovesThePointsAndLeavesTheResultsButtonAsItWas)
{
    const std::vector<P> truth = {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, TRUE3};
    read(inputFile(1, threePoints(50100), {}, {{1, 3, zenithCc(truth[0], TRUE3), 1}},
                   {{1, 3, distance(truth[0], TRUE3), 1}, {2, 3, distance(truth[1], TRUE3), 1}}));
    s.form1->Command8_Click();
    EXPECT_EQ(s.messages, std::vector<std::string>{texts::noRedundancy});
    EXPECT_NEAR(x(3), 50000, 1.0);  // one step from 100 mm off
    EXPECT_EQ(x(1), 0);
    EXPECT_FALSE(s.form1->Command7->enabled());
    EXPECT_FALSE(s.form1->Text5->visible());
}

TEST_F(KavonPress, FixedPointsWithoutObservationsHaveNoRedundancy)
{
    // Empty matrices throughout: no rows, no measured quantities, no unknowns left.
    read(inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}}, {}, {}, {}));
    s.form1->Command8_Click();
    EXPECT_EQ(s.messages, std::vector<std::string>{texts::noRedundancy});
    ASSERT_TRUE(s.form1->data.results);
    EXPECT_EQ(s.form1->data.results->H(4, 1), 0);
    EXPECT_EQ(x(2), 100000);
}

TEST_F(KavonPress, OneRedundantDistanceAndTheTestAtThreeSigma0)
{
    // The distance 1-3 measured twice, 2 mm long and 2 mm short: v = -2 and +2, [pvv] = 8,
    // f = 1, m0 = sqrt(8) = 2.83 against the bound 3 sigma0.
    const std::vector<P> truth = {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, TRUE3};
    const double d13 = distance(truth[0], TRUE3);
    const auto file = [&](double sigma0) {
        return inputFile(sigma0, truth, {}, {{1, 3, zenithCc(truth[0], TRUE3), 1}},
                         {{1, 3, d13 + 2, 1}, {2, 3, distance(truth[1], TRUE3), 1}, {1, 3, d13 - 2, 1}});
    };
    struct Case {
        double sigma0;
        bool rejected;
        double sigma0Used;
    };
    for (const Case c : {Case{1.0, false, 1.0}, Case{0.9, true, std::sqrt(8.0)}}) {
        SCOPED_TRACE(c.sigma0);
        test::Session t;
        t.openAndRead(t.file("net.txt", file(c.sigma0)));
        t.messages.clear();
        t.form1->Command8_Click();
        EXPECT_TRUE(t.messages.empty());
        EXPECT_EQ(t.form1->Text5->text(), "2.8");
        EXPECT_NEAR(t.form1->data.results->VVT, 8.0, 1e-6);
        EXPECT_NEAR(t.form1->data.sigma0Used, c.sigma0Used, 1e-6);
        EXPECT_EQ(t.form1->Label17->visible(), c.rejected);
        if (c.rejected) {
            EXPECT_EQ(t.form1->Label17->caption(), texts::testFailed);
        }
        EXPECT_TRUE(t.form1->Command7->enabled());
        // The code-7 points keep their coordinates exactly; their rows and columns of R are zero.
        const Results& r = *t.form1->data.results;
        for (int k = 1; k <= 6; ++k) {
            EXPECT_EQ(r.H(k, 1), 0);
            for (int j = 1; j <= 9; ++j) EXPECT_EQ(r.R(k, j), 0);
            for (int j = 1; j <= 9; ++j) EXPECT_EQ(r.R(j, k), 0);
        }
        EXPECT_EQ(std::get<double>(t.form1->data.pointX[2]), 100000);
        EXPECT_GT(r.R(7, 7), 0);
        // The point table is not refilled by a press.
        EXPECT_EQ(t.form1->Fl1->textArray(3 * t.form1->Fl1->cols() + 1), "50000.0");
        if (!c.rejected) continue;
        // A later press that passes the test leaves the warning but uses sigma0 again.
        t.form1->data.sigma0 = 1.0;
        t.form1->Command8_Click();
        EXPECT_TRUE(t.form1->Label17->visible());
        EXPECT_EQ(t.form1->data.sigma0Used, 1.0);
    }
}

TEST_F(KavonPress, TheTestDecidesAtItsBound)
{
    // f = 4: the bound is 2 sigma0.
    struct Case {
        double VVT;
        double m0, sigma0Used;
        bool rejected;
    };
    const Case cases[] = {
        {4 * 1.9 * 1.9, 1.9, 1.0, false},
        {4 * 2.0 * 2.0, 2.0, 2.0, false},  // at the bound: m0 is used on, without the warning
        {4 * 2.1 * 2.1, 2.1, 2.1, true},
        {-1.0, 0.0, 1.0, true},            // a negative sum from negative weights
    };
    for (const Case& c : cases) {
        const UnitVarianceTest t = unitVarianceTest(c.VVT, 4, 1.0);
        EXPECT_DOUBLE_EQ(t.m0, c.m0) << c.VVT;
        EXPECT_DOUBLE_EQ(t.sigma0Used, c.sigma0Used) << c.VVT;
        EXPECT_EQ(t.rejected, c.rejected) << c.VVT;
    }
}

TEST_F(KavonPress, AnAngleNearZeroEntersReducedToTheHalfCircle)
{
    // Station 1 sees point 2 along the X axis and point 3 5 cc to its right by the measurement,
    // while the approximate coordinates place point 3 5 cc to its left: measured 5 cc, computed
    // 3 999 995 cc, misclosure 10 cc (not -3 999 990 cc).
    const double y3 = -100000.0 * std::tan(5.0 / rho);
    read(inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, 100000, y3, 0}},
                   {{1, 2, 100, 1}, {1, 3, 105, 1}}, {}, {{1, 3, 100000, 1}, {2, 3, 1, 1}}));
    const auto e = equations();
    ASSERT_TRUE(e);
    EXPECT_NEAR(e->L(1, 1), 10.0, 1e-3);
}

TEST_F(KavonPress, AZenithAngleBetweenEqualHeightsIsComputedAsExactlyAQuarterCircle)
{
    // Points 1 and 3 at one height: the computed zenith angle is 1 000 000 cc exactly, not the
    // program's pi/2 times rho, so a measured 999 990 cc misses by -10 cc. The zenith row comes
    // after the two slope distances.
    read(inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, 50000, 80000, 0}}, {}, {{1, 3, 999990, 1}},
                   {{1, 3, 94340, 1}, {2, 3, 94340, 1}}));
    const auto e = equations();
    ASSERT_TRUE(e);
    ASSERT_EQ(e->NM, 3);
    EXPECT_EQ(e->L(3, 1), -10.0);
    // The fixed points' columns are gone: point 3 holds columns 1 to 3.
    ASSERT_EQ(e->NNA, 3);
    EXPECT_EQ(e->A(3, 1), 0.0);  // no pull along x or y at one height
    EXPECT_EQ(e->A(3, 2), 0.0);
    EXPECT_DOUBLE_EQ(e->A(3, 3), -rho / std::hypot(50000.0, 80000.0));
}

TEST_F(KavonPress, DataFailuresStopThePressWithTheirMessagesAndMoveNothing)
{
    struct Case {
        const char* what;
        std::string file;
        std::string message;
    };
    const std::vector<P> three = threePoints(50000);
    const Case cases[] = {
        {"a weight of 0",
         inputFile(1, three, {}, {{1, 3, 1000000, 1}}, {{1, 3, 94000, 1}, {2, 3, 94000, 0}, {1, 3, 94000, 1}}),
         "Matice je singulární"},
        {"a target not in the list",
         inputFile(1, three, {}, {{1, 3, 1000000, 1}}, {{1, 3, 94000, 1}, {2, 9, 94000, 1}}),
         "Procedura CBODU ... Hledané číslo neexistuje 9"},
        {"an angle whose left and right targets are not in the list: the left one is told",
         inputFile(1, three, {{1, 9, 0, 1}, {1, 8, 100, 1}}, {{1, 3, 1000000, 1}}, {{1, 3, 94000, 1}, {2, 3, 94000, 1}}),
         "Procedura CBODU ... Hledané číslo neexistuje 9"},
        {"an angle at a station not in the list: the station is told before its targets",
         inputFile(1, three, {{6, 9, 0, 1}, {6, 8, 100, 1}}, {{1, 3, 1000000, 1}}, {{1, 3, 94000, 1}, {2, 3, 94000, 1}}),
         "Procedura CBODU ... Hledané číslo neexistuje 6"},
        {"a slope distance of zero length",
         inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, 0, 0, 0}}, {}, {}, {{1, 3, 1, 1}, {2, 3, 1, 1}}),
         std::string(texts::zeroLength) + " 1 3"},
        {"a zenith angle straight up",
         inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, 0, 0, 500}}, {}, {{1, 3, 0, 1}}, {{2, 3, 1, 1}}),
         std::string(texts::zeroLength) + " 1 3"},
        {"under-determined", inputFile(1, three, {}, {}, {{1, 3, 94000, 1}}), texts::underDetermined},
        {"two code-4 points: enough rows, but the network is free along Z",
         inputFile(1, {{1, 4, 0, 0, 0}, {2, 4, 100000, 0, 0}, {3, 0, 50000, 80000, 2000}}, {},
                   {{1, 3, 998000, 1}, {2, 3, 998000, 1}, {3, 1, 1002000, 1}, {3, 2, 1002000, 1}, {1, 2, 1000000, 1}},
                   {{1, 3, 94000, 1}, {2, 3, 94000, 1}, {1, 2, 100000, 1}}),
         texts::underDetermined},
        {"an angle toward a target above its station",
         inputFile(1, {{1, 7, 0, 0, 0}, {2, 7, 100000, 0, 0}, {3, 0, 0, 0, 500}}, {{1, 2, 0, 1}, {1, 3, 100, 1}}, {},
                   {{2, 3, 1, 1}}),
         std::string(texts::zeroLength) + " 1 3"},
        {"a code-2 point above the origin of its azimuth",
         inputFile(1, {{1, 7, 0, 0, 0}, {2, 2, 0, 0, 500}, {3, 0, 50000, 80000, 2000}}, {}, {{1, 3, 1000000, 1}},
                   {{1, 3, 94000, 1}, {2, 3, 94000, 1}, {1, 2, 500, 1}}),
         std::string(texts::zeroLength) + " 2 1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        test::Session t;
        t.openAndRead(t.file("net.txt", c.file));
        t.messages.clear();
        const auto before = t.form1->data.pointX;
        t.form1->Command8_Click();
        EXPECT_EQ(t.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(t.form1->data.pointX, before);
        EXPECT_FALSE(t.form1->data.results);
        EXPECT_TRUE(t.form1->Command7->enabled());
        // The results button before any completed press: a message and no window.
        t.messages.clear();
        t.form1->Command7_Click();
        EXPECT_EQ(t.messages, std::vector<std::string>{texts::noResults});
        EXPECT_FALSE(t.form1->form3().isVisible());
    }
}

// Networks that fix the datum and have rows enough, yet leave a point partly free: a well
// determined quadrilateral 1-2-3-4 (1 fixed, 2 its azimuth point, every direction, zenith angle
// and slope distance between them) and point 9 seen by one zenith angle and one slope distance
// from 1 (free on a horizontal circle about 1), by one direction and one zenith angle from 1
// (free along the ray), or points 8 and 9 seen only from each other. The normal matrix is
// singular although rounding keeps its pivots from being exactly zero: the press stops as for an
// under-determined network and moves nothing.
TEST_F(KavonPress, APartlyFreePointIsUnderDetermined)
{
    const std::vector<P> all = {{1, 7, 0, 0, 300000},           {2, 2, 100000, 0, 310000},
                                {3, 0, 0, 100000, 305000},       {4, 0, 100000, 100000, 298000},
                                {8, 0, -60000, 150000, 302000},  {9, 0, -50000, -150000, 295000}};
    const auto at = [&](int n) { return all[n == 8 ? 4 : n == 9 ? 5 : static_cast<std::size_t>(n - 1)]; };
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> directions, zeniths, distances;  // besides the quadrilateral's
    };
    const Case cases[] = {
        {"a zenith angle and a slope distance", {}, {{1, 9}}, {{1, 9}}},
        {"a direction and a zenith angle", {{1, 9}}, {{1, 9}}, {}},
        {"two points seen only from each other", {}, {{8, 9}, {9, 8}}, {{8, 9}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<P> points(all.begin(), all.begin() + 4);
        if (c.what == cases[2].what) points.push_back(at(8));
        points.push_back(at(9));
        std::vector<O> dirs, zens, dists;
        for (int s = 1; s <= 4; ++s) {
            for (int t = 1; t <= 4; ++t)
                if (t != s) dirs.push_back({s, t, azimuthCc(at(s), at(t)), 1});
            for (const auto& [from, to] : c.directions)
                if (from == s) dirs.push_back({from, to, azimuthCc(at(from), at(to)), 1});
        }
        for (int a = 1; a <= 4; ++a)
            for (int b = a + 1; b <= 4; ++b) {
                zens.push_back({a, b, zenithCc(at(a), at(b)), 1});
                dists.push_back({a, b, distance(at(a), at(b)), 1});
            }
        for (const auto& [from, to] : c.zeniths) zens.push_back({from, to, zenithCc(at(from), at(to)), 1});
        for (const auto& [from, to] : c.distances) dists.push_back({from, to, distance(at(from), at(to)), 1});
        test::Session t;
        t.openAndRead(t.file("net.txt", inputFile(1, points, dirs, zens, dists)));
        t.messages.clear();
        const auto x = t.form1->data.pointX, y = t.form1->data.pointY, z = t.form1->data.pointZ;
        t.form1->Command8_Click();
        EXPECT_EQ(t.messages, std::vector<std::string>{texts::underDetermined});
        EXPECT_EQ(t.form1->data.pointX, x);
        EXPECT_EQ(t.form1->data.pointY, y);
        EXPECT_EQ(t.form1->data.pointZ, z);
        EXPECT_FALSE(t.form1->data.results);
    }
    // The quadrilateral alone is adjusted.
    std::vector<O> dirs, zens, dists;
    for (int s = 1; s <= 4; ++s)
        for (int t = 1; t <= 4; ++t)
            if (t != s) dirs.push_back({s, t, azimuthCc(at(s), at(t)), 1});
    for (int a = 1; a <= 4; ++a)
        for (int b = a + 1; b <= 4; ++b) {
            zens.push_back({a, b, zenithCc(at(a), at(b)), 1});
            dists.push_back({a, b, distance(at(a), at(b)), 1});
        }
    test::Session t;
    t.openAndRead(t.file("net.txt", inputFile(1, std::vector<P>(all.begin(), all.begin() + 4), dirs, zens, dists)));
    t.messages.clear();
    t.form1->Command8_Click();
    EXPECT_TRUE(t.messages.empty());
    EXPECT_TRUE(t.form1->data.results);
}

TEST_F(KavonPress, ALetterInACoordinateCellStopsThePress)
{
    read(fiveFile({7, 2, 0, 0, 0}, true));
    s.form1->Fl1->setTextArray(2 * s.form1->Fl1->cols() + 2, "1O000,0");  // y of point 2, a letter O
    s.form1->Command6_Click();
    const auto before = s.form1->data.pointX;
    s.form1->Command8_Click();
    EXPECT_EQ(s.messages, std::vector<std::string>{"Bod 2: hodnota ve sloupci y není číslo"});
    EXPECT_EQ(s.form1->data.pointX, before);
    EXPECT_TRUE(s.form1->Command7->enabled());
}

TEST_F(KavonPress, AfterAStoppedPressTheResultsOfTheLastCompletedOneAreShown)
{
    read(fiveFile({7, 2, 0, 0, 0}, true));
    s.form1->Fl1->setTextArray(5 * s.form1->Fl1->cols() + 3, "4100");  // z of point 5, 100 mm high
    s.form1->Command6_Click();
    s.form1->Command8_Click();
    ASSERT_TRUE(s.messages.empty());
    const double dz5 = s.form1->data.results->H(15, 1);
    ASSERT_NEAR(dz5, -100, 1);
    s.form1->Fl1->setTextArray(3 * s.form1->Fl1->cols() + 3, "5OO");  // z of point 3, letters O
    s.form1->Command6_Click();
    s.form1->Command8_Click();
    ASSERT_EQ(s.messages, std::vector<std::string>{"Bod 3: hodnota ve sloupci z není číslo"});
    s.messages.clear();
    s.form1->Command7_Click();
    EXPECT_TRUE(s.messages.empty());
    Form3& f = s.form1->form3();
    EXPECT_TRUE(f.isVisible());
    forms::Grid& g = *f.Grid1;
    ASSERT_EQ(g.rows(), 6);
    EXPECT_EQ(g.textArray(5 * g.cols() + 6), forms::formatNumber(dz5, "#####0.0"));
    // The cells as they stand: the coordinates written back, the letters as typed.
    EXPECT_EQ(g.textArray(3 * g.cols() + 5), "5OO");
    EXPECT_EQ(g.textArray(2 * g.cols() + 1), "100000.0");
}

TEST_F(KavonPress, CountsBeyondSixteenBitsAreRefusedByTheReader)
{
    // 10923 points have 32769 unknowns.
    std::string text = "'large'\n3 2 5 1 0\n";
    for (int i = 1; i <= 10923; ++i) text += std::to_string(i) + " 0 " + std::to_string(i) + " 0 0\n";
    s.openAndRead(s.file("net.txt", text + "-1\n-1\n-1\n"));
    EXPECT_EQ(s.messages, (std::vector<std::string>{texts::chooseInputFile, "Chyba ve čtení souboru"}));
    EXPECT_FALSE(s.form1->Command8->enabled());
}

TEST_F(KavonPress, ANetworkTooLargeForTheMemoryIsToldNotCrashed)
{
    // 10922 points: the dense matrices of 32766 unknowns take some 70 GB.
    std::string text = "'large'\n3 2 5 1 0\n";
    for (int i = 1; i <= 10922; ++i) text += std::to_string(i) + " 7 " + std::to_string(i) + " 0 0\n";
    read(text + "-1\n-1\n-1\n");
    const double physical = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * static_cast<double>(sysconf(_SC_PAGESIZE));
    if (pressBytes(s.form1->data) < physical) GTEST_SKIP() << "a machine with that much memory";
    s.form1->Command8_Click();
    EXPECT_EQ(s.messages, std::vector<std::string>{texts::networkTooLarge});
    EXPECT_TRUE(s.form1->Command7->enabled());
    EXPECT_FALSE(s.form1->data.results);
}

TEST(KavonPressRegional, CellsWrittenBackWithADecimalCommaAreConverted)
{
    test::Session t(",");
    t.openAndRead(t.file("net.txt", fiveFile({7, 2, 0, 0, 0}, true)));
    t.messages.clear();
    EXPECT_EQ(t.form1->Fl1->textArray(2 * t.form1->Fl1->cols() + 1), "100000,0");
    t.form1->Command6_Click();  // the cells go back as texts, "100000,0"
    t.form1->Command8_Click();
    EXPECT_TRUE(t.messages.empty());
    ASSERT_TRUE(t.form1->data.results);
    EXPECT_NEAR(std::get<double>(t.form1->data.pointX[2]), 100000, 1e-3);  // exact data: back to the truth
    EXPECT_EQ(t.form1->Text5->text(), "0,0");
}

TEST_F(KavonPress, SevenFiveAndSixWithDistancesAreToldNotOverrun)
{
    read(fiveFile({7, 5, 6, 0, 0}, true));
    s.form1->Command8_Click();
    EXPECT_EQ(s.messages, std::vector<std::string>{texts::badConditions});
    EXPECT_TRUE(s.form1->Command7->enabled());
}

}  // namespace
}  // namespace kavon
