// Whole runs of every console program where the user or the machine is careless: a control file
// that is a link, a console that goes away (a terminal closed, an output pipe closed), too few
// file descriptors, names that cannot name the file meant, input that ends early, a decimal
// comma. The expected files are those of an undisturbed run of the same input (its report with
// every offer declined, its control file, its point database); the expected texts are the
// programs' own messages.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "run_frame_fixtures.h"
#include "testsupport/console_session.h"
#include "testsupport/runner.h"

namespace {

namespace fs = std::filesystem;
using run_frame::ends_with;
using run_frame::example;
using run_frame::Fixture;
using run_frame::lines_ending;
using run_frame::offers;
using run_frame::Program;
using run_frame::programs;
using run_frame::setup_of;
using testsupport::ConsoleKind;
using testsupport::ConsoleSession;
using testsupport::DataFolder;
using testsupport::Outcome;

const std::string declines = "n\nn\nn\nn\nn\nn\nn\nn\nn\nn\nn\nn\n";

// What an undisturbed run leaves: every offer declined.
struct Reference {
    std::vector<std::string> report;
    std::string control, database;
};
Reference reference(const Program& p) {
    const Fixture s = setup_of(p.name);
    DataFolder folder;
    run_frame::fill(folder, s);
    const Outcome o = testsupport::run(p.path, folder, s.names() + declines);
    EXPECT_EQ(o.status, 0) << p.name << "\n" << o.screen;
    return {folder.lines_cp1250("R.TXT"), folder.read("ERR$$$.TXT"), s.asks_database() ? folder.read(s.database) : ""};
}

// The report after its first line (which holds the time of the start) is that of the reference.
void expect_report_as(const DataFolder& folder, const Reference& ref) {
    const std::vector<std::string> report = folder.lines_cp1250("R.TXT");
    ASSERT_FALSE(report.empty());
    EXPECT_EQ(std::vector<std::string>(report.begin() + 1, report.end()),
              std::vector<std::string>(ref.report.begin() + 1, ref.report.end()));
}

// A run that failed stored nothing: the example database is as it was.
void expect_database_unchanged(const DataFolder& folder, const Fixture& s) {
    if (s.asks_database()) {
        EXPECT_EQ(folder.read(s.database), example(s.database)) << "the point database";
    }
}

bool has_line_starting(const std::vector<std::string>& lines, const std::string& start) {
    return testsupport::find_start(lines, start) >= 0;
}

// ERR$$$.TXT made a symbolic or a hard link to the input file or to the point database: the run
// replaces the link with its own control file and never writes the link's target. The input
// stays byte for byte, the database holds what an undisturbed run stores, and the control file
// is a file of its own with the undisturbed run's records.
TEST(RunFrameEnds, AControlFileThatIsALinkIsReplacedAndItsTargetKept) {
    for (const Program& p : programs) {
        const Fixture s = setup_of(p.name);
        const Reference ref = reference(p);
        std::vector<std::string> targets = {"IN.TXT"};
        if (s.asks_database()) targets.push_back(s.database);
        for (const std::string& target : targets)
            for (const bool hard : {false, true}) {
                SCOPED_TRACE(std::string(p.name) + (hard ? " hard link to " : " symbolic link to ") + target);
                DataFolder folder;
                run_frame::fill(folder, s);
                const fs::path control = folder.path() / "ERR$$$.TXT";
                if (hard)
                    fs::create_hard_link(folder.path() / target, control);
                else
                    fs::create_symlink(target, control);
                const Outcome o = testsupport::run(p.path, folder, s.names() + declines);
                EXPECT_EQ(o.status, 0) << o.screen;
                EXPECT_EQ(folder.read("IN.TXT"), example(s.input));
                if (s.asks_database()) {
                    EXPECT_EQ(folder.read(s.database), ref.database);
                }
                EXPECT_FALSE(fs::is_symlink(control));
                EXPECT_EQ(fs::hard_link_count(control), 1u);
                EXPECT_EQ(folder.read("ERR$$$.TXT"), ref.control);
            }
    }
}

// The terminal closes while the run waits at its last question (the first offer after the
// report tables, or the deformation programs' last file question). As the program's controlling
// terminal it sends SIGHUP and its reads fail; as another terminal its reads fail and no signal
// comes. Either way the run ends as after a hang-up: its report and control file written out as
// far as the run came, nothing stored, status 1.
TEST(RunFrameEnds, ATerminalClosedAtTheLastQuestionIsAHangUp) {
    for (const Program& p : programs) {
        const Fixture s = setup_of(p.name);
        const Reference ref = reference(p);
        const run_frame::LastQuestion q = run_frame::last_question(p.name);
        for (const ConsoleKind kind : {ConsoleKind::controlling_terminal, ConsoleKind::other_terminal}) {
            SCOPED_TRACE(std::string(p.name) +
                         (kind == ConsoleKind::controlling_terminal ? " controlling terminal" : " other terminal"));
            DataFolder folder;
            run_frame::fill(folder, s);
            ConsoleSession session(p.path, folder, kind);
            session.type(q.answers);
            ASSERT_TRUE(session.wait_for(q.prompt)) << session.screen();
            session.close_output();
            EXPECT_EQ(session.finish(), 1) << session.screen();
            expect_database_unchanged(folder, s);
            if (offers(p.name)) {
                expect_report_as(folder, ref);
                EXPECT_EQ(folder.read("ERR$$$.TXT"), ref.control);
            } else {
                EXPECT_FALSE(folder.exists("R.TXT")) << "a report never written to is removed";
                const std::string control = folder.read("ERR$$$.TXT");
                EXPECT_EQ(ref.control.compare(0, control.size(), control), 0) << "the control file begins as a whole run's";
            }
        }
    }
}

// The console's output closed (as by `| head -1`) at the last question: the run is not killed by
// SIGPIPE. Its next write fails, which is a hang-up: the run goes on to its exit block with
// every later question declined, writes its report and control file whole and stores nothing.
TEST(RunFrameEnds, AClosedOutputPipeIsAHangUpAndNoDeath) {
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        const Fixture s = setup_of(p.name);
        const Reference ref = reference(p);
        const run_frame::LastQuestion q = run_frame::last_question(p.name);
        DataFolder folder;
        run_frame::fill(folder, s);
        ConsoleSession session(p.path, folder, ConsoleKind::pipes);
        session.type(q.answers);
        ASSERT_TRUE(session.wait_for(q.prompt)) << session.screen();
        session.close_output();
        // The answer to the question it waits at; the deformation programs then run to their end.
        session.type(offers(p.name) ? declines : s.asks_database() ? s.database + "\n" : "IN.TXT\n");
        EXPECT_EQ(session.finish(), 1) << "status 1, not a death by SIGPIPE";
        expect_database_unchanged(folder, s);
        expect_report_as(folder, ref);
        EXPECT_EQ(folder.read("ERR$$$.TXT"), ref.control);
    }
}

