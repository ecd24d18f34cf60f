// Whole-process runs of kaspen on the largest network that its capacities allow (20 points,
// 99 measured quantities, 88 derived observations, 190 point pairs): from the start to "KONEC".
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>
#include <string>

#include "testsupport/runner.h"

namespace {

void WholeRunOfTheLargestDeformationNetwork(benchmark::State& state) {
    std::ifstream in(std::string(EXAMPLES_DIR) + "/DEFBIG.TXT", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in || bytes.str().empty()) {
        state.SkipWithError("examples/DEFBIG.TXT not found");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        testsupport::DataFolder folder;
        folder.write("DEFBIG.TXT", bytes.str());
        state.ResumeTiming();
        const testsupport::Outcome o = testsupport::run(KASPEN_PATH, folder, "V.TXT\nDEFBIG.TXT\n");
        if (o.status != 0) state.SkipWithError("the run did not end normally");
    }
}
BENCHMARK(WholeRunOfTheLargestDeformationNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
