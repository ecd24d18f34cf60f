// Whole-process runs of planor: on the largest network that its capacities allow (30 points,
// 199 measured quantities, 172 derived observations), and on the example network with a point
// database of 10,938 shuffled records, which the run's seven new points bring to the capacity of
// the database search (10,945), from the start to "KONEC". The database run reports the CPU time of the program's process itself (user +
// system, from the kernel's account of the finished child) as its iteration time.
#include <sys/resource.h>

#include <algorithm>
#include <bit>
#include <random>

#include "testsupport/whole_run_bench.h"

namespace {

void WholeRunOfTheLargestPlaneNetwork(benchmark::State& state) {
    testsupport::whole_run(state, PLANOR_PATH, EXAMPLES_DIR, "PLANEBIG.TXT", "V.TXT\nPLANEBIG.TXT\nn\nn\nn\n");
}
BENCHMARK(WholeRunOfTheLargestPlaneNetwork)->Unit(benchmark::kMillisecond);

std::string record(std::int16_t number, double x, double y) {
    std::string bytes(32, '\0');
    const std::uint64_t values[] = {std::bit_cast<std::uint64_t>(x), std::bit_cast<std::uint64_t>(y)};
    bytes[0] = static_cast<char>(static_cast<std::uint16_t>(number) & 0xFF);
    bytes[1] = static_cast<char>(static_cast<std::uint16_t>(number) >> 8);
    for (int v = 0; v < 2; ++v)
        for (int n = 0; n < 8; ++n) bytes[static_cast<std::size_t>(2 + 8 * v + n)] = static_cast<char>(values[v] >> (8 * n));
    return bytes;
}

// The example database's three points and 10,935 others (numbers from 100 on, without 9999,
// which marks a deleted record), shuffled.
std::string shuffled_database() {
    std::vector<std::string> records = {record(1, 5000000.0, 1000000.0), record(2, 5000000.0, 1400000.0),
                                        record(3, 5350000.0, 1250000.0)};
    for (int n = 100; records.size() < 10938; ++n)
        if (n != 9999) records.push_back(record(static_cast<std::int16_t>(n), 1000.0 * n, -1000.0 * n));
    std::mt19937 rng(10945);
    std::shuffle(records.begin(), records.end(), rng);
    std::string bytes;
    for (const std::string& r : records) bytes += r;
    return bytes;
}

double children_cpu_seconds() {
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + 1e-6 * static_cast<double>(t.tv_usec); };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void WholeRunWithALargeShuffledDatabase(benchmark::State& state) {
    const std::string input = testsupport::file_bytes(std::string(EXAMPLES_DIR) + "/PLANE.TXT");
    const std::string database = shuffled_database();
    for (auto _ : state) {
        testsupport::DataFolder folder;
        folder.write("PLANE.TXT", input);
        folder.write("BODY.DB", database);
        const double before = children_cpu_seconds();
        const testsupport::Outcome o = testsupport::run(PLANOR_PATH, folder, "V.TXT\nPLANE.TXT\nBODY.DB\nn\nn\nn\n");
        state.SetIterationTime(children_cpu_seconds() - before);
        if (o.status != 0) state.SkipWithError("the run did not end normally");
    }
}
BENCHMARK(WholeRunWithALargeShuffledDatabase)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
