// The spatial adjustment program; the build is chosen when it is compiled.
#include <clocale>

#include "adjustment/command_line.h"
#include "adjustment/run.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"

#ifndef OSTREL_BUILD
#define OSTREL_BUILD main
#endif

int main(int argc, char** argv) {
    const adjustment::Profile profile = spatial_adjustment::profile(spatial_adjustment::Build::OSTREL_BUILD);
    // It takes no arguments: given one, it tells its usage or version instead of running.
    if (const auto status = adjustment::answer_arguments(profile, argc, argv)) return *status;
    // The console first: it opens /dev/null on closed standard descriptors before any file.
    platform::TerminalConsole console;
    std::setlocale(LC_CTYPE, "");
    return adjustment::run_program(profile, console);
}
