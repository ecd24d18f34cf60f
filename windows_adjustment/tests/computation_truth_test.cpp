// A press of "Výpočet" on networks whose true coordinates are known (truth_network.h), exact and
// with noise of known size: one press is one Gauss-Newton step of an independent adjustment
// written for the tests (independent_step.h) from the same coordinates with the same datum, in
// the increments, the corrections, [pvv], the redundancy and the cofactors; repeated presses
// settle where the independent adjustment settles; the adjusted slope distance's standard
// deviation is that of the independent cofactors.
#include "independent_step.h"
#include "kavon/form3.h"
#include "session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>

namespace kavon {
namespace {

using truth::Point;

// True coordinates [mm] of seven points round a centre, 250 to 400 m from it, at heights over
// some 40 m: every point sees the others well apart in azimuth.
std::vector<Point> basePoints()
{
    std::vector<Point> points;
    for (int i = 0; i < 7; ++i) {
        const double angle = 2 * M_PI * i / 7 + 0.05 * (i % 3);
        const double radius = 250000.0 + 25000.0 * ((i * 5) % 7);
        points.push_back({static_cast<std::int16_t>(i + 1), 0, 1200000.0 + radius * std::cos(angle),
                          2100000.0 + radius * std::sin(angle), 300000.0 + 6000.0 * ((i * 3) % 7)});
    }
    return points;
}

struct TruthCase {
    const char* name;
    std::vector<int> codes;
    truth::Rounds rounds;
    bool distances;
    double free_mm, other_mm;  // largest input offsets of the free and the other points
    bool noisy;
    std::uint64_t seed;
};
void PrintTo(const TruthCase& c, std::ostream* os) { *os << c.name; }

const TruthCase CASES[] = {
    {"fixed_and_azimuth", {7, 2, 0, 0, 0, 0, 0}, truth::Rounds::full, true, 300, 150, false, 21},
    {"fixed_and_azimuth_noisy", {7, 2, 0, 0, 0, 0, 0}, truth::Rounds::halves, true, 300, 150, true, 22},
    {"free", {3, 3, 3, 3, 3, 3}, truth::Rounds::full, true, 0, 3, false, 23},
    {"free_noisy_without_distances", {3, 3, 3, 3, 3, 3}, truth::Rounds::halves, false, 0, 3, true, 24},
    {"components", {7, 2, 4, 0, 0, 6, 5}, truth::Rounds::halves, true, 200, 100, true, 25},
    {"components_without_distances", {7, 2, 4, 0, 0, 0}, truth::Rounds::full, false, 200, 100, true, 26},
};

class KavonTruth : public ::testing::TestWithParam<TruthCase> {
protected:
    void SetUp() override
    {
        const TruthCase& c = GetParam();
        std::vector<Point> points = basePoints();
        points.resize(c.codes.size());
        for (std::size_t i = 0; i < points.size(); ++i) points[i].code = c.codes[i];
        std::mt19937_64 engine(c.seed);
        const auto plan = truth::full_plan(points, 1, c.rounds, c.distances);
        file = truth::observe(points, truth::perturbed(points, c.free_mm, c.other_mm, engine), plan, {}, c.noisy, engine);
        s.openAndRead(s.file("net.txt", truth::file_text(file)));
        ASSERT_EQ(s.messages, std::vector<std::string>{texts::chooseInputFile});
        s.messages.clear();
    }

    std::vector<Point> coordinates() const
    {
        std::vector<Point> result = file.points;
        for (std::size_t i = 0; i < result.size(); ++i) {
            result[i].X = std::get<double>(s.form1->data.pointX[i + 1]);
            result[i].Y = std::get<double>(s.form1->data.pointY[i + 1]);
            result[i].Z = std::get<double>(s.form1->data.pointZ[i + 1]);
        }
        return result;
    }