// With 4 to 6 file descriptors (the console holds three) a file or a converter cannot always be
// opened. No run dies of it: each ends through its exit block ("KONEC") with a line that says
// why and status 1, storing nothing, or, where the descriptors suffice, as an undisturbed run.
// With 4 the control file takes the last one, so the report cannot be made.
TEST(RunFrameEnds, TooFewFileDescriptorsEndTheRunInOrder) {
#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers' runtime opens descriptors of its own (its checks of a pointer's type make a
    // pipe), and fails its checks without them: the release build runs this test.
    GTEST_SKIP() << "a sanitized program needs descriptors of its own";
#endif
    for (const Program& p : programs) {
        const Fixture s = setup_of(p.name);
        const Reference ref = reference(p);
        for (const int limit : {4, 5, 6}) {
            SCOPED_TRACE(std::string(p.name) + " with " + std::to_string(limit) + " descriptors");
            DataFolder folder;
            run_frame::fill(folder, s);
            testsupport::Watch watch;
            watch.open_files_limit = limit;
            const Outcome o = testsupport::run_watched(p.path, folder, s.names() + declines, watch);
            const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
            ASSERT_FALSE(screen.empty());
            EXPECT_EQ(screen.back(), "KONEC") << o.screen;
            if (limit == 4) {
                EXPECT_EQ(o.status, 1);
            }
            if (o.status == 1) {
                EXPECT_TRUE(has_line_starting(screen, "Soubor nelze otevřít, systému chybí volné prostředky: ") ||
                            has_line_starting(screen, "Soubor nelze otevrit, systemu chybi volne prostredky: "))
                    << o.screen;
                expect_database_unchanged(folder, s);
            } else {
                ASSERT_EQ(o.status, 0) << o.screen;
                expect_report_as(folder, ref);
            }
        }
    }
}

