// The least-squares chain, the iteration with its convergence test and divergence counter, and
// the unit standard deviation test.
#include "adjustment/solution.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "adjustment/adjustment.h"
#include "adjustment/exit_block.h"
#include "adjustment/failures.h"
#include "adjustment/placement.h"
#include "adjustment/rows.h"
#include "library/madarith.h"
#include "library/madinv.h"
#include "platform/record.h"

namespace adjustment {

using namespace library;
using platform::ExitStatus;
using platform::Record;

namespace {

// Convergence: two successive sums of squared increments closer than RA + 0.1 (single) mm2.
constexpr double RA = 0.1;
constexpr double CONVERGED = RA + static_cast<double>(0.1f);
// A pass whose norm is not this much below the previous one counts towards divergence.
constexpr double DIVERGENCE_STEP = 1.0;
constexpr Index DIVERGENCE_LIMIT = 5;
// A pivot of N + GT.G (scaled to a unit diagonal, so each pivot is its own relative size) that is
// this small is what rounding leaves of a row that the rows before it already give: a point, or a
// component of one, that the observations fix only partly. Measured on the scaled matrix: the
// determined networks of the tests stay at 2.2e-7 and above (the weakest a point 94 m from a
// fixed base of 0.5 m, then 1 m networks at weight 1000 at 1.3e-5; small networks far from the
// origin and at heavy weights included), the examples and the benchmarks above 4e-2; networks
// that leave a point partly free (one distance, one direction, a zenith angle and a distance, two
// points seen only from each other; near the origin and in the national grid, with a fixed and
// with a free datum) give 2.2e-13 and below, most of them 1e-16. The threshold lies between.
constexpr double NEGLIGIBLE_PIVOT = 1e-10;
// The direct solution (N + GT.G by MADINV as it stands) is taken without a second inversion
// where its smallest relative pivot is at least TRUSTED_PIVOT and every diagonal element of N
// lies within TRUSTED_DIAGONAL: the elimination then loses at most four digits, MADINV's offset
// of 1.0 at most three beside diagonal elements of 1e-2 to 1e3, and the unit datum rows are not
// negligible beside N. Measured on the direct matrix: the examples and the benchmarks have
// pivots of 1.1e-2 and above and N's diagonal within 0.56 to 67; the determined test networks
// pass with pivots down to 1.4e-4 and diagonals of 0.04 to 350, but for the weakest (a point
// 94 m from a fixed base of 0.5 m, 2.2e-7), a zenith angle at weight 1e6 and partly fixed points
// with no observation (a zero diagonal), which are left to the check below; the networks that it
// solved wrongly (free networks of 8 to 100 m in the national grid, 5 m networks free and fixed,
// 1 m networks at 1,300 km) give pivots of 1.9e-5 and below and diagonals of 2.6e4 and above,
// and the 20 and 50 km networks at weights 0.002 diagonals of 1e-5 to 5e-3.
constexpr double TRUSTED_PIVOT = 1e-4;
constexpr struct {
    double low, high;
} TRUSTED_DIAGONAL{1e-2, 1e3};
// Elsewhere it is kept where it agrees with the scaled solution to AGREEING_INCREMENT [mm] in
// every increment, a hundredth of the finest printed digit (0.01 mm), and to AGREEING_COFACTOR
// of the largest cofactor in the cofactor of every unknown (standard deviations and ellipse axes
// then move by less than 1e-7 of the largest of them). Measured, per pass: the sound networks
// that fail the gate differ by 1.7e-5 mm and 5.6e-9 at most (a point 94 m from a fixed base of
// 0.5 m, 5 m fixed networks at weight 1, 20 and 50 km networks at weights 0.002); 5 m fixed
// networks at weight 10 by 1e-5 to 1e-3 mm, at weights 100 and 1000 by 3e-3 to 16 mm; free
// networks in the national grid, 5 m free networks and 1 m networks at 1,300 km by 2e-3 and
// more in the cofactors (a factor of 100 and more in the grid).
constexpr double AGREEING_INCREMENT = 1e-4;
constexpr double AGREEING_COFACTOR = 1e-7;

[[noreturn]] void no_convergence(Adjustment& adj) {
    for (const std::string& line : adj.text.no_convergence) adj.console.say(line);
    exit_block(ExitStatus::failed);
}

// D: the derived observations as combinations of the measured quantities, rows in the order of
// the observation equations (the rows have passed their capacity check there already).
void derived_matrix(Adjustment& adj) {
    const Network& net = adj.net;
    Solution& s = adj.solution;
    Index r = 0;
    for (int I = 1; I <= net.IS - 1; ++I) {
        if (net.INS[I + 1] != net.INS[I]) continue;
        ++r;
        s.D(r, I) = -1.0;
        s.D(r, I + 1) = 1.0;
    }
    for (int m = 1; m <= net.ID; ++m) s.D(++r, net.ISZ + m) = 1.0;
    for (int k = net.ISN1; k <= net.ISZ; ++k) s.D(++r, k) = 1.0;
    if (r != s.NM) pause_then_exit(adj, adj.text.d_rows);
}

void weights_singular(Adjustment& adj) {
    adj.console.pause(adj.text.weights_singular);
    for (int i = 1; i <= adj.net.NR; ++i) {
        adj.console.say(Record(adj.text.weight_line).item(i).item(adj.net.PPP[i]));
        adj.console.pause(adj.text.go_on);
    }
    exit_block(ExitStatus::failed);
}

void solve(Adjustment& adj) {
    Solution& s = adj.solution;
    switch (solve_increments(s, {s.NM, adj.net.NR, s.NP, s.n})) {
        case ChainStop::solved: return;
        case ChainStop::weights_singular: weights_singular(adj); return;
        case ChainStop::cofactors_singular: pause_then_exit(adj, adj.text.qi_singular); return;
        case ChainStop::normal_singular:
        case ChainStop::normal_undetermined:
            adj.console.pause(adj.text.normal_singular[0]);
            adj.console.say(adj.text.normal_singular[1]);
            adj.console.say(adj.text.normal_singular[2]);
            exit_block(ExitStatus::failed);
    }
}

// What only the solution of the last pass is needed for: the cofactor matrix of the unknowns
// R = M.N.M, the corrections V = PP^-1.D^T.Q.(A.H - L) and [pvv]. The matrices of the pass are
// still intact here, so R and V are what every pass would have computed.
void finish_solution(Adjustment& adj) {
    Solution& s = adj.solution;
    const Index p = adj.net.NR;
    cofactors_and_corrections(s, {s.NM, p, s.NP, s.n});
    for (int k = 1; k <= p; ++k) s.VT(1, k) = s.VT(1, k) * adj.net.PPP[k];
    MADMUL(s.VT, s.V, s.VVT, 1, p, 1);
    insert_fixed_cofactors(adj);
}

// Adds the increments of the solution to the coordinates of point I, and takes them from HR.
void move_point(Network& net, Solution& s, int I) {
    const int x = net.column(I, X), y = x + 1;
    net.XO[I] = net.XO[I] + s.H(x, 1);
    net.YO[I] = net.YO[I] + s.H(y, 1);
    s.HR(x, 1) = s.HR(x, 1) - s.H(x, 1);
    s.HR(y, 1) = s.HR(y, 1) - s.H(y, 1);
    if (net.dimension == 3) {
        const int z = x + 2;
        net.ZO[I] = net.ZO[I] + s.H(z, 1);
        s.HR(z, 1) = s.HR(z, 1) - s.H(z, 1);
    }
}

// Moves the points of codes -1..1 by the increments; the others keep their input coordinates.
void move_free_points(Adjustment& adj) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    for (int I = 1; I <= net.IB; ++I) {
        if (!moved_by_passes(net.KOD1[I])) continue;
        move_point(net, s, I);
    }
}

// Clears the work matrices and the row counters for the next pass.
void clear_pass(Adjustment& adj) {
    Solution& s = adj.solution;
    const Index m = s.NM, p = adj.net.NR, q = s.NP, nn = adj.net.NN;
    MADVAL(s.D, m, p, 0.0);
    MADVAL(s.A, m, nn, 0.0);
    MADVAL(s.G, q, nn, 0.0);
    MADVAL(s.PP, p, p, 0.0);
    s.IXX = 0;
    s.IX = 0;
}

// The convergence test and the divergence counter after a solution; true when converged.
bool settled(Adjustment& adj) {
    Solution& s = adj.solution;
    MADMUL(s.HT, s.H, s.HTH, 1, adj.net.NN, 1);
    const Index passes = adj.profile.loop.passes;
    if (passes > 0) {  // a fixed number of passes at most, no divergence counter
        return s.convergence.observe_limited(s.HTH(1, 1), passes);
    }
    switch (s.convergence.observe(s.HTH(1, 1))) {
        case ConvergenceTest::Verdict::converged: return true;
        case ConvergenceTest::Verdict::diverged: no_convergence(adj);
        case ConvergenceTest::Verdict::go_on: break;
    }
    return false;
}

// Unit standard deviation test: the a-posteriori value against the a-priori one.
void unit_variance_test(Adjustment& adj) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    const Messages& t = adj.text;
    const Index r = static_cast<Index>(s.NM - net.NN + s.NP);
    s.redundancy = r;
    const bool console_lines = adj.profile.test_lines_on_console;
    if (console_lines) adj.console.say(Record(t.redundancy).item(r));
    if (r < 1) {
        net.MO = net.MOO;
        return;
    }
    const double s0 = std::sqrt(s.VVT(1, 1) / r);
    net.MO = s0;
    const Record line = Record(t.sigma0).f(s0, 6, 1);
    adj.report.empty();
    adj.report.put(line);
    adj.report.empty();
    adj.report.empty();
    if (console_lines) {
        adj.console.empty();
        adj.console.record(line.str());
        adj.console.empty();
        adj.console.empty();
    }
    const double root = std::sqrt(static_cast<double>(r));
    const double upper = (static_cast<double>(1.0f) + static_cast<double>(2.0f) / root) * net.MOO;
    const float MOS = static_cast<float>(upper);
    const double lower = (static_cast<double>(1.0f) - static_cast<double>(2.0f) / root) * net.MOO;
    if (MOS > s0) net.MO = net.MOO;
    if (lower > net.MO || upper < net.MO) adj.report.put(t.sigma0_rejected);
}

