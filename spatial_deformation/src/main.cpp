// The spatial deformation program: two epochs of a spatial network compared through the
// adjustment of their differences.
#include <clocale>

#include "adjustment/command_line.h"
#include "adjustment/run.h"
#include "platform/console.h"
#include "spatial_deformation/profile.h"

int main(int argc, char** argv) {
    const adjustment::Profile profile = spatial_deformation::profile();
    // It takes no arguments: given one, it tells its usage or version instead of running.
    if (const auto status = adjustment::answer_arguments(profile, argc, argv)) return *status;
    std::setlocale(LC_CTYPE, "");
    platform::TerminalConsole console;
    return adjustment::run_program(profile, console);
}
