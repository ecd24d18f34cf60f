// A run of the engine with a program's profile, on a scripted console and sinks in memory, dated
// 1 January 2000, with an empty solution: for tests that fill the network and the solution by
// hand and check the report tables written from them. For test targets that link the engine.
#pragma once
#include <cstdint>
#include <memory>
#include <span>
#include <utility>

#include "adjustment/profile.h"
#include "adjustment/report_tables.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "platform/console.h"
#include "platform/sink.h"

namespace testsupport {

struct ReportRun {
    explicit ReportRun(adjustment::Profile p)
        : profile(std::move(p)), run(profile, console, report, control, platform::DateTime{1, 1, 2000, 0, 0, 0}) {
        run.solution = std::make_unique<adjustment::Solution>(profile.cap);
    }
    // The report tables of the run as it stands.
    void observation_tables() { adjustment::write_observation_tables(profile, run.net, *run.solution, report, console); }
    void result_tables() { adjustment::write_result_tables(profile, run.net, *run.solution, report, console); }
    adjustment::Profile profile;
    platform::ScriptConsole console;
    platform::StringSink report, control;
    adjustment::Run run;
};

// The rows 1..NR of the network (net.NR set before): station, target, weight and correction of
// each; the first ISZ rows (net.ISZ set before) are measured angles, numbered alike, with the
// value 100000 k + 0.04 for the k-th. The arrays count from 1 (index 0 unused).
inline void observation_rows(adjustment::Run& run, std::span<const std::int16_t> station,
                             std::span<const std::int16_t> target, std::span<const double> weight,
                             std::span<const double> correction) {
    adjustment::Network& net = run.net;
    for (int k = 1; k <= net.NR; ++k) {
        net.INS[k] = station[k];
        net.INC[k] = target[k];
        net.PPP[k] = weight[k];
        run.solution->V(k, 1) = correction[k];
    }
    for (int k = 1; k <= net.ISZ; ++k) {
        net.CS[k] = station[k];
        net.CC[k] = target[k];
        net.SO[k] = 100000.0 * k + 0.04;
    }
}

}  // namespace testsupport
