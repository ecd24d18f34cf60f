// One solution of the linearised network with the console programs' chain, on matrices sized
// to the press.
#include "kavon/solve.h"

#include "adjustment/placement.h"
#include "adjustment/solution.h"
#include "forms/runtime.h"
#include "kavon/texts.h"

#include <algorithm>
#include <cmath>

namespace kavon {

namespace {

// The units of the unknowns in which N + G'G has about a unit diagonal: for each unknown the
// power of two nearest to 1 / sqrt of its diagonal element (N's estimated, G'G's exact). The
// inversion adds 1.0 to the diagonal while it works; beside a diagonal far from 1 that offset
// costs digits (of a small pivot it leaves only what lies above 1.0's rounding, and it hides
// how small a pivot has become). Powers of two change no digit of the matrices.
std::vector<double> unknownUnits(const Equations& e)
{
    std::vector<double> diagonal = normalDiagonal(e, e.NNA);
    std::vector<double> units(diagonal.size(), 1.0);
    for (int j = 1; j <= e.NNA; ++j) {
        double d = diagonal[static_cast<std::size_t>(j)];
        for (int r = 1; r <= e.IR; ++r) d += e.G(r, j) * e.G(r, j);
        if (d > 0 && std::isfinite(d)) units[static_cast<std::size_t>(j)] = std::exp2(std::round(-0.5 * std::log2(d)));
    }
    return units;
}

// The design and condition rows in those units: column j times its unit.
void toUnits(Equations& e, const std::vector<double>& units)
{
    for (int j = 1; j <= e.NNA; ++j) {
        const double u = units[static_cast<std::size_t>(j)];
        for (int r = 1; r <= e.NM; ++r) e.A(r, j) = e.A(r, j) * u;
        for (int r = 1; r <= e.IR; ++r) e.G(r, j) = e.G(r, j) * u;
    }
}

// The increments and their cofactors back in mm: H(j) times unit j, R(i,j) times units i and j.
void fromUnits(adjustment::ChainMatrices& chain, const std::vector<double>& units, Count n)
{
    for (int j = 1; j <= n; ++j) {
        const double u = units[static_cast<std::size_t>(j)];
        chain.H(j, 1) = chain.H(j, 1) * u;
        for (int i = 1; i <= n; ++i) chain.R(i, j) = chain.R(i, j) * units[static_cast<std::size_t>(i)] * u;
    }
}

}  // namespace

std::optional<Results> solveOnce(Equations& e, const PointValues& points, Count nPoints)
{
    const std::vector<double> units = unknownUnits(e);
    toUnits(e, units);
    const adjustment::ChainSizes sizes{e.NM, e.NR, e.IR, e.NNA};
    adjustment::ChainMatrices chain(e.NM, e.NR, e.NNA, e.IR);
    chain.PP = std::move(e.PP);
    chain.A = std::move(e.A);
    chain.L = std::move(e.L);
    chain.D = std::move(e.D);
    chain.G = std::move(e.G);
    switch (adjustment::solve_increments(chain, sizes)) {
        case adjustment::ChainStop::solved: break;
        case adjustment::ChainStop::normal_singular:
        case adjustment::ChainStop::normal_undetermined:
            // A point that the observations fix only partly (the datum is held: the check of the
            // equations has passed): its increments would be rounding. On a matrix of about a
            // unit diagonal the rounding of such a pivot often leaves an exact zero.
            forms::msgBox(texts::underDetermined);
            return std::nullopt;
        default:
            forms::msgBox("Matice je singulární");
            return std::nullopt;
    }
    adjustment::cofactors_and_corrections(chain, sizes);
    fromUnits(chain, units, e.NNA);

    Results r{Matrix(std::move(chain.H)), Matrix(std::move(chain.V)), Matrix(std::move(chain.R)), 0, e.NN};
    const Matrix VT(std::move(chain.VT));
    const Matrix PP(std::move(chain.PP));
    Matrix VTPP(1, e.NR), VVT(1, 1);
    MADMUL(VT, PP, VTPP, 1, e.NR, e.NR);
    MADMUL(VTPP, r.V, VVT, 1, e.NR, 1);
    r.VVT = VVT(1, 1);

    // The fixed components back as zeros, points from the first one up: a zero column into HT,
    // and with the console programs' insertion a zero row and column into R, which (with its
    // transpose) is declared with all NN unknowns for it.
    Matrix HT(1, e.NNA), R(e.NN, e.NN), RT(e.NN, e.NN);
    MADTRN(r.H, HT, e.NNA, 1);
    MADTRN(r.R, RT, e.NNA, e.NNA);
    MADTRN(RT, R, e.NNA, e.NNA);
    Count colsHT = e.NNA, rowsR = e.NNA, colsR = e.NNA;
    for (int i = 1; i <= nPoints; ++i) {
        std::vector<int> columns = fixedColumns(points.code[static_cast<std::size_t>(i)], i);
        std::reverse(columns.begin(), columns.end());
        for (const int k : columns) {
            MADEXT(HT, 1, colsHT, static_cast<Count>(k));
            adjustment::insert_zero_row_and_column(R, RT, rowsR, colsR, static_cast<Count>(k));
        }
    }
    if (rowsR != colsR || colsR != colsHT || colsHT != e.NN) return std::nullopt;
    r.R = std::move(R);
    r.H = Matrix(e.NN, 1);
    MADTRN(HT, r.H, 1, e.NN);
    return r;
}

UnitVarianceTest unitVarianceTest(double VVT, int f, double sigma0)
{
    // Negative weights are taken as read and may make the sum negative: m0 is then 0 and the
    // measurement is flagged.
    const bool negativeSum = VVT < 0;
    const double m0 = negativeSum ? 0.0 : std::sqrt(VVT / f);
    const double upper = (1 + 2 / std::sqrt(static_cast<double>(f))) * sigma0;
    return {m0, m0 < upper ? sigma0 : m0, m0 > upper || negativeSum};
}

}  // namespace kavon
