// Two-epoch networks computed from known coordinates and displacements.
#include "two_epoch_network.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>

namespace deformation_truth {

namespace {

struct Position {
    double X, Y, Z;
};

Position at(const Point& p, bool moved) {
    return moved ? Position{p.X + p.dX, p.Y + p.dY, p.Z + p.dZ} : Position{p.X, p.Y, p.Z};
}

std::string line(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string line(const char* format, ...) {
    char buffer[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return std::string(buffer) + "\n";
}

}  // namespace

double azimuth(const Point& a, const Point& b, bool moved) {
    const Position pa = at(a, moved), pb = at(b, moved);
    double t = std::atan2(pb.Y - pa.Y, pb.X - pa.X) * CC_PER_RADIAN;
    if (t < 0) t += FULL_CIRCLE;
    return t;
}

double zenith_angle(const Point& a, const Point& b, bool moved) {
    const Position pa = at(a, moved), pb = at(b, moved);
    return std::atan2(std::hypot(pb.X - pa.X, pb.Y - pa.Y), pb.Z - pa.Z) * CC_PER_RADIAN;
}

double slope_distance(const Point& a, const Point& b, bool moved) {
    const Position pa = at(a, moved), pb = at(b, moved);
    return std::sqrt((pb.X - pa.X) * (pb.X - pa.X) + (pb.Y - pa.Y) * (pb.Y - pa.Y) + (pb.Z - pa.Z) * (pb.Z - pa.Z));
}

TwoEpochFile observe(const std::vector<Point>& points, const Plan& plan, const std::vector<double>& orientation) {
    TwoEpochFile f;
    f.points = points;
    auto direction = [](double az, double o) { return std::fmod(az - o + 2 * FULL_CIRCLE, FULL_CIRCLE); };
    for (std::size_t g = 0; g < plan.groups.size(); ++g) {
        const Point& s = truth::numbered(points, plan.groups[g].first);
        for (std::int16_t t : plan.groups[g].second) {
            const Point& p = truth::numbered(points, t);
            f.directions.push_back({s.number, t, direction(azimuth(s, p, false), orientation[g]),
                                    direction(azimuth(s, p, true), orientation[g]), 1.0});
        }
    }
    for (const auto& [a, b] : plan.zenith_angles) {
        const Point &pa = truth::numbered(points, a), &pb = truth::numbered(points, b);
        f.zenith_angles.push_back({a, b, zenith_angle(pa, pb, false), zenith_angle(pa, pb, true), 0.36});
    }
    for (const auto& [a, b] : plan.slope_distances) {
        const Point &pa = truth::numbered(points, a), &pb = truth::numbered(points, b);
        f.slope_distances.push_back({a, b, slope_distance(pa, pb, false), slope_distance(pa, pb, true), 2.25});
    }
    return f;
}

Plan full_plan(const std::vector<Point>& points, bool distances) {
    Plan plan;
    plan.groups = truth::sight_all(points);
    bool flip = false;
    for (std::size_t a = 0; a < points.size(); ++a)
        for (std::size_t b = a + 1; b < points.size(); ++b) {
            const std::pair<std::int16_t, std::int16_t> pair =
                flip ? std::pair{points[b].number, points[a].number} : std::pair{points[a].number, points[b].number};
            plan.zenith_angles.push_back(pair);
            if (distances) plan.slope_distances.push_back(pair);
            flip = !flip;
        }
    return plan;
}

std::string file_text(const TwoEpochFile& f) {
    std::string s = "'Znama deformace'\n";
    s += line("%.1f %.1f %.1f %.1f %.1f", f.UU, f.UD, f.UZ, f.MOO, f.MCH);
    for (const Point& p : f.points) s += line("%d %d %.6f %.6f %.6f", p.number, p.code, p.X, p.Y, p.Z);
    s += "-1\n";
    for (const auto* section : {&f.directions, &f.zenith_angles, &f.slope_distances}) s += truth::section_text(*section);
    return s;
}

}  // namespace deformation_truth
