// Every console program started with an argument, as a Linux user tries it first: it tells its
// usage (with --version, its version) on the standard output, ends with status 0 and starts no
// run: it shows no banner and writes no file, not even the control file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "testsupport/runner.h"

namespace {

using testsupport::DataFolder;

struct Program {
    const char* name;
    const char* path;
};
const Program programs[] = {PROGRAMS};

// The version each build shows in its banner ("ver. 3.08"), as the programs' banners give them.
std::string banner_version(const std::string& name) {
    if (name == "ostrel") return "3.08";
    if (name == "vintra" || name == "ostrel-f" || name == "ostrel-data" || name == "ostrel-c") return "3.07";
    if (name == "planor") return "1.07";
    if (name == "kaspen") return "1.03";
    return "1.21";  // rudvik, rudvik-h
}

struct Answer {
    int status = -1;
    std::string out;
};

// Runs the program with one argument in the folder (its data folder too), standard input empty.
Answer run_with(const Program& program, const std::string& argument, const DataFolder& folder) {
    const std::string command = "cd '" + folder.path().string() + "' && TERVAL_DATA='" + folder.path().string() +
                                "' '" + program.path + "' " + argument + " < /dev/null 2>&1";
    Answer answer;
    FILE* pipe = popen(command.c_str(), "r");
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) answer.out.append(buffer, n);
    const int status = pclose(pipe);
    answer.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return answer;
}

bool folder_empty(const DataFolder& folder) { return std::filesystem::is_empty(folder.path()); }

TEST(CommandLine, AnyArgumentShowsTheUsageAndStartsNoRun) {
    for (const Program& program : programs) {
        for (const std::string argument : {"--help", "-h", "DEMO.TXT"}) {
            SCOPED_TRACE(std::string(program.name) + " " + argument);
            DataFolder folder;
            const Answer answer = run_with(program, argument, folder);
            EXPECT_EQ(answer.status, 0);
            EXPECT_EQ(answer.out.rfind("Usage: " + std::string(program.name) + "\n", 0), 0u) << answer.out;
            EXPECT_NE(answer.out.find("It takes no arguments"), std::string::npos);
            EXPECT_NE(answer.out.find("TERVAL_DATA"), std::string::npos);
            EXPECT_NE(answer.out.find("man " + std::string(program.name) + "\n"), std::string::npos);
            EXPECT_NE(answer.out.find("example networks"), std::string::npos);
            const bool asks_database = std::string(program.name) == "planor" ||
                                       std::string(program.name).rfind("rudvik", 0) == 0;
            EXPECT_EQ(answer.out.find("point database or n for none") != std::string::npos, asks_database);
            EXPECT_EQ(answer.out.find("Datum:"), std::string::npos) << "the banner of a run";
            EXPECT_TRUE(folder_empty(folder));
        }
    }
}

TEST(CommandLine, VersionIsTheOneOfTheBanner) {
    for (const Program& program : programs) {
        SCOPED_TRACE(program.name);
        DataFolder folder;
        const Answer answer = run_with(program, "--version", folder);
        EXPECT_EQ(answer.status, 0);
        EXPECT_EQ(answer.out, std::string(program.name) + " " + banner_version(program.name) + "\n");
        EXPECT_TRUE(folder_empty(folder));
        // Without an argument the run starts, and its banner names the same version.
        const testsupport::Outcome run = testsupport::run(program.path, folder, "");
        EXPECT_NE(run.screen.find("ver. " + banner_version(program.name)), std::string::npos) << run.screen;
    }
}

}  // namespace
