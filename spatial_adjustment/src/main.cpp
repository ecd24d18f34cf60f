// The spatial adjustment program; the build is chosen when it is compiled.
#include <clocale>

#include "adjustment/run.h"
#include "platform/console.h"
#include "spatial_adjustment/builds.h"

#ifndef OSTREL_BUILD
#define OSTREL_BUILD main
#endif

int main() {
    std::setlocale(LC_CTYPE, "");
    platform::TerminalConsole console;
    return adjustment::run_program(spatial_adjustment::profile(spatial_adjustment::Build::OSTREL_BUILD), console);
}