// The points not moved during the passes receive the last solution once: HR then holds input
// minus adjusted coordinates for every point. Where no pass moves a point, every point takes its
// displacement here.
void final_update(Adjustment& adj) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    for (int I = 1; I <= net.IB; ++I) {
        if (!adj.profile.loop.moves_points || !moved_by_passes(net.KOD1[I])) move_point(net, s, I);
    }
}

// Rows that only fix the datum: each row r of G (columns 1..n) scaled to the length sqrt(w),
// w the mean diagonal element of N, so that N + GT.G sees the datum motions as strongly as the
// observations see the network's shape. A zero row stays zero.
void weight_datum_rows(Matrix& G, const Matrix& N, Index q, Index n) {
    double trace = 0.0;
    for (int k = 1; k <= n; ++k) trace = trace + N(k, k);
    const double w = trace / n;
    if (!(w > 0.0) || !std::isfinite(w)) return;
    for (int r = 1; r <= q; ++r) {
        double length2 = 0.0;
        for (int k = 1; k <= n; ++k) length2 = length2 + std::as_const(G)(r, k) * std::as_const(G)(r, k);
        if (length2 == 0.0) continue;
        const double factor = std::sqrt(w / length2);
        for (int k = 1; k <= n; ++k)
            if (std::as_const(G)(r, k) != 0.0) G(r, k) = G(r, k) * factor;
    }
}

