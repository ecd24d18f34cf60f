// One press of "Výpočet" on generated networks of 20, 60 and 150 points, about seven measured
// quantities per point: on a jittered grid every station sights its east, north and west
// neighbours (one station group), with zenith angles and slope distances to the east and north
// ones. The matrices are sized to the network and PP, D and the inversions are dense, so the
// cost grows fast with the points. Runs without a display (offscreen).
#include "forms/runtime.h"
#include "kavon/form1.h"
#include "testsupport/runner.h"
#include "truth_network.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <random>

namespace {

std::string network(int points)
{
    const int columns = 10;
    std::mt19937_64 engine(7);
    std::uniform_real_distribution<double> jitter(-15000, 15000);
    std::vector<truth::Point> truth;
    for (int i = 0; i < points; ++i)
        truth.push_back({static_cast<std::int16_t>(i + 1), i == 0 ? 7 : (i == 1 ? 2 : 0),
                         1000000.0 + (i / columns) * 100000.0 + jitter(engine),
                         2000000.0 + (i % columns) * 100000.0 + jitter(engine), 300000.0 + jitter(engine)});
    const auto at = [&](int row, int col) -> int {
        const int i = row * columns + col;
        return col >= 0 && col < columns && i >= 0 && i < points ? i + 1 : 0;
    };
    truth::Plan plan;
    for (int i = 0; i < points; ++i) {
        const int row = i / columns, col = i % columns;
        truth::StationGroup group{static_cast<std::int16_t>(i + 1), {}};
        for (const int target : {at(row, col + 1), at(row + 1, col), at(row, col - 1)})
            if (target) group.targets.push_back(static_cast<std::int16_t>(target));
        if (group.targets.size() >= 2) plan.groups.push_back(group);
        for (const int target : {at(row, col + 1), at(row + 1, col)})
            if (target) {
                plan.zenith_angles.emplace_back(i + 1, target);
                plan.slope_distances.emplace_back(i + 1, target);
            }
    }
    std::mt19937_64 noise(11);
    return truth::file_text(truth::observe(truth, truth::perturbed(truth, 50, 20, noise), plan, {}, true, noise));
}

void OnePress(benchmark::State& state)
{
    testsupport::DataFolder folder;
    folder.write("net.txt", network(static_cast<int>(state.range(0))));
    const std::string path = (folder.path() / "net.txt").string();
    auto& seam = forms::runtimeSeam();
    seam.openDialog = [&](const forms::OpenDialogRequest&) { return path; };
    int messages = 0;
    seam.messageBox = [&](const std::string&) { ++messages; };
    kavon::Form1 form1;
    form1.load();
    form1.Command4_Click();
    form1.Command5_Click();
    messages = 0;
    for (auto _ : state) form1.Command8_Click();
    if (messages != 0 || !form1.data.results) state.SkipWithError("the press did not complete");
    state.counters["quantities"] = form1.data.nDirections + form1.data.nZenithAngles + form1.data.nSlopeDistances;
    seam = {};
}
BENCHMARK(OnePress)->Arg(20)->Arg(60)->Arg(150)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
