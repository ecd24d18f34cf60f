// The plane adjustment program.
#include <clocale>

#include "adjustment/run.h"
#include "plane_adjustment/profile.h"
#include "platform/console.h"

int main() {
    std::setlocale(LC_CTYPE, "");
    platform::TerminalConsole console;
    return adjustment::run_program(plane_adjustment::profile(), console);
}
