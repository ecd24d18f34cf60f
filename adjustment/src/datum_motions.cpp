// The datum motions of a network and the check that the datum conditions hold them all.
#include "adjustment/datum_motions.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>

#include "adjustment/network.h"

namespace adjustment {

std::vector<std::vector<double>> datum_motions(const DatumPoints& points) {
    const int dimension = points.dimension;
    const int n = points.points;
    auto coordinate = [&](int i, int axis) {
        const std::span<const double>& c = axis == X ? points.x : axis == Y ? points.y : points.z;
        return c[static_cast<std::size_t>(i)];
    };
    auto column = [&](int i, int axis) { return static_cast<std::size_t>(dimension * (i - 1) + axis); };
    double centre[4] = {0, 0, 0, 0};
    for (int i = 1; i <= n; ++i)
        for (int axis = X; axis <= dimension; ++axis) centre[axis] = centre[axis] + coordinate(i, axis);
    for (int axis = X; axis <= dimension; ++axis) centre[axis] = centre[axis] / n;
    double extent = 0;
    for (int i = 1; i <= n; ++i)
        for (int axis = X; axis <= dimension; ++axis)
            extent = std::max(extent, std::fabs(coordinate(i, axis) - centre[axis]));
    if (extent == 0) extent = 1;

    std::vector<std::vector<double>> motions;
    auto motion = [&](auto along) {
        std::vector<double> m(static_cast<std::size_t>(dimension * n) + 1, 0.0);
        for (int i = 1; i <= n; ++i) {
            double p[4] = {0, 0, 0, 0};
            for (int axis = X; axis <= dimension; ++axis) p[axis] = (coordinate(i, axis) - centre[axis]) / extent;
            for (int axis = X; axis <= dimension; ++axis) m[column(i, axis)] = along(i, axis, p);
        }
        motions.push_back(std::move(m));
    };
    const bool some_height_seen = static_cast<int>(points.unseen_heights.size()) < n;
    for (int shift = X; shift <= dimension; ++shift)
        if (shift != Z || some_height_seen)
            motion([&](int, int axis, const double*) { return axis == shift ? 1.0 : 0.0; });
    motion([](int, int axis, const double* p) { return axis == X ? -p[Y] : axis == Y ? p[X] : 0.0; });
    if (!points.distances) motion([](int, int axis, const double* p) { return p[axis]; });
    if (dimension == 3)
        for (int h : points.unseen_heights)
            motion([&](int i, int axis, const double*) { return i == h && axis == Z ? 1.0 : 0.0; });
    return motions;
}

std::vector<double> seen_by_conditions(const std::vector<double>& motion, const library::Matrix& G,
                                       int rows, std::span<const int> fixed_columns) {
    const int unknowns = static_cast<int>(motion.size()) - 1;
    std::vector<double> v(static_cast<std::size_t>(rows), 0.0);
    for (int r = 1; r <= rows; ++r)
        for (int k = 1; k <= unknowns; ++k)
            v[static_cast<std::size_t>(r - 1)] += G(r, k) * motion[static_cast<std::size_t>(k)];
    for (int column : fixed_columns) v.push_back(motion[static_cast<std::size_t>(column)]);
    return v;
}

int independent_count(std::vector<std::vector<double>> vectors) {
    auto dot = [](const std::vector<double>& a, const std::vector<double>& b) {
        double sum = 0;
        for (std::size_t k = 0; k < a.size(); ++k) sum = sum + a[k] * b[k];
        return sum;
    };
    std::vector<std::vector<double>> basis;
    for (std::vector<double>& v : vectors) {
        const double before = std::sqrt(dot(v, v));
        for (const std::vector<double>& u : basis) {
            const double part = dot(v, u);
            for (std::size_t k = 0; k < v.size(); ++k) v[k] = v[k] - part * u[k];
        }
        const double own = std::sqrt(dot(v, v));
        if (!(own > 1e-9 * before)) continue;
        for (double& e : v) e = e / own;
        basis.push_back(std::move(v));
    }
    return static_cast<int>(basis.size());
}

bool linearly_independent(std::vector<std::vector<double>> vectors) {
    const int count = static_cast<int>(vectors.size());
    return independent_count(std::move(vectors)) == count;
}

bool datum_fixed(const DatumPoints& points, const library::Matrix& G, int rows,
                 std::span<const int> fixed_columns) {
    std::vector<std::vector<double>> seen;
    for (const std::vector<double>& m : datum_motions(points))
        seen.push_back(seen_by_conditions(m, G, rows, fixed_columns));
    return linearly_independent(std::move(seen));
}

bool rows_only_fix_datum(const DatumPoints& points, const library::Matrix& G, int rows,
                         std::span<const int> fixed_columns) {
    const std::vector<std::vector<double>> motions = datum_motions(points);
    std::vector<std::vector<double>> at_fixed;
    for (const std::vector<double>& m : motions) {
        std::vector<double> v;
        for (int column : fixed_columns) v.push_back(m[static_cast<std::size_t>(column)]);
        at_fixed.push_back(std::move(v));
    }
    const int freedom = static_cast<int>(motions.size()) - independent_count(std::move(at_fixed));
    const int unknowns = static_cast<int>(motions.front().size()) - 1;
    std::vector<bool> fixed(static_cast<std::size_t>(unknowns) + 1, false);
    for (int column : fixed_columns) fixed[static_cast<std::size_t>(column)] = true;
    int reaching = 0;
    for (int r = 1; r <= rows; ++r) {
        bool reaches = false;
        for (int k = 1; k <= unknowns && !reaches; ++k) reaches = !fixed[static_cast<std::size_t>(k)] && G(r, k) != 0.0;
        if (reaches) ++reaching;
    }
    return reaching > 0 && reaching == freedom;
}

}  // namespace adjustment
