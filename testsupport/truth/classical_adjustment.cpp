// The classical adjustment with orientation unknowns, written directly with Eigen.
#include "classical_adjustment.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <stdexcept>

namespace truth {

namespace {

using Eigen::MatrixXd;
using Eigen::VectorXd;

// Which coordinate components (X, Y, Z) a placement code keeps out of the unknowns.
std::array<bool, 3> fixed_components(int code, int dimension) {
    if (dimension == 2) {
        switch (std::abs(code)) {
            case 0: case 1: case 2: case 3: return {false, false, false};
            case 4: return {true, false, false};
            case 5: return {false, true, false};
            default: return {true, true, false};
        }
    }
    switch (std::abs(code)) {
        case 0: case 1: case 2: case 3: return {false, false, false};
        case 4: return {true, true, false};
        case 5: return {false, true, true};
        case 6: return {true, false, true};
        default: return {true, true, true};
    }
}

bool moves_every_pass(int code) { return std::abs(code) <= 1; }

std::size_t index_of(const std::vector<Point>& points, std::int16_t number) {
    for (std::size_t i = 0; i < points.size(); ++i)
        if (points[i].number == number) return i;
    throw std::invalid_argument("point " + std::to_string(number) + " is not in the network");
}

double to_half_circle(double cc) {
    double r = std::fmod(cc, FULL_CIRCLE);
    if (r > HALF_CIRCLE) r -= FULL_CIRCLE;
    if (r <= -HALF_CIRCLE) r += FULL_CIRCLE;
    return r;
}

// Computed direction [cc] from the coordinate differences [mm]: the arc tangent in radians,
// brought to 0..2pi with the chosen full circle, times cc per radian.
double direction_cc(double dX, double dY, Circle circle) {
    double t = std::atan2(dY, dX);
    if (t < 0) t += circle == Circle::exact ? 2.0 * std::numbers::pi : 2.0 * SINGLE_PI;
    return t * CC_PER_RADIAN;
}

// Columns of the unknowns: coordinates that are not fixed, in input order, then one orientation
// per station group. -1 marks a fixed coordinate.
struct Unknowns {
    int dimension = 3;
    std::vector<int> coordinate;  // dimension x n entries
    int coordinates = 0;          // count of the coordinate unknowns
    std::vector<int> group_of;    // station group of every direction
    int groups = 0;
    int total() const { return coordinates + groups; }
};

Unknowns unknowns_of(const InputFile& file) {
    Unknowns u;
    u.dimension = file.dimension;
    for (const Point& p : file.points) {
        const std::array<bool, 3> fixed = fixed_components(p.code, u.dimension);
        for (int c = 0; c < u.dimension; ++c) u.coordinate.push_back(fixed[c] ? -1 : u.coordinates++);
    }
    for (std::size_t k = 0; k < file.directions.size(); ++k) {
        if (k == 0 || file.directions[k].station != file.directions[k - 1].station) ++u.groups;
        u.group_of.push_back(u.groups - 1);
    }
    return u;
}

// Linearisation at the given coordinates and orientations: one row per measured quantity.
struct Linearised {
    MatrixXd A;
    VectorXd l;  // measured minus computed
    VectorXd p;  // weights
};

// Writes the derivatives of one row by the coordinates of one point into the unknowns' columns.
class RowWriter {
public:
    RowWriter(const Unknowns& u, Linearised& lin) : u_(u), lin_(lin) {}
    // Adds the derivatives by the coordinates of point `i` to row `r`.
    void point(int r, std::size_t i, double dX, double dY, double dZ) {
        const double d[3] = {dX, dY, dZ};
        for (int c = 0; c < u_.dimension; ++c) {
            const int col = u_.coordinate[u_.dimension * i + c];
            if (col >= 0) lin_.A(r, col) += d[c];
        }
    }
private:
    const Unknowns& u_;
    Linearised& lin_;
};

Linearised linearise(const InputFile& file, const Unknowns& u, const std::vector<Point>& at,
                     const VectorXd& orientation, Circle circle) {
    const std::size_t count =
        file.directions.size() + file.zenith_angles.size() + file.slope_distances.size();
    Linearised lin{MatrixXd::Zero(count, u.total()), VectorXd::Zero(count), VectorXd::Zero(count)};
    RowWriter row(u, lin);
    int r = 0;
    for (std::size_t k = 0; k < file.directions.size(); ++k, ++r) {
        const Measured& m = file.directions[k];
        const std::size_t i = index_of(at, m.station), j = index_of(at, m.target);
        const double dX = at[j].X - at[i].X, dY = at[j].Y - at[i].Y, s2 = dX * dX + dY * dY;
        const double computed = direction_cc(dX, dY, circle) + orientation(u.group_of[k]);
        lin.l(r) = to_half_circle(m.value - computed);
        row.point(r, i, CC_PER_RADIAN * dY / s2, -CC_PER_RADIAN * dX / s2, 0);
        row.point(r, j, -CC_PER_RADIAN * dY / s2, CC_PER_RADIAN * dX / s2, 0);
        lin.A(r, u.coordinates + u.group_of[k]) = 1.0;
        lin.p(r) = m.weight;
    }
    for (const Measured& m : file.zenith_angles) {
        const std::size_t i = index_of(at, m.station), j = index_of(at, m.target);
        const double dX = at[j].X - at[i].X, dY = at[j].Y - at[i].Y, dZ = at[j].Z - at[i].Z;
        const double h = std::hypot(dX, dY), S2 = dX * dX + dY * dY + dZ * dZ;
        const double f = CC_PER_RADIAN * dZ / (S2 * h), g = CC_PER_RADIAN * h / S2;
        lin.l(r) = m.value - std::atan2(h, dZ) * CC_PER_RADIAN;
        row.point(r, i, -f * dX, -f * dY, g);
        row.point(r, j, f * dX, f * dY, -g);
        lin.p(r++) = m.weight;
    }
    for (const Measured& m : file.slope_distances) {
        const std::size_t i = index_of(at, m.station), j = index_of(at, m.target);
        const double dX = at[j].X - at[i].X, dY = at[j].Y - at[i].Y, dZ = at[j].Z - at[i].Z;
        const double s = std::sqrt(dX * dX + dY * dY + dZ * dZ);
        lin.l(r) = m.value - s;
        row.point(r, i, -dX / s, -dY / s, -dZ / s);
        row.point(r, j, dX / s, dY / s, dZ / s);
        lin.p(r++) = m.weight;
    }
    return lin;
}

// The condition rows restricted to the coordinate unknowns (fixed columns dropped).
MatrixXd on_unknowns(const MatrixXd& G, const Unknowns& u) {
    MatrixXd reduced = MatrixXd::Zero(G.rows(), u.coordinates);
    for (int c = 0; c < G.cols(); ++c)
        if (u.coordinate[c] >= 0) reduced.col(u.coordinate[c]) = G.col(c);
    return reduced;
}

// Increments of all 3n coordinates from the solution (zero where fixed).
VectorXd full_increments(const VectorXd& x, const Unknowns& u) {
    VectorXd dx = VectorXd::Zero(u.coordinate.size());
    for (std::size_t c = 0; c < u.coordinate.size(); ++c)
        if (u.coordinate[c] >= 0) dx(c) = x(u.coordinate[c]);
    return dx;
}

void add_increments(Point& p, const VectorXd& dx, std::size_t i, int dimension) {
    p.X += dx(dimension * i);
    p.Y += dx(dimension * i + 1);
    if (dimension == 3) p.Z += dx(dimension * i + 2);
}

int derived_count(const InputFile& file, const Unknowns& u) {
    return static_cast<int>(file.directions.size()) - u.groups + static_cast<int>(file.zenith_angles.size()) +
           static_cast<int>(file.slope_distances.size());
}

using MatrixXl = Eigen::Matrix<long double, Eigen::Dynamic, Eigen::Dynamic>;
using VectorXl = Eigen::Matrix<long double, Eigen::Dynamic, 1>;

// A rank with a relative threshold, from a column-pivoted Householder QR.
Eigen::Index rank_of(const MatrixXl& M) {
    Eigen::ColPivHouseholderQR<MatrixXl> qr(M);
    qr.setThreshold(1e-10L);
    return qr.rank();
}

// The solution of the weighted rows A.x = l with the condition rows Gu (coordinate columns only,
// the orientations free), that of (A'.p.A + Gu'.Gu) x = A'.p.l, in long double without normal
// equations. Where the condition rows only fix the datum (their rank and that of the observation
// rows add up to the unknowns) it is the solution under Gu.x = 0, whatever their weight: the
// observation rows are solved, by a Householder QR, on an orthonormal basis of the unknowns that
// satisfy the conditions (from a Householder QR of Gu'). Otherwise the condition rows act as
// observations of unit weight: the observation rows stacked on them, by a Householder QR.
VectorXd constrained_solution(const Linearised& lin, const MatrixXd& Gu) {
    const Eigen::Index m = lin.A.rows(), u = lin.A.cols(), c = Gu.rows();
    MatrixXl S(m, u);
    VectorXl rhs(m);
    for (Eigen::Index r = 0; r < m; ++r) {
        const long double w = std::sqrt(static_cast<long double>(lin.p(r)));
        for (Eigen::Index k = 0; k < u; ++k) S(r, k) = w * static_cast<long double>(lin.A(r, k));
        rhs(r) = w * static_cast<long double>(lin.l(r));
    }
    MatrixXl Gt = MatrixXl::Zero(u, c);
    for (Eigen::Index r = 0; r < c; ++r)
        for (Eigen::Index k = 0; k < Gu.cols(); ++k) Gt(k, r) = static_cast<long double>(Gu(r, k));
    const Eigen::Index conditions = c > 0 ? rank_of(Gt) : 0;
    if (rank_of(S) + conditions == u) {
        Eigen::ColPivHouseholderQR<MatrixXl> qr(Gt);
        const MatrixXl Q = qr.householderQ();
        const MatrixXl basis = Q.rightCols(u - conditions);
        const VectorXl z = (S * basis).householderQr().solve(rhs);
        return (basis * z).cast<double>();
    }
    MatrixXl stacked(m + c, u);
    stacked << S, Gt.transpose();
    VectorXl right = VectorXl::Zero(m + c);
    right.head(m) = rhs;
    return stacked.colPivHouseholderQr().solve(right).cast<double>();
}

}  // namespace

double network_scale(const std::vector<Point>& points, int dimension) {
    double sum = 0;
    for (const Point& p : points) sum += std::abs(p.X) + std::abs(p.Y);
    return sum / (dimension * static_cast<double>(points.size()));
}

MatrixXd condition_rows(const std::vector<Point>& points, bool with_scale, int dimension) {
    const int n = static_cast<int>(points.size());
    const int d = dimension;
    const double RC = network_scale(points, dimension);
    std::vector<VectorXd> rows;
    auto unit_row = [&](int column) {
        VectorXd row = VectorXd::Zero(d * n);
        row(column) = 1.0;
        rows.push_back(row);
    };
    bool helmert = false, other = false;
    for (const Point& p : points) {
        if (std::abs(p.code) == 3) helmert = true;
        else if (std::abs(p.code) >= 2) other = true;
    }
    if (helmert && other) throw std::invalid_argument("free-network points mixed with other conditions");
    if (helmert) {
        // One translation row per axis, the rotation about the vertical, and the scale.
        for (int r = 0; r < d + (with_scale ? 2 : 1); ++r) rows.push_back(VectorXd::Zero(d * n));
        for (int i = 0; i < n; ++i) {
            if (std::abs(points[i].code) != 3) continue;
            for (int c = 0; c < d; ++c) rows[c](d * i + c) = 1.0;
            rows[d](d * i) = -points[i].Y / RC;
            rows[d](d * i + 1) = points[i].X / RC;
            if (with_scale) {
                rows[d + 1](d * i) = points[i].X / RC;
                rows[d + 1](d * i + 1) = points[i].Y / RC;
            }
        }
    }
    const int reference_code = d == 2 ? 6 : 7;
    const int last_fixing = d == 2 ? 1000 : 8;  // codes above it fix without a row (space)
    const Point* reference = nullptr;
    for (const Point& p : points)
        if (!reference && std::abs(p.code) == reference_code) reference = &p;
    for (int i = 0; i < n; ++i) {
        const int code = std::abs(points[i].code);
        if (code == 2) {
            if (!reference) throw std::invalid_argument("azimuth point without a reference point");
            const double dX = points[i].X - reference->X, dY = points[i].Y - reference->Y;
            const double s = std::hypot(dX, dY);
            VectorXd row = VectorXd::Zero(d * n);
            row(d * i) = -dY / s;
            row(d * i + 1) = dX / s;
            rows.push_back(row);
        } else if (code >= 4 && code <= last_fixing) {
            const auto fixed = fixed_components(d == 3 && code == 8 ? 4 : code, d);
            for (int c = 0; c < d; ++c)
                if (fixed[c]) unit_row(d * i + c);
        }
    }
    MatrixXd G(rows.size(), d * n);
    for (std::size_t r = 0; r < rows.size(); ++r) G.row(r) = rows[r].transpose();
    return G;
}

ClassicalResult adjust_classically(const InputFile& file, Circle circle, PassRule rule) {
    const Unknowns u = unknowns_of(file);
    const MatrixXd G = condition_rows(file.points, file.slope_distances.empty(), file.dimension);
    const MatrixXd Gu = on_unknowns(G, u);
    const MatrixXd GTG = Gu.transpose() * Gu;

    std::vector<Point> at = file.points;
    VectorXd orientation = VectorXd::Zero(u.groups);
    for (std::size_t k = 0; k < file.directions.size(); ++k) {
        if (k > 0 && u.group_of[k] == u.group_of[k - 1]) continue;
        const Measured& m = file.directions[k];
        const Point& s = at[index_of(at, m.station)];
        const Point& t = at[index_of(at, m.target)];
        orientation(u.group_of[k]) = m.value - direction_cc(t.X - s.X, t.Y - s.Y, circle);
    }

    ClassicalResult result;
    VectorXd dx, x;
    Linearised lin;
    MatrixXd normal;
    double previous = 0;
    for (result.passes = 1;; ++result.passes) {
        if (result.passes > 50) throw std::runtime_error("the increments did not settle in 50 passes");
        lin = linearise(file, u, at, orientation, circle);
        normal = lin.A.transpose() * lin.p.asDiagonal() * lin.A;
        normal.topLeftCorner(u.coordinates, u.coordinates) += GTG;
        x = constrained_solution(lin, Gu);
        dx = full_increments(x, u);
        for (std::size_t i = 0; i < at.size(); ++i)
            if (moves_every_pass(at[i].code)) add_increments(at[i], dx, i, u.dimension);
        orientation += x.tail(u.groups);
        const double sum = dx.squaredNorm();
        const double limit = rule == PassRule::programs ? 0.1 + static_cast<double>(0.1f) : 1e-9 * std::max(1.0, sum);
        if (result.passes >= 2 && std::abs(sum - previous) < limit) break;
        previous = sum;
    }
    for (std::size_t i = 0; i < at.size(); ++i)
        if (!moves_every_pass(at[i].code)) add_increments(at[i], dx, i, u.dimension);

    result.adjusted = at;
    result.v = lin.A * x - lin.l;
    result.pvv = result.v.dot(lin.p.asDiagonal() * result.v);
    result.derived = derived_count(file, u);
    result.condition_rows = static_cast<int>(G.rows());
    result.redundancy = result.derived - file.dimension * static_cast<int>(at.size()) + result.condition_rows;

    // Coordinate block of the inverse: (N_reduced + G^T.G)^-1 = M, with N_reduced the normal
    // matrix after eliminating the orientations; the cofactors are M.N_reduced.M = M - M.G^T.G.M.
    const MatrixXd M = normal.inverse().topLeftCorner(u.coordinates, u.coordinates);
    const MatrixXd R = M - M * GTG * M;
    const std::size_t columns = static_cast<std::size_t>(file.dimension) * at.size();
    result.cofactors = MatrixXd::Zero(columns, columns);
    for (std::size_t a = 0; a < u.coordinate.size(); ++a)
        for (std::size_t b = 0; b < u.coordinate.size(); ++b)
            if (u.coordinate[a] >= 0 && u.coordinate[b] >= 0)
                result.cofactors(a, b) = R(u.coordinate[a], u.coordinate[b]);
    return result;
}

}  // namespace truth
