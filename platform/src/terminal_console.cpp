// The console on the process's standard input and output.
#include <cstdio>
#include <cstdlib>

#include "platform/console.h"
#include "platform/descriptors.h"
#include "platform/interrupts.h"

namespace platform {

TerminalConsole::StandardDescriptors::StandardDescriptors() { open_standard_descriptors(); }

// The console program's own console: from here on an interrupt ends the run in order.
TerminalConsole::TerminalConsole() { catch_interrupts(); }

void TerminalConsole::write_raw(std::string_view utf8)
{
    const std::string shown = encoding_.encode(utf8);
    // Into the output buffer: it is shown when a question waits for an answer, when a record
    // overwrites the progress line, and at the end of the run (Console::flush).
    std::fwrite(shown.data(), 1, shown.size(), stdout);
}

bool TerminalConsole::read_raw(std::string& line)
{
    // getline(3) on the C stream, not the C++ one: the C++ streams would cost every run their
    // start-up (the standard stream objects and their locale) for this one call.
    char* buffer = nullptr;
    std::size_t capacity = 0;
    const ssize_t length = ::getline(&buffer, &capacity, stdin);
    if (length < 0) {
        std::free(buffer);
        return false;
    }
    std::string typed(buffer, static_cast<std::size_t>(length));
    std::free(buffer);
    if (!typed.empty() && typed.back() == '\n') typed.pop_back();
    line = encoding_.decode(typed);  // names are cut by characters: they must be UTF-8 here
    return true;
}

void TerminalConsole::flush() { std::fflush(stdout); }

}  // namespace platform
