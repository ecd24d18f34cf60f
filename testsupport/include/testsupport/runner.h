// Running a console program as a user would: in a temporary data folder, with the answers on
// standard input, reading its screen, report and control file afterwards.
#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace testsupport {

// A fresh temporary folder, removed with everything in it when the object goes.
class DataFolder {
public:
    DataFolder();
    ~DataFolder();
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }
    // Writes a file of the folder byte for byte.
    void write(const std::string& name, const std::string& bytes) const;
    // Reads a file of the folder; its bytes, or "" when it is missing.
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // The lines of a code-page-1250 text file, converted to UTF-8, without their line feeds.
    std::vector<std::string> lines_cp1250(const std::string& name) const;

private:
    std::filesystem::path path_;
};

struct Outcome {
    int status = -1;        // exit status of the process
    std::string screen;     // what it wrote to standard output (UTF-8 under LC_ALL=C.UTF-8)
};

// Runs `program` with TERVAL_DATA = the folder, the current directory = the folder, LC_ALL =
// C.UTF-8 and the given text on standard input (closed after it).
Outcome run(const std::filesystem::path& program, const DataFolder& folder, const std::string& input);

// How a run is watched (run_watched): a limit on the size of the files it writes, a signal sent
// once its screen shows a text (its standard input then stays open, as a terminal's does, so
// that it waits at the question), and a deadline after which it is killed.
struct Watch {
    long long file_size_limit = -1;  // RLIMIT_FSIZE in bytes; -1: none
    int open_files_limit = -1;       // RLIMIT_NOFILE (descriptors 0, 1 and 2 the only ones open); -1: none
    long long memory_limit = -1;     // RLIMIT_AS in bytes; -1: none
    int signal = 0;                  // sent when the screen first holds `signal_at`; 0: none
    std::string signal_at;
    double deadline_seconds = 10.0;  // the run is killed after it (status -2)
    std::string data_folder;         // TERVAL_DATA in place of the folder, when not empty
};
// Runs `program` as run() does, watched. The status is -2 when the deadline killed it, -3 when
// the text to signal at never showed, -1 when it ended by a signal.
Outcome run_watched(const std::filesystem::path& program, const DataFolder& folder, const std::string& input,
                    const Watch& watch);

// The screen lines (split at line feeds; a carriage return shows the overwritten line's last state).
std::vector<std::string> screen_lines(const std::string& screen);

// What a run leaves to read: its exit status, its screen lines, and the lines of its report (the
// file `report`) and of its control file ERR$$$.TXT (none for a file it did not write).
struct RunLines {
    int status = -1;
    std::vector<std::string> screen, report, control;
};
RunLines run_lines(const std::filesystem::path& program, const DataFolder& folder, const std::string& input,
                   const std::string& report);

// The position (from 0) of the first line that begins with `start`, or -1.
int find_start(const std::vector<std::string>& lines, const std::string& start);
// Whether one of the lines is `line`.
bool contains(const std::vector<std::string>& lines, const std::string& line);

// Number of characters (UTF-8 code points) of a text, and the characters from position `from`
// (1-based) on, `count` of them: for checking report columns.
int chars(const std::string& utf8);
std::string columns(const std::string& utf8, int from, int count);

// Expected report fields, written independently of the programs: n blanks (none when n is not
// positive), a text right-aligned or padded to w characters, printf's %*.*f and %*ld.
std::string blanks(int n);
std::string right(const std::string& text, int w);
std::string left(const std::string& text, int w);
std::string fixed(double value, int width, int decimals);
std::string integer(long value, int width);

}  // namespace testsupport
