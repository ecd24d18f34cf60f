// Families of networks that their observations determine and that are small beside their
// coordinates or beside their weights: free networks of five points at national-grid
// coordinates (sides of 8 to 100 m, the input coordinates true or up to 15 or 100 mm off), 5 m
// networks at local coordinates, free and with a fixed point and an azimuth point, at weights 1
// to 1000, free 20 km and 50 km networks at weights 0.002, and 1 m networks at 1,300 km and 5 km
// high. The truth tests of every console program
// adjust each one and compare it with an independent solution of the same equations.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "truth_network.h"

namespace truth {

struct Family {
    const char* name;
    double side;     // [mm]
    double X0, Y0, Z0;  // where the network lies [mm]
    bool fixed;      // codes 7 + 2 in space, 6 + 2 in the plane, the other points free; else all code 3
    double offset;   // largest offset of the input coordinates [mm] (of the points that may be off)
    double weight;   // weight of every measured quantity; 0 keeps the generator's
};

constexpr double GRID_X = 1100000000.0, GRID_Y = 700000000.0;  // about 1,100 km and 700 km [mm]
constexpr double LOCAL_X = 1000000.0, LOCAL_Y = 2000000.0;
constexpr double FAMILY_HEIGHT = 300000.0;
constexpr double CORNER = 1300000000.0, CORNER_HEIGHT = 5000000.0;  // 1,300 km, 5 km

inline const std::vector<Family>& families() {
    static const std::vector<Family> all = {
        {"grid_free_8m", 8000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 0, 0},
        {"grid_free_8m_15mm_off", 8000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 15, 0},
        {"grid_free_8m_100mm_off", 8000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 100, 0},
        {"grid_free_30m", 30000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 0, 0},
        {"grid_free_30m_15mm_off", 30000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 15, 0},
        {"grid_free_30m_100mm_off", 30000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 100, 0},
        {"grid_free_50m", 50000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 0, 0},
        {"grid_free_50m_15mm_off", 50000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 15, 0},
        {"grid_free_50m_100mm_off", 50000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 100, 0},
        {"grid_free_100m", 100000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 0, 0},
        {"grid_free_100m_15mm_off", 100000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 15, 0},
        {"grid_free_100m_100mm_off", 100000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 100, 0},
        {"free_5m_weight_1", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, false, 3, 1},
        {"free_5m_weight_10", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, false, 3, 10},
        {"free_5m_weight_100", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, false, 3, 100},
        {"free_5m_weight_1000", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, false, 3, 1000},
        {"fixed_5m_weight_1", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, true, 30, 1},
        {"fixed_5m_weight_10", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, true, 30, 10},
        {"fixed_5m_weight_100", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, true, 30, 100},
        {"fixed_5m_weight_1000", 5000, LOCAL_X, LOCAL_Y, FAMILY_HEIGHT, true, 30, 1000},
        {"grid_free_20km_weight_0002", 20000000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 100, 0.002},
        {"grid_free_50km_weight_0002", 50000000, GRID_X, GRID_Y, FAMILY_HEIGHT, false, 100, 0.002},
        // A 1 m network at the far corner of the grid, 5 km high, free and fixed at weight 1000.
        {"corner_free_1m", 1000, CORNER, CORNER, CORNER_HEIGHT, false, 3, 0},
        {"corner_fixed_1m_weight_1000", 1000, CORNER, CORNER, CORNER_HEIGHT, true, 10, 1000},
    };
    return all;
}

// The five true points of a family with their codes (`dimension` 2: the code-6 point in place
// of the code-7 point).
inline std::vector<Point> family_points(const Family& f, int dimension) {
    std::vector<Point> points = compact_network(f.side, f.X0, f.Y0, f.Z0);
    for (Point& p : points) p.code = f.fixed ? 0 : 3;
    if (f.fixed) {
        points[0].code = dimension == 2 ? 6 : 7;
        points[1].code = 2;
    }
    return points;
}

// Displacements between the epochs of the five points [mm], X, Y, Z.
constexpr double FAMILY_DISPLACEMENTS[5][3] = {
    {0.0, 0.0, 0.0}, {1.5, -1.0, 0.5}, {-2.0, 2.5, -1.0}, {2.5, 1.5, 2.0}, {-1.0, -3.0, -1.5},
};

// Offsets of the input coordinates of the five points, uniform within the family's offset [mm],
// X, Y, Z.
inline std::vector<std::array<double, 3>> family_offsets(const Family& f, std::mt19937_64& engine) {
    std::uniform_real_distribution<double> off(-f.offset, f.offset);
    std::vector<std::array<double, 3>> offsets(5);
    for (auto& o : offsets)
        for (double& c : o) c = f.offset > 0 ? off(engine) : 0.0;
    return offsets;
}

// Every measured quantity of the file gets the weight.
inline void weigh_all(InputFile& file, double weight) {
    for (auto* section : {&file.directions, &file.zenith_angles, &file.slope_distances})
        for (Measured& m : *section) m.weight = weight;
}

// The largest difference of corresponding coordinates of two point lists [mm].
template <class A, class B>
double largest_difference(const std::vector<A>& a, const std::vector<B>& b, int dimension) {
    double largest = 0;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        largest = std::max({largest, std::fabs(a[i].X - b[i].X), std::fabs(a[i].Y - b[i].Y)});
        if (dimension == 3) largest = std::max(largest, std::fabs(a[i].Z - b[i].Z));
    }
    return largest;
}

inline void PrintTo(const Family& f, std::ostream* os) { *os << f.name; }

inline std::string family_name(const ::testing::TestParamInfo<Family>& info) { return info.param.name; }

}  // namespace truth
