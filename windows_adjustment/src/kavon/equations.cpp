// Observation equations, the matrix of derived observations and the datum conditions of one
// press, at the current coordinates of every point.
#include "kavon/equations.h"

#include "adjustment/datum_motions.h"
#include "adjustment/rows.h"
#include "adjustment/units.h"
#include "forms/numbers.h"
#include "forms/runtime.h"
#include "kavon/texts.h"

#include <algorithm>
#include <cmath>

namespace kavon {

namespace {

using adjustment::RK;  // cc in a full circle
using adjustment::RO;  // cc per radian
constexpr double originDistanceMin = 1e-7;  // mm: no azimuth condition below this

// A press stops at the first data failure; the message box has been shown.
struct Stop {};

void zeroLength(double from, double to)
{
    forms::msgBox(texts::zeroLength + forms::strText(from) + forms::strText(to));
    throw Stop{};
}

// The position of a point number in the point list; CBODU's message and a stop when it is not there.
int position(const ModuleData& data, double number)
{
    Count index = 0;
    CBODU(data.pointNumber, data.nPoints, number, index);
    if (index > data.nPoints) throw Stop{};
    return index;
}

class Former {
public:
    Former(const ModuleData& data, const PointValues& p) : d(data), p(p) {}
    std::optional<Equations> form();

private:
    void weights();
    void angleRows();
    void slopeDistanceRows();
    void zenithAngleRows();
    bool derivedMatrix();
    Count conditionCount() const;
    int conditionRowsPlaced() const;
    bool rowsOnlyFixDatum() const;
    void conditionRows(Matrix& G, double centreX, double centreY);
    adjustment::DatumPoints datumPoints() const;
    bool datumFixed() const;
    std::vector<int> allFixedColumns() const;
    void removeFixedComponents();
    int nextRow() { ++IXX; return IXX; }
    void misclosure(double value) { e.L(++IX, 1) = value; }

