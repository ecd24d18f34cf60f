// The signals that end a console run in order.
#include "platform/interrupts.h"

#include <csignal>
#include <initializer_list>

namespace platform {

namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void mark_interrupted(int) { caught = 1; }

}  // namespace

void catch_interrupts()
{
    struct sigaction action {};
    action.sa_handler = mark_interrupted;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: a read waiting for an answer returns at once
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, nullptr);
    sigaction(SIGPIPE, &ignore, nullptr);
}

bool interrupted() { return caught != 0; }

void hang_up() { caught = 1; }

}  // namespace platform
