// A whole run of ostrel on examples/BIG.TXT (20 points, 180 measured quantities, 172 derived
// observations), the network of the benchmark. The matrices of the last pass stay in the run's
// solution; from its inputs (D, PP, A, G, L and the weights) the whole chain of the solution is
// computed again with the plain loops that define the library routines, on arrays of its own,
// and every result must have the same bits as the run's.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"
#include "testsupport/runner.h"

namespace {

// A plain column-major array addressed from 1, apart from the library's matrices.
struct Plain {
    Plain(int rows, int cols) : rows(rows), cols(cols), v(static_cast<std::size_t>(rows * cols), 0.0) {}
    double& operator()(int i, int j) { return v[static_cast<std::size_t>((j - 1) * rows + i - 1)]; }
    double operator()(int i, int j) const { return v[static_cast<std::size_t>((j - 1) * rows + i - 1)]; }
    int rows, cols;
    std::vector<double> v;
};

// The used block of a run's matrix.
Plain block(const library::Matrix& m, int rows, int cols)
{
    Plain p(rows, cols);
    for (int j = 1; j <= cols; ++j)
        for (int i = 1; i <= rows; ++i) p(i, j) = m(i, j);
    return p;
}

// C = A * B: C(I,J) = 0, then C(I,J) + A(I,K)*B(K,J) for K ascending.
Plain product(const Plain& A, const Plain& B)
{
    Plain C(A.rows, B.cols);
    for (int I = 1; I <= A.rows; ++I)
        for (int J = 1; J <= B.cols; ++J) {
            double c = 0.0;
            for (int K = 1; K <= A.cols; ++K) c = c + A(I, K) * B(K, J);
            C(I, J) = c;
        }
    return C;
}

Plain transposed(const Plain& A)
{
    Plain T(A.cols, A.rows);
    for (int i = 1; i <= A.rows; ++i)
        for (int j = 1; j <= A.cols; ++j) T(j, i) = A(i, j);
    return T;
}

// Gauss-Jordan without pivot search on the matrix with 1.0 added to its diagonal, row by row,
// Q taken before its row changes; nothing when a pivot is zero.
std::optional<Plain> inverse(const Plain& A)
{
    const int K = A.rows;
    Plain B = A;
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) + 1.0;
    for (int I = 1; I <= K; ++I) {
        const double P = B(I, I) - 1.0;
        if (P == 0.0) return std::nullopt;
        for (int J = 1; J <= K; ++J) B(I, J) = B(I, J) / P;
        for (int L = 1; L <= K; ++L) {
            if (L == I) continue;
            const double Q = B(L, I);
            for (int J = 1; J <= K; ++J) B(L, J) = B(L, J) - B(I, J) * Q;
        }
    }
    for (int I = 1; I <= K; ++I) B(I, I) = B(I, I) - 1.0;
    return B;
}

Plain sum(const Plain& A, const Plain& B, double sign)
{
    Plain C(A.rows, A.cols);
    for (std::size_t k = 0; k < C.v.size(); ++k) C.v[k] = sign > 0 ? A.v[k] + B.v[k] : A.v[k] - B.v[k];
    return C;
}

// Elements whose bits differ (any two NaN alike).
int differing(const Plain& a, const Plain& b)
{
    int count = 0;
    for (std::size_t k = 0; k < a.v.size(); ++k) {
        const double x = a.v[k], y = b.v[k];
        if (std::isnan(x) && std::isnan(y)) continue;
        if (std::bit_cast<std::uint64_t>(x) != std::bit_cast<std::uint64_t>(y)) ++count;
    }
    return count;
}

