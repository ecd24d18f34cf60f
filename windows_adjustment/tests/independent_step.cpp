#include "independent_step.h"

#include <array>
#include <cmath>
#include <stdexcept>

namespace kavon::test {

namespace {

constexpr double RHO = 636619.772367;
constexpr double PI_PROGRAM = 3.1415926536;  // the program's pi in its bearings

// The bearing [rad] as the program forms it: the arc tangent brought to [0, 2pi), where every
// multiple of pi that the program adds is its own value of pi.
double bearing(double dy, double dx)
{
    double t = std::atan2(dy, dx);
    if (t < 0) t += 2 * M_PI;
    const int multiples = dx < 0 ? 1 : (dy < 0 ? 2 : 0);
    return t + multiples * (PI_PROGRAM - M_PI);
}

double reduced(double cc)
{
    while (cc > 2000000.0) cc -= 4000000.0;
    while (cc <= -2000000.0) cc += 4000000.0;
    return cc;
}

int position(const std::vector<truth::Point>& points, int number)
{
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].number == number) return static_cast<int>(i);
    throw std::invalid_argument("no point " + std::to_string(number));
}

// Which components of a point the code fixes (exact codes 4 to 7).
std::array<bool, 3> fixedBy(int code)
{
    switch (code) {
    case 4: return {true, true, false};
    case 5: return {false, true, true};
    case 6: return {true, false, true};
    case 7: return {true, true, true};
    default: return {false, false, false};
    }
}

using Long = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;

// The unknowns of a step and their cofactors M.N.M.
struct Solved {
    Eigen::VectorXd x;
    Eigen::MatrixXd Q;
};

// Pi R^-1 R^-T Pi' of a factorisation B Pi = Q R: the inverse of B'B.
Long inverseOfGram(const Eigen::ColPivHouseholderQR<Long>& qr, int u)
{
    const Long R = qr.matrixR().topLeftCorner(u, u).triangularView<Eigen::Upper>();
    const Long Rinv = R.triangularView<Eigen::Upper>().solve(Long::Identity(u, u));
    return qr.colsPermutation() * (Rinv * Rinv.transpose()) * qr.colsPermutation().transpose();
}

// x = (N + G'G)^-1 A'P l as the least-squares solution of [sqrt(P) A; G] x = [sqrt(P) l; 0],
// by orthogonal factors of that matrix in extended precision, without forming N: it keeps its
// digits where N + G'G is ill-conditioned (a small network far from the origin, weights far from
// 1), unless the misclosures are large as well.
Solved withNormalMatrix(const Eigen::MatrixXd& A, const Eigen::MatrixXd& G, const Eigen::VectorXd& p,
                        const Eigen::VectorXd& l)
{
    const int m = static_cast<int>(A.rows()), u = static_cast<int>(A.cols());
    const Eigen::VectorXd root = p.cwiseSqrt();
    Long stacked(m + G.rows(), u);
    stacked << (root.asDiagonal() * A).cast<long double>(), G.cast<long double>();
    Long rhs = Long::Zero(stacked.rows(), 1);
    rhs.topRows(m) = root.cwiseProduct(l).cast<long double>();
    const Eigen::ColPivHouseholderQR<Long> qr(stacked);
    const Eigen::MatrixXd M = inverseOfGram(qr, u).cast<double>();
    const Eigen::MatrixXd N = A.transpose() * p.asDiagonal() * A;
    return {qr.solve(rhs).cast<double>(), M * N * M};
}

// x = Z y with Z an orthonormal basis of the null space of G (from the factors of G') and y the
// least-squares solution of sqrt(P) A Z y = sqrt(P) l, in extended precision; the cofactors
// Z (Z'NZ)^-1 Z'. G must have full row rank.
Solved withConstraints(const Eigen::MatrixXd& A, const Eigen::MatrixXd& G, const Eigen::VectorXd& p,
                       const Eigen::VectorXd& l)
{
    const int u = static_cast<int>(A.cols()), r = static_cast<int>(G.rows());
    const Eigen::HouseholderQR<Long> rows(G.transpose().cast<long double>());
    const Long Z = (rows.householderQ() * Long::Identity(u, u)).rightCols(u - r);
    const Eigen::VectorXd root = p.cwiseSqrt();
    const Long B = (root.asDiagonal() * A).cast<long double>() * Z;
    const Eigen::ColPivHouseholderQR<Long> qr(B);
    const Long rhs = root.cwiseProduct(l).cast<long double>();
    const Long x = Z * qr.solve(rhs);
    const Long Q = Z * inverseOfGram(qr, u - r) * Z.transpose();
    return {x.cast<double>(), Q.cast<double>()};
}

}  // namespace

