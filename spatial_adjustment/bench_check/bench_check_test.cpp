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
#include "testsupport/in_process.h"
#include "testsupport/plain_chain.h"
#include "testsupport/runner.h"

namespace {

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
    folder.write("BIG.TXT", input);
    platform::ScriptConsole console({"V.TXT", "BIG.TXT", "n", "n", "n", "n", "n"});
    const adjustment::Profile profile = spatial_adjustment::profile(spatial_adjustment::Build::main);
    Kept kept;
    const int status = testsupport::run_in_process(profile, folder, console, [&](const adjustment::Run& run) {
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
    const int m = s.NM, p = kept.NR, n = static_cast<int>(free.size()), nn = kept.NN;
    ASSERT_EQ(m, 172);
    ASSERT_EQ(p, 180);
    ASSERT_LT(n, nn) << "the network has fixed components";

    testsupport::expect_plain_chain(s, kept.weights, p, free, nn);
}

}  // namespace
