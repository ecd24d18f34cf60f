// A console program on a pseudo-terminal or on pipes, driven step by step.
#include "testsupport/console_session.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace testsupport {

namespace {

using Clock = std::chrono::steady_clock;

double seconds_since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// The child's side: its data folder and locale, the console on descriptors 0, 1 and 2, then the
// program. Never returns.
[[noreturn]] void start_program(const std::filesystem::path& program, const DataFolder& folder, int in, int out,
                                ConsoleKind kind) {
    if (kind != ConsoleKind::pipes) {
        // A new session has no controlling terminal; the terminal becomes it only when asked.
        setsid();
        if (kind == ConsoleKind::controlling_terminal && ioctl(in, TIOCSCTTY, 0) != 0) _exit(126);
    }
    if (dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) _exit(126);
    if (chdir(folder.path().c_str()) != 0) _exit(127);
    setenv("TERVAL_DATA", folder.path().c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    signal(SIGPIPE, SIG_DFL);
    execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    _exit(127);
}

}  // namespace

ConsoleSession::ConsoleSession(const std::filesystem::path& program, const DataFolder& folder, ConsoleKind kind)
    : terminal_(kind != ConsoleKind::pipes) {
    int child_in = -1, child_out = -1;
    if (terminal_) {
        int master = -1, slave = -1;
        if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) throw std::runtime_error("openpty failed");
        termios modes{};
        tcgetattr(slave, &modes);
        modes.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        modes.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        tcsetattr(slave, TCSANOW, &modes);
        input_ = output_ = master;
        child_in = child_out = slave;
    } else {
        int in[2], out[2];
        if (pipe(in) != 0 || pipe(out) != 0) throw std::runtime_error("pipe failed");
        child_in = in[0];
        input_ = in[1];
        output_ = out[0];
        child_out = out[1];
    }
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        close(input_);
        if (output_ != input_) close(output_);
        start_program(program, folder, child_in, child_out, kind);
    }
    close(child_in);
    if (child_out != child_in) close(child_out);
    fcntl(output_, F_SETFL, fcntl(output_, F_GETFL) | O_NONBLOCK);
}

ConsoleSession::~ConsoleSession() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
    if (input_ >= 0) close(input_);
    if (output_ >= 0 && output_ != input_) close(output_);
}

bool ConsoleSession::read_some(int wait_ms) {
    if (output_ < 0 || output_ended_) return false;
    pollfd ready{output_, POLLIN, 0};
    if (poll(&ready, 1, wait_ms) <= 0) return true;
    char buffer[4096];
    const ssize_t got = read(output_, buffer, sizeof buffer);
    if (got > 0) {
        screen_.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EAGAIN) {
        output_ended_ = true;  // the program has closed its side (a terminal reads as EIO then)
    }
    return !output_ended_;
}

bool ConsoleSession::wait_for(const std::string& text, double seconds) {
    const auto start = Clock::now();
    while (screen_.find(text) == std::string::npos) {
        if (seconds_since(start) > seconds || !read_some(20)) return screen_.find(text) != std::string::npos;
    }
    return true;
}

void ConsoleSession::type(const std::string& text) {
    if (input_ < 0) return;
    if (write(input_, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        throw std::runtime_error("typing failed");
}

void ConsoleSession::close_output() {
    if (output_ < 0) return;
    close(output_);
    if (terminal_) input_ = -1;  // one descriptor for both sides of the terminal
    output_ = -1;
}

int ConsoleSession::finish(double seconds) {
    if (input_ >= 0) {
        close(input_);
        input_ = -1;
    }
    const auto start = Clock::now();
    int wstatus = 0;
    for (;;) {
        if (!read_some(20)) usleep(2000);  // the output is read on, so that no write of it waits
        const pid_t done = waitpid(pid_, &wstatus, WNOHANG);
        if (done == pid_) break;
        if (seconds_since(start) > seconds) {
            kill(pid_, SIGKILL);
            waitpid(pid_, &wstatus, 0);
            pid_ = -1;
            return -2;
        }
    }
    pid_ = -1;
    return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
}

}  // namespace testsupport