// Whether a diagonal element of the block n x n is zero.
bool zero_diagonal(const Matrix& M, Index n) {
    for (int k = 1; k <= n; ++k)
        if (M(k, k) == 0.0) return true;
    return false;
}

// Whether the direct solution can be taken as it is: no pivot of N + GT.G small beside its
// diagonal element, and every diagonal element of N within the range where the unit datum rows
// count beside it and MADINV's offset of 1.0 costs no printed digit.
bool direct_trusted(const Pivots& pivots, const Matrix& N, Index n) {
    if (!(pivots.smallest_relative >= TRUSTED_PIVOT)) return false;
    for (int k = 1; k <= n; ++k)
        if (!(N(k, k) >= TRUSTED_DIAGONAL.low && N(k, k) <= TRUSTED_DIAGONAL.high)) return false;
    return true;
}

// The increments H = M.A^T.Q.L (with MATQ = M.A^T.Q on the way).
void increments(const Matrix& M, const Matrix& ATQ, const Matrix& L, Matrix& MATQ, Matrix& H, Index n, Index m) {
    MADMUL(M, ATQ, MATQ, n, n, m);
    MADMUL(MATQ, L, H, n, m, 1);
}

// The scaled solution: the datum rows of the scaled path (centred by the placement, or G's own),
// weighted where they only fix the datum, and N + GT.G of them inverted on its unit diagonal.
// Its pivots decide whether the network is determined.
ChainStop solve_scaled(ChainMatrices& s, Index q, Index n, Index m) {
    ChainMatrices::Scaled& c = s.scaled;
    if (!s.centred_rows) copy_block(s.G, c.G, q, n);
    if (s.datum_rows_only) weight_datum_rows(c.G, s.N, q, n);
    MADTRN(c.G, c.GT, q, n);
    MADMUL(c.GT, c.G, c.GTG, n, q, n);
    MADADD(s.N, c.GTG, c.MI, n, n);
    // A negligible pivot before an exactly zero one is what the zero comes from. On the unit
    // diagonal an exactly zero pivot is itself one below the last digit of MADINV's offset, so it
    // is negligible too, unless an unknown has no row at all (a zero diagonal element).
    Pivots pivots;
    const Status inverted = MADINV_on_unit_diagonal(c.MI, c.M, n, pivots);
    if (pivots.smallest_relative < NEGLIGIBLE_PIVOT) return ChainStop::normal_undetermined;
    if (inverted != DONE) return zero_diagonal(c.MI, n) ? ChainStop::normal_singular : ChainStop::normal_undetermined;
    increments(c.M, s.ATQ, s.L, c.MATQ, c.H, n, m);
    return ChainStop::solved;
}

