// A console program run answered while it runs.
#include "testsupport/live_run.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "testsupport/runner.h"

namespace testsupport {

namespace fs = std::filesystem;

namespace {

double seconds_since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

LiveRun::LiveRun(const fs::path& program, const fs::path& current, const fs::path& data, const std::string& answers) {
    std::string pattern = (fs::temp_directory_path() / "terval-screen-XXXXXX").string();
    const int screen = mkstemp(pattern.data());
    if (screen < 0) throw std::runtime_error("mkstemp failed");
    screen_file_ = pattern;
    // Close-on-exec: no other run started later keeps this run's input open.
    int pipe_ends[2];
    if (pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        if (chdir(current.c_str()) != 0) _exit(127);
        setenv("TERVAL_DATA", data.c_str(), 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        signal(SIGPIPE, SIG_DFL);  // the program gets it as a user's would, whatever the test does
        dup2(pipe_ends[0], 0);
        dup2(screen, 1);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipe_ends[0]);
    close(screen);
    input_ = pipe_ends[1];
    answer(answers);
}

LiveRun::~LiveRun() {
    if (pid_ > 0 && !ended()) {
        kill(pid_, SIGKILL);
        int wstatus = 0;
        waitpid(pid_, &wstatus, 0);
    }
    if (input_ >= 0) close(input_);
    std::error_code ec;
    fs::remove(screen_file_, ec);
}

void LiveRun::answer(const std::string& text) {
    if (input_ < 0) return;
    // A run that has ended has closed its input: the SIGPIPE of an answer written after it is
    // held back and taken, so that it does not end the test (and no child inherits a change).
    sigset_t pipe_signal, before;
    sigemptyset(&pipe_signal);
    sigaddset(&pipe_signal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipe_signal, &before);
    std::size_t put = 0;
    while (put < text.size()) {
        const ssize_t n = ::write(input_, text.data() + put, text.size() - put);
        if (n <= 0) {
            const timespec now{};
            if (errno == EPIPE) sigtimedwait(&pipe_signal, nullptr, &now);
            break;
        }
        put += static_cast<std::size_t>(n);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

std::string LiveRun::screen() const {
    std::ifstream in(screen_file_, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

int LiveRun::lines(const std::string& line) const {
    int n = 0;
    for (const std::string& l : screen_lines(screen())) n += l == line;
    return n;
}

bool LiveRun::ended() {
    if (pid_ < 0) return true;
    int wstatus = 0;
    if (waitpid(pid_, &wstatus, WNOHANG) != pid_) return false;
    status_ = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    pid_ = -1;
    return true;
}

bool LiveRun::wait_for(const std::string& text, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    for (;;) {
        if (screen().find(text) != std::string::npos) return true;
        if (ended() || seconds_since(start) > seconds) return screen().find(text) != std::string::npos;
        usleep(2000);
    }
}

int LiveRun::finish(double seconds) {
    if (input_ >= 0) close(input_);
    input_ = -1;
    const auto start = std::chrono::steady_clock::now();
    while (!ended()) {
        if (seconds_since(start) > seconds) {
            kill(pid_, SIGKILL);
            int wstatus = 0;
            waitpid(pid_, &wstatus, 0);
            pid_ = -1;
            status_ = -2;
            return status_;
        }
        usleep(2000);
    }
    return status_;
}

}  // namespace testsupport