    test::Session s;
    truth::InputFile file;
};

TEST_P(KavonTruth, OnePressIsOneGaussNewtonStep)
{
    const double RC = test::scale_of(file);
    EXPECT_EQ(s.form1->data.RC, RC);
    const std::vector<Point> before = coordinates();
    const test::IndependentStep step = test::independent_step(file, before, RC);
    s.form1->Command8->click();
    ASSERT_TRUE(s.messages.empty()) << s.messages.front();
    ASSERT_TRUE(s.form1->data.results);
    const Results& r = *s.form1->data.results;
    const int n = static_cast<int>(before.size());
    ASSERT_EQ(r.NN, 3 * n);
    const std::vector<Point> after = coordinates();
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE("point " + std::to_string(before[i].number));
        const double moved[3] = {after[i].X - before[i].X, after[i].Y - before[i].Y, after[i].Z - before[i].Z};
        for (int a = 0; a < 3; ++a) {
            EXPECT_NEAR(r.H(3 * i + a + 1, 1), step.dx(3 * i + a), 1e-6);
            EXPECT_EQ(moved[a] == 0, r.H(3 * i + a + 1, 1) == 0);  // fixed components stay exactly
        }
    }
    for (int k = 0; k < step.v.size(); ++k) EXPECT_NEAR(r.V(k + 1, 1), step.v(k), 1e-4) << "quantity " << k + 1;
    EXPECT_NEAR(r.VVT, step.pvv, 1e-6 * step.pvv + 1e-9);
    const double largest = step.Qxx.cwiseAbs().maxCoeff();
    for (int a = 0; a < 3 * n; ++a)
        for (int b = 0; b < 3 * n; ++b) EXPECT_NEAR(r.R(a + 1, b + 1), step.Qxx(a, b), 1e-6 * largest) << a << "," << b;
    // m0 from [pvv] and the redundancy counted by hand from the observations and the codes.
    ASSERT_GT(step.redundancy, 0);
    const double m0 = std::sqrt(step.pvv / step.redundancy);
    EXPECT_EQ(s.form1->Text5->text(), forms::formatNumber(m0, "###0.0"));
    EXPECT_TRUE(s.form1->Text5->visible());
    EXPECT_TRUE(s.form1->Label16->visible());
    EXPECT_TRUE(s.form1->Command7->enabled());
}

TEST_P(KavonTruth, PressesSettleWhereTheIndependentAdjustmentSettles)
{
    const double RC = test::scale_of(file);
    test::IndependentStep last;
    for (int press = 0; press < 8; ++press) {
        last = test::independent_step(file, coordinates(), RC);
        s.form1->Command8_Click();
    }
    ASSERT_TRUE(s.messages.empty()) << s.messages.front();
    const std::vector<Point> expected = test::independent_adjustment(file, RC);
    const std::vector<Point> got = coordinates();
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE("point " + std::to_string(got[i].number));
        EXPECT_NEAR(got[i].X, expected[i].X, 0.01);
        EXPECT_NEAR(got[i].Y, expected[i].Y, 0.01);
        EXPECT_NEAR(got[i].Z, expected[i].Z, 0.01);
    }
    // The last increments are small, and without noise so is the unit standard deviation.
    EXPECT_LT(s.form1->data.results->H.rows(), 100);
    for (int k = 1; k <= s.form1->data.results->NN; ++k) EXPECT_LT(std::fabs(s.form1->data.results->H(k, 1)), 1e-3);
    if (!GetParam().noisy) {
        EXPECT_EQ(s.form1->Text5->text(), "0.0");
    }

    // The adjusted slope distance between points 1 and 4 and its standard deviation from the
    // cofactors of the last linearisation.
    s.form1->Command7_Click();
    Form3& f = s.form1->form3();
    f.Check1_Click();
    f.Combo1->setListIndex(0);
    f.Combo2->setListIndex(3);
    f.Command1_Click();
    const Eigen::Vector3d d(got[3].X - got[0].X, got[3].Y - got[0].Y, got[3].Z - got[0].Z);
    Eigen::VectorXd F = Eigen::VectorXd::Zero(3 * static_cast<int>(got.size()));
    F.segment(0, 3) = d / d.norm();
    F.segment(9, 3) = -d / d.norm();
    const double sigma = s.form1->data.sigma0Used * std::sqrt(F.dot(last.Qxx * F));
    const int k = f.Grid5->cols();
    EXPECT_EQ(f.Grid5->textArray(k + 2), forms::formatNumber(d.norm(), "#####0.0"));
    EXPECT_EQ(f.Grid5->textArray(k + 3), forms::formatNumber(sigma, "#####0.0"));
    EXPECT_GT(sigma, 0.05);  // a figure that shows the decimals
}

INSTANTIATE_TEST_SUITE_P(Networks, KavonTruth, ::testing::ValuesIn(CASES),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kavon
