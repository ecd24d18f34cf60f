// Observations computed from true coordinates, and the input data file written from them.
#include "truth_network.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace truth {

namespace {

const Point& point(const std::vector<Point>& points, std::int16_t number) {
    for (const Point& p : points)
        if (p.number == number) return p;
    throw std::invalid_argument("point " + std::to_string(number) + " is not in the network");
}

std::string fixed6(double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f", value);
    return buffer;
}

double reduced_to_circle(double cc) {
    double r = std::fmod(cc, FULL_CIRCLE);
    return r < 0 ? r + FULL_CIRCLE : r;
}

double weight(double sigma) { return (SIGMA0 / sigma) * (SIGMA0 / sigma); }

// Targets of one station ordered round by azimuth, starting at the `start`-th of them.
std::vector<std::int16_t> round_of_targets(const std::vector<Point>& truth, const Point& station,
                                           std::size_t start) {
    std::vector<std::pair<double, std::int16_t>> by_azimuth;
    for (const Point& p : truth)
        if (p.number != station.number) by_azimuth.emplace_back(azimuth(station, p), p.number);
    std::sort(by_azimuth.begin(), by_azimuth.end());
    std::vector<std::int16_t> targets;
    for (std::size_t i = 0; i < by_azimuth.size(); ++i)
        targets.push_back(by_azimuth[(start + i) % by_azimuth.size()].second);
    return targets;
}

// Every angle between neighbouring targets must stay clear of 0 and of the full circle.
void check_angles(const std::vector<Point>& truth, const StationGroup& group) {
    const Point& station = point(truth, group.station);
    for (std::size_t i = 1; i < group.targets.size(); ++i) {
        const double angle = reduced_to_circle(azimuth(station, point(truth, group.targets[i])) -
                                               azimuth(station, point(truth, group.targets[i - 1])));
        if (angle < 10000.0 || angle > FULL_CIRCLE - 10000.0)
            throw std::invalid_argument("targets " + std::to_string(group.targets[i - 1]) + " and " +
                                        std::to_string(group.targets[i]) + " of station " +
                                        std::to_string(group.station) + " lie within 1 gon");
    }
}

Measured measured(std::int16_t station, std::int16_t target, double value, double sigma) {
    return Measured{station, target, as_written(value), as_written(weight(sigma))};
}

}  // namespace

double azimuth(const Point& a, const Point& b) {
    return reduced_to_circle(std::atan2(b.Y - a.Y, b.X - a.X) * CC_PER_RADIAN);
}

double zenith_angle(const Point& a, const Point& b) {
    const double h = std::hypot(b.X - a.X, b.Y - a.Y);
    return std::atan2(h, b.Z - a.Z) * CC_PER_RADIAN;
}

double slope_distance(const Point& a, const Point& b) {
    return std::sqrt((b.X - a.X) * (b.X - a.X) + (b.Y - a.Y) * (b.Y - a.Y) + (b.Z - a.Z) * (b.Z - a.Z));
}

double as_written(double value) { return std::strtod(fixed6(value).c_str(), nullptr); }

Plan full_plan(const std::vector<Point>& truth, int sets, Rounds rounds, bool distances,
               const std::vector<std::int16_t>& lone) {
    Plan plan;
    const int halves = rounds == Rounds::halves ? 2 : 1;
    for (int set = 0; set < sets; ++set) {
        for (int half = 0; half < halves; ++half) {
            for (std::size_t s = 0; s < truth.size(); ++s) {
                StationGroup group{truth[s].number, {}};
                for (std::int16_t t : round_of_targets(truth, truth[s], s + set)) {
                    const bool positive = point(truth, t).Y >= truth[s].Y;
                    if (halves == 1 || positive == (half == 0)) group.targets.push_back(t);
                }
                if (group.targets.empty()) continue;
                if (std::find(lone.begin(), lone.end(), group.station) != lone.end()) group.targets.resize(1);
                check_angles(truth, group);
                if (!plan.groups.empty() && plan.groups.back().station == group.station)
                    throw std::invalid_argument("two groups of station " + std::to_string(group.station) +
                                                " follow each other");
                plan.groups.push_back(group);
            }
        }
    }
    for (std::size_t i = 0; i < truth.size(); ++i) {
        for (std::size_t j = i + 1; j < truth.size(); ++j) {
            const bool forward = (i + j) % 2 == 0;
            const std::int16_t a = truth[i].number, b = truth[j].number;
            plan.zenith_angles.emplace_back(forward ? a : b, forward ? b : a);
            if (distances) plan.slope_distances.emplace_back(forward ? b : a, forward ? a : b);
        }
    }
    return plan;
}

