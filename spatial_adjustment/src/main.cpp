// The spatial adjustment program; the build is chosen when it is compiled.
#include <clocale>

#include "adjustment/run.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"

#ifndef OSTREL_BUILD
#define OSTREL_BUILD main
#endif

int main() {
    // The console first: it opens /dev/null on closed standard descriptors before any file.
    platform::TerminalConsole console;
    std::setlocale(LC_CTYPE, "");
    return adjustment::run_program(spatial_adjustment::profile(spatial_adjustment::Build::OSTREL_BUILD), console);
}