// An input file larger than the memory the run may have (a sparse file of 1 GiB, 150 MB of
// address space) cannot be read: the run does not die of the exception, it says why and ends
// through its exit block, status 1, storing nothing and leaving no empty report.
TEST(RunFrameEnds, AnInputLargerThanTheMemoryEndsTheRunInOrder) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "a sanitized program reserves more address space than the limit";
#endif
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        const Fixture s = setup_of(p.name);
        DataFolder folder;
        run_frame::fill(folder, s);
        {
            std::ofstream huge(folder.path() / "HUGE.TXT");
        }
        fs::resize_file(folder.path() / "HUGE.TXT", 1ull << 30);
        testsupport::Watch watch;
        watch.memory_limit = 150'000'000;
        watch.deadline_seconds = 60.0;  // the read up to the limit is slow on a loaded machine
        std::string answers = "R.TXT\nHUGE.TXT\n" + (s.asks_database() ? s.database + "\n" : "");
        const Outcome o = testsupport::run_watched(p.path, folder, answers + declines, watch);
        EXPECT_EQ(o.status, 1) << o.screen;
        const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
        ASSERT_GE(screen.size(), 2u);
        EXPECT_TRUE(ends_with(screen[screen.size() - 2], "std::bad_alloc")) << o.screen;
        EXPECT_EQ(screen[screen.size() - 2].rfind(std::string(p.name) == "planor" ? "Vypocet nelze dokoncit: "
                                                                                 : "Výpočet nelze dokončit: ",
                                                  0),
                  0u);
        EXPECT_EQ(screen.back(), "KONEC");
        EXPECT_FALSE(folder.exists("R.TXT"));
        expect_database_unchanged(folder, s);
    }
}

// Names typed carelessly: DEL and the C1 control U+0085 in a report name are refused as the
// other control characters are, and make no file; a report name in a folder that does not
// exist, an empty name and "." are refused with their own reasons; each is asked again. A point
// database name of 27 characters is refused with the limit of 24 and asked again, and no file
// of its first 24 characters is made.
TEST(RunFrameEnds, CarelessNamesAreRefusedWithTheirReasonAndAskedAgain) {
    const std::string long_database = "BODY_OF_THE_NETWORK_2026.DB";
    ASSERT_EQ(long_database.size(), 27u);
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        const Fixture s = setup_of(p.name);
        const bool ascii = std::string(p.name) == "planor";  // its dialogue texts have no diacritics
        DataFolder folder;
        run_frame::fill(folder, s);
        std::string answers = "A\x7F" "B.TXT\nA\xC2\x85" "B.TXT\nX/R.TXT\n\n.\nR.TXT\nIN.TXT\n";
        if (s.asks_database()) answers += long_database + "\n" + s.database + "\n";
        const Outcome o = testsupport::run(p.path, folder, answers + declines);
        EXPECT_EQ(o.status, 0) << o.screen;
        const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
        EXPECT_FALSE(folder.exists("A\x7F" "B.TXT"));
        EXPECT_FALSE(folder.exists("A\xC2\x85" "B.TXT"));
        EXPECT_TRUE(folder.exists("R.TXT"));
        EXPECT_EQ(lines_ending(screen, ascii ? " - tento soubor jiz existuje" : " - tento soubor již existuje"), 2)
            << o.screen;
        EXPECT_EQ(lines_ending(screen, ascii ? " - slozka pro tento soubor neexistuje"
                                             : " - složka pro tento soubor neexistuje"), 1);
        EXPECT_EQ(lines_ending(screen, ascii ? " - chybi jmeno souboru" : " - chybí jméno souboru"), 1);
        EXPECT_EQ(lines_ending(screen, ascii ? " - toto je slozka, ne soubor" : " - toto je složka, ne soubor"), 1);
        if (s.asks_database()) {
            const int refusal = testsupport::find_start(screen, "Jmeno databaze muze mit nejvyse 24 znaku");
            ASSERT_GE(refusal, 1) << o.screen;
            EXPECT_EQ(screen[refusal - 1], screen[refusal + 1]) << "the database question asked again";
            EXPECT_FALSE(folder.exists(long_database.substr(0, 24)));
            EXPECT_FALSE(folder.exists(long_database));
            EXPECT_NE(folder.read(s.database), example(s.database)) << "the run stored into the database named next";
        }
    }
}

