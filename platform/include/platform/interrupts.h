// Interrupts of a console run: Ctrl-C (SIGINT), a closed terminal (SIGHUP) and SIGTERM end the
// run in order instead of killing the process, so that its report and control file stand.
#pragma once

namespace platform {

// Installs the handlers (once per process; the console program's console does it). A caught
// signal only marks the run interrupted: a read of the console that it breaks off returns as
// at the end of the input, and every later read does so at once. A write beyond a size limit
// (SIGXFSZ) fails as a full disk does, instead of ending the process; a write to a closed pipe
// (SIGPIPE) fails as well, so that the console's write reports it (see hang_up).
void catch_interrupts();
// True once one of the three signals has arrived, or the console has been lost.
bool interrupted();
// The console can no longer be read (a read failed, which is no end of input) or written: the
// run ends as after a closed terminal's SIGHUP, whether or not that signal ever comes.
void hang_up();

}  // namespace platform
