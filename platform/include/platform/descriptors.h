// The standard descriptors of a console program's process.
#pragma once

namespace platform {

// Makes sure that descriptors 0, 1 and 2 are open, opening /dev/null on each that is closed, so
// that no file the program opens later takes the place of its console input or output (a closed
// standard output would otherwise make the control file descriptor 1, and every prompt would be
// written into it). Must run before the program opens any file. When /dev/null cannot be opened
// in place of a closed one, the process ends at once with status 1: there is nowhere safe to
// show a message then.
void open_standard_descriptors();

}  // namespace platform
