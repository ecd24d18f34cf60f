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

std::optional<Results> solveOnce(Equations& e, const PointValues& points, Count nPoints)
{
    const adjustment::ChainSizes sizes{e.NM, e.NR, e.IR, e.NNA};
    adjustment::ChainMatrices chain(e.NM, e.NR, e.NNA, e.IR);
    chain.PP = std::move(e.PP);
    chain.A = std::move(e.A);
    chain.L = std::move(e.L);
    chain.D = std::move(e.D);
    chain.G = std::move(e.G);
    // Rows that only fix the datum may be weighted to the normal matrix, and taken about the
    // centre of the code-3 points, where the chain solves on the scaled normal matrix.
    chain.datum_rows_only = e.datumRowsOnly;
    chain.centred_rows = e.centredRows;
    if (e.centredRows) chain.scaled.G = std::move(e.Gc);
    switch (adjustment::solve_increments(chain, sizes)) {
        case adjustment::ChainStop::solved: break;
        case adjustment::ChainStop::normal_undetermined:
            // A point that the observations fix only partly: its increments would be rounding.
            forms::msgBox(texts::underDetermined);
            return std::nullopt;
        default:
            forms::msgBox("Matice je singulární");
            return std::nullopt;
    }
    adjustment::cofactors_and_corrections(chain, sizes);

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
