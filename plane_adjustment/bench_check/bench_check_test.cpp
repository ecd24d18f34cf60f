// A whole run of planor on examples/PLANEBIG.TXT (30 points, 199 measured quantities, 172
// derived observations), the network of the plane benchmark. The matrices of the last pass stay
// in the run's solution; from its inputs the whole chain is computed again with the plain loops
// that define the library routines, and every result must have the same bits as the run's.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "adjustment/run.h"
#include "plane_adjustment/profile.h"
#include "platform/console.h"
#include "testsupport/in_process.h"
#include "testsupport/plain_chain.h"
#include "testsupport/runner.h"

namespace {

TEST(PlanorBenchmarkNetwork, EveryMatrixOfTheSolutionHasThePlainBits)
{
    std::ifstream in(std::string(EXAMPLES_DIR) + "/PLANEBIG.TXT", std::ios::binary);
    const std::string input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(input.empty()) << "examples/PLANEBIG.TXT not found";
    testsupport::DataFolder folder;
    folder.write("PLANEBIG.TXT", input);
    platform::ScriptConsole console({"V.TXT", "PLANEBIG.TXT", "n", "n", "n"});
    std::optional<adjustment::Solution> solution;
    std::vector<double> weights;
    std::vector<int> free;  // the X and Y columns that stay: code 4 fixes X, 5 Y, 6 and above both
    int NR = 0, NN = 0;
    auto keep = [&](const adjustment::Run& run) {
        if (!run.solution) return;
        solution.emplace(*run.solution);
        weights = run.net.PPP;
        NR = run.net.NR;
        NN = run.net.NN;
        for (int i = 1; i <= run.net.IB; ++i) {
            const int c = std::abs(static_cast<int>(run.net.KOD1[i]));
            if (c < 4 || c == 5) free.push_back(2 * i - 1);
            if (c < 4 || c == 4) free.push_back(2 * i);
        }
    };
    const int status = testsupport::run_in_process(plane_adjustment::profile(), folder, console, keep);
    ASSERT_EQ(status, 0);
    ASSERT_TRUE(solution.has_value());
    ASSERT_GT(solution->IIT, 1) << "the run should have taken several passes";
    ASSERT_EQ(solution->NM, 172);
    ASSERT_EQ(NR, 199);
    ASSERT_LT(static_cast<int>(free.size()), NN) << "the network has fixed components";
    testsupport::expect_plain_chain(*solution, weights, NR, free, NN);
}

}  // namespace