// The cofactor of unknown k, (M.N.M)(k,k): unlike M itself it does not depend on the weight of
// datum rows that only fix the datum.
double cofactor(const Matrix& M, const Matrix& N, Index n, int k) {
    double sum = 0.0;
    for (int j = 1; j <= n; ++j) {
        double nm = 0.0;
        for (int i = 1; i <= n; ++i) nm = nm + N(j, i) * M(i, k);
        sum = sum + M(j, k) * nm;
    }
    return sum;
}

// Whether the direct solution agrees with the scaled one far below the printed digits: every
// increment, and the cofactor of every unknown beside the largest cofactor of the network (an
// unknown that a datum row fixes has a cofactor of zero, and rounding beside it).
bool direct_agrees(const ChainMatrices& s, Index n) {
    for (int k = 1; k <= n; ++k)
        if (!(std::fabs(s.H(k, 1) - s.scaled.H(k, 1)) <= AGREEING_INCREMENT)) return false;
    std::vector<double> direct, scaled;
    for (int k = 1; k <= n; ++k) {
        direct.push_back(cofactor(s.M, s.N, n, k));
        scaled.push_back(cofactor(s.scaled.M, s.N, n, k));
    }
    double largest = 0.0;
    for (const double r : scaled) largest = std::max(largest, std::fabs(r));
    for (std::size_t k = 0; k < direct.size(); ++k)
        if (!(std::fabs(direct[k] - scaled[k]) <= AGREEING_COFACTOR * largest)) return false;
    return true;
}

// The scaled solution in place of the direct one, for everything that follows.
void take_scaled(ChainMatrices& s) {
    std::swap(s.M, s.scaled.M);
    std::swap(s.MATQ, s.scaled.MATQ);
    std::swap(s.H, s.scaled.H);
}

}  // namespace

ChainMatrices::ChainMatrices(Index rows, Index quantities, Index unknowns, Index conditions)
    : A(rows, unknowns), L(rows, 1), PP(quantities, quantities), D(rows, quantities),
      DT(quantities, rows), PI(quantities, quantities), PIDT(quantities, rows), QI(rows, rows),
      Q(rows, rows), AT(unknowns, rows), ATQ(unknowns, rows), N(unknowns, unknowns),
      G(conditions, unknowns), GT(unknowns, conditions), GTG(unknowns, unknowns),
      MI(unknowns, unknowns), M(unknowns, unknowns), MATQ(unknowns, rows), DTQ(quantities, rows),
      H(unknowns, 1), MATQA(unknowns, unknowns), R(unknowns, unknowns), AH(rows, 1), AHL(rows, 1),
      V(quantities, 1), VT(1, quantities), scaled(rows, unknowns, conditions) {}

ChainMatrices::Scaled::Scaled(Index rows, Index unknowns, Index conditions)
    : G(conditions, unknowns), GT(unknowns, conditions), GTG(unknowns, unknowns), MI(unknowns, unknowns),
      M(unknowns, unknowns), MATQ(unknowns, rows), H(unknowns, 1) {}

void copy_block(const Matrix& A, Matrix& B, Index K, Index L) {
    for (int J = 1; J <= L; ++J)
        for (int I = 1; I <= K; ++I) B(I, J) = A(I, J);
}

