// The end of a run through its exit block, which the frame catches wherever the run stands: in
// the dialogue, in the reader, in a pass of the adjustment or in the interactive part.
#pragma once
#include "platform/halt.h"

namespace adjustment {

// Ends the run through the exit block: stores the point database where one is open, then halts
// with "KONEC" and the given status.
struct ExitBlock {
    platform::ExitStatus status;
};
[[noreturn]] inline void exit_block(platform::ExitStatus status) { throw ExitBlock{status}; }

// The console input ended at a question before the adjustment was complete: the run ends
// through the exit block, as failed (it stores nothing).
[[noreturn]] inline void input_ended() { exit_block(platform::ExitStatus::failed); }

}  // namespace adjustment
