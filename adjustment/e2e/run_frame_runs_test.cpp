// Whole runs of every console program through the frame they share: a control file that is no
// regular file, typed names that hold control characters, a data folder that does not exist, and
// an interrupt while the program waits for an answer. The expected texts are the programs' own
// fixed messages; the expected files are the files of an uninterrupted run of the same input.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include "run_frame_fixtures.h"
#include "testsupport/runner.h"

namespace {

using run_frame::ends_with;
using run_frame::example;
using run_frame::Fixture;
using run_frame::lines_ending;
using run_frame::Program;
using run_frame::programs;
using run_frame::setup_of;
using testsupport::DataFolder;
using testsupport::Outcome;
using testsupport::Watch;

// A run that gets `signal` when the screen first shows `at`, its answers given up to there.
Outcome interrupted(const Program& p, const DataFolder& folder, const std::string& answers, int signal,
                    const std::string& at) {
    Watch watch;
    watch.signal = signal;
    watch.signal_at = at;
    return testsupport::run_watched(p.path, folder, answers, watch);
}

// A FIFO named ERR$$$.TXT in the data folder would block the open of the control file for ever:
// every program refuses it at once, as a control file that cannot be made (a release build ends
// in a few milliseconds; the deadline leaves room for a sanitizer build on a loaded machine).
TEST(RunFrame, FifoAsControlFileEndsEveryProgramAtOnce) {
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        DataFolder folder;
        ASSERT_EQ(mkfifo((folder.path() / "ERR$$$.TXT").c_str(), 0600), 0);
        Watch watch;
        watch.deadline_seconds = 5.0;  // a blocked open is killed there; a run ends in far less
        const Outcome o = testsupport::run_watched(p.path, folder, "R.TXT\nIN.TXT\nn\n", watch);
        EXPECT_EQ(o.status, 1) << o.screen;
        const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
        ASSERT_FALSE(screen.empty());
        EXPECT_EQ(screen.back().rfind("Kontrolní soubor nelze otevřít: ", 0), 0u) << screen.back();
        EXPECT_TRUE(ends_with(screen.back(), "ERR$$$.TXT")) << screen.back();
        EXPECT_FALSE(folder.exists("R.TXT")) << "the dialogue never started";
    }
}

// A NUL or another control character cannot be part of a file name: the file system would cut
// the name there (R NUL X.TXT created "R"). Each typed name that holds one is refused as a name
// that cannot be used, and the question is asked again.
TEST(RunFrame, TypedNamesWithControlCharactersAreRefused) {
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        const Fixture s = setup_of(p.name);
        DataFolder folder;
        folder.write("IN.TXT", example(s.input));
        folder.write("IN", "not the input");
        std::string answers = std::string("R\0X.TXT\n", 8) + "R\x01.TXT\nR.TXT\n" + std::string("IN\0.TXT\n", 8) + "IN.TXT\n";
        if (s.asks_database()) answers += std::string("B\0.DB\n", 6) + "B\tC.DB\nn\n";
        const Outcome o = testsupport::run(p.path, folder, answers);
        const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
        EXPECT_FALSE(folder.exists("R")) << "a file named by the name cut at its NUL";
        EXPECT_TRUE(folder.exists("R.TXT"));
        EXPECT_EQ(lines_ending(screen, "existuje") - lines_ending(screen, "neexistuje"), 2) << o.screen;
        EXPECT_EQ(lines_ending(screen, " - tento soubor neexistuje"), 1) << o.screen;
        if (s.asks_database()) {
            EXPECT_FALSE(folder.exists("B"));
            EXPECT_FALSE(folder.exists("B\tC.DB"));
            int refusals = 0;
            for (const std::string& line : screen) refusals += line.find("databazi nelze otevrit") != std::string::npos ||
                                                               line.find("databázi nelze otevřít") != std::string::npos;
            EXPECT_EQ(refusals, 2) << o.screen;
        }
    }
}

// TERVAL_DATA naming a folder that does not exist: the run says that the data folder cannot be
// found, with its name, and ends before its banner.
TEST(RunFrame, MissingDataFolderIsNamed) {
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        DataFolder folder;
        Watch watch;
        watch.data_folder = (folder.path() / "missing").string();
        const Outcome o = testsupport::run_watched(p.path, folder, "R.TXT\n", watch);
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(testsupport::screen_lines(o.screen), std::vector<std::string>{"Datovou složku nelze najít: " + watch.data_folder});
        EXPECT_FALSE(folder.exists("ERR$$$.TXT"));
    }
}

