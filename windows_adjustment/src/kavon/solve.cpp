// One solution of the linearised network with the console programs' chain, on matrices sized
// to the press.
#include "kavon/solve.h"

#include "adjustment/solution.h"
#include "forms/runtime.h"
#include "kavon/texts.h"

#include <algorithm>
#include <cmath>

namespace kavon {

namespace {

// Puts a zero column k into HT and a zero row and column k into R, the row through the
// transpose of R.
void insertZero(Matrix& HT, Count& colsHT, Matrix& R, Count& rowsR, Count& colsR, Count k)
{
    MADEXT(HT, 1, colsHT, k);
    MADEXT(R, rowsR, colsR, k);
    Matrix RT(colsR, rowsR);
    MADTRN(R, RT, rowsR, colsR);
    MADEXT(RT, colsR, rowsR, k);
    R = Matrix(rowsR, colsR);
    MADTRN(RT, R, colsR, rowsR);
}

}  // namespace

std::optional<Results> solveOnce(Equations& e, const PointValues& points, Count nPoints)
{
    const adjustment::ChainSizes sizes{e.NM, e.NR, e.IR, e.NNA};
    adjustment::ChainMatrices chain(e.NM, e.NR, e.NNA, e.IR);
    chain.PP = std::move(e.PP);
    chain.A = std::move(e.A);
    chain.L = std::move(e.L);
    chain.D = std::move(e.D);
    chain.G = std::move(e.G);
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

    Matrix HT(1, e.NNA);
    MADTRN(r.H, HT, e.NNA, 1);
    Count colsHT = e.NNA, rowsR = e.NNA, colsR = e.NNA;
    for (int i = 1; i <= nPoints; ++i) {
        std::vector<int> columns = fixedColumns(points.code[static_cast<std::size_t>(i)], i);
        std::reverse(columns.begin(), columns.end());
        for (const int k : columns) insertZero(HT, colsHT, r.R, rowsR, colsR, static_cast<Count>(k));
    }
    if (rowsR != colsR || colsR != colsHT || colsHT != e.NN) return std::nullopt;
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