InputFile observe(const std::vector<Point>& truth, const std::vector<Point>& input, const Plan& plan,
                  const Accuracy& accuracy, bool noisy, std::mt19937_64& engine) {
    std::uniform_real_distribution<double> orientation(0.0, FULL_CIRCLE);
    std::normal_distribution<double> gauss(0.0, 1.0);
    auto noise = [&](double sigma) { return noisy ? sigma * gauss(engine) : 0.0; };

    InputFile file;
    file.title = "Sit se znamymi souradnicemi";
    file.UU = accuracy.direction;
    file.UD = accuracy.distance;
    file.UZ = accuracy.zenith;
    file.MOO = SIGMA0;
    file.points = input;
    for (Point& p : file.points) {
        p.X = as_written(p.X);
        p.Y = as_written(p.Y);
        p.Z = as_written(p.Z);
    }
    for (const StationGroup& group : plan.groups) {
        const Point& station = point(truth, group.station);
        const double offset = orientation(engine);
        for (std::int16_t t : group.targets) {
            const double value = azimuth(station, point(truth, t)) + offset + noise(accuracy.direction);
            file.directions.push_back(
                measured(group.station, t, reduced_to_circle(value), accuracy.direction));
        }
    }
    for (auto [s, t] : plan.zenith_angles) {
        const double value = zenith_angle(point(truth, s), point(truth, t)) + noise(accuracy.zenith);
        file.zenith_angles.push_back(measured(s, t, value, accuracy.zenith));
    }
    for (auto [s, t] : plan.slope_distances) {
        const double value = slope_distance(point(truth, s), point(truth, t)) + noise(accuracy.distance);
        file.slope_distances.push_back(measured(s, t, value, accuracy.distance));
    }
    return file;
}

std::vector<Point> perturbed(const std::vector<Point>& truth, double free_mm, double other_mm,
                             std::mt19937_64& engine, int dimension) {
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<Point> input = truth;
    for (Point& p : input) {
        const int code = std::abs(p.code);
        const double size = code <= 1 ? free_mm : other_mm;
        bool free[3] = {code <= 3 || code == 5, code <= 3 || code == 6, code <= 4};
        if (dimension == 2) {
            free[0] = code <= 3 || code == 5;
            free[1] = code <= 4;
            free[2] = false;
        }
        double* component[3] = {&p.X, &p.Y, &p.Z};
        for (int c = 0; c < 3; ++c) {
            const double offset = size * unit(engine);
            if (free[c]) *component[c] += offset;
        }
    }
    return input;
}

std::vector<Point> compact_network(double side, double X0, double Y0, double Z0) {
    // In units of the side: X, Y, Z.
    constexpr double SHAPE[5][3] = {
        {0.0, 0.0, 0.02}, {1.02, 0.17, 0.05}, {1.13, 1.08, -0.03}, {0.08, 0.93, 0.04}, {0.57, 0.41, 0.0},
    };
    std::vector<Point> points;
    for (int i = 0; i < 5; ++i)
        points.push_back({static_cast<std::int16_t>(i + 1), 0, X0 + side * SHAPE[i][0], Y0 + side * SHAPE[i][1],
                          Z0 + side * SHAPE[i][2]});
    return points;
}

InputFile in_the_plane(InputFile file) {
    file.dimension = 2;
    file.UZ = 0;
    file.zenith_angles.clear();
    for (Point& p : file.points) p.Z = 0;
    return file;
}

std::string file_text(const InputFile& file) {
    const bool plane = file.dimension == 2;
    std::string text = "'" + file.title + "'\n";
    text += fixed6(file.UU) + " " + fixed6(file.UD) + " " + (plane ? "" : fixed6(file.UZ) + " ") +
            fixed6(file.MOO) + " " + fixed6(file.MCH) + "\n";
    for (const Point& p : file.points)
        text += std::to_string(p.number) + " " + std::to_string(p.code) + " " + fixed6(p.X) + " " +
                fixed6(p.Y) + (plane ? "" : " " + fixed6(p.Z)) + "\n";
    text += "-1\n";
    for (const auto* section : {&file.directions, &file.zenith_angles, &file.slope_distances}) {
        if (plane && section == &file.zenith_angles) continue;
        for (const Measured& m : *section)
            text += std::to_string(m.station) + " " + std::to_string(m.target) + " " + fixed6(m.value) +
                    " " + fixed6(m.weight) + "\n";
        text += "-1\n";
    }
    return text;
}

}  // namespace truth