// Ctrl-C or a closed terminal at the first offer after the report tables: the report and the
// control file hold everything written before it (the files of a run that declines every offer,
// the start time in the report header apart),
// the point database stays as it was, and the run ends with status 1 through its exit block.
TEST(RunFrame, InterruptAtTheFirstOfferKeepsTheReportAndTheControlFile) {
    for (const Program& p : programs) {
        const std::string name = p.name;
        if (name == "kaspen" || name.rfind("rudvik", 0) == 0) continue;  // no question after the tables
        const Fixture s = setup_of(name);
        DataFolder whole;
        run_frame::fill(whole, s);
        testsupport::run(p.path, whole, s.names() + "n\nn\nn\nn\nn\nn\nn\nn\nn\nn\n");
        ASSERT_FALSE(whole.read("R.TXT").empty()) << name;
        for (const int signal : {SIGINT, SIGHUP}) {
            SCOPED_TRACE(name + (signal == SIGINT ? " SIGINT" : " SIGHUP"));
            DataFolder folder;
            run_frame::fill(folder, s);
            const Outcome o = interrupted(p, folder, s.names(), signal, "mezi body i,j");
            EXPECT_EQ(o.status, 1) << o.screen;
            EXPECT_EQ(testsupport::screen_lines(o.screen).back(), "KONEC");
            // The report header holds the time of the start: the lines after it are compared.
            std::vector<std::string> report = folder.lines_cp1250("R.TXT"), expected = whole.lines_cp1250("R.TXT");
            ASSERT_FALSE(report.empty());
            EXPECT_TRUE(std::equal(report.begin() + 1, report.end(), expected.begin() + 1, expected.end()))
                << report.size() << " lines, " << expected.size() << " expected";
            EXPECT_EQ(folder.read("ERR$$$.TXT"), whole.read("ERR$$$.TXT"));
            if (s.asks_database()) {
                EXPECT_EQ(folder.read(s.database), example(s.database));
            }
        }
    }
}

// The deformation programs ask no question after their tables: an interrupt at their last
// question (kaspen: the input file, rudvik: the point database) ends the run through the exit
// block with what it has written so far, which is the beginning of the files of a whole run,
// and nothing stored in the point database.
TEST(RunFrame, InterruptAtTheLastQuestionOfTheDeformationProgramsStoresNothing) {
    for (const Program& p : programs) {
        const std::string name = p.name;
        if (name != "kaspen" && name.rfind("rudvik", 0) != 0) continue;
        const Fixture s = setup_of(name);
        DataFolder whole;
        run_frame::fill(whole, s);
        testsupport::run(p.path, whole, s.names());
        for (const int signal : {SIGINT, SIGHUP}) {
            SCOPED_TRACE(name + (signal == SIGINT ? " SIGINT" : " SIGHUP"));
            DataFolder folder;
            run_frame::fill(folder, s);
            const Outcome o = s.asks_database()
                                  ? interrupted(p, folder, "R.TXT\nIN.TXT\n", signal, "bez databáze = n")
                                  : interrupted(p, folder, "R.TXT\n", signal, "Jméno vstupního souboru");
            EXPECT_EQ(o.status, 1) << o.screen;
            EXPECT_EQ(testsupport::screen_lines(o.screen).back(), "KONEC");
            const std::string control = folder.read("ERR$$$.TXT"), whole_control = whole.read("ERR$$$.TXT");
            EXPECT_EQ(whole_control.compare(0, control.size(), control), 0) << "the control file begins as a whole run's";
            EXPECT_TRUE(folder.read("R.TXT").empty()) << "the report is written from the input on";
            if (s.asks_database()) {
                EXPECT_EQ(folder.read(s.database), example(s.database));
            }
        }
    }
}

// Writing out the files at every question costs no more than one write per file and question
// that has new records: a whole run of ostrel on the largest network, every offer declined,
// makes fewer than 40 write calls (console, report and control file together).
TEST(RunFrame, AWholeRunOfTheLargestNetworkWritesInFewCalls) {
    if (std::system("strace -V > /dev/null 2>&1") != 0) GTEST_SKIP() << "no strace here";
    DataFolder folder;
    folder.write("BIG.TXT", example("BIG.TXT"));
    const std::string wrapper = (folder.path() / "traced.sh").string();
    folder.write("traced.sh", std::string("#!/bin/sh\nASAN_OPTIONS=detect_leaks=0 exec strace -f -qq -e trace=write,writev,pwrite64 -o \"$TERVAL_DATA/.trace\" ") +
                                  programs[0].path + "\n");
    ASSERT_EQ(chmod(wrapper.c_str(), 0700), 0);
    const Outcome o = testsupport::run(wrapper, folder, "R.TXT\nBIG.TXT\nn\nn\nn\nn\nn\nn\nn\nn\n");
    EXPECT_EQ(o.status, 0);
    const std::string trace = folder.read(".trace");
    const long calls = std::count(trace.begin(), trace.end(), '\n');
    EXPECT_GT(calls, 2);
    EXPECT_LT(calls, 40) << trace;
}

}  // namespace
