// The plane deformation program; the build is chosen when it is compiled.
#include <clocale>

#include "adjustment/run.h"
#include "plane_deformation/builds.h"
#include "platform/console.h"

#ifndef RUDVIK_BUILD
#define RUDVIK_BUILD main
#endif

int main() {
    // The console first: it opens /dev/null on closed standard descriptors before any file.
    platform::TerminalConsole console;
    std::setlocale(LC_CTYPE, "");
    return adjustment::run_program(plane_deformation::profile(plane_deformation::Build::RUDVIK_BUILD), console);
}
