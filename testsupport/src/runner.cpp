// Running a console program in a temporary data folder.
#include "testsupport/runner.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "platform/codepage.h"

namespace testsupport {

namespace fs = std::filesystem;

DataFolder::DataFolder() {
    std::string pattern = (fs::temp_directory_path() / "terval-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
}

DataFolder::~DataFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
}

void DataFolder::write(const std::string& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << bytes;
}

std::string DataFolder::read(const std::string& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

bool DataFolder::exists(const std::string& name) const { return fs::exists(path_ / name); }

std::vector<std::string> DataFolder::lines_cp1250(const std::string& name) const {
    const std::string text = platform::from_cp1250(read(name));
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

Outcome run(const fs::path& program, const DataFolder& folder, const std::string& input) {
    const fs::path in_file = folder.path() / ".stdin";
    const fs::path out_file = folder.path() / ".stdout";
    folder.write(".stdin", input);
    Outcome o;
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.path().c_str()) != 0) _exit(127);
        setenv("TERVAL_DATA", folder.path().c_str(), 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        if (!std::freopen(in_file.c_str(), "rb", stdin)) _exit(127);
        if (!std::freopen(out_file.c_str(), "wb", stdout)) _exit(127);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    o.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    o.screen = folder.read(".stdout");
    fs::remove(in_file);
    fs::remove(out_file);
    return o;
}

namespace {

double seconds_since(const std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Waits for the child until the deadline; its exit status, -1 after a signal, -2 when killed.
int wait_until(pid_t pid, std::chrono::steady_clock::time_point start, double deadline) {
    int wstatus = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &wstatus, WNOHANG);
        if (done == pid) return WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
        if (seconds_since(start) > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &wstatus, 0);
            return -2;
        }
        usleep(2000);
    }
}

}  // namespace

Outcome run_watched(const fs::path& program, const DataFolder& folder, const std::string& input, const Watch& watch) {
    const fs::path in_file = folder.path() / ".stdin";
    const fs::path out_file = folder.path() / ".stdout";
    folder.write(".stdin", input);
    int answers[2] = {-1, -1};
    if (watch.signal != 0 && pipe(answers) != 0) throw std::runtime_error("pipe failed");
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.path().c_str()) != 0) _exit(127);
        setenv("TERVAL_DATA", watch.data_folder.empty() ? folder.path().c_str() : watch.data_folder.c_str(), 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        if (watch.signal != 0) {
            dup2(answers[0], 0);
            close(answers[0]);
            close(answers[1]);
        } else if (!std::freopen(in_file.c_str(), "rb", stdin)) {
            _exit(127);
        }
        if (!std::freopen(out_file.c_str(), "wb", stdout)) _exit(127);
        if (watch.file_size_limit >= 0) {
            const rlimit limit{static_cast<rlim_t>(watch.file_size_limit), static_cast<rlim_t>(watch.file_size_limit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (watch.open_files_limit >= 0) {
            // Only the console is open when the program starts, whatever the test process holds.
            close_range(3, ~0U, 0);
            const rlimit limit{static_cast<rlim_t>(watch.open_files_limit), static_cast<rlim_t>(watch.open_files_limit)};
            setrlimit(RLIMIT_NOFILE, &limit);
        }
        if (watch.memory_limit >= 0) {
            const rlimit limit{static_cast<rlim_t>(watch.memory_limit), static_cast<rlim_t>(watch.memory_limit)};
            setrlimit(RLIMIT_AS, &limit);
        }
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    Outcome o;
    bool signalled = watch.signal == 0;
    if (!signalled) {
        close(answers[0]);
        const bool written = ::write(answers[1], input.data(), input.size()) == static_cast<ssize_t>(input.size());
        while (written && seconds_since(start) < watch.deadline_seconds) {
            if (folder.read(".stdout").find(watch.signal_at) != std::string::npos) {
                usleep(20000);  // into the read of the answer
                signalled = kill(pid, watch.signal) == 0;
                break;
            }
            usleep(2000);
        }
    }
    o.status = wait_until(pid, start, watch.deadline_seconds);
    if (!signalled && o.status != -2) o.status = -3;
    if (answers[1] >= 0) close(answers[1]);
    o.screen = folder.read(".stdout");
    fs::remove(in_file);
    fs::remove(out_file);
    return o;
}

std::vector<std::string> screen_lines(const std::string& screen) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : screen) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c == '\r') {
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

RunLines run_lines(const fs::path& program, const DataFolder& folder, const std::string& input,
                   const std::string& report) {
    const Outcome o = run(program, folder, input);
    RunLines r;
    r.status = o.status;
    r.screen = screen_lines(o.screen);
    r.report = folder.lines_cp1250(report);
    r.control = folder.lines_cp1250("ERR$$$.TXT");
    return r;
}

int find_start(const std::vector<std::string>& lines, const std::string& start) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].compare(0, start.size(), start) == 0) return static_cast<int>(i);
    return -1;
}

bool contains(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

int chars(const std::string& utf8) {
    int n = 0;
    for (unsigned char c : utf8)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

std::string columns(const std::string& utf8, int from, int count) {
    std::string out;
    int pos = 0;  // characters passed
    for (std::size_t b = 0; b < utf8.size();) {
        std::size_t len = 1;
        const unsigned char c = static_cast<unsigned char>(utf8[b]);
        if (c >= 0xF0) len = 4; else if (c >= 0xE0) len = 3; else if (c >= 0xC0) len = 2;
        ++pos;
        if (pos >= from && pos < from + count) out += utf8.substr(b, len);
        b += len;
    }
    return out;
}

std::string blanks(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }
std::string right(const std::string& text, int w) { return blanks(w - chars(text)) + text; }
std::string left(const std::string& text, int w) { return text + blanks(w - chars(text)); }

std::string fixed(double value, int width, int decimals) {
    char b[64];
    std::snprintf(b, sizeof b, "%*.*f", width, decimals, value);
    return b;
}

std::string integer(long value, int width) {
    char b[64];
    std::snprintf(b, sizeof b, "%*ld", width, value);
    return b;
}

}  // namespace testsupport
