// The least-squares chain of the console adjustments: the matrix of derived observations, the
// removal of fixed components, the solution with the datum rows, the re-insertion, the update
// of the coordinates, the convergence test and the unit standard deviation test.
#pragma once
#include <cstdint>

#include "library/matrix.h"
#include "adjustment/profile.h"

namespace adjustment {

using library::Index;
using library::Matrix;
struct Adjustment;

// The convergence test and the divergence counter, fed with the sum of squared increments
// [mm2] of each solution.
class ConvergenceTest {
public:
    enum class Verdict { go_on, converged, diverged };
    Verdict observe(double HTH);
    // The same test without the divergence counter: true once two successive sums settle.
    bool observe_settling(double HTH);
    // The loop of a program with a fixed number of solutions at most: true once two successive
    // sums settle or after the `passes`-th solution, which ends the loop as if converged.
    bool observe_limited(double HTH, Index passes);
    Index solutions() const { return ITER; }
    // At most this many solutions: one more that does not settle counts as diverged (norms
    // that alternate would otherwise keep resetting the divergence counter for ever).
    void limit_solutions(Index limit) { limit_ = limit; }

private:
    Index limit_ = 100;
    Index ITER = 0;   // solutions so far
    Index IIK = 0;    // divergence counter
    double HTC = 0;   // the previous sum [mm2]
};

// The matrices of the least-squares chain, each with its own storage of the declared size.
struct ChainMatrices {
    ChainMatrices(Index rows, Index quantities, Index unknowns, Index conditions);

    Matrix A, L, PP;            // design matrix, misclosures, weights of the measured quantities
    Matrix D, DT, PI, PIDT;     // derived observations by measured quantities, and products
    Matrix QI, Q;               // cofactor and weight matrix of the derived observations
    Matrix AT, ATQ, N;          // normal equations
    Matrix G, GT, GTG, MI, M;   // datum rows, N + GT.G and its inverse
    Matrix MATQ, DTQ, H, MATQA, R;
    Matrix AH, AHL, V, VT;
    // Whether the rows of G only fix the datum (as many as the motions that the observations
    // leave free, and holding them all): their solution then depends neither on their weight nor
    // on how they combine those motions, so the scaled solution gives each the weight of N's
    // diagonal.
    bool datum_rows_only = false;
    // Whether scaled.G already holds the free-network rows of G with their rotation and scale
    // taken about the centre of the code-3 points (set with the rows); else it starts from G.
    bool centred_rows = false;
    // The scaled solution, taken where the direct one (N + GT.G by MADINV as it stands) may have
    // lost digits: its datum rows, N + GT.G of them inverted by MADINV on its unit diagonal, and
    // the increments. Where it is chosen, its M, MATQ and H change places with the direct ones.
    struct Scaled {
        Scaled(Index rows, Index unknowns, Index conditions);
        Matrix G, GT, GTG, MI, M, MATQ, H;
    } scaled;
};

// B(1:K,1:L) = A(1:K,1:L).
void copy_block(const Matrix& A, Matrix& B, Index K, Index L);

// The sizes in use: m derived-observation rows, p measured quantities, q condition rows, n
// unknowns of the solution (after the removal of fixed components).
struct ChainSizes {
    Index m, p, q, n;
};

// Which inversion of the chain met an exactly zero pivot, or that the normal matrix N + GT.G met
// a pivot negligible beside its diagonal element (a point that the observations fix only
// partly: the inverse exists in the arithmetic but its numbers are rounding). N + GT.G counts as
// singular only where an unknown has no row at all; its other zero pivots are negligible ones.
enum class ChainStop { solved, weights_singular, cofactors_singular, normal_singular, normal_undetermined };

// From D, PP, A, L and G: the weight matrix Q of the derived observations, the normal matrix
// N + GT.G and its inverse M, the increments H, and A.H - L. N + GT.G is inverted by MADINV as it
// stands; where that is clearly sound (no pivot small beside its diagonal element, N's diagonal
// of a size that MADINV's offset of 1.0 and the unit datum rows leave whole), its solution is
// taken. Otherwise the scaled solution decides: a normal matrix with a negligible pivot on the
// unit diagonal stops after its inversion; else the direct solution is kept where it inverted
// and agrees with the scaled one far below the printed digits, and the scaled one is taken where
// it does not. Stops at the first singular inversion and says which.
ChainStop solve_increments(ChainMatrices& s, const ChainSizes& z);
// After solve_increments: the cofactor matrix of the unknowns R = M.N.M, the corrections of the
// measured quantities V = PP^-1.D^T.Q.(A.H - L) and their transpose VT.
void cofactors_and_corrections(ChainMatrices& s, const ChainSizes& z);

// The matrices of one pass and the results that the report and the interactive part read.
// Every matrix has its own storage, declared with the program's capacities.
struct Solution : ChainMatrices {
    explicit Solution(const Capacities& cap);

    Matrix RT, VVT, HT, HTH, HR;

    Index IIT = 0;   // pass number
    Index IXX = 0;   // rows written into A
    Index IX = 0;    // elements written into L
    Index NM = 0;    // derived-observation rows
    Index extra_rows = 0;  // rows beyond the capacity, counted and never stored
    Index IST = 0;   // station groups (after a pass)
    Index NP = 0;    // condition rows
    Index n = 0;     // unknowns in the solution, after the removal of fixed components
    Index n_extended = 0;  // columns of HT after the re-insertion of the fixed components
    ConvergenceTest convergence;
    Index redundancy = 0;
};

// One pass: rows, datum conditions, solution, update. Returns true when the increments have
// settled (the loop ends), after the cofactor matrix R and the corrections V of that last
// solution have been computed (the passes before need the increments alone); ends the run
// itself on every failure.
bool adjustment_pass(Adjustment& adj);
// The passes until convergence, then the unit standard deviation test and the final update.
void adjust(Adjustment& adj);

}  // namespace adjustment
