#include "plane_epochs.h"

#include <cmath>
#include <cstdio>

#include "bordered_solution.h"

namespace plane_epochs {

namespace {

double x_of(const Point& p, bool moved) { return moved ? p.X + p.dX : p.X; }
double y_of(const Point& p, bool moved) { return moved ? p.Y + p.dY : p.Y; }

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
        const Point& s = truth::numbered(points, plan.groups[g].first);
        for (std::int16_t t : plan.groups[g].second) {
            const Point& p = truth::numbered(points, t);
            f.directions.push_back({s.number, t, on_circle(azimuth(s, p, false) + orientation_o[g]),
                                    on_circle(azimuth(s, p, true) + orientation_i[g]), 1.0});
        }
    }
    for (const auto& [a, b] : plan.distances) {
        const Point &s = truth::numbered(points, a), &t = truth::numbered(points, b);
        f.distances.push_back({a, b, std::hypot(t.X - s.X, t.Y - s.Y),
                               std::hypot(x_of(t, true) - x_of(s, true), y_of(t, true) - y_of(s, true)), 2.25});
    }
    return f;
}

Plan full_plan(const std::vector<Point>& points, bool distances) {
    Plan plan;
    plan.groups = truth::sight_all(points);
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
    for (const auto* section : {&f.directions, &f.distances}) text += truth::section_text(*section);
    return text;
}

Solution solve(const File& f) {
    std::vector<truth::PlacedPoint> pts;
    for (const Point& p : f.points) pts.push_back({p.number, p.code, p.X, p.Y});
    const int u = 2 * static_cast<int>(pts.size());
    const int nd = static_cast<int>(f.directions.size()), p = nd + static_cast<int>(f.distances.size());
    truth::DifferenceRows d;
    truth::add_angle_rows(d, f.directions, pts, 2);
    for (std::size_t k = 0; k < f.distances.size(); ++k) {
        const Measured& m = f.distances[k];
        const int s = truth::position(pts, m.station), t = truth::position(pts, m.target);
        const Eigen::Vector2d dst(pts[t].X - pts[s].X, pts[t].Y - pts[s].Y);
        Eigen::VectorXd row = Eigen::VectorXd::Zero(u);
        row.segment<2>(2 * t) = dst / dst.norm();
        row.segment<2>(2 * s) = -dst / dst.norm();
        d.rows.push_back(row);
        d.l.push_back(m.i - m.o);
        d.maps.push_back({{nd + static_cast<int>(k), 1.0}});
    }
    Eigen::VectorXd Pinv(p);
    for (int q = 0; q < nd; ++q) Pinv(q) = 1.0 / f.directions[q].weight;
    for (int q = nd; q < p; ++q) Pinv(q) = 1.0 / f.distances[q - nd].weight;
    // Datum rows of the plane placement codes: code 6 fixes a point.
    return truth::solve_differences(d, Pinv, truth::datum_rows(pts, 2, 6, f.distances.empty()));
}

}  // namespace plane_epochs
