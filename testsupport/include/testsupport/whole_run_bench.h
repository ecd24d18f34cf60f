// A whole-process run of a console program on an example network, from the start to "KONEC",
// as one Google Benchmark (header only: the benchmark programs link Google Benchmark, the test
// helpers do not).
#pragma once
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "testsupport/runner.h"

namespace testsupport {

// The bytes of a file, or "" when it cannot be read.
inline std::string file_bytes(const std::string& path) {
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
    std::fclose(f);
    return bytes;
}

// Runs `program` in a fresh data folder holding the example `input` (from `examples_dir`),
// with `answers` on its standard input, once per iteration.
inline void whole_run(benchmark::State& state, const std::string& program, const std::string& examples_dir,
                      const std::string& input, const std::string& answers) {
    const std::string bytes = file_bytes(examples_dir + "/" + input);
    if (bytes.empty()) {
        state.SkipWithError(("examples/" + input + " not found").c_str());
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        DataFolder folder;
        folder.write(input, bytes);
        state.ResumeTiming();
        const Outcome o = run(program, folder, answers);
        if (o.status != 0) state.SkipWithError("the run did not end normally");
    }
}

}  // namespace testsupport
