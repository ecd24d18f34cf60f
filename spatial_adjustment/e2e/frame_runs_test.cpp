// Console runs of the main build through its frame and its input reader: banner, file dialogue,
// control file, the end of the console input at each question, read errors, capacities, the
// weight and unit standard deviation defaults, and the report's opening blocks.
//
// Fixtures (fixtures/ and the generators below; the input format has no comments):
//  - POINTS.TXT: three points written by hand, no observations (every observation section ends
//    at once). Its title holds a blank, a comma and a doubled apostrophe; point 2 has code 4,
//    point 3 code -1 (an ordinary point) and coordinates with two decimals that the table
//    rounds; its point terminator carries further values.
//  - WEIGHTS.TXT: the one-free-point network of HAND.TXT (see interactive_runs_test.cpp) with
//    four directions at station 1 whose weights are 0, 0.0005, 0.001 and 0.0011.
//  - The generators write POINTS.TXT variants with one record changed, and networks of many
//    points or many measured quantities.
#include <gtest/gtest.h>

#include "program_texts.h"
#include "run_table.h"

namespace e2e {
namespace {

constexpr Where S = Where::screen;
constexpr Where R = Where::report;
constexpr Where C = Where::control;

// POINTS.TXT with its line `number` (from 1) replaced by `line`; "" removes the line.
std::string points_with(int number, const std::string& line) {
    const std::string text = fixture("POINTS.TXT");
    std::string out;
    int n = 1;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1, ++n) {
        if (n != number) out += text.substr(start, end - start + 1);
        else if (!line.empty()) out += line + "\n";
    }
    return out;
}

// `count` points on a line 1 m apart, then the observation sections (none by default).
std::string many_points(int count, const std::string& observations = "-1\n-1\n-1\n") {
    std::string s = "'Mnoho bodu'\n3.0 2.0 5.0 3.0 0.0\n";
    for (int i = 1; i <= count; ++i)
        s += std::to_string(i) + " 0 " + std::to_string(1000000 + 1000 * i) + ".0 2000000.0 300000.0\n";
    return s + "-1\n" + observations;
}

// Two points and the given numbers of directions, zenith angles and slope distances between them.
std::string many_quantities(int directions, int zeniths, int distances) {
    std::string s = "'Mnoho mereni'\n3.0 2.0 5.0 3.0 0.0\n"
                    "1 7 1000000.0 2000000.0 300000.0\n2 0 1350000.0 2120000.0 310500.0\n-1\n";
    for (int i = 0; i < directions; ++i) s += "1 2 0.0 1\n";
    s += "-1\n";
    for (int i = 0; i < zeniths; ++i) s += "1 2 1000000.0 1\n";
    s += "-1\n";
    for (int i = 0; i < distances; ++i) s += "1 2 372000.0 1\n";
    return s + "-1\n";
}

const std::string REPORT_DIR = "H:\\TEST\\IG\\";

// The control-file record with both paths.
std::string paths_record(const std::string& report, const std::string& input) {
    return " " + left(REPORT_DIR + report, 26) + left(REPORT_DIR + input, 26);
}

// The first three records of the control file, in code page 1250 (ž = 9E, í = ED).
const std::string CONTROL_START = "  Toto okno slou\x9E\xED ke kontrole dat. \n\n\n";

// A row of the input coordinate table, from its fields.
std::string coordinate_row(const std::string& number, const std::string& x, const std::string& y,
                           const std::string& z, const std::string& code, const std::string& text) {
    return blanks(3) + right(number, 5) + blanks(4) + right(x, 12) + blanks(3) + right(y, 12) + right(z, 12) +
           blanks(3) + right(code, 4) + blanks(4) + left(text, 14);
}

// Station, target and value of a line of the direction table (columns 1 to 27).
std::string direction_start(const std::string& station, const std::string& target, const std::string& value) {
    return blanks(3) + right(station, 5) + right(target, 5) + blanks(4) + right(value, 10);
}

std::vector<Check> banner_checks() {
    std::vector<Check> k;
    for (int line = 1; line <= 26; ++line) k.push_back(whole(S, "", line, ""));
    // Records 2 to 10 at screen lines 27 to 35, shown without their carriage-control blank.
    k.push_back(whole(S, "", 27, BANNER_FRAME.substr(1)));
    k.push_back(whole(S, "", 28, BANNER_3.substr(1)));
    k.push_back(whole(S, "", 29, BANNER_4.substr(1)));
    k.push_back(whole(S, "", 30, BANNER_5.substr(1)));
    k.push_back(whole(S, "", 31, BANNER_6_H.substr(1)));
    k.push_back(whole(S, "", 32, BANNER_7_MAIN.substr(1)));
    k.push_back(columns(S, "", 33, 1, (BANNER_8_MAIN + blanks(29) + "Datum: ").substr(1)));
    k.push_back(columns(S, "", 33, 70, " *"));
    k.push_back(columns(S, "", 34, 1, "*" + blanks(53) + "Čas: "));
    k.push_back(columns(S, "", 34, 68, "   *"));
    // Records 3 to 6, 8 and 9 are 72 characters long, record 7 is 73 (one shows as the blank).
    const int shown[] = {71, 71, 71, 71, 72, 71, 71};
    for (int r = 0; r < 7; ++r) k.push_back(length(S, "", 28 + r, shown[r]));
    k.push_back(whole(S, "", 35, BANNER_FRAME.substr(1)));
    for (int line = 36; line <= 39; ++line) k.push_back(whole(S, "", line, ""));
    k.push_back(whole(S, "", 40, REPORT_PROMPT));
    k.push_back(whole(S, "", 41, REPORT_FORM));
    k.push_back(whole(S, "", 42, INPUT_PROMPT));
    k.push_back(whole(S, "", 43, INPUT_FORM));
    return k;
}

// The whole report of POINTS.TXT: header, a-priori block and input coordinate table, nothing else.
std::vector<Check> opening_report_checks() {
    return {
        columns(R, "", 1, 1, HEADER_307), columns(R, "", 1, 49, "."), columns(R, "", 1, 52, "."),
        columns(R, "", 1, 57, "   Čas: "), columns(R, "", 1, 67, ":"), columns(R, "", 1, 70, ":"),
        length(R, "", 1, 72), whole(R, "", 2, ""), whole(R, "", 3, ""),
        whole(R, "", 4, " Akce: " + left("Sit 1, bod 'A'", 80)), length(R, "", 4, 87), whole(R, "", 5, ""),
        whole(R, "", 6, " směrodatná odchylka směru        [cc] =   3.0"),
        whole(R, "", 7, " směrodatná odchylka délky        [mm] =   2.0"),
        whole(R, "", 8, " směrodatná odchylka zen.úhlu     [cc] =   5.0"),
        whole(R, "", 9, " směrodatná odchylka jednotková        =   3.0"),
        whole(R, "", 10, " směrodatná odchylka souřadnicová [mm] =   0.0"), whole(R, "", 11, ""),
        whole(R, "", 12, COORDINATES_TITLE),
        whole(R, "", 13, " Číslo bodu" + blanks(8) + "X" + blanks(14) + "Y" + blanks(10) + "Z" + blanks(9) +
                             "kod" + "   podmínky umístění"),
        whole(R, "", 14, coordinate_row("1", "1000000.0", "2000000.0", "300000.0", "7", "dx=0,dy=0,dz=0")),
        whole(R, "", 15, coordinate_row("2", "1350000.0", "2120000.0", "310500.0", "4", "dx=0,dy=0")),
        whole(R, "", 16, coordinate_row("3", "1179911.9", "2419825.4", "305230.2", "-1", "")),
        lines(R, 16),
    };
}

std::vector<Check> plus(std::vector<Check> a, const std::vector<Check>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const File POINTS = fixture_file("POINTS.TXT");

const Case CASES[] = {
    // Banner, dialogue and a run that ends after the input coordinate table.
    {"banner_and_dialogue", OSTREL, "R.TXT\nPOINTS.TXT\n", {POINTS}, 0, "R.TXT",
     plus(banner_checks(), {last(S, KONEC)})},
    {"points_without_observations", OSTREL, "R.TXT\nPOINTS.TXT\n", {POINTS}, 0, "R.TXT",
     plus(opening_report_checks(),
          {whole(S, "Tisk souřadnic ", 0, "Tisk souřadnic "), whole(S, "Tisk souřadnic ", 1, KONEC),
           after(S, "Tisk souřadnic ", 1), lines(C, 4)})},
    {"control_file_bytes", OSTREL, "R.TXT\nPOINTS.TXT\n", {POINTS}, 0, "R.TXT",
     {control_bytes(CONTROL_START + " H:\\TEST\\IG\\R.TXT" + blanks(10) + "H:\\TEST\\IG\\POINTS.TXT" +
                    blanks(5) + "\n")}},

    // The file dialogue.
    {"existing_report_name_refused", OSTREL, "R.TXT\nS.TXT\nPOINTS.TXT\n", {{"R.TXT", "stary protokol\n"}, POINTS},
     0, "S.TXT",
     {whole(S, "H:\\TEST\\IG\\R.TXT", 0, "H:\\TEST\\IG\\R.TXT" + blanks(8) + REPORT_EXISTS),
      whole(S, "H:\\TEST\\IG\\R.TXT", 1, REPORT_PROMPT), count(S, REPORT_PROMPT, 2), count(S, INPUT_PROMPT, 1),
      unchanged("R.TXT"), columns(R, "", 1, 1, HEADER_307), whole(C, "", 4, paths_record("S.TXT", "POINTS.TXT"))}},
    {"missing_input_name_refused", OSTREL, "R.TXT\nNONE.TXT\nPOINTS.TXT\n", {POINTS}, 0, "R.TXT",
     {whole(S, blanks(12) + "NONE.TXT", 0, blanks(12) + "NONE.TXT    " + INPUT_MISSING),
      whole(S, blanks(12) + "NONE.TXT", 1, INPUT_PROMPT), count(S, REPORT_PROMPT, 1), count(S, INPUT_PROMPT, 2),
      missing("NONE.TXT"), whole(C, "", 4, paths_record("R.TXT", "POINTS.TXT"))}},
    {"names_cut_to_12_characters", OSTREL, "ABCDEFGHIJKLMNOP\nLONGNAME.TXTXYZ\n",
     {{"LONGNAME.TXT", POINTS.bytes}}, 0, "ABCDEFGHIJKL",
     {exists("ABCDEFGHIJKL"), missing("ABCDEFGHIJKLMNOP"), columns(R, "", 1, 1, HEADER_307),
      whole(C, "", 4, paths_record("ABCDEFGHIJKL", "LONGNAME.TXT")), last(S, KONEC)}},

    // The console input ends at each question: the run ends with KONEC and status 1, nothing is
    // asked again, and a report that the run made is removed (it was never written to).
    {"input_ends_at_report_name", OSTREL, "", {POINTS}, 1, "",
     {count(S, REPORT_PROMPT, 1), count(S, INPUT_PROMPT, 0), last(S, KONEC), control_bytes(CONTROL_START)}},
    {"input_ends_after_existing_report_name", OSTREL, "R.TXT\n", {{"R.TXT", "stary protokol\n"}, POINTS}, 1, "",
     {count(S, REPORT_PROMPT, 2), count(S, INPUT_PROMPT, 0), last(S, KONEC), unchanged("R.TXT"),
      control_bytes(CONTROL_START)}},
    {"input_ends_at_input_name", OSTREL, "R.TXT\n", {POINTS}, 1, "",
     {count(S, REPORT_PROMPT, 1), count(S, INPUT_PROMPT, 1), last(S, KONEC), control_bytes(CONTROL_START),
      missing("R.TXT")}},
    {"input_ends_after_missing_input_name", OSTREL, "R.TXT\nNONE.TXT\n", {POINTS}, 1, "",
     {count(S, INPUT_PROMPT, 2), last(S, KONEC), control_bytes(CONTROL_START), missing("R.TXT")}},

    // Read errors name the record, counted from 1 with one record per line.
    {"read_error_names_its_line", OSTREL, "R.TXT\nIN.TXT\n",
     {{"IN.TXT", points_with(5, "   3  -1    1179911.94   2419825.36  30523x.2")}}, 1, "R.TXT",
     {rest(S, READ_ERROR, "5"), whole(S, READ_ERROR, 1, KONEC), after(S, READ_ERROR, 1), lines(C, 4)}},
    // The record count goes on through the point terminator: the direction record is line 7.
    {"read_error_after_a_terminator", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", points_with(7, "1 2 x 1")}}, 1, "R.TXT",
     {rest(S, READ_ERROR, "7"), last(S, KONEC), after(R, COORDINATES_TITLE, 4)}},
    {"title_without_marks", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", points_with(1, "Sit 1")}}, 1, "R.TXT",
     {rest(S, READ_ERROR, "1"), last(S, KONEC), lines(R, 0)}},
    {"point_record_over_two_lines", OSTREL, "R.TXT\nIN.TXT\n",
     {{"IN.TXT", points_with(4, "   2   4\n    1350000.0    2120000.0   310500.0")}}, 0, "R.TXT",
     {whole(R, "", 15, coordinate_row("2", "1350000.0", "2120000.0", "310500.0", "4", "dx=0,dy=0")),
      whole(R, "", 16, coordinate_row("3", "1179911.9", "2419825.4", "305230.2", "-1", "")),
      lines(R, 16), last(S, KONEC)}},
    {"file_ends_after_points", OSTREL, "R.TXT\nIN.TXT\n",
     {{"IN.TXT", "'Bez ukonceni'\n3.0 2.0 5.0 3.0 0.0\n1 7 0.0 0.0 0.0\n2 0 1000.0 0.0 0.0"}}, 0, "R.TXT",
     {after(R, COORDINATES_TITLE, 3), last(S, KONEC)}},
    {"database_code", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", points_with(4, "   2  -2")}}, 1, "R.TXT",
     {whole(S, NO_DATABASE, 0, NO_DATABASE), whole(S, NO_DATABASE, 1, KONEC), after(S, NO_DATABASE, 1)}},

    // Defaults of the reader: weights below 0.001 as a 32-bit real count 1.0; MOO below 0.01 too.
    {"weights_below_0_001_become_1", OSTREL, "R.TXT\nWEIGHTS.TXT\nn\nn\nn\nn\nn\n", {fixture_file("WEIGHTS.TXT")}, 0,
     "R.TXT",
     {whole(R, " S m ě r y", 1, " stanovisko cíl       směr       váha     oprava"),
      columns(R, " S m ě r y", 4, 1, direction_start("1", "3", "0.0")),
      columns(R, " S m ě r y", 4, 28, "       1.0"),
      columns(R, " S m ě r y", 5, 28, "       1.0"), columns(R, " S m ě r y", 6, 28, "       1.0"),
      columns(R, " S m ě r y", 7, 1, direction_start("1", "2", "500000.0")),
      columns(R, " S m ě r y", 7, 28, "       0.0"),
      last(S, KONEC)}},
    {"moo_0_005_becomes_1", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", points_with(2, "3.0 2.0 5.0 0.005 0.0")}}, 0,
     "R.TXT", {whole(R, "", 9, " směrodatná odchylka jednotková        =   1.0")}},
    {"moo_0_01_stays", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", points_with(2, "3.0 2.0 5.0 0.01 0.0")}}, 0, "R.TXT",
     {whole(R, "", 9, " směrodatná odchylka jednotková        =   0.0")}},

    // Capacities: 44 points, 180 measured quantities in all sections together.
    {"points_44_accepted", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", many_points(44)}}, 0, "R.TXT",
     {after(R, COORDINATES_TITLE, 45), columns(R, COORDINATES_TITLE, 45, 1, "      44"), last(S, KONEC)}},
    {"points_45_halt", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", many_points(45)}}, 1, "R.TXT",
     {last(S, TOO_MANY_POINTS), count(S, KONEC, 0), lines(R, 11), lines(C, 4)}},
    {"quantity_181_zenith_angle_halt", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", many_quantities(100, 81, 0)}}, 1,
     "R.TXT", {last(S, TOO_MANY_QUANTITIES), count(S, KONEC, 0), after(R, COORDINATES_TITLE, 3)}},
    {"quantity_181_distance_halt", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", many_quantities(180, 0, 1)}}, 1,
     "R.TXT", {last(S, TOO_MANY_QUANTITIES), count(S, KONEC, 0)}},
    // What the data model cannot hold is refused in the same manner: 51 slope distances, and
    // 21 points in the adjustment (60 unknowns).
    {"distance_51_halt", OSTREL, "R.TXT\nIN.TXT\n", {{"IN.TXT", many_quantities(0, 0, 51)}}, 1, "R.TXT",
     {count(S, "Chyba ve vstupu", 1), count(S, KONEC, 0)}},
    {"points_21_in_the_adjustment_halt", OSTREL, "R.TXT\nIN.TXT\n",
     {{"IN.TXT", many_points(21, "1 2 100.0 1\n-1\n-1\n-1\n")}}, 1, "R.TXT",
     {count(S, "Chyba ve vstupu", 1), count(S, KONEC, 0), after(R, COORDINATES_TITLE, 22)}},
};

class FrameRun : public ::testing::TestWithParam<Case> {};

TEST_P(FrameRun, AsTheUserSeesIt) { run_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Ostrel, FrameRun, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<Case>& i) { return i.param.name; });

}  // namespace
}  // namespace e2e
