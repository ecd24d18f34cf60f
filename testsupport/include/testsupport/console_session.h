// A console program run step by step on a console that the test can take away: a terminal (a
// pseudo-terminal, the program's controlling terminal or not) or a pair of pipes.
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>

#include "testsupport/runner.h"

namespace testsupport {

enum class ConsoleKind {
    pipes,                 // standard input and output are pipes
    controlling_terminal,  // a pseudo-terminal that is the program's controlling terminal
    other_terminal,        // a pseudo-terminal in a session without a controlling terminal
};

// Starts `program` as run() does (TERVAL_DATA and the current directory = the folder, LC_ALL =
// C.UTF-8), on a console of the given kind. A terminal neither echoes what is typed nor turns
// line feeds into CR LF, so that the screen reads as a pipe's.
class ConsoleSession {
public:
    ConsoleSession(const std::filesystem::path& program, const DataFolder& folder, ConsoleKind kind);
    ~ConsoleSession();
    ConsoleSession(const ConsoleSession&) = delete;
    ConsoleSession& operator=(const ConsoleSession&) = delete;

    // Reads the program's output until the screen holds `text`; false when it does not within
    // the seconds given (or the output ends first).
    bool wait_for(const std::string& text, double seconds = 10.0);
    // Types the text (lines ended by '\n') on the console's input.
    void type(const std::string& text);
    // Takes the output away: a terminal is closed (its master side), a pipe's reading end is
    // closed, so that the program's next write fails.
    void close_output();
    // Waits for the end of the program: its exit status, -1 when a signal ended it, -2 when it
    // was killed at the deadline.
    int finish(double seconds = 10.0);
    const std::string& screen() const { return screen_; }

private:
    // Reads what the program has written, waiting up to `wait_ms`; false once the output has
    // ended or been closed.
    bool read_some(int wait_ms);

    pid_t pid_ = -1;
    int input_ = -1;   // where the test types (the terminal's master, or the input pipe)
    int output_ = -1;  // where the test reads (the terminal's master, or the output pipe)
    bool terminal_ = false;
    bool output_ended_ = false;
    std::string screen_;
};

}  // namespace testsupport
