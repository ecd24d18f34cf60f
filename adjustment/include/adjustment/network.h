// The points and measured quantities of one run, as the input reader fills them. Arrays are
// indexed from 1 as in the formulas (element 0 is unused), sized to the program's capacities.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "adjustment/profile.h"

namespace adjustment {

// The coordinate components of a point, numbered as its unknowns are ordered.
enum Axis { X = 1, Y = 2, Z = 3 };

struct Network {
    // `dimension`: coordinates per point (3 in space, 2 in the plane).
    explicit Network(const Capacities& cap, int dimension = 3);

    // The unknowns of the point at position i of the point list: X, Y (and Z) in columns
    // dimension*(i-1)+1 .. dimension*i, one column per axis.
    int column(int i, int axis) const { return dimension * (i - 1) + axis; }
    int dimension;

    // A-priori values.
    std::string ZAH;       // task title, 80 characters
    float UU = 0, UD = 0, UZ = 0;  // standard deviations of a direction [cc], slope distance [mm], zenith angle [cc]
    float MOO = 0;         // a-priori unit standard deviation
    double MCH = 0;        // a-priori standard deviation of the coordinates [mm]
    double MO = 0;         // unit standard deviation used by the adjustment and the report

    // Points in the order of the file. The arrays hold the point capacity, and beyond it as many
    // points as the covariance copy RD has room for, where that is more (temporary points of
    // the interactive computations).
    std::int16_t IB = 0;   // number of points
    std::int16_t NN = 0;   // unknowns, dimension x IB
    std::vector<std::int16_t> IN, KOD1;   // point numbers, placement codes with their signs
    std::vector<double> XO, YO, ZO;       // coordinates [mm]
    double RC = 0;         // scale of the datum rows: sum of |X| + |Y| over the points / NN

    // Measured quantities k = 1..NR: directions 1..IS, zenith angles IS+1..ISZ, slope distances
    // ISZ+1..NR.
    std::int16_t IS = 0, IZ = 0, ID = 0, ISZ = 0, NR = 0, ISN1 = 1, IZN1 = 1;
    std::vector<std::int16_t> INS, INC;   // station and target numbers
    std::vector<double> SMO;              // direction values [cc], by quantity number
    std::vector<double> ZMO;              // zenith angles [cc], by zenith-angle number
    std::vector<double> DO;               // slope distances [mm], by distance number
    std::vector<double> PPP;              // weights, by quantity number (after the default rule)
    std::vector<std::int16_t> CS, CC;     // report copies: station, target
    std::vector<double> SO, ZZ;           // report copies: direction values, zenith angles
    // Epoch (i) of a two-epoch input (the arrays above then hold epoch (o)).
    std::vector<double> SMI;              // direction values [cc], by quantity number
    std::vector<double> ZMI;              // zenith angles [cc], by zenith-angle number
    std::vector<double> DI;               // slope distances [mm], by distance number
    std::vector<double> SI;               // report copies: direction values
};

}  // namespace adjustment
