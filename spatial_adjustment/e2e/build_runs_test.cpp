// One console run per build of the spatial adjustment program, checking what sets the build
// apart: banner records 6 to 8, the prompts, the report prefix and name length, the version in
// the report header and the heading of the code column, the coordinate standard deviation table
// of Vintra, and the echo of a faulty input record in the control file.
//
// Fixtures: HAND.TXT (see interactive_runs_test.cpp: R of point 2 is diag(4, 9, 16), MO = 1.5,
// MCH = 0, so Vintra's table shows 3.0 4.5 6.0 for point 2 and 0.0 for the fixed points);
// BAD2 below, written by hand, whose second record holds a letter and whose third record is
// longer than 40 characters; END2, whose file ends inside its second record.
#include <gtest/gtest.h>

#include "program_texts.h"
#include "run_table.h"

namespace e2e {
namespace {

constexpr Where S = Where::screen;
constexpr Where R = Where::report;
constexpr Where C = Where::control;

const std::string H = "H:\\TEST\\IG\\";
const std::string NO = "n\nn\nn\nn\nn\n";
const File HAND = fixture_file("HAND.TXT");

const std::string THIRD_RECORD = "   1   7    1000000.0    2000000.0   300000.0";
const File BAD2 = {"BAD2.TXT", "'Chybny zaznam'\n3.0 2.0 x 3.0 0.0\n" + THIRD_RECORD + "\n-1\n"};
const File END2 = {"END2.TXT", "'Chybny zaznam'\n3.0 2.0 5.0 3.0\n"};

std::vector<Check> plus(std::vector<Check> a, const std::vector<Check>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// What a build shows: banner records 6 and 7 and the start of 8, the second records of the two
// prompts, the version header and the code heading; the paths record of the control file and
// the end message.
struct Build {
    std::string banner6, banner7, banner8;
    int banner7_length;  // characters of record 7, carriage-control blank included
    std::string report_form, input_form;
    std::string header, code_heading;
    std::string adresa, adresb;  // the control-file record's two paths, 26 characters each
};

std::vector<Check> build_checks(const Build& b) {
    return {
        whole(S, "", 31, b.banner6.substr(1)), length(S, "", 31, 71),
        whole(S, "", 32, b.banner7.substr(1)), length(S, "", 32, b.banner7_length - 1),
        columns(S, "", 33, 1, (b.banner8 + blanks(29) + "Datum: ").substr(1)),
        whole(S, "", 40, REPORT_PROMPT), whole(S, REPORT_PROMPT, 1, b.report_form),
        whole(S, INPUT_PROMPT, 1, b.input_form),
        whole(C, "", 1, CONTROL_FIRST), whole(C, "", 4, " " + b.adresa + b.adresb),
        length(C, "", 4, 53),
        columns(R, "", 1, 1, b.header), length(R, "", 1, 72),
        columns(R, " Číslo bodu", 0, 56, b.code_heading),
        columns(R, " Číslo bodu", 0, 59, "   podmínky umístění"),
        whole(S, RESULT_FILE, 0, RESULT_FILE + b.adresa), whole(S, RESULT_FILE, 2, KONEC),
    };
}

const Build MAIN = {BANNER_6_H, BANNER_7_MAIN, BANNER_8_MAIN, 73, REPORT_FORM, INPUT_FORM, HEADER_307, "kod",
                    left(H + "R.TXT", 26), left(H + "HAND.TXT", 26)};
const Build VINTRA_BUILD = {BANNER_6_H, BANNER_7_SHORT, BANNER_8_307, 72, REPORT_FORM, INPUT_FORM, HEADER_307, "kod",
                            "F:\\R.TXT" + blanks(18), left(H + "HAND.TXT", 26)};
const Build F_DRIVE = {" * Vstupní soubor je generovan do H:\\TEST\\IG\\   " + blanks(23) + "*",
                       " * Kontrolní soubor F:\\ERR$$$.TXT             " + blanks(25) + "*",
                       BANNER_8_2000, 72, "ve tvaru [F:\\        ] EExxyyzz.TXT", INPUT_FORM, HEADER_308, "kód",
                       "F:\\ZYXWVUTSRQPONMLKJIHG" + blanks(3), left(H + "HAND.TXT", 26)};
const Build DATA_DIRECTORY = {BANNER_6_H, BANNER_7_SHORT, BANNER_8_307, 72, REPORT_FORM, INPUT_FORM, HEADER_307,
                              "kod",
                              left(H + "R.TXT", 26), left(H + "HAND.TXT", 26)};
const Build C_DRIVE = {" * Vstupní soubor je generovan do C:\\TEST\\IG\\   " + blanks(23) + "*",
                       " * Kontrolní soubor C:\\TEST\\IG\\ERR$$$.TXT     " + blanks(25) + "*",
                       BANNER_8_2000, 72, "ve tvaru [C:\\TEST\\IG\\] EExxyyzz.TXT",
                       "ve tvaru [C:\\TEST\\IG\\] Exxyyzzz.TXT",
                       HEADER_308, "kód", left("C:\\TEST\\IG\\R.TXT", 26), left("C:\\TEST\\IG\\HAND.TXT", 26)};

// The coordinate standard deviations: after the ellipsoid rows (point 4 last), before the
// closing lines.
std::vector<Check> sigma_table() {
    const std::string zero = " " + right("0.0", 10) + right("0.0", 10) + right("0.0", 10);
    return {whole(R, SIGMA_TITLE, -3, ""), whole(R, SIGMA_TITLE, -2, ""), whole(R, SIGMA_TITLE, -1, ""),
            columns(R, SIGMA_TITLE, -4, 1, "    4 "), whole(R, SIGMA_TITLE, 0, SIGMA_TITLE),
            whole(R, SIGMA_TITLE, 1, ""),
            whole(R, SIGMA_TITLE, 2, "  číslo    sigma x    sigma y    sigma z                    "),
            whole(R, SIGMA_TITLE, 3, "  bodu      [mm]       [mm]       [mm]                             "),
            whole(R, SIGMA_TITLE, 4, ""), whole(R, SIGMA_TITLE, 5, "    1" + zero),
            whole(R, SIGMA_TITLE, 6, "    2 " + right("3.0", 10) + right("4.5", 10) + right("6.0", 10)),
            whole(R, SIGMA_TITLE, 7, "    3" + zero),
            whole(R, SIGMA_TITLE, 8, "    4" + zero), length(R, SIGMA_TITLE, 6, 36), whole(R, SIGMA_TITLE, 9, ""),
            whole(R, SIGMA_TITLE, 10, USED_SIGMA0 + "   1.5"), count(R, SIGMA_TITLE, 1)};
}

// The read error of BAD2 (record 2), and what follows it in the control file.
std::vector<Check> read_error(int control_lines) {
    return {rest(S, READ_ERROR, "2"), whole(S, READ_ERROR, 1, KONEC), lines(C, control_lines)};
}
std::vector<Check> echo(const std::string& second) {
    return plus(read_error(6), {whole(C, "", 5, READ_ERROR_ECHO + "   2"), whole(C, "", 6, second)});
}

const Case CASES[] = {
    {"main", OSTREL, "R.TXT\nHAND.TXT\n" + NO, {HAND}, 0, "R.TXT",
     plus(build_checks(MAIN), {count(R, SIGMA_TITLE, 0)})},
    {"vintra", VINTRA, "R.TXT\nHAND.TXT\n" + NO, {HAND}, 0, "R.TXT", plus(build_checks(VINTRA_BUILD), sigma_table())},
    // A 20-character name that exists is refused showing "F:\", the 20 characters and a blank;
    // a 21st character is cut.
    {"f_drive", OSTREL_F, "ABCDEFGHIJKLMNOPQRSTU\nZYXWVUTSRQPONMLKJIHGF\nHAND.TXT\n" + NO,
     {HAND, {"ABCDEFGHIJKLMNOPQRST", "stary protokol\n"}}, 0, "ZYXWVUTSRQPONMLKJIHG",
     plus(build_checks(F_DRIVE),
          {whole(S, "F:\\ABCDEFGHIJKLMNOPQRST", 0, "F:\\ABCDEFGHIJKLMNOPQRST " + REPORT_EXISTS),
           unchanged("ABCDEFGHIJKLMNOPQRST"), exists("ZYXWVUTSRQPONMLKJIHG"), missing("ZYXWVUTSRQPONMLKJIHGF"),
           count(R, SIGMA_TITLE, 0)})},
    {"data_directory", OSTREL_DATA, "R.TXT\nHAND.TXT\n" + NO, {HAND}, 0, "R.TXT",
     plus(build_checks(DATA_DIRECTORY), {count(R, SIGMA_TITLE, 0)})},
    {"c_drive", OSTREL_C, "R.TXT\nHAND.TXT\n" + NO, {HAND}, 0, "R.TXT",
     plus(build_checks(C_DRIVE), {count(R, SIGMA_TITLE, 0)})},

    // The read-error echo: the F-drive and C-drive builds write the record number and the next
    // record's first 40 characters (a blank line when no record follows); the others nothing.
    {"f_drive_read_error_echo", OSTREL_F, "R.TXT\nBAD2.TXT\n", {BAD2}, 1, "R.TXT", echo(THIRD_RECORD.substr(0, 40))},
    {"c_drive_read_error_echo", OSTREL_C, "R.TXT\nBAD2.TXT\n", {BAD2}, 1, "R.TXT", echo(THIRD_RECORD.substr(0, 40))},
    {"f_drive_read_error_echo_at_the_end", OSTREL_F, "R.TXT\nEND2.TXT\n", {END2}, 1, "R.TXT",
     plus(read_error(6), {whole(C, "", 5, READ_ERROR_ECHO + "   2"), words(C, "", 6, "")})},
    {"main_read_error_no_echo", OSTREL, "R.TXT\nBAD2.TXT\n", {BAD2}, 1, "R.TXT", read_error(4)},
    {"vintra_read_error_no_echo", VINTRA, "R.TXT\nBAD2.TXT\n", {BAD2}, 1, "R.TXT", read_error(4)},
    {"data_directory_read_error_no_echo", OSTREL_DATA, "R.TXT\nBAD2.TXT\n", {BAD2}, 1, "R.TXT", read_error(4)},
};

class BuildRun : public ::testing::TestWithParam<Case> {};

TEST_P(BuildRun, AsTheUserSeesIt) { run_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Builds, BuildRun, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<Case>& i) { return i.param.name; });

}  // namespace
}  // namespace e2e
