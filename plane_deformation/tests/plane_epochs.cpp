#include "plane_epochs.h"

#include <cmath>
#include <cstdio>

#include "bordered_solution.h"

namespace plane_epochs {

namespace {

double x_of(const Point& p, bool moved) { return moved ? p.X + p.dX : p.X; }
double y_of(const Point& p, bool moved) { return moved ? p.Y + p.dY : p.Y; }

const Point& point(const std::vector<Point>& points, std::int16_t number) {
    for (const Point& p : points)
        if (p.number == number) return p;
    return points.front();
}

int index(const std::vector<Point>& points, std::int16_t number) {
    for (std::size_t k = 0; k < points.size(); ++k)
        if (points[k].number == number) return static_cast<int>(k);
    return -1;
}

double on_circle(double cc) { return std::fmod(std::fmod(cc, FULL_CIRCLE) + FULL_CIRCLE, FULL_CIRCLE); }

}  // namespace

double azimuth(const Point& a, const Point& b, bool moved) {
    const double t = std::atan2(y_of(b, moved) - y_of(a, moved), x_of(b, moved) - x_of(a, moved));
    return on_circle(t * CC_PER_RADIAN);
}

File observe(const std::vector<Point>& points, const Plan& plan, const std::vector<double>& orientation_o,
             const std::vector<double>& orientation_i) {
    File f;
    f.points = points;
    for (std::size_t g = 0; g < plan.groups.size(); ++g) {
        const Point& s = point(points, plan.groups[g].first);
        for (std::int16_t t : plan.groups[g].second) {
            const Point& p = point(points, t);
            f.directions.push_back({s.number, t, on_circle(azimuth(s, p, false) + orientation_o[g]),
                                    on_circle(azimuth(s, p, true) + orientation_i[g]), 1.0});
        }
    }
    for (const auto& [a, b] : plan.distances) {
        const Point &s = point(points, a), &t = point(points, b);
        f.distances.push_back({a, b, std::hypot(t.X - s.X, t.Y - s.Y),
                               std::hypot(x_of(t, true) - x_of(s, true), y_of(t, true) - y_of(s, true)), 2.25});
    }
    return f;
}

Plan full_plan(const std::vector<Point>& points, bool distances) {
    Plan plan;
    for (const Point& s : points) {
        std::vector<std::int16_t> targets;
        for (const Point& t : points)
            if (t.number != s.number) targets.push_back(t.number);
        plan.groups.push_back({s.number, targets});
    }
    if (distances)
        for (std::size_t a = 0; a < points.size(); ++a)
            for (std::size_t b = a + 1; b < points.size(); ++b) plan.distances.push_back({points[a].number, points[b].number});
    return plan;
}

std::string file_text(const File& f) {
    std::string text = "'Known plane deformation'\n";
    char line[200];
    std::snprintf(line, sizeof line, "%.4f %.4f %.4f %.4f\n", f.UU, f.UD, f.MOO, f.MCH);
    text += line;
    for (const Point& p : f.points) {
        std::snprintf(line, sizeof line, "%d %d %.6f %.6f\n", p.number, p.code, p.X, p.Y);
        text += line;
    }
    text += "-1\n";
    for (const auto* section : {&f.directions, &f.distances}) {
        for (const Measured& m : *section) {
            std::snprintf(line, sizeof line, "%d %d %.6f %.6f %.4f\n", m.station, m.target, m.o, m.i, m.weight);
            text += line;
        }
        text += "-1\n";
    }
    return text;
}

Solution solve(const File& f) {
    const std::vector<Point>& pts = f.points;
    const int n = static_cast<int>(pts.size()), u = 2 * n;
    const int nd = static_cast<int>(f.directions.size()), p = nd + static_cast<int>(f.distances.size());
    std::vector<Eigen::VectorXd> rows;
    std::vector<double> l;
    std::vector<std::vector<std::pair<int, double>>> maps;  // derived row -> measured quantities
    for (int k = 0; k + 1 < nd; ++k) {
        const Measured &a = f.directions[k], &b = f.directions[k + 1];
        if (a.station != b.station) continue;
        const int s = index(pts, a.station);
        Eigen::VectorXd row = Eigen::VectorXd::Zero(u);
        for (const auto& [target, sign] : {std::pair{index(pts, a.target), -1.0}, std::pair{index(pts, b.target), 1.0}}) {
            const double dx = pts[target].X - pts[s].X, dy = pts[target].Y - pts[s].Y, h2 = dx * dx + dy * dy;
            // d azimuth / d(target X, Y) = (-dY, dX) / h^2 [rad/mm]; the station takes the opposite.
            row(2 * target) += sign * -dy / h2 * CC_PER_RADIAN;
            row(2 * target + 1) += sign * dx / h2 * CC_PER_RADIAN;
            row(2 * s) -= sign * -dy / h2 * CC_PER_RADIAN;
            row(2 * s + 1) -= sign * dx / h2 * CC_PER_RADIAN;
        }
        double change = (b.i - a.i) - (b.o - a.o);
        while (change > FULL_CIRCLE / 2) change -= FULL_CIRCLE;
        while (change <= -FULL_CIRCLE / 2) change += FULL_CIRCLE;
        rows.push_back(row);
        l.push_back(change);
        maps.push_back({{k, -1.0}, {k + 1, 1.0}});
    }
    for (std::size_t k = 0; k < f.distances.size(); ++k) {
        const Measured& m = f.distances[k];
        const int s = index(pts, m.station), t = index(pts, m.target);
        const Eigen::Vector2d d(pts[t].X - pts[s].X, pts[t].Y - pts[s].Y);
        Eigen::VectorXd row = Eigen::VectorXd::Zero(u);
        row.segment<2>(2 * t) = d / d.norm();
        row.segment<2>(2 * s) = -d / d.norm();
        rows.push_back(row);
        l.push_back(m.i - m.o);
        maps.push_back({{nd + static_cast<int>(k), 1.0}});
    }
    const int m = static_cast<int>(rows.size());
    Eigen::MatrixXd A(m, u), D = Eigen::MatrixXd::Zero(m, p);
    Eigen::VectorXd L(m), Pinv(p);
    for (int r = 0; r < m; ++r) {
        A.row(r) = rows[r].transpose();
        L(r) = l[r];
        for (const auto& [q, c] : maps[r]) D(r, q) = c;
    }
    for (int q = 0; q < nd; ++q) Pinv(q) = 1.0 / f.directions[q].weight;
    for (int q = nd; q < p; ++q) Pinv(q) = 1.0 / f.distances[q - nd].weight;
    const Eigen::MatrixXd W = (D * Pinv.asDiagonal() * D.transpose()).inverse();

    // Datum rows of the plane placement codes: 6 fixes X and Y, 2 keeps the point on the ray
    // from the first code-6 point, 3 takes part in the Helmert rows (scale only without distances).
    double rc = 0;
    for (const Point& pt : pts) rc += std::fabs(pt.X) + std::fabs(pt.Y);
    rc /= u;
    int reference = -1;
    for (int k = 0; k < n && reference < 0; ++k)
        if (pts[k].code == 6) reference = k;
    std::vector<Eigen::VectorXd> g;
    std::vector<Eigen::VectorXd> helmert(f.distances.empty() ? 4 : 3, Eigen::VectorXd::Zero(u));
    bool free = false;
    for (int k = 0; k < n; ++k) {
        const Point& pt = pts[k];
        if (pt.code == 6) {
            for (int a = 0; a < 2; ++a) {
                g.push_back(Eigen::VectorXd::Zero(u));
                g.back()(2 * k + a) = 1.0;
            }
        } else if (pt.code == 2) {
            const double dx = pt.X - pts[reference].X, dy = pt.Y - pts[reference].Y, s = std::hypot(dx, dy);
            g.push_back(Eigen::VectorXd::Zero(u));
            g.back()(2 * k) = -dy / s;
            g.back()(2 * k + 1) = dx / s;
        } else if (pt.code == 3) {
            free = true;
            helmert[0](2 * k) = 1.0;
            helmert[1](2 * k + 1) = 1.0;
            helmert[2](2 * k) = -pt.Y / rc;
            helmert[2](2 * k + 1) = pt.X / rc;
            if (helmert.size() == 4) {
                helmert[3](2 * k) = pt.X / rc;
                helmert[3](2 * k + 1) = pt.Y / rc;
            }
        }
    }
    if (free) g.insert(g.end(), helmert.begin(), helmert.end());
    return truth::solve_bordered(A, W, L, g);
}

}  // namespace plane_epochs
