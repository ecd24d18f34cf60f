// The plane adjustment program.
#include <clocale>

#include "adjustment/command_line.h"
#include "adjustment/run.h"
#include "plane_adjustment/profile.h"
#include "platform/console.h"

int main(int argc, char** argv) {
    const adjustment::Profile profile = plane_adjustment::profile();
    // It takes no arguments: given one, it tells its usage or version instead of running.
    if (const auto status = adjustment::answer_arguments(profile, argc, argv)) return *status;
    std::setlocale(LC_CTYPE, "");
    platform::TerminalConsole console;
    return adjustment::run_program(profile, console);
}
