// The spatial deformation program: two epochs of a spatial network compared through the
// adjustment of their differences.
#include <clocale>

#include "adjustment/run.h"
#include "platform/console.h"
#include "spatial_deformation/profile.h"

int main() {
    std::setlocale(LC_CTYPE, "");
    platform::TerminalConsole console;
    return adjustment::run_program(spatial_deformation::profile(), console);
}
