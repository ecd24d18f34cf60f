// Runs of the main build under a careless or hostile user: a FIFO and a device typed as the input
// name, a removed current folder, closed standard descriptors, and the demo network saved with a
// UTF-8 byte-order mark. Each run is started by hand (fork and exec), because each needs a start
// that the ordinary runner does not make; every run is stopped by an alarm after a minute, so that
// a program that blocks fails its test instead of hanging it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "program_texts.h"
#include "run_table.h"
#include "testsupport/runner.h"

namespace e2e {
namespace {

using testsupport::DataFolder;

// How the program is started.
struct Start {
    std::string answers = {};            // its standard input
    std::vector<int> closed = {};        // descriptors closed when it starts
    bool current_folder_removed = false; // no TERVAL_DATA, and its current folder is removed
};

struct Ended {
    int status = -1;     // exit status; -1 when it did not exit (a signal, the alarm)
    std::string screen;  // its standard output
    std::string errors;  // its standard error
};

void redirect(const std::filesystem::path& file, int flags, int fd) {
    const int opened = ::open(file.c_str(), flags, 0600);
    if (opened < 0 || ::dup2(opened, fd) != fd) _exit(127);
    ::close(opened);
}

// Runs the main build in `folder` (its data folder and current folder unless removed).
Ended start(const DataFolder& folder, const Start& how) {
    const std::filesystem::path in = folder.path() / ".stdin", out = folder.path() / ".stdout",
                                err = folder.path() / ".stderr";
    folder.write(".stdin", how.answers);
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(60);
        setenv("LC_ALL", "C.UTF-8", 1);
        if (how.current_folder_removed) {
            const std::filesystem::path gone = folder.path() / "gone";
            if (::mkdir(gone.c_str(), 0700) != 0 || ::chdir(gone.c_str()) != 0 || ::rmdir(gone.c_str()) != 0)
                _exit(127);
            unsetenv("TERVAL_DATA");
        } else {
            if (::chdir(folder.path().c_str()) != 0) _exit(127);
            setenv("TERVAL_DATA", folder.path().c_str(), 1);
        }
        redirect(in, O_RDONLY, 0);
        redirect(out, O_WRONLY | O_CREAT | O_TRUNC, 1);
        redirect(err, O_WRONLY | O_CREAT | O_TRUNC, 2);
        for (int fd : how.closed) ::close(fd);
        execl(OSTREL, OSTREL, static_cast<char*>(nullptr));
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    Ended e;
    e.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1;
    e.screen = folder.read(".stdout");
    e.errors = folder.read(".stderr");
    for (const auto& file : {in, out, err}) std::filesystem::remove(file);
    return e;
}

std::string demo_network() {
    std::ifstream file(std::string(EXAMPLES_DIR) + "/DEMO.TXT", std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// How many screen lines equal `line`.
int lines_equal(const std::string& screen, const std::string& line) {
    int n = 0;
    for (const std::string& l : testsupport::screen_lines(screen)) n += l == line;
    return n;
}

// The first three records of the control file in code page 1250 (ž = 9E, í = ED), and the
// record of both paths after the dialogue.
const std::string CONTROL_START = "  Toto okno slou\x9E\xED ke kontrole dat. \n\n\n";
std::string paths_record(const std::string& report, const std::string& input) {
    return " " + left("H:\\TEST\\IG\\" + report, 26) + left("H:\\TEST\\IG\\" + input, 26) + "\n";
}

// A FIFO blocked the program in its open for ever, and /dev/zero was read until memory ran out:
// both are refused at once as files that do not exist, the question comes again, and the run
// ends normally when the input ends.
TEST(HostileRuns, FifoAndDeviceAsInputNameAreRefusedAtOnce) {
    DataFolder folder;
    ASSERT_EQ(mkfifo((folder.path() / "PIPE.TXT").c_str(), 0600), 0);
    const Ended e = start(folder, {.answers = "R.TXT\nPIPE.TXT\n/dev/zero\n"});
    EXPECT_EQ(e.status, 0) << e.screen;
    EXPECT_EQ(lines_equal(e.screen, blanks(12) + "PIPE.TXT    " + INPUT_MISSING), 1) << e.screen;
    EXPECT_EQ(lines_equal(e.screen, blanks(12) + "/dev/zero   " + INPUT_MISSING), 1) << e.screen;
    EXPECT_EQ(lines_equal(e.screen, INPUT_PROMPT), 3) << e.screen;
    EXPECT_EQ(lines_equal(e.screen, REPORT_PROMPT), 1) << e.screen;
    const std::vector<std::string> lines = testsupport::screen_lines(e.screen);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), KONEC);
    // The control file holds its first records only: no input name was accepted.
    EXPECT_EQ(folder.read("ERR$$$.TXT"), CONTROL_START);
}

// With no TERVAL_DATA and the current folder removed, the program ended with an uncaught
// exception (status 134). Now: one plain line, status 1, no banner, nothing on standard error.
TEST(HostileRuns, RemovedCurrentFolderEndsWithOneLine) {
    DataFolder folder;
    const Ended e = start(folder, {.answers = "R.TXT\nDEMO.TXT\n", .current_folder_removed = true});
    EXPECT_EQ(e.status, 1);
    EXPECT_EQ(testsupport::screen_lines(e.screen),
              std::vector<std::string>{"Datovou složku nelze najít: aktuální složka neexistuje"});
    EXPECT_EQ(e.errors, "");
}

// Started with its standard output closed, the program opened the control file as descriptor 1
// and wrote every prompt and progress line into it. The control file of such a run holds only
// its own records: those of the same run with every descriptor open.
TEST(HostileRuns, ClosedStandardDescriptorsKeepTheControlFileClean) {
    DataFolder open_run;
    open_run.write("DEMO.TXT", demo_network());
    const Ended reference = start(open_run, {.answers = "R.TXT\nDEMO.TXT\n"});
    ASSERT_EQ(reference.status, 0) << reference.screen;
    const std::string control = open_run.read("ERR$$$.TXT");
    ASSERT_EQ(control.rfind(CONTROL_START + paths_record("R.TXT", "DEMO.TXT"), 0), 0u) << control;

    struct Case {
        std::vector<int> closed;
        std::string expected_control;  // the control file after the run
    };
    const Case cases[] = {
        {{1}, control},
        {{1, 2}, control},
        // No console input at all: the run ends at the first question.
        {{0, 1, 2}, CONTROL_START},
    };
    for (const Case& c : cases) {
        DataFolder folder;
        folder.write("DEMO.TXT", demo_network());
        const Ended e = start(folder, {.answers = "R.TXT\nDEMO.TXT\n", .closed = c.closed});
        EXPECT_EQ(e.status, 0) << "closed: " << c.closed.size();
        EXPECT_EQ(folder.read("ERR$$$.TXT"), c.expected_control) << "closed: " << c.closed.size();
    }
}

// A file saved as UTF-8 by a Windows editor begins with EF BB BF, and was refused as a read error
// on line 1. With the mark skipped the demo network gives the same report as without it (the
// first line differs only in the time of the start).
TEST(HostileRuns, ByteOrderMarkBeforeTheDemoNetworkGivesTheSameReport) {
    DataFolder plain, marked;
    plain.write("DEMO.TXT", demo_network());
    marked.write("DEMO.TXT", "\xEF\xBB\xBF" + demo_network());
    const Ended a = start(plain, {.answers = "R.TXT\nDEMO.TXT\n"});
    const Ended b = start(marked, {.answers = "R.TXT\nDEMO.TXT\n"});
    EXPECT_EQ(a.status, 0);
    EXPECT_EQ(b.status, 0) << b.screen;
    std::vector<std::string> report = plain.lines_cp1250("R.TXT"), marked_report = marked.lines_cp1250("R.TXT");
    ASSERT_GT(report.size(), 20u);
    ASSERT_EQ(marked_report.size(), report.size());
    EXPECT_EQ(marked_report[0].substr(0, HEADER_307.size()), HEADER_307);
    EXPECT_EQ(marked_report[3], " Akce: Demonstracni prostorova sit, 7 bodu" + blanks(45));
    report.erase(report.begin());
    marked_report.erase(marked_report.begin());
    EXPECT_EQ(marked_report, report);
    EXPECT_EQ(marked.read("ERR$$$.TXT"), plain.read("ERR$$$.TXT"));
}

}  // namespace
}  // namespace e2e