ChainStop solve_increments(ChainMatrices& s, const ChainSizes& z) {
    const Index m = z.m, p = z.p, q = z.q, n = z.n;
    MADTRN(s.D, s.DT, m, p);
    if (MADINV(s.PP, s.PI, p) != DONE) return ChainStop::weights_singular;
    MADMUL(s.PI, s.DT, s.PIDT, p, p, m);
    MADMUL(s.D, s.PIDT, s.QI, m, p, m);
    if (MADINV(s.QI, s.Q, m) != DONE) return ChainStop::cofactors_singular;
    MADTRN(s.A, s.AT, m, n);
    MADMUL(s.AT, s.Q, s.ATQ, n, m, m);
    MADMUL(s.ATQ, s.A, s.N, n, m, n);
    MADTRN(s.G, s.GT, q, n);
    MADMUL(s.GT, s.G, s.GTG, n, q, n);
    MADADD(s.N, s.GTG, s.MI, n, n);
    Pivots pivots;
    const Status direct = MADINV(s.MI, s.M, n, pivots);
    if (direct == DONE && direct_trusted(pivots, s.N, n)) {
        increments(s.M, s.ATQ, s.L, s.MATQ, s.H, n, m);
    } else {
        const ChainStop scaled = solve_scaled(s, q, n, m);
        if (scaled != ChainStop::solved) return scaled;
        if (direct == DONE) increments(s.M, s.ATQ, s.L, s.MATQ, s.H, n, m);
        if (direct != DONE || !direct_agrees(s, n)) take_scaled(s);
    }
    MADMUL(s.A, s.H, s.AH, m, n, 1);
    MADSUB(s.AH, s.L, s.AHL, m, 1);
    return ChainStop::solved;
}

void cofactors_and_corrections(ChainMatrices& s, const ChainSizes& z) {
    const Index m = z.m, p = z.p, n = z.n;
    MADMUL(s.MATQ, s.A, s.MATQA, n, m, n);
    MADMUL(s.MATQA, s.M, s.R, n, n, n);
    MADMUL(s.PIDT, s.Q, s.DTQ, p, m, m);
    MADMUL(s.DTQ, s.AHL, s.V, p, m, 1);
    MADTRN(s.V, s.VT, p, 1);
}

Solution::Solution(const Capacities& c)
    : ChainMatrices(c.rows, c.quantities, c.unknowns, c.conditions), RT(c.unknowns, c.unknowns),
      VVT(1, 1), HT(1, c.unknowns), HTH(1, 1), HR(c.unknowns, 1) {}

ConvergenceTest::Verdict ConvergenceTest::observe(double HTH) {
    ++ITER;
    if (ITER == 1) {  // the first solution has nothing to compare with
        HTC = HTH;
        return ITER >= limit_ ? Verdict::diverged : Verdict::go_on;
    }
    if (std::fabs(HTH - HTC) < CONVERGED) return Verdict::converged;
    if (HTH + DIVERGENCE_STEP > HTC) {
        ++IIK;
        if (IIK > DIVERGENCE_LIMIT) return Verdict::diverged;
    }
    if (HTH + DIVERGENCE_STEP < HTC) IIK = 0;
    HTC = HTH;
    return ITER >= limit_ ? Verdict::diverged : Verdict::go_on;
}

bool ConvergenceTest::observe_settling(double HTH) {
    ++ITER;
    const bool settled = ITER > 1 && std::fabs(HTH - HTC) < CONVERGED;
    HTC = HTH;
    return settled;
}

bool ConvergenceTest::observe_limited(double HTH, Index passes) {
    return observe_settling(HTH) || ITER >= passes;
}

bool adjustment_pass(Adjustment& adj) {
    Solution& s = adj.solution;
    ++s.IIT;
    adj.console.record(Record("+").blanks(35).text(adj.text.progress).i(s.IIT, 4).str());
    observation_rows(adj);
    derived_matrix(adj);
    placement_conditions(adj);
    remove_fixed_components(adj);
    solve(adj);
    MADTRN(s.H, s.HT, s.n, 1);
    insert_fixed_increments(adj);
    MADTRN(s.HT, s.H, 1, adj.net.NN);
    if (adj.profile.loop.moves_points) move_free_points(adj);
    if (settled(adj)) {
        finish_solution(adj);
        return true;
    }
    clear_pass(adj);
    return false;
}

void adjust(Adjustment& adj) {
    adj.solution.convergence.limit_solutions(static_cast<Index>(adj.profile.pass_limit));
    while (!adjustment_pass(adj)) {
    }
    unit_variance_test(adj);
    adj.console.record(Record("+").blanks(35).text(adj.text.finished).str());
    final_update(adj);
    adj.points_final = true;
}

}  // namespace adjustment
