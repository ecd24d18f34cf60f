// Which solution the chain takes. A free plane trilateration (all points code 3, the six
// distances between four points with sides of 10 to 15 m, approximations a few mm off the truth)
// is solved once near the origin and once moved into the national grid: its equations are the
// same bits in both places, only the rotation row of the datum is not. Where N + GT.G by MADINV
// as it stands is sound, the chain takes exactly its bits, also where N's diagonal is too small
// for the gate and only the check against the scaled solution keeps them. In the grid the
// rotation row about the origin nearly repeats the shifts, and the direct cofactors come out
// several hundred times too large, some negative: there the chain takes the scaled solution,
// which gives the increments and cofactors of the network near the origin.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <optional>

#include "adjustment/solution.h"
#include "testsupport/plain_chain.h"

namespace {

using adjustment::ChainMatrices;
using adjustment::ChainStop;
using testsupport::Plain;

constexpr int POINTS = 4, UNKNOWNS = 2 * POINTS, DISTANCES = 6, DATUM_ROWS = 3;

struct Place {
    double x, y;
};
// The true coordinates beside the origin of the network [mm], and the approximations' offsets.
constexpr Place TRUE_POINTS[POINTS] = {{0.0, 0.0}, {10000.0, 1000.0}, {2000.0, 9000.0}, {11000.0, 12000.0}};
constexpr Place OFFSETS[POINTS] = {{3.0, -2.0}, {-1.5, 2.5}, {2.0, 1.0}, {-2.5, -3.0}};

struct Case {
    const char* name;
    Place origin;   // [mm]; the coordinate differences stay exact in doubles
    double weight;  // of every distance
    bool direct;    // the chain keeps the direct solution's bits
};

// The chain's matrices for the network at `origin`: D the identity, PP the weights, A and L of
// the distances at the approximations, G the free-network rows as placed (the rotation about the
// origin, scaled by RC, the mean absolute coordinate) and scaled.G the same rows with the
// rotation about the centre of the points.
struct Network {
    explicit Network(const Case& c) : chain(DISTANCES, DISTANCES, UNKNOWNS, DATUM_ROWS)
    {
        Place p[POINTS];
        double sum = 0.0, cx = 0.0, cy = 0.0;
        for (int i = 0; i < POINTS; ++i) {
            p[i] = {c.origin.x + TRUE_POINTS[i].x + OFFSETS[i].x, c.origin.y + TRUE_POINTS[i].y + OFFSETS[i].y};
            sum = sum + std::fabs(p[i].x) + std::fabs(p[i].y);
            cx = cx + p[i].x / POINTS;
            cy = cy + p[i].y / POINTS;
        }
        const double RC = sum / UNKNOWNS;
        int r = 0;
        for (int i = 0; i < POINTS; ++i)
            for (int j = i + 1; j < POINTS; ++j) {
                ++r;
                const double tx = TRUE_POINTS[j].x - TRUE_POINTS[i].x, ty = TRUE_POINTS[j].y - TRUE_POINTS[i].y;
                const double dx = p[j].x - p[i].x, dy = p[j].y - p[i].y;
                const double s = std::sqrt(dx * dx + dy * dy);
                chain.A(r, 2 * j + 1) = dx / s;
                chain.A(r, 2 * j + 2) = dy / s;
                chain.A(r, 2 * i + 1) = -dx / s;
                chain.A(r, 2 * i + 2) = -dy / s;
                chain.L(r, 1) = std::sqrt(tx * tx + ty * ty) - s;
                chain.D(r, r) = 1.0;
                chain.PP(r, r) = c.weight;
            }
        for (int i = 0; i < POINTS; ++i) {
            const int x = 2 * i + 1, y = x + 1;
            chain.G(1, x) = chain.scaled.G(1, x) = 1.0;
            chain.G(2, y) = chain.scaled.G(2, y) = 1.0;
            chain.G(3, x) = -p[i].y / RC;
            chain.G(3, y) = p[i].x / RC;
            chain.scaled.G(3, x) = -(p[i].y - cy) / RC;
            chain.scaled.G(3, y) = (p[i].x - cx) / RC;
        }
        chain.datum_rows_only = true;
        chain.centred_rows = true;
    }

    ChainStop solve() { return adjustment::solve_increments(chain, {DISTANCES, DISTANCES, DATUM_ROWS, UNKNOWNS}); }

    // The increments of N + GT.G inverted by MADINV as it stands, in plain loops from the
    // chain's own A.T.Q and N and the rows G as placed.
    std::optional<Plain> direct_increments() const
    {
        const Plain G = testsupport::block(chain.G, DATUM_ROWS, UNKNOWNS);
        const Plain MI = testsupport::sum(testsupport::block(chain.N, UNKNOWNS, UNKNOWNS),
                                          testsupport::product(testsupport::transposed(G), G), 1.0);
        const std::optional<Plain> M = testsupport::inverse(MI);
        if (!M) return M;
        const Plain MATQ = testsupport::product(*M, testsupport::block(chain.ATQ, UNKNOWNS, DISTANCES));
        return testsupport::product(MATQ, testsupport::block(chain.L, DISTANCES, 1));
    }

    ChainMatrices chain;
};

const Case CASES[] = {
    {"near_the_origin", {1000000.0, 2000000.0}, 1.0, true},
    // N's diagonal about 0.003, below the gate; the direct solution still agrees.
    {"near_the_origin_weight_0002", {1000000.0, 2000000.0}, 0.002, true},
    {"national_grid", {1100000000.0, 700000000.0}, 1.0, false},
};

class SolutionPaths : public ::testing::TestWithParam<Case> {};

TEST_P(SolutionPaths, SoundTakesTheDirectBitsAndTheGridTheScaledSolution)
{
    const Case& c = GetParam();
    Network net(c);
    ASSERT_EQ(net.solve(), ChainStop::solved);
    const std::optional<Plain> direct = net.direct_increments();
    int differing = 0;
    for (int k = 1; k <= UNKNOWNS; ++k)
        if (!direct || std::bit_cast<std::uint64_t>((*direct)(k, 1)) != std::bit_cast<std::uint64_t>(net.chain.H(k, 1)))
            ++differing;
    if (c.direct) {
        EXPECT_EQ(differing, 0);
        return;
    }
    EXPECT_GT(differing, 0);
    // The same equations near the origin, where the direct solution is sound: the increments and
    // the cofactors of the unknowns M.N.M (which the unit rows about the origin spoil most).
    Network local({"", CASES[0].origin, c.weight, true});
    ASSERT_EQ(local.solve(), ChainStop::solved);
    const adjustment::ChainSizes sizes{DISTANCES, DISTANCES, DATUM_ROWS, UNKNOWNS};
    adjustment::cofactors_and_corrections(net.chain, sizes);
    adjustment::cofactors_and_corrections(local.chain, sizes);
    for (int k = 1; k <= UNKNOWNS; ++k) {
        EXPECT_NEAR(net.chain.H(k, 1), local.chain.H(k, 1), 1e-7) << k;
        EXPECT_NEAR(net.chain.R(k, k), local.chain.R(k, k), 1e-7 * local.chain.R(k, k)) << k;
    }
}

INSTANTIATE_TEST_SUITE_P(Networks, SolutionPaths, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