    const ModuleData& d;
    const PointValues& p;
    Equations e;
    int IXX = 0, IX = 0;
};

void Former::weights()
{
    for (int k = 1; k <= d.nDirections; ++k) e.PP(k, k) = d.dirWeight[k];
    const int zen = d.nDirections, dist = d.nDirections + d.nZenithAngles;
    for (int k = 1; k <= d.nZenithAngles; ++k) e.PP(zen + k, zen + k) = d.zenWeight[k];
    for (int k = 1; k <= d.nSlopeDistances; ++k) e.PP(dist + k, dist + k) = d.distWeight[k];
}

// An angle from two consecutive directions of one station: left target j, right target k.
void Former::angleRows()
{
    for (int I = 1; I <= d.nDirections - 1; ++I) {
        if (d.dirStation[I + 1] != d.dirStation[I]) continue;
        const int i = position(d, d.dirStation[I]);
        const int j = position(d, d.dirTarget[I]);
        const int k = position(d, d.dirTarget[I + 1]);
        const double dxj = p.x[j] - p.x[i], dyj = p.y[j] - p.y[i];
        const double dxk = p.x[k] - p.x[i], dyk = p.y[k] - p.y[i];
        const double sj2 = dxj * dxj + dyj * dyj, sk2 = dxk * dxk + dyk * dyk;
        if (sj2 == 0) zeroLength(d.dirStation[I], d.dirTarget[I]);
        if (sk2 == 0) zeroLength(d.dirStation[I], d.dirTarget[I + 1]);
        const int r = nextRow();
        adjustment::AngleCoefficients c = adjustment::angle_coefficients(dxj, dyj, sj2, dxk, dyk, sk2);
        // Two sightings of one target in a row: the angle between them does not depend on where
        // the target stands, so its two roles cancel in the row (written into the same columns,
        // the right target's alone would pull the target sideways).
        if (j == k) adjustment::add_same_target_roles(c);
        e.A(r, 3 * i - 2) = c.station_x;
        e.A(r, 3 * i - 1) = c.station_y;
        e.A(r, 3 * j - 2) = c.left_x;
        e.A(r, 3 * j - 1) = c.left_y;
        e.A(r, 3 * k - 2) = c.right_x;
        e.A(r, 3 * k - 1) = c.right_y;
        double computed = Bearing(dyk, dxk) * RO - Bearing(dyj, dxj) * RO;
        if (computed < 0) computed += RK;
        double measured = d.dirValue[I + 1] - d.dirValue[I];
        if (measured < 0) measured += RK;
        // Reduced to the half circle: an angle near zero must not enter as a full circle.
        misclosure(adjustment::reduce_to_half_circle(measured - computed));
    }
}

void Former::slopeDistanceRows()
{
    for (int k = 1; k <= d.nSlopeDistances; ++k) {
        const int i = position(d, d.distStation[k]);
        const int j = position(d, d.distTarget[k]);
        const double dx = p.x[j] - p.x[i], dy = p.y[j] - p.y[i], dz = p.z[j] - p.z[i];
        const double s = std::sqrt(dx * dx + dy * dy + dz * dz);
        if (s == 0) zeroLength(d.distStation[k], d.distTarget[k]);
        misclosure(d.distValue[k] - s);
        const int r = nextRow();
        const adjustment::DistanceCoefficients c = adjustment::distance_coefficients(dx, dy, dz, s);
        e.A(r, 3 * i - 2) = c.station_x;
        e.A(r, 3 * i - 1) = c.station_y;
        e.A(r, 3 * i) = c.station_z;
        e.A(r, 3 * j - 2) = c.target_x;
        e.A(r, 3 * j - 1) = c.target_y;
        e.A(r, 3 * j) = c.target_z;
    }
}

void Former::zenithAngleRows()
{
    for (int m = 1; m <= d.nZenithAngles; ++m) {
        const int i = position(d, d.zenStation[m]);
        const int j = position(d, d.zenTarget[m]);
        const double dz = p.z[j] - p.z[i], dy = p.y[j] - p.y[i], dx = p.x[j] - p.x[i];
        const double S2 = dx * dx + dy * dy + dz * dz;
        const double h = std::sqrt(dx * dx + dy * dy);
        // A target straight above or below its station has no zenith-angle row.
        if (h == 0) zeroLength(d.zenStation[m], d.zenTarget[m]);
        const adjustment::ZenithCoefficients c = adjustment::zenith_coefficients(dx, dy, dz, S2, h);
        const int r = nextRow();
        e.A(r, 3 * i - 2) = c.station_x;
        e.A(r, 3 * j - 2) = c.target_x;
        e.A(r, 3 * i - 1) = c.station_y;
        e.A(r, 3 * j - 1) = c.target_y;
        e.A(r, 3 * i) = c.station_z;
        e.A(r, 3 * j) = c.target_z;
        // The zenith angle from KAVON's own Bearing (its own pi), not from atan2.
        const double computed = dz == 0 ? 1000000.0 : Bearing(h, dz) * RO;
        misclosure(d.zenValue[m] - computed);
    }
}

// D: angles as differences of two directions, then slope distances, then zenith angles.
bool Former::derivedMatrix()
{
    int IDD = 0;
    for (int I = 1; I <= d.nDirections - 1; ++I) {
        if (d.dirStation[I + 1] != d.dirStation[I]) continue;
        ++IDD;
        e.D(IDD, I) = -1;
        e.D(IDD, I + 1) = 1;
    }
    const int zen = d.nDirections, dist = d.nDirections + d.nZenithAngles;
    for (int k = dist + 1; k <= e.NR; ++k) e.D(++IDD, k) = 1;
    for (int k = zen + 1; k <= dist; ++k) e.D(++IDD, k) = 1;
    return e.NM == IDD;
}

Count Former::conditionCount() const
{
    int N[8] = {};
    for (int i = 1; i <= d.nPoints; ++i)
        for (int c = 2; c <= 7; ++c)
            if (p.code[i] == c) ++N[c];
    const bool others = N[2] + N[4] + N[5] + N[6] + N[7] > 0;
    int nCond = 0;
    if (N[2] == 1 && N[7] == 1) nCond = 4;
    if (N[3] > 0 && !others && d.nSlopeDistances > 0) nCond = 4;
    if (N[3] > 0 && !others && d.nSlopeDistances == 0) nCond = 5;
    if (N[7] > 1) nCond = 3 * N[7];
    nCond += 2 * N[4];
    nCond += 2 * N[5];
    nCond += 2 * N[6];
    return static_cast<Count>(std::min(nCond, 32767));
}

// The highest row index that the codes reach as their rows are placed.
int Former::conditionRowsPlaced() const
{
    int IR = 0, highest = 0;
    for (int i = 1; i <= d.nPoints; ++i) {
        const double c = p.code[i];
        if (c == 3) IR = d.nSlopeDistances == 0 ? 5 : 4;
        else if (c == 2) IR += 1;
        else if (c == 4 || c == 5 || c == 6) IR += 2;
        else if (c == 7) IR += 3;
        highest = std::max(highest, IR);
    }
    return highest;
}

// Whether the condition rows, with the components that codes 4 to 7 fix, only fix the datum:
// the rows that reach the solution are as many as the motions of the network that the fixed
// components leave free (the datum check has found that they hold them). The solution then
// depends neither on their weight nor on which combination of the motions each row takes; more
// rows than that act as observations of unit weight.
bool Former::rowsOnlyFixDatum() const
{
    return adjustment::rows_only_fix_datum(datumPoints(), e.G, e.IR, allFixedColumns());
}

// The centre of the points of code 3 (the origin where there are none).
std::pair<double, double> helmertCentre(const PointValues& p, int nPoints)
{
    double x = 0, y = 0;
    int n = 0;
    for (int i = 1; i <= nPoints; ++i)
        if (p.code[i] == 3) x += p.x[i], y += p.y[i], ++n;
    return n == 0 ? std::pair{0.0, 0.0} : std::pair{x / n, y / n};
}

// The condition rows of the codes into G, the rotation and scale rows of code 3 taken about the
// point (centreX, centreY): the origin for the rows as they are formed, the centre of the code-3
// points for the copy that the scaled solution takes where the rows only fix the datum (about
// the origin, -Y/RC and X/RC of a network small beside its distance from the origin nearly
// repeat the translation rows, and N + G'G loses the rotation in rounding).
void Former::conditionRows(Matrix& G, double centreX, double centreY)
{
    int IR = 0;
    const auto row = [&](int column) { G(++IR, column) = 1; };
    for (int i = 1; i <= d.nPoints; ++i) {
        const double c = p.code[i];
        const int x = 3 * i - 2, y = 3 * i - 1, z = 3 * i;
        if (c == 3) {  // Helmert: translations, rotation about Z, and the scale without distances
            const double u = p.x[i] - centreX, v = p.y[i] - centreY;
            IR = 4;
            G(1, x) = 1;
            G(2, y) = 1;
            G(3, z) = 1;
            G(4, x) = -v / d.RC;
            G(4, y) = u / d.RC;
            if (d.nSlopeDistances == 0) {
                IR = 5;
                G(5, x) = u / d.RC;
                G(5, y) = v / d.RC;
            }
        } else if (c == 2) {  // azimuth toward the first point of code 7 or -7
            ++IR;
            int origin = 1;
            while (origin <= d.nPoints && std::fabs(p.code[origin]) != 7) ++origin;
            if (origin > d.nPoints) {
                forms::msgBox(texts::missingOrigin);
                throw Stop{};
            }
            const double dX = p.x[i] - p.x[origin], dY = p.y[i] - p.y[origin];
            const double s = std::sqrt(dX * dX + dY * dY);
            if (s < originDistanceMin) zeroLength(d.pointNumber[i], d.pointNumber[origin]);
            G(IR, x) = -dY / s;
            G(IR, y) = dX / s;
        } else if (c == 4) {
            row(x), row(y);
        } else if (c == 5) {
            row(y), row(z);
        } else if (c == 6) {
            row(x), row(z);
        } else if (c == 7) {
            row(x), row(y), row(z);
        }
    }
    e.IR = static_cast<Count>(IR);
}

adjustment::DatumPoints Former::datumPoints() const
{
    adjustment::DatumPoints points;
    points.dimension = 3;
    points.points = d.nPoints;
    points.x = p.x;
    points.y = p.y;
    points.z = p.z;
    points.distances = d.nSlopeDistances > 0;
    return points;
}

// Whether the condition rows and the fixed components hold every motion of the whole network
// that its observations cannot see: the shifts along X, Y and Z, the rotation about the Z axis
// and, without slope distances, the scale. A motion left free would have the increments along
// it as rounding noise reported as a result (the whole network sliding metres away).
bool Former::datumFixed() const
{
    return adjustment::datum_fixed(datumPoints(), e.G, e.IR, allFixedColumns());
}

// The columns that the codes of all points fix.
std::vector<int> Former::allFixedColumns() const
{
    std::vector<int> fixed;
    for (int i = 1; i <= d.nPoints; ++i)
        for (const int column : fixedColumns(p.code[i], i)) fixed.push_back(column);
    return fixed;
}

void Former::removeFixedComponents()
{
    Count colsA = e.NN, colsG = e.NN, colsC = e.NN;
    for (int i = d.nPoints; i >= 1; --i)
        for (const int column : fixedColumns(p.code[i], i)) {
            MADRED(e.A, e.NM, colsA, static_cast<Count>(column));
            MADRED(e.G, e.IR, colsG, static_cast<Count>(column));
            if (e.centredRows) MADRED(e.Gc, e.IR, colsC, static_cast<Count>(column));
        }
    e.NNA = colsA;
}

std::optional<Equations> Former::form()
{
    e.NR = static_cast<Count>(d.nDirections + d.nZenithAngles + d.nSlopeDistances);
    e.NN = static_cast<Count>(3 * d.nPoints);
    const auto rows = static_cast<Count>(derivedRows(d));
    e.PP = Matrix(e.NR, e.NR);
    e.D = Matrix(rows, e.NR);
    e.A = Matrix(rows, e.NN);
    e.L = Matrix(rows, 1);
    weights();
    angleRows();
    slopeDistanceRows();
    zenithAngleRows();
    e.NM = static_cast<Count>(IX);
    if (!derivedMatrix()) return std::nullopt;

    const Count nCond = conditionCount();
    if ((d.nSlopeDistances == 0 && nCond < 5) || (d.nSlopeDistances > 0 && nCond < 4)) {
        forms::msgBox(texts::badConditions);
        return std::nullopt;
    }
    // Room for every row the codes place, so that a count that disagrees is told, not overrun.
    e.G = Matrix(static_cast<Count>(std::max<int>(nCond, conditionRowsPlaced())), e.NN);
    conditionRows(e.G, 0, 0);
    if (nCond != e.IR) {
        forms::msgBox(texts::badConditions);
        return std::nullopt;
    }
    if (e.NM - e.NN + e.IR < 0 || !datumFixed()) {
        forms::msgBox(texts::underDetermined);
        return std::nullopt;
    }
    e.datumRowsOnly = rowsOnlyFixDatum();
    const bool helmert = std::any_of(p.code.begin() + 1, p.code.begin() + 1 + d.nPoints, [](double c) { return c == 3; });
    if (e.datumRowsOnly && helmert) {
        e.Gc = Matrix(e.G.rows(), e.NN);
        const auto [x, y] = helmertCentre(p, d.nPoints);
        conditionRows(e.Gc, x, y);
        e.centredRows = true;
    }
    removeFixedComponents();
    return std::move(e);
}

}  // namespace

std::optional<PointValues> convertPoints(const ModuleData& data)
{
    PointValues p;
    const std::pair<const std::vector<Variant>*, const char*> columns[] = {
        {&data.pointX, "x"}, {&data.pointY, "y"}, {&data.pointZ, "z"}, {&data.pointCode, "kód"}};
    std::vector<double>* values[] = {&p.x, &p.y, &p.z, &p.code};
    for (int c = 0; c < 4; ++c) values[c]->assign(static_cast<std::size_t>(data.nPoints) + 1, 0.0);
    for (int i = 1; i <= data.nPoints; ++i)
        for (int c = 0; c < 4; ++c) {
            const Variant& cell = (*columns[c].first)[static_cast<std::size_t>(i)];
            const auto number = std::holds_alternative<double>(cell) ? std::optional<double>(std::get<double>(cell))
                                                                     : forms::textToNumber(std::get<std::string>(cell));
            if (!number) {
                forms::msgBox(texts::cellPoint + forms::strText(data.pointNumber[i]) + texts::cellColumn
                              + columns[c].second + texts::cellNotNumber);
                return std::nullopt;
            }
            (*values[c])[static_cast<std::size_t>(i)] = *number;
        }
    return p;
}

int derivedRows(const ModuleData& data)
{
    int angles = 0;
    for (int I = 1; I <= data.nDirections - 1; ++I)
        if (data.dirStation[I + 1] == data.dirStation[I]) ++angles;
    return angles + data.nSlopeDistances + data.nZenithAngles;
}

double pressBytes(const ModuleData& data)
{
    const double p = data.nDirections + data.nZenithAngles + data.nSlopeDistances;
    const double m = derivedRows(data), n = 3.0 * data.nPoints, q = n;
    // PP, PI; D, DT, PIDT, DTQ; QI, Q; A, AT, ATQ, MATQ; N, GTG, MI, M, MATQA, R and the copies
    // of the re-insertion; G, GT; the vectors.
    const double elements = 2 * p * p + 4 * m * p + 2 * m * m + 4 * m * n + 8 * n * n + 2 * q * n + 6 * (m + n + p);
    return elements * sizeof(double);
}

std::vector<int> fixedColumns(double code, int i)
{
    const int x = 3 * i - 2, y = 3 * i - 1, z = 3 * i;
    if (code == 7) return {z, y, x};
    if (code == 4) return {y, x};
    if (code == 5) return {z, y};
    if (code == 6) return {z, x};
    return {};
}

std::optional<Equations> formEquations(const ModuleData& data, const PointValues& points)
{
    try {
        return Former(data, points).form();
    } catch (const Stop&) {
        return std::nullopt;
    }
}

}  // namespace kavon
