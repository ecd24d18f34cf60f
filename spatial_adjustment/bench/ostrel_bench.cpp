// Whole-process runs of ostrel on the largest network that its capacities allow (20 points,
// 180 measured quantities, 172 derived observations): from the start to "KONEC".
#include "testsupport/whole_run_bench.h"

namespace {

void WholeRunOfTheLargestNetwork(benchmark::State& state) {
    testsupport::whole_run(state, OSTREL_PATH, EXAMPLES_DIR, "BIG.TXT", "V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n");
}
BENCHMARK(WholeRunOfTheLargestNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
