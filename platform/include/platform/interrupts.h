// Interrupts of a console run: Ctrl-C (SIGINT), a closed terminal (SIGHUP) and SIGTERM end the
// run in order instead of killing the process, so that its report and control file stand.
#pragma once

namespace platform {

// Installs the handlers (once per process; the console program's console does it). A caught
// signal only marks the run interrupted: a read of the console that it breaks off returns as
// at the end of the input, and every later read does so at once. A write beyond a size limit
// (SIGXFSZ) fails as a full disk does, instead of ending the process.
void catch_interrupts();
// True once one of the three signals has arrived.
bool interrupted();

}  // namespace platform
