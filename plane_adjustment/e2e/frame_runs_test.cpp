// Console runs of planor through its frame: the control file opened before the banner and left
// empty, the file dialogue with its refusals, the report name of 20 characters, the answers to
// the point-database question, and the end of the console input at each question.
// The input is a small points-only network written here; its points are stored in a database
// only where a test names one.
#include <gtest/gtest.h>

#include "planor_run.h"

namespace planor_e2e {
namespace {

const std::string REPORT_PROMPT = "Jméno výstupního souboru (pro tisk výsledků) ";
const std::string REPORT_FORM = "ve tvaru [F:\\        ] EExxyyzz.TXT";
const std::string INPUT_PROMPT = "Jméno vstupního souboru (souřadnice,směry,délky,..) ";
const std::string INPUT_FORM = "ve tvaru [H:\\TEST\\IG\\] Exxyyzzz.TXT";
const std::string DATABASE_PROMPT = "Jmeno databaze (souboru bodu), bez databaze = n";

const std::string POINTS = plane_input({"1 6 1000000.0 2000000.0", "2 2 1300000.0 2100000.0"});

// The banner takes 26 empty lines, 9 records and 4 empty lines; the dialogue follows.
constexpr int AFTER_BANNER = 39;

TEST(Frame, ControlFileOpenedBeforeTheBannerAndLeftEmpty) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", POINTS);
    const Result r = run(folder, REPORT + "\nINPUT.TXT\nn\n");
    EXPECT_EQ(r.status, 0);
    ASSERT_TRUE(folder.exists(CONTROL));
    EXPECT_EQ(folder.read(CONTROL), "") << "no heading record, no paths record";
    const std::vector<std::string> dialogue = {REPORT_PROMPT, REPORT_FORM, INPUT_PROMPT, INPUT_FORM,
                                               DATABASE_PROMPT, "Tisk souradnic ", "KONEC"};
    ASSERT_EQ(r.screen.size(), AFTER_BANNER + dialogue.size());
    for (std::size_t i = 0; i < dialogue.size(); ++i) EXPECT_EQ(r.screen[AFTER_BANNER + i], dialogue[i]);

