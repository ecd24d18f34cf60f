// The console on the process's standard input and output.
#include <cstdio>
#include <iostream>

#include "platform/console.h"

namespace platform {

TerminalConsole::TerminalConsole() = default;

void TerminalConsole::write_raw(std::string_view utf8)
{
    const std::string shown = encoding_.encode(utf8);
    std::fwrite(shown.data(), 1, shown.size(), stdout);
    // Shown at once, so that the progress line moves while the adjustment computes.
    std::fflush(stdout);
}

bool TerminalConsole::read_raw(std::string& line)
{
    return static_cast<bool>(std::getline(std::cin, line));
}

void TerminalConsole::flush() { std::fflush(stdout); }

}  // namespace platform
