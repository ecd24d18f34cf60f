// The independent solution of the deformation truth tests: observation equations A.x = L with
// the weight matrix W of the derived observations, under datum rows g.x = 0, solved through the
// bordered normal equations [A'WA g'; g 0] (instead of the programs' N + G'G).
// The rows g enter as an orthonormal basis of their space (the same conditions), in long double.
#pragma once
#include <Eigen/Dense>
#include <vector>

namespace truth {

struct BorderedSolution {
    Eigen::VectorXd x;   // the unknowns
    Eigen::MatrixXd Qx;  // their cofactor matrix (the unknowns' block of the bordered inverse)
    double pvv = 0;      // v'Wv with v = A.x - L
    int redundancy = 0;  // rows - unknowns + datum rows
};

BorderedSolution solve_bordered(const Eigen::MatrixXd& A, const Eigen::MatrixXd& W, const Eigen::VectorXd& L,
                                const std::vector<Eigen::VectorXd>& g);

}  // namespace truth
