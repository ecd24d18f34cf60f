#include "bordered_solution.h"

namespace truth {

BorderedSolution solve_bordered(const Eigen::MatrixXd& A, const Eigen::MatrixXd& W, const Eigen::VectorXd& L,
                                const std::vector<Eigen::VectorXd>& g) {
    const int u = static_cast<int>(A.cols()), m = static_cast<int>(A.rows()), c = static_cast<int>(g.size());
    Eigen::MatrixXd B = Eigen::MatrixXd::Zero(u + c, u + c);
    B.topLeftCorner(u, u) = A.transpose() * W * A;
    for (int r = 0; r < c; ++r) {
        B.block(u + r, 0, 1, u) = g[r].transpose();
        B.block(0, u + r, u, 1) = g[r];
    }
    Eigen::VectorXd rhs = Eigen::VectorXd::Zero(u + c);
    rhs.head(u) = A.transpose() * W * L;
    const Eigen::MatrixXd Binv = B.inverse();
    BorderedSolution out;
    out.x = (Binv * rhs).head(u);
    out.Qx = Binv.topLeftCorner(u, u);
    const Eigen::VectorXd v = A * out.x - L;
    out.pvv = v.dot(W * v);
    out.redundancy = m - u + c;
    return out;
}

}  // namespace truth
