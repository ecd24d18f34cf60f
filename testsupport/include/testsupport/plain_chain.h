// The least-squares chain of a run recomputed with the plain loops that define the library
// routines, on arrays of its own: every matrix that the run's routines (with their sparse forms)
// left must have the same bits (header only, with GoogleTest's expectations).
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>
#include <vector>

#include "adjustment/solution.h"

namespace testsupport {

// A plain column-major array addressed from 1, apart from the library's matrices.
struct Plain {
    Plain(int rows, int cols) : rows(rows), cols(cols), v(static_cast<std::size_t>(rows * cols), 0.0) {}
    double& operator()(int i, int j) { return v[static_cast<std::size_t>((j - 1) * rows + i - 1)]; }
    double operator()(int i, int j) const { return v[static_cast<std::size_t>((j - 1) * rows + i - 1)]; }
    int rows, cols;
    std::vector<double> v;
};

// The used block of a run's matrix.
inline Plain block(const library::Matrix& m, int rows, int cols)
{
    Plain p(rows, cols);
    for (int j = 1; j <= cols; ++j)
        for (int i = 1; i <= rows; ++i) p(i, j) = m(i, j);
    return p;
}

// C = A * B: C(I,J) = 0, then C(I,J) + A(I,K)*B(K,J) for K ascending.
inline Plain product(const Plain& A, const Plain& B)
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

inline Plain transposed(const Plain& A)
{
    Plain T(A.cols, A.rows);
    for (int i = 1; i <= A.rows; ++i)
        for (int j = 1; j <= A.cols; ++j) T(j, i) = A(i, j);
    return T;
}

// Gauss-Jordan without pivot search on the matrix with 1.0 added to its diagonal, row by row,
// Q taken before its row changes; nothing when a pivot is zero.
inline std::optional<Plain> inverse(const Plain& A)
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

inline Plain sum(const Plain& A, const Plain& B, double sign)
{
    Plain C(A.rows, A.cols);
    for (std::size_t k = 0; k < C.v.size(); ++k) C.v[k] = sign > 0 ? A.v[k] + B.v[k] : A.v[k] - B.v[k];
    return C;
}

// Elements whose bits differ (any two NaN alike).
inline int differing(const Plain& a, const Plain& b)
{
    int count = 0;
    for (std::size_t k = 0; k < a.v.size(); ++k) {
        const double x = a.v[k], y = b.v[k];
        if (std::isnan(x) && std::isnan(y)) continue;
        if (std::bit_cast<std::uint64_t>(x) != std::bit_cast<std::uint64_t>(y)) ++count;
    }
    return count;
}

// The chain of the last pass of a run from its inputs (D, PP, A, G, L and the weights `PPP`
// by quantity number), against the run's matrices; `free`: the columns of the unknowns that
// stay in the solution, among the `nn` unknowns of the network.
inline void expect_plain_chain(const adjustment::Solution& s, const std::vector<double>& weights, int p,
                               const std::vector<int>& free, int nn)
{
    const int m = s.NM, q = s.NP, n = static_cast<int>(free.size());
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
    for (int k = 1; k <= p; ++k) VT(1, k) = VT(1, k) * weights[static_cast<std::size_t>(k)];
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

}  // namespace testsupport
