// Whole-process runs of ostrel on the largest network that its capacities allow (20 points,
// 180 measured quantities, 172 derived observations): from the start to "KONEC".
#include <benchmark/benchmark.h>

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

void WholeRunOfTheLargestNetwork(benchmark::State& state) {
    const std::string input = example("BIG.TXT");
    if (input.empty()) {
        state.SkipWithError("examples/BIG.TXT not found");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        testsupport::DataFolder folder;
        folder.write("BIG.TXT", input);
        state.ResumeTiming();
        const testsupport::Outcome o = testsupport::run(OSTREL_PATH, folder, "V.TXT\nBIG.TXT\nn\nn\nn\nn\nn\n");
        if (o.status != 0) state.SkipWithError("the run did not end normally");
    }
}
BENCHMARK(WholeRunOfTheLargestNetwork)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
