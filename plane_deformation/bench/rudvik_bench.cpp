// Whole-process runs of rudvik on the largest network that its capacities allow (30 points,
// 198 measured quantities, 172 derived observations, 435 point pairs): from the start to "KONEC".
#include "testsupport/whole_run_bench.h"

namespace {

void WholeRunOfTheLargestPlaneDeformationNetwork(benchmark::State& state) {
    testsupport::whole_run(state, RUDVIK_PATH, EXAMPLES_DIR, "RDEFBIG.TXT", "V.TXT\nRDEFBIG.TXT\nn\n");
}
BENCHMARK(WholeRunOfTheLargestPlaneDeformationNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
