// Whole-process runs of kaspen on the largest network that its capacities allow (20 points,
// 99 measured quantities, 88 derived observations, 190 point pairs): from the start to "KONEC".
#include "testsupport/whole_run_bench.h"

namespace {

void WholeRunOfTheLargestDeformationNetwork(benchmark::State& state) {
    testsupport::whole_run(state, KASPEN_PATH, EXAMPLES_DIR, "DEFBIG.TXT", "V.TXT\nDEFBIG.TXT\n");
}
BENCHMARK(WholeRunOfTheLargestDeformationNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
