// The engine run in this process on a data folder, for tests that look at what a run leaves in
// memory (the network, the solution) besides its files. For test targets that link the engine.
#pragma once
#include <cstdlib>
#include <functional>

#include "adjustment/profile.h"
#include "adjustment/run.h"
#include "platform/console.h"
#include "testsupport/runner.h"

namespace testsupport {

// Runs the program of `profile` with `folder` as its data folder (TERVAL_DATA, unset again
// afterwards) and `console` answering; `inspect` sees each run as it ends. The exit status.
inline int run_in_process(const adjustment::Profile& profile, const DataFolder& folder, platform::Console& console,
                          const std::function<void(const adjustment::Run&)>& inspect) {
    setenv("TERVAL_DATA", folder.path().c_str(), 1);
    const int status = adjustment::run_program(profile, console, inspect);
    unsetenv("TERVAL_DATA");
    return status;
}

}  // namespace testsupport
