// Timings of the adjustment's heaviest matrix work: the product of 172 x 180 by 180 x 172
// (dense, and with the design matrix of angles, two entries a row) and the inversion of a
// symmetric positive definite matrix of order 172.
#include <benchmark/benchmark.h>

#include <random>

#include "library/madarith.h"
#include "library/madinv.h"

namespace {

using library::Matrix;

Matrix dense(library::Index rows, library::Index cols, unsigned seed)
{
    std::mt19937 rng(seed);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    Matrix m(rows, cols);
    for (int j = 1; j <= cols; ++j)
        for (int i = 1; i <= rows; ++i) m(i, j) = value(rng);
    return m;
}

void product_dense(benchmark::State& state)
{
    const Matrix A = dense(172, 180, 1), B = dense(180, 172, 2);
    Matrix C(172, 172);
    for (auto _ : state) {
        library::MADMUL(A, B, C, 172, 180, 172);
        benchmark::DoNotOptimize(C.data());
    }
}
BENCHMARK(product_dense);

void product_design_matrix(benchmark::State& state)
{
    Matrix D(172, 180);  // each angle = one direction minus the one before
    for (int i = 1; i <= 172; ++i) {
        D(i, i) = -1.0;
        D(i, i + 1) = 1.0;
    }
    const Matrix B = dense(180, 172, 3);
    Matrix C(172, 172);
    for (auto _ : state) {
        library::MADMUL(D, B, C, 172, 180, 172);
        benchmark::DoNotOptimize(C.data());
    }
}
BENCHMARK(product_design_matrix);

void inversion(benchmark::State& state)
{
    const Matrix R = dense(172, 172, 4);
    Matrix Rt(172, 172), A(172, 172), B(172, 172);
    library::MADTRN(R, Rt, 172, 172);
    library::MADMUL(Rt, R, A, 172, 172, 172);
    for (int i = 1; i <= 172; ++i) A(i, i) += 172.0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(library::MADINV(A, B, 172));
        benchmark::DoNotOptimize(B.data());
    }
}
BENCHMARK(inversion);

}  // namespace
