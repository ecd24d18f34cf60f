// The convergence test and the divergence counter on sequences of sums of squared increments.
#include <gtest/gtest.h>

#include <vector>

#include "adjustment/solution.h"

using Verdict = adjustment::ConvergenceTest::Verdict;

namespace {

// The verdicts for a sequence of sums [mm2], one per solution.
std::vector<Verdict> verdicts(const std::vector<double>& sums, adjustment::Index limit = 100) {
    adjustment::ConvergenceTest test;
    test.limit_solutions(limit);
    std::vector<Verdict> out;
    for (double s : sums) out.push_back(test.observe(s));
    return out;
}

constexpr Verdict go = Verdict::go_on;

}  // namespace

TEST(ConvergenceTest, Sequences) {
    struct Case {
        const char* what;
        std::vector<double> sums;
        std::vector<Verdict> expected;
    };
    const Case cases[] = {
        {"never on the first solution, however small", {0.0}, {go}},
        {"two sums closer than 0.2 mm2", {50000.0, 0.15}, {go, go}},
        {"settled on the second", {0.15, 0.0}, {go, Verdict::converged}},
        {"a norm that settles at a non-zero value", {900.0, 400.0, 400.1}, {go, go, Verdict::converged}},
        // the bound is 0.1 + 0.1f = 0.20000000149 mm2
        {"just beyond the bound", {10.0, 10.2000000025}, {go, go}},
        {"just within the bound", {10.0, 10.2000000005}, {go, Verdict::converged}},
        {"growing norms: the sixth growth exceeds the counter", {1, 3, 5, 7, 9, 11, 13},
         {go, go, go, go, go, go, Verdict::diverged}},
        {"a fall by more than 1 mm2 resets the counter", {1, 3, 5, 7, 9, 11, 5, 7, 9, 11, 13, 15},
         {go, go, go, go, go, go, go, go, go, go, go, go}},
        {"a fall by exactly 1 mm2 leaves the counter", {1, 3, 5, 7, 9, 11, 10, 12},
         {go, go, go, go, go, go, go, Verdict::diverged}},
    };
    for (const Case& c : cases) EXPECT_EQ(verdicts(c.sums), c.expected) << c.what;
}

// The loop of at most six solutions (the plane deformation program): it never ends on the first
// solution, ends once two successive sums settle, and otherwise after the sixth, as if converged.
TEST(ConvergenceTest, AtMostSixSolutions) {
    struct Case {
        const char* what;
        std::vector<double> sums;
        std::vector<bool> ends;
    };
    const Case cases[] = {
        {"the second solution repeats the first", {12.5, 12.5}, {false, true}},
        {"a zero first solution still goes on", {0.0, 0.0}, {false, true}},
        {"just beyond the bound", {10.0, 10.2000000025, 10.2000000025}, {false, false, true}},
        {"growing norms end after the sixth, without a divergence verdict", {1, 3, 5, 7, 9, 11},
         {false, false, false, false, false, true}},
        {"falling norms the same", {600, 500, 400, 300, 200, 100}, {false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        adjustment::ConvergenceTest test;
        std::vector<bool> ends;
        for (double s : c.sums) ends.push_back(test.observe_limited(s, 6));
        EXPECT_EQ(ends, c.ends) << c.what;
    }
}

// The bound on the solutions: norms that alternate keep resetting the divergence counter, and
// the solution after the last one allowed ends the iteration as diverged; one that settles at
// the bound still converges.
TEST(ConvergenceTest, SolutionLimit) {
    std::vector<double> alternating;
    for (int k = 0; k < 100; ++k) alternating.push_back(k % 2 == 0 ? 100.0 : 50.0);
    const std::vector<Verdict> v = verdicts(alternating);
    for (int k = 0; k < 99; ++k) EXPECT_EQ(v[k], go) << k;
    EXPECT_EQ(v[99], Verdict::diverged);
    EXPECT_EQ(verdicts({100.0, 50.0, 100.0}, 3), (std::vector<Verdict>{go, go, Verdict::diverged}));
    EXPECT_EQ(verdicts({100.0, 50.0, 50.1}, 3), (std::vector<Verdict>{go, go, Verdict::converged}));
    EXPECT_EQ(verdicts({100.0}, 1), (std::vector<Verdict>{Verdict::diverged}));
}
