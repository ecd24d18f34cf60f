#include "two_epochs.h"

#include <cmath>
#include <cstdio>
#include <sstream>

#include "truth_network.h"

namespace truth {

std::string section_text(const std::vector<EpochPair>& quantities) {
    std::string text;
    char line[200];
    for (const EpochPair& m : quantities) {
        std::snprintf(line, sizeof line, "%d %d %.6f %.6f %.4f\n", m.station, m.target, m.o, m.i, m.weight);
        text += line;
    }
    return text + "-1\n";
}

int position(const std::vector<PlacedPoint>& points, std::int16_t number) {
    for (std::size_t k = 0; k < points.size(); ++k)
        if (points[k].number == number) return static_cast<int>(k);
    return -1;
}

void add_angle_rows(DifferenceRows& out, const std::vector<EpochPair>& directions,
                    const std::vector<PlacedPoint>& points, int dimension) {
    const int u = dimension * static_cast<int>(points.size()), nd = static_cast<int>(directions.size());
    for (int k = 0; k + 1 < nd; ++k) {
        const EpochPair &a = directions[k], &b = directions[k + 1];
        if (a.station != b.station) continue;
        const int s = position(points, a.station);
        Eigen::VectorXd row = Eigen::VectorXd::Zero(u);
        for (const auto& [target, sign] :
             {std::pair{position(points, a.target), -1.0}, std::pair{position(points, b.target), 1.0}}) {
            const double dx = points[target].X - points[s].X, dy = points[target].Y - points[s].Y, h2 = dx * dx + dy * dy;
            // d azimuth / d(target X, Y) = (-dY, dX) / h^2 [rad/mm]; the station takes the opposite.
            row(dimension * target) += sign * -dy / h2 * CC_PER_RADIAN;
            row(dimension * target + 1) += sign * dx / h2 * CC_PER_RADIAN;
            row(dimension * s) -= sign * -dy / h2 * CC_PER_RADIAN;
            row(dimension * s + 1) -= sign * dx / h2 * CC_PER_RADIAN;
        }
        double change = (b.i - a.i) - (b.o - a.o);
        while (change > FULL_CIRCLE / 2) change -= FULL_CIRCLE;
        while (change <= -FULL_CIRCLE / 2) change += FULL_CIRCLE;
        out.rows.push_back(row);
        out.l.push_back(change);
        out.maps.push_back({{k, -1.0}, {k + 1, 1.0}});
    }
}

std::vector<Eigen::VectorXd> datum_rows(const std::vector<PlacedPoint>& points, int dimension, int fixed_code,
                                        bool scale) {
    const int n = static_cast<int>(points.size()), u = dimension * n;
    double rc = 0;
    for (const PlacedPoint& pt : points) rc += std::fabs(pt.X) + std::fabs(pt.Y);
    rc /= u;
    int reference = -1;
    for (int k = 0; k < n && reference < 0; ++k)
        if (points[k].code == fixed_code) reference = k;
    std::vector<Eigen::VectorXd> g;
    std::vector<Eigen::VectorXd> helmert(static_cast<std::size_t>(dimension + (scale ? 2 : 1)), Eigen::VectorXd::Zero(u));
    bool free = false;
    for (int k = 0; k < n; ++k) {
        const PlacedPoint& pt = points[k];
        if (pt.code == fixed_code) {
            for (int a = 0; a < dimension; ++a) {
                g.push_back(Eigen::VectorXd::Zero(u));
                g.back()(dimension * k + a) = 1.0;
            }
        } else if (pt.code == 2) {
            const double dx = pt.X - points[reference].X, dy = pt.Y - points[reference].Y, s = std::hypot(dx, dy);
            g.push_back(Eigen::VectorXd::Zero(u));
            g.back()(dimension * k) = -dy / s;
            g.back()(dimension * k + 1) = dx / s;
        } else if (pt.code == 3) {
            free = true;
            for (int a = 0; a < dimension; ++a) helmert[a](dimension * k + a) = 1.0;
            helmert[dimension](dimension * k) = -pt.Y / rc;
            helmert[dimension](dimension * k + 1) = pt.X / rc;
            if (scale) {
                helmert[dimension + 1](dimension * k) = pt.X / rc;
                helmert[dimension + 1](dimension * k + 1) = pt.Y / rc;
            }
        }
    }
    if (free) g.insert(g.end(), helmert.begin(), helmert.end());
    return g;
}

BorderedSolution solve_differences(const DifferenceRows& d, const Eigen::VectorXd& Pinv,
                                   const std::vector<Eigen::VectorXd>& g) {
    const int m = static_cast<int>(d.rows.size()), u = static_cast<int>(d.rows.front().size());
    const int p = static_cast<int>(Pinv.size());
    Eigen::MatrixXd A(m, u), D = Eigen::MatrixXd::Zero(m, p);
    Eigen::VectorXd L(m);
    for (int r = 0; r < m; ++r) {
        A.row(r) = d.rows[r].transpose();
        L(r) = d.l[r];
        for (const auto& [q, c] : d.maps[r]) D(r, q) = c;
    }
    const Eigen::MatrixXd W = (D * Pinv.asDiagonal() * D.transpose()).inverse();
    return solve_bordered(A, W, L, g);
}

std::vector<double> orientations(std::size_t groups) {
    std::vector<double> o;
    for (std::size_t g = 0; g < groups; ++g) o.push_back(std::fmod(1234567.0 * static_cast<double>(g + 1), FULL_CIRCLE));
    return o;
}

std::vector<std::pair<double, double>> pair_rows(const std::vector<std::string>& report, const std::string& title) {
    std::vector<std::pair<double, double>> rows;
    std::size_t k = 0;
    while (k < report.size() && report[k].rfind(title, 0) != 0) ++k;
    for (k += 3; k < report.size() && !report[k].empty(); ++k) {
        std::istringstream in(report[k]);
        int c, a, b;
        double d, s;
        in >> c >> a >> b >> d >> s;
        rows.push_back({d, s});
    }
    return rows;
}

}  // namespace truth