// The console input ends (an empty input, as </dev/null gives; or after a name) before the
// adjustment is complete: the run ends through its exit block with status 1, stores nothing and
// leaves no report file that it never wrote to. Input that ends at the offers after the report
// declines them: that run is complete, status 0.
TEST(RunFrameEnds, InputThatEndsBeforeTheAdjustmentIsAFailedRun) {
    for (const Program& p : programs) {
        const Fixture s = setup_of(p.name);
        std::vector<std::string> early = {"", "R.TXT\n"};
        if (s.asks_database()) early.push_back("R.TXT\nIN.TXT\n");
        for (const std::string& answers : early) {
            SCOPED_TRACE(std::string(p.name) + " after \"" + answers + "\"");
            DataFolder folder;
            run_frame::fill(folder, s);
            const Outcome o = testsupport::run(p.path, folder, answers);
            EXPECT_EQ(o.status, 1) << o.screen;
            EXPECT_EQ(testsupport::screen_lines(o.screen).back(), "KONEC");
            EXPECT_FALSE(folder.exists("R.TXT"));
            expect_database_unchanged(folder, s);
        }
        SCOPED_TRACE(std::string(p.name) + " after all names");
        const Reference ref = reference(p);
        DataFolder folder;
        run_frame::fill(folder, s);
        const Outcome o = testsupport::run(p.path, folder, s.names());
        EXPECT_EQ(o.status, 0) << o.screen;
        expect_report_as(folder, ref);
        if (s.asks_database()) {
            EXPECT_EQ(folder.read(s.database), ref.database);
        }
    }
}

// The example input with its first point record (line 3) written otherwise.
std::string with_line_3(const std::string& input, const std::string& line) {
    const std::size_t start = input.find('\n', input.find('\n') + 1) + 1;
    return input.substr(0, start) + line + input.substr(input.find('\n', start));
}

// The values of the first point record separated by `separator`.
std::string joined_line_3(const std::string& input, const std::string& separator) {
    const std::size_t start = input.find('\n', input.find('\n') + 1) + 1;
    std::string line, value;
    for (std::size_t at = start; at <= input.find('\n', start); ++at) {
        const char c = input[at];
        if (c != ' ' && c != '\n') {
            value += c;
        } else if (!value.empty()) {
            line += (line.empty() ? "" : separator) + value;
            value.clear();
        }
    }
    return line;
}

// A decimal comma on a line whose values are separated by blanks ("1 7 1000000,0 ...") is
// refused with the line's number and a line that says to write a decimal point: status 1,
// nothing stored. The same values all separated by commas, with or without a blank after each,
// read as before: the run is the undisturbed one.
TEST(RunFrameEnds, ADecimalCommaIsRefusedAndCommaSeparatedValuesStayLegal) {
    for (const Program& p : programs) {
        SCOPED_TRACE(p.name);
        const Fixture s = setup_of(p.name);
        const bool ascii = std::string(p.name) == "planor";
        const std::string input = example(s.input);
        std::string comma_line = joined_line_3(input, " ");
        comma_line[comma_line.find('.')] = ',';
        DataFolder folder;
        run_frame::fill(folder, s);
        folder.write("IN.TXT", with_line_3(input, comma_line));
        const Outcome o = testsupport::run(p.path, folder, s.names() + declines);
        EXPECT_EQ(o.status, 1) << o.screen;
        const std::vector<std::string> screen = testsupport::screen_lines(o.screen);
        const int advice = testsupport::find_start(
            screen, ascii ? "  desetinna cisla piste s desetinnou teckou, ne s carkou"
                          : "  desetinná čísla pište s desetinnou tečkou, ne s čárkou");
        ASSERT_GE(advice, 1) << o.screen;
        const int error = testsupport::find_start(screen, "  chyba ve ");
        ASSERT_GE(error, 0) << o.screen;
        EXPECT_LT(error, advice);
        EXPECT_TRUE(ends_with(screen[error], " 3")) << screen[error];
        EXPECT_EQ(screen.back(), "KONEC");
        expect_database_unchanged(folder, s);

        const Reference ref = reference(p);
        for (const std::string separator : {",", ", "}) {
            SCOPED_TRACE("values separated by \"" + separator + "\"");
            DataFolder commas;
            run_frame::fill(commas, s);
            commas.write("IN.TXT", with_line_3(input, joined_line_3(input, separator)));
            const Outcome c = testsupport::run(p.path, commas, s.names() + declines);
            EXPECT_EQ(c.status, 0) << c.screen;
            expect_report_as(commas, ref);
        }
    }
}

}  // namespace
