// A console program run that is answered while it runs, as a user at a terminal would: its
// standard input a pipe that stays open until the test closes it, its screen in a file of its
// own, so that several runs may go on at once in one data folder.
#pragma once
#include <sys/types.h>

#include <filesystem>
#include <string>

namespace testsupport {

class LiveRun {
public:
    // Starts `program` in the folder `current` with TERVAL_DATA = `data`, LC_ALL = C.UTF-8, and
    // writes `answers` to its input.
    LiveRun(const std::filesystem::path& program, const std::filesystem::path& current,
            const std::filesystem::path& data, const std::string& answers);
    ~LiveRun();  // a run still going is killed
    LiveRun(const LiveRun&) = delete;
    LiveRun& operator=(const LiveRun&) = delete;

    // Writes `text` to the run's input (nothing once the run has ended).
    void answer(const std::string& text);
    // What the run has written to its screen so far (UTF-8).
    std::string screen() const;
    // How many of its screen lines so far are `line`.
    int lines(const std::string& line) const;
    // Whether the run has ended; its exit status is then status() (-1 after a signal).
    bool ended();
    int status() const { return status_; }
    // Waits until the screen holds `text`, the run ends or `seconds` pass; whether it holds it.
    bool wait_for(const std::string& text, double seconds);
    // Closes the input and waits for the end; after `seconds` the run is killed (status -2).
    int finish(double seconds);

private:
    pid_t pid_ = -1;
    int input_ = -1;
    int status_ = -1;
    std::filesystem::path screen_file_;
};

}  // namespace testsupport
