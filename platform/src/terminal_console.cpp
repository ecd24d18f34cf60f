// The console on the process's standard input and output.
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/console.h"
#include "platform/descriptors.h"
#include "platform/interrupts.h"

namespace platform {

namespace {

// A terminal that has been hung up (its other side closed) reads as an end of input, but it is
// gone: even its settings can no longer be read (EIO). A live terminal after Ctrl-D, a file or
// a pipe give their settings or ENOTTY.
bool terminal_gone()
{
    termios settings {};
    return ::tcgetattr(STDIN_FILENO, &settings) != 0 && errno == EIO;
}

}  // namespace

TerminalConsole::StandardDescriptors::StandardDescriptors() { open_standard_descriptors(); }

// The console program's own console: from here on an interrupt ends the run in order.
TerminalConsole::TerminalConsole() { catch_interrupts(); }

void TerminalConsole::write_raw(std::string_view utf8)
{
    if (output_lost_) return;
    const std::string shown = encoding_.encode(utf8);
    // Into the output buffer: it is shown when a question waits for an answer, when a record
    // overwrites the progress line, and at the end of the run (Console::flush).
    if (std::fwrite(shown.data(), 1, shown.size(), stdout) != shown.size()) output_failed();
}

bool TerminalConsole::read_raw(std::string& line)
{
    // getline(3) on the C stream, not the C++ one: the C++ streams would cost every run their
    // start-up (the standard stream objects and their locale) for this one call.
    char* buffer = nullptr;
    std::size_t capacity = 0;
    ssize_t length = ::getline(&buffer, &capacity, stdin);
    // A signal that the run does not catch may break a read off: it is read again. A read that
    // fails for any other reason (EIO of a terminal that has gone) is no end of the input: the
    // console is lost.
    while (length < 0 && std::ferror(stdin) && errno == EINTR && !interrupted()) {
        std::clearerr(stdin);
        length = ::getline(&buffer, &capacity, stdin);
    }
    const bool failed = std::ferror(stdin) != 0;
    if (failed || (length < 0 && terminal_gone())) hang_up();
    if (length < 0 || failed) {
        std::free(buffer);
        return false;
    }
    std::string typed(buffer, static_cast<std::size_t>(length));
    std::free(buffer);
    if (!typed.empty() && typed.back() == '\n') typed.pop_back();
    line = encoding_.decode(typed);  // names are cut by characters: they must be UTF-8 here
    return true;
}

void TerminalConsole::flush()
{
    if (!output_lost_ && std::fflush(stdout) != 0) output_failed();
}

void TerminalConsole::output_failed()
{
    // A closed pipe or a terminal that has gone: nothing more is shown, and the run ends as
    // after a hang-up.
    output_lost_ = true;
    hang_up();
}

}  // namespace platform
