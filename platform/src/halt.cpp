// Halts: the message, the end of the open console line, and the exit status for main.
#include "platform/halt.h"

namespace platform {

void halt(Console& console, std::string_view text, ExitStatus status)
{
    console.say(text);
    console.finish();
    throw Halt{status};
}

void halt(Console& console, ExitStatus status) { halt(console, "Stop - Program terminated.", status); }

}  // namespace platform
