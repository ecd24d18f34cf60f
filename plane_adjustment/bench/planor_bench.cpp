// Whole-process runs of planor on the largest network that its capacities allow (30 points,
// 199 measured quantities, 172 derived observations): from the start to "KONEC".
#include "testsupport/whole_run_bench.h"

namespace {

void WholeRunOfTheLargestPlaneNetwork(benchmark::State& state) {
    testsupport::whole_run(state, PLANOR_PATH, EXAMPLES_DIR, "PLANEBIG.TXT", "V.TXT\nPLANEBIG.TXT\nn\nn\nn\n");
}
BENCHMARK(WholeRunOfTheLargestPlaneNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
