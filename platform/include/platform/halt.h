// Halts of a run: the process ends with the status that CONVENTIONS give (0 normal, 1 failure).
#pragma once
#include <string_view>

#include "platform/console.h"

namespace platform {

enum class ExitStatus : int { finished = 0, failed = 1 };

// Thrown by a halt and caught by the program's main routine, which returns the status.
struct Halt {
    ExitStatus status;
};

// Halt with a text: shows the text as a free-format record and ends the run.
[[noreturn]] void halt(Console& console, std::string_view text, ExitStatus status);
// Halt without a text: shows "Stop - Program terminated." and ends the run.
[[noreturn]] void halt(Console& console, ExitStatus status);

}  // namespace platform