double scale_of(const truth::InputFile& file)
{
    double sum = 0;
    for (const auto& p : file.points) sum += std::fabs(p.X) + std::fabs(p.Y);
    return sum / (2.0 * static_cast<double>(file.points.size()));
}

IndependentStep independent_step(const truth::InputFile& file, const std::vector<truth::Point>& c, double RC,
                                 DatumRows datum)
{
    const int n = static_cast<int>(c.size());
    // Station groups: runs of directions with one station.
    std::vector<int> group(file.directions.size());
    int groups = 0;
    for (std::size_t k = 0; k < file.directions.size(); ++k) {
        if (k == 0 || file.directions[k].station != file.directions[k - 1].station) ++groups;
        group[k] = groups - 1;
    }
    const int unknowns = 3 * n + groups;
    const int quantities = static_cast<int>(file.directions.size() + file.zenith_angles.size() + file.slope_distances.size());
    Eigen::MatrixXd A = Eigen::MatrixXd::Zero(quantities, unknowns);
    Eigen::VectorXd l(quantities), p(quantities);
    int row = 0;
    std::vector<double> orientation(static_cast<std::size_t>(groups), 0.0);
    std::vector<bool> oriented(static_cast<std::size_t>(groups), false);
    for (std::size_t k = 0; k < file.directions.size(); ++k, ++row) {
        const auto& m = file.directions[k];
        const int i = position(c, m.station), j = position(c, m.target);
        const double dX = c[j].X - c[i].X, dY = c[j].Y - c[i].Y, s2 = dX * dX + dY * dY;
        const double az = bearing(dY, dX) * RHO;
        const auto g = static_cast<std::size_t>(group[k]);
        if (!oriented[g]) orientation[g] = m.value - az, oriented[g] = true;
        l(row) = reduced(m.value - az - orientation[g]);
        A(row, 3 * j) = -RHO * dY / s2;
        A(row, 3 * j + 1) = RHO * dX / s2;
        A(row, 3 * i) = RHO * dY / s2;
        A(row, 3 * i + 1) = -RHO * dX / s2;
        A(row, 3 * n + group[k]) = 1;
        p(row) = m.weight;
    }
    for (const auto& m : file.zenith_angles) {
        const int i = position(c, m.station), j = position(c, m.target);
        const double dX = c[j].X - c[i].X, dY = c[j].Y - c[i].Y, dZ = c[j].Z - c[i].Z;
        const double h = std::hypot(dX, dY), S2 = dX * dX + dY * dY + dZ * dZ;
        const double z = std::atan2(h, dZ) + (dZ < 0 ? PI_PROGRAM - M_PI : 0.0);
        l(row) = m.value - (dZ == 0 ? 1000000.0 : z * RHO);
        // dz/dh = dZ/S2, dz/d(dZ) = -h/S2, dh/d(dX) = dX/h
        const double byX = RHO * dZ / S2 * dX / h, byY = RHO * dZ / S2 * dY / h, byZ = -RHO * h / S2;
        A(row, 3 * j) = byX, A(row, 3 * j + 1) = byY, A(row, 3 * j + 2) = byZ;
        A(row, 3 * i) = -byX, A(row, 3 * i + 1) = -byY, A(row, 3 * i + 2) = -byZ;
        p(row++) = m.weight;
    }
    for (const auto& m : file.slope_distances) {
        const int i = position(c, m.station), j = position(c, m.target);
        const Eigen::Vector3d d(c[j].X - c[i].X, c[j].Y - c[i].Y, c[j].Z - c[i].Z);
        l(row) = m.value - d.norm();
        for (int a = 0; a < 3; ++a) A(row, 3 * j + a) = d(a) / d.norm(), A(row, 3 * i + a) = -d(a) / d.norm();
        p(row++) = m.weight;
    }

    // The datum: the components fixed by codes 4 to 7 are left out of the unknowns; the rows of
    // codes 2 and 3 enter the normal matrix as G^T.G.
    std::vector<int> kept;  // unknowns in the solution
    int conditionRows = 0;
    for (int i = 0; i < n; ++i) {
        const auto fixed = fixedBy(c[i].code);
        for (int a = 0; a < 3; ++a) {
            if (fixed[a]) ++conditionRows;
            else kept.push_back(3 * i + a);
        }
    }
    for (int g = 0; g < groups; ++g) kept.push_back(3 * n + g);
    int origin = -1;
    for (int i = 0; i < n; ++i)
        if (origin < 0 && std::abs(c[i].code) == 7) origin = i;
    const int scaleRows = file.slope_distances.empty() ? 5 : 4;
    Eigen::MatrixXd G = Eigen::MatrixXd::Zero(0, unknowns);
    const auto newRow = [&G] {
        G.conservativeResize(G.rows() + 1, Eigen::NoChange);
        G.row(G.rows() - 1).setZero();
        return static_cast<int>(G.rows() - 1);
    };
    int helmert = -1;
    for (int i = 0; i < n; ++i) {
        if (c[i].code == 2) {
            const double dX = c[i].X - c[origin].X, dY = c[i].Y - c[origin].Y, s = std::hypot(dX, dY);
            const int r = newRow();
            G(r, 3 * i) = -dY / s, G(r, 3 * i + 1) = dX / s;
            ++conditionRows;
        }
        if (c[i].code == 3) {
            if (helmert < 0) {
                helmert = static_cast<int>(G.rows());
                for (int r = 0; r < scaleRows; ++r) newRow();
                conditionRows += scaleRows;
            }
            for (int a = 0; a < 3; ++a) G(helmert + a, 3 * i + a) = 1;
            G(helmert + 3, 3 * i) = -c[i].Y / RC, G(helmert + 3, 3 * i + 1) = c[i].X / RC;
            if (scaleRows == 5) G(helmert + 4, 3 * i) = c[i].X / RC, G(helmert + 4, 3 * i + 1) = c[i].Y / RC;
        }
    }
    const int u = static_cast<int>(kept.size());
    Eigen::MatrixXd Ak(quantities, u), Gk(G.rows(), u);
    for (int k = 0; k < u; ++k) Ak.col(k) = A.col(kept[k]), Gk.col(k) = G.col(kept[k]);
    const Solved solved = datum == DatumRows::normalMatrix ? withNormalMatrix(Ak, Gk, p, l) : withConstraints(Ak, Gk, p, l);
    const Eigen::VectorXd& xk = solved.x;
    const Eigen::MatrixXd& Qk = solved.Q;
    Eigen::VectorXd x = Eigen::VectorXd::Zero(unknowns);
    Eigen::MatrixXd Q = Eigen::MatrixXd::Zero(unknowns, unknowns);
    for (int a = 0; a < u; ++a) {
        x(kept[a]) = xk(a);
        for (int b = 0; b < u; ++b) Q(kept[a], kept[b]) = Qk(a, b);
    }

    IndependentStep step;
    step.dx = x.head(3 * n);
    step.Qxx = Q.topLeftCorner(3 * n, 3 * n);
    step.v = A * x - l;
    step.pvv = step.v.dot(p.asDiagonal() * step.v);
    const int angles = quantities - static_cast<int>(file.zenith_angles.size() + file.slope_distances.size()) - groups;
    step.redundancy = angles + static_cast<int>(file.zenith_angles.size() + file.slope_distances.size()) - 3 * n
                      + conditionRows;
    return step;
}

std::vector<truth::Point> independent_adjustment(const truth::InputFile& file, double RC)
{
    std::vector<truth::Point> points = file.points;
    for (int pass = 0; pass < 30; ++pass) {
        const IndependentStep step = independent_step(file, points, RC);
        for (std::size_t i = 0; i < points.size(); ++i) {
            points[i].X += step.dx(3 * static_cast<int>(i));
            points[i].Y += step.dx(3 * static_cast<int>(i) + 1);
            points[i].Z += step.dx(3 * static_cast<int>(i) + 2);
        }
        if (step.dx.cwiseAbs().maxCoeff() < 1e-9) break;
    }
    return points;
}

}  // namespace kavon::test