std::string example(const std::string& name)
{
    std::ifstream in(std::string(EXAMPLES_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the test keeps of the run.
struct Kept {
    std::optional<adjustment::Solution> solution;
    std::vector<double> weights;       // PPP by quantity number
    std::vector<std::int16_t> codes;   // placement codes by point
    int NR = 0, NN = 0;
};

// The unknowns that stay in the solution: each point's three coordinates, less the components
// that its placement code fixes (code 4 keeps z, 5 keeps x, 6 keeps y, 7 and above keep none).
std::vector<int> free_components(const Kept& k)
{
    std::vector<int> free;
    for (std::size_t i = 1; i < k.codes.size(); ++i) {
        const int c = std::abs(static_cast<int>(k.codes[i]));
        const int x = static_cast<int>(3 * i - 2);
        if (c < 4 || c == 5) free.push_back(x);
        if (c < 4 || c == 6) free.push_back(x + 1);
        if (c < 4 || c == 4) free.push_back(x + 2);
    }
    return free;
}

TEST(OstrelBenchmarkNetwork, EveryMatrixOfTheSolutionHasThePlainBits)
{
    const std::string input = example("BIG.TXT");
    ASSERT_FALSE(input.empty()) << "examples/BIG.TXT not found";
    testsupport::DataFolder folder;
    setenv("TERVAL_DATA", folder.path().c_str(), 1);
    folder.write("BIG.TXT", input);
    platform::ScriptConsole console({"V.TXT", "BIG.TXT", "n", "n", "n", "n", "n"});
    const adjustment::Profile profile = spatial_adjustment::profile(spatial_adjustment::Build::main);
    Kept kept;
    const int status = adjustment::run_program(profile, console, [&](const adjustment::Run& run) {
        if (!run.solution) return;
        kept.solution.emplace(*run.solution);
        kept.weights = run.net.PPP;
        kept.codes.assign(run.net.KOD1.begin(), run.net.KOD1.begin() + run.net.IB + 1);
        kept.NR = run.net.NR;
        kept.NN = run.net.NN;
    });
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(kept.solution.has_value());
    const adjustment::Solution& s = *kept.solution;
    ASSERT_GT(s.IIT, 1) << "the run should have taken several passes";
    const std::vector<int> free = free_components(kept);
    const int m = s.NM, p = kept.NR, q = s.NP, n = static_cast<int>(free.size()), nn = kept.NN;
    ASSERT_EQ(m, 172);
    ASSERT_EQ(p, 180);
    ASSERT_LT(n, nn) << "the network has fixed components";

    const Plain D = block(s.D, m, p), PP = block(s.PP, p, p), A = block(s.A, m, n), G = block(s.G, q, n),
                L = block(s.L, m, 1);
    const auto expect_bits = [](const Plain& plain, const library::Matrix& run, const char* name) {
        EXPECT_EQ(differing(plain, block(run, plain.rows, plain.cols)), 0) << name;
    };

    const Plain DT = transposed(D);
    expect_bits(DT, s.DT, "DT");
    const std::optional<Plain> PI = inverse(PP);
    ASSERT_TRUE(PI.has_value());
    expect_bits(*PI, s.PI, "PI");
    const Plain PIDT = product(*PI, DT);
    expect_bits(PIDT, s.PIDT, "PIDT");
    const Plain QI = product(D, PIDT);
    expect_bits(QI, s.QI, "QI");
    const std::optional<Plain> Q = inverse(QI);
    ASSERT_TRUE(Q.has_value());
    expect_bits(*Q, s.Q, "Q");
    const Plain AT = transposed(A);
    expect_bits(AT, s.AT, "AT");
    const Plain ATQ = product(AT, *Q);
    expect_bits(ATQ, s.ATQ, "ATQ");
    const Plain N = product(ATQ, A);
    expect_bits(N, s.N, "N");
    const Plain GT = transposed(G);
    expect_bits(GT, s.GT, "GT");
    const Plain GTG = product(GT, G);
    expect_bits(GTG, s.GTG, "GTG");
    const Plain MI = sum(N, GTG, 1.0);
    expect_bits(MI, s.MI, "MI");
    const std::optional<Plain> M = inverse(MI);
    ASSERT_TRUE(M.has_value());
    expect_bits(*M, s.M, "M");
    const Plain MATQ = product(*M, ATQ);
    expect_bits(MATQ, s.MATQ, "MATQ");
    const Plain DTQ = product(PIDT, *Q);
    expect_bits(DTQ, s.DTQ, "DTQ");
    const Plain H = product(MATQ, L);
    const Plain MATQA = product(MATQ, A);
    expect_bits(MATQA, s.MATQA, "MATQA");
    const Plain R = product(MATQA, *M);
    const Plain AH = product(A, H);
    expect_bits(AH, s.AH, "AH");
    const Plain AHL = sum(AH, L, -1.0);
    expect_bits(AHL, s.AHL, "AHL");
    const Plain V = product(DTQ, AHL);
    expect_bits(V, s.V, "V");
    Plain VT = transposed(V);
    for (int k = 1; k <= p; ++k) VT(1, k) = VT(1, k) * kept.weights[static_cast<std::size_t>(k)];
    expect_bits(VT, s.VT, "VT");
    expect_bits(product(VT, V), s.VVT, "VVT");

    // H and R have had zeros put in at the fixed components since.
    Plain H_all(nn, 1), R_all(nn, nn);
    for (int a = 1; a <= n; ++a) {
        H_all(free[static_cast<std::size_t>(a - 1)], 1) = H(a, 1);
        for (int b = 1; b <= n; ++b) R_all(free[static_cast<std::size_t>(a - 1)], free[static_cast<std::size_t>(b - 1)]) = R(a, b);
    }
    expect_bits(H_all, s.H, "H");
    expect_bits(transposed(H_all), s.HT, "HT");
    expect_bits(R_all, s.R, "R");
    expect_bits(product(transposed(H_all), H_all), s.HTH, "HTH");
}

}  // namespace
