#include "bordered_solution.h"

#include <Eigen/QR>

namespace truth {

namespace {

using MatrixXl = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
using VectorXl = Eigen::Matrix<long double, Eigen::Dynamic, 1>;

// An orthonormal basis of the space of the datum rows (u x c, one column per row), by a
// Householder QR: the same conditions g.x = 0 without rows that nearly repeat each other.
MatrixXl orthonormal_rows(const std::vector<Eigen::VectorXd>& g, int u) {
    const int c = static_cast<int>(g.size());
    MatrixXl Gt(u, c);
    for (int r = 0; r < c; ++r) Gt.col(r) = g[r].cast<long double>();
    const Eigen::HouseholderQR<MatrixXl> qr(Gt);
    return qr.householderQ() * MatrixXl::Identity(u, c);
}

}  // namespace

BorderedSolution solve_bordered(const Eigen::MatrixXd& A, const Eigen::MatrixXd& W, const Eigen::VectorXd& L,
                                const std::vector<Eigen::VectorXd>& g) {
    const int u = static_cast<int>(A.cols()), m = static_cast<int>(A.rows()), c = static_cast<int>(g.size());
    const MatrixXl Al = A.cast<long double>(), Wl = W.cast<long double>();
    const MatrixXl N = Al.transpose() * Wl * Al;
    // The datum rows as an orthonormal basis of their space, brought to the size of N's diagonal so
    // that the bordered matrix is not badly scaled; neither changes the solution for x.
    const long double size = u > 0 ? N.trace() / u : 1.0L;
    const MatrixXl B0 = orthonormal_rows(g, u) * (size > 0 ? size : 1.0L);
    MatrixXl B = MatrixXl::Zero(u + c, u + c);
    B.topLeftCorner(u, u) = N;
    B.topRightCorner(u, c) = B0;
    B.bottomLeftCorner(c, u) = B0.transpose();
    VectorXl rhs = VectorXl::Zero(u + c);
    rhs.head(u) = Al.transpose() * Wl * L.cast<long double>();
    const MatrixXl Binv = B.fullPivLu().inverse();
    BorderedSolution out;
    out.x = (Binv * rhs).head(u).cast<double>();
    out.Qx = Binv.topLeftCorner(u, u).cast<double>();
    const Eigen::VectorXd v = A * out.x - L;
    out.pvv = v.dot(W * v);
    out.redundancy = m - u + c;
    return out;
}

}  // namespace truth
