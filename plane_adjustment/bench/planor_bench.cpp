// Whole-process runs of planor on the largest network that its capacities allow (30 points,
// 199 measured quantities, 172 derived observations): from the start to "KONEC".
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "testsupport/runner.h"

namespace {

std::string example(const std::string& name) {
    std::string bytes;
    std::FILE* f = std::fopen((std::string(EXAMPLES_DIR) + "/" + name).c_str(), "rb");
    if (!f) return bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

void WholeRunOfTheLargestPlaneNetwork(benchmark::State& state) {
    const std::string input = example("PLANEBIG.TXT");
    if (input.empty()) {
        state.SkipWithError("examples/PLANEBIG.TXT not found");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        testsupport::DataFolder folder;
        folder.write("PLANEBIG.TXT", input);
        state.ResumeTiming();
        const testsupport::Outcome o = testsupport::run(PLANOR_PATH, folder, "V.TXT\nPLANEBIG.TXT\nn\nn\nn\n");
        if (o.status != 0) state.SkipWithError("the run did not end normally");
    }
}
BENCHMARK(WholeRunOfTheLargestPlaneNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
