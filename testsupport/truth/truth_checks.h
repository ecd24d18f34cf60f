// What the truth tests of the adjustment programs share: the results a run leaves, where exact
// observations bring a network back to, and the comparisons with the classical adjustment
// (header only, with GoogleTest's expectations).
#pragma once
#include <gtest/gtest.h>

#include <Eigen/Dense>
#include <cmath>
#include <cstdlib>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "classical_adjustment.h"
#include "truth_network.h"

namespace truth {

// The observations of a case: computed exactly from the true coordinates, or with noise added.
enum class Data { exact, noisy };

inline void PrintTo(Data d, std::ostream* os) { *os << (d == Data::noisy ? "noisy" : "exact"); }

// The test name of a case with its data: the case's name, then "_exact" or "_noisy".
template <class Case>
std::string case_name(const ::testing::TestParamInfo<std::tuple<Case, Data>>& info) {
    return std::string(std::get<0>(info.param).name) +
           (std::get<1>(info.param) == Data::noisy ? "_noisy" : "_exact");
}

// What one run of a program left.
struct ProgramResult {
    int status = -1;
    bool adjusted = false;           // the run reached the end of the adjustment
    std::vector<Point> points;       // adjusted coordinates
    std::vector<double> V;           // corrections of the measured quantities
    double VVT = 0;                  // [pvv]
    int NM = 0, NP = 0, redundancy = 0;
    int solutions = 0;               // solutions computed by the iteration
    std::vector<std::vector<double>> R;  // cofactors, dn x dn
    double MO = 0;                   // unit standard deviation in use
    std::string screen;
    std::vector<std::string> report;
};

// Takes the results from a run as it ends.
inline void take_results(const adjustment::Run& run, ProgramResult& out) {
    const adjustment::Network& net = run.net;
    for (int i = 1; i <= net.IB; ++i)
        out.points.push_back({net.IN[i], net.KOD1[i], net.XO[i], net.YO[i], net.dimension == 3 ? net.ZO[i] : 0.0});
    if (!run.solution) return;
    const adjustment::Solution& s = *run.solution;
    out.adjusted = s.convergence.solutions() > 0;
    out.solutions = static_cast<int>(s.convergence.solutions());
    for (int k = 1; k <= net.NR; ++k) out.V.push_back(s.V(k, 1));
    out.VVT = s.VVT(1, 1);
    out.NM = s.NM;
    out.NP = s.NP;
    out.redundancy = s.redundancy;
    out.MO = net.MO;
    const int n = net.dimension * net.IB;
    out.R.assign(n, std::vector<double>(n));
    for (int a = 1; a <= n; ++a)
        for (int b = 1; b <= n; ++b) out.R[a - 1][b - 1] = s.R(a, b);
}

// Where exact observations bring a network back to: the truth itself, or for a free network the
// truth moved by the small similarity transformation (translations, rotation about Z, and the
// scale without distances) after which the increments from the input satisfy the free-network
// rows. First order in the transformation, which is of the size of the input offsets divided by
// the network size.
inline std::vector<Point> exact_result(const std::vector<Point>& truth_points, const std::vector<Point>& input,
                                       bool distances, int d = 3) {
    bool free_network = false;
    for (const Point& p : truth_points) free_network = free_network || std::abs(p.code) == 3;
    if (!free_network) return truth_points;
    const int n = static_cast<int>(truth_points.size());
    const Eigen::MatrixXd G = condition_rows(input, !distances, d);
    double cX = 0, cY = 0, cZ = 0;
    for (const Point& p : truth_points) cX += p.X / n, cY += p.Y / n, cZ += p.Z / n;
    Eigen::MatrixXd T = Eigen::MatrixXd::Zero(d * n, G.rows());
    Eigen::VectorXd offset(d * n);
    for (int i = 0; i < n; ++i) {
        const Point& t = truth_points[i];
        const double delta[3] = {t.X - input[i].X, t.Y - input[i].Y, t.Z - input[i].Z};
        const double centred[3] = {t.X - cX, t.Y - cY, t.Z - cZ};
        for (int c = 0; c < d; ++c) {
            T(d * i + c, c) = 1.0;
            offset(d * i + c) = delta[c];
            if (!distances) T(d * i + c, d + 1) = centred[c];
        }
        T(d * i, d) = -centred[1];
        T(d * i + 1, d) = centred[0];
    }
    const Eigen::VectorXd move = T * (G * T).lu().solve(-G * offset);
    std::vector<Point> result = truth_points;
    for (int i = 0; i < n; ++i) {
        result[i].X += move(d * i);
        result[i].Y += move(d * i + 1);
        if (d == 3) result[i].Z += move(d * i + 2);
    }
    return result;
}

inline void expect_coordinates_near(const std::vector<Point>& got, const std::vector<Point>& expected,
                                    double tolerance_mm, const char* what) {
    ASSERT_EQ(got.size(), expected.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        SCOPED_TRACE(std::string(what) + ", point " + std::to_string(expected[i].number));
        EXPECT_EQ(got[i].number, expected[i].number);
        EXPECT_NEAR(got[i].X, expected[i].X, tolerance_mm);
        EXPECT_NEAR(got[i].Y, expected[i].Y, tolerance_mm);
        EXPECT_NEAR(got[i].Z, expected[i].Z, tolerance_mm);
    }
}

// Coordinates, [pvv], corrections and cofactors of the program against the classical
// adjustment of the same file.
inline void expect_like_classical(const ProgramResult& program, const ClassicalResult& reference) {
    expect_coordinates_near(program.points, reference.adjusted, 0.01, "against the classical adjustment");
    EXPECT_NEAR(program.VVT, reference.pvv, 1e-6 * reference.pvv + 1e-9);
    ASSERT_EQ(program.V.size(), static_cast<std::size_t>(reference.v.size()));
    for (std::size_t k = 0; k < program.V.size(); ++k)
        EXPECT_NEAR(program.V[k], reference.v(k), 1e-4) << "correction of measured quantity " << k + 1;
    const double largest = reference.cofactors.cwiseAbs().maxCoeff();
    const int n = static_cast<int>(program.R.size());
    ASSERT_EQ(n, reference.cofactors.rows());
    for (int a = 0; a < n; ++a)
        for (int b = 0; b < n; ++b)
            EXPECT_NEAR(program.R[a][b], reference.cofactors(a, b), 1e-6 * largest)
                << "cofactor (" << a + 1 << "," << b + 1 << ")";
}

}  // namespace truth