    // A control file that cannot be opened ends the run before the banner is shown.
    testsupport::DataFolder blocked;
    std::filesystem::create_directory(blocked.path() / CONTROL);
    const Result b = run(blocked, REPORT + "\nINPUT.TXT\nn\n");
    EXPECT_EQ(b.status, 1);
    ASSERT_FALSE(b.screen.empty());
    EXPECT_NE(b.screen[0].find("F:\\ERR$$$.TXT"), std::string::npos) << b.screen[0];
    EXPECT_EQ(find_start(b.screen, " * * *"), -1) << "no banner";
}

TEST(Frame, ExistingReportRefusedWithTheTypedNameAndLeftUntouched) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", POINTS);
    folder.write(REPORT, "stara zprava\n");
    const Result r = run(folder, REPORT + "\nNOVA.TXT\nINPUT.TXT\nn\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(folder.read(REPORT), "stara zprava\n");
    EXPECT_TRUE(folder.exists("NOVA.TXT"));
    const int refusal = find(r.screen, right(left(REPORT, 20), 24) + " - tento soubor jiz existuje");
    ASSERT_EQ(refusal, AFTER_BANNER + 2);
    EXPECT_EQ(r.screen[refusal + 1], REPORT_PROMPT) << "asked again from the first prompt";
    EXPECT_EQ(r.screen[refusal + 3], INPUT_PROMPT);
}

TEST(Frame, MissingInputRefusedAndOnlyTheInputAskedAgain) {
    testsupport::DataFolder folder;
    folder.write("INPUT.TXT", POINTS);
    const Result r = run(folder, REPORT + "\nCHYBI.TXT\nINPUT.TXT\nn\n");
    EXPECT_EQ(r.status, 0);
    const int refusal = find(r.screen, blanks(12) + left("CHYBI.TXT", 12) + " - tento soubor neexistuje");
    ASSERT_EQ(refusal, AFTER_BANNER + 4);
    EXPECT_EQ(r.screen[refusal + 1], INPUT_PROMPT);
    EXPECT_EQ(r.screen[refusal + 3], DATABASE_PROMPT);
}

TEST(Frame, ReportNameOfTwentyCharactersUsedWholeAndTheTwentyFirstCut) {
    const std::string twenty = "ABCDEFGHIJKLMNOP.TXT";
    ASSERT_EQ(twenty.size(), 20u);
    for (const std::string& typed : {twenty, twenty + "X"}) {
        testsupport::DataFolder folder;
        folder.write("INPUT.TXT", POINTS);
        const Result r = run(folder, typed + "\nINPUT.TXT\nn\n");
        EXPECT_EQ(r.status, 0) << typed;
        EXPECT_TRUE(folder.exists(twenty)) << typed;
        EXPECT_FALSE(folder.exists(twenty + "X")) << typed;
        EXPECT_EQ(folder.lines_cp1250(twenty).size(), 14u) << "header, a-priori block, coordinate table";
    }
}

// "n" and "N" followed only by blanks decline the database; "no" is a file name.
TEST(Frame, DatabaseAnswers) {
    struct Answer {
        std::string typed;
        const char* file;  // the database file the run creates, or nullptr
    };
    for (const Answer& a : {Answer{"n", nullptr}, Answer{"N   ", nullptr}, Answer{"no", "no"}}) {
        testsupport::DataFolder folder;
        const Result r = run_input(folder, POINTS, a.typed);
        EXPECT_EQ(r.status, 0) << a.typed;
        EXPECT_EQ(r.screen.back(), "KONEC") << a.typed;
        for (const char* name : {"n", "N", "N   ", "no"})
            EXPECT_EQ(folder.exists(name), a.file != nullptr && std::string(name) == a.file) << a.typed << ": " << name;
        if (a.file) {
            EXPECT_EQ(db_records(folder.read(a.file)).size(), 2u) << "the two points stored";
        }
    }
}

// A name that cannot be opened as a database file (a folder), or that names the run's own input
// or report (the database routines would sort it in place), is refused and asked again.
TEST(Frame, DatabaseThatCannotBeOpenedIsAskedAgain) {
    // 64 bytes: as a database, two records that the sort would swap.
    const std::string input = plane_input({"2 0 1.0 2.0"}) + std::string(64 - plane_input({"2 0 1.0 2.0"}).size(), '\n');
    ASSERT_EQ(input.size(), 64u);
    for (const std::string& name : std::vector<std::string>{"SLOZKA", "INPUT.TXT", REPORT}) {
        testsupport::DataFolder folder;
        std::filesystem::create_directory(folder.path() / "SLOZKA");
        const Result r = run_input(folder, input, name + "\nn");
        EXPECT_EQ(r.status, 0);
        const int refusal = find(r.screen, right(left(name, 24), 24) + " - databazi nelze otevrit");
        ASSERT_NE(refusal, -1) << name;
        EXPECT_EQ(r.screen[refusal - 1], DATABASE_PROMPT);
        EXPECT_EQ(r.screen[refusal + 1], DATABASE_PROMPT);
        EXPECT_EQ(r.screen.back(), "KONEC");
        EXPECT_EQ(folder.read("INPUT.TXT"), input) << name;
        EXPECT_EQ(r.report.size(), 13u) << name;
    }
}

// The input ends before the adjustment is complete: the run ends through the exit block with
// status 1, and leaves no empty report that the next run would refuse as existing.
TEST(Frame, EndOfConsoleInputAtEachQuestionEndsTheRun) {
    struct Case {
        std::string answers;
        std::string last_prompt;
    };
    for (const Case& c : {Case{"", REPORT_FORM}, Case{REPORT + "\n", INPUT_FORM},
                          Case{REPORT + "\nINPUT.TXT\n", DATABASE_PROMPT}}) {
        testsupport::DataFolder folder;
        folder.write("INPUT.TXT", POINTS);
        const Result r = run(folder, c.answers);
        EXPECT_EQ(r.status, 1) << c.last_prompt;
        ASSERT_GE(r.screen.size(), 2u);
        EXPECT_EQ(r.screen[r.screen.size() - 2], c.last_prompt);
        EXPECT_EQ(r.screen.back(), "KONEC");
        EXPECT_FALSE(folder.exists(REPORT)) << "the report the run made and never wrote to is removed";
    }
}

}  // namespace
}  // namespace planor_e2e
