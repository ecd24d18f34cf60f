// Console runs of the interactive computations between adjusted points (main build), on a
// network whose cofactors are known by hand.
//
// Fixture HAND.TXT, written by hand: points 1, 3 and 4 are fixed (code 7), point 4 at the same
// place as point 3; point 2 is free. Let S = 636619.772367 mm (one radian expressed in cc, so
// that the angle coefficients rho/S are 1):
//     1 = (0, 0, 0), 2 = (0, S, 0), 3 = 4 = (S, S, S).
// Observations, exact for these coordinates: at station 1 the directions 0 cc to point 3 and
// 500000 cc to point 2 (weights 0.5 and 0.5), that is the angle 3-1-2 of 50 gon; the zenith
// angle 1-2 of 1000000 cc (weight 0.0625); the slope distance 1-2 of S (weight 1/9). Every
// azimuth of the rows lies in the first quadrant, so no full circle is added there. The rows
// for the unknowns dX2, dY2, dZ2 are then: angle (-1, 0, 0), distance (0, 1, 0), zenith angle
// (0, 0, -1), and the cofactors of the derived observations are 1/0.5 + 1/0.5 = 4 for the
// angle, 9 for the distance and 1/0.0625 = 16 for the zenith angle. So
//     R(point 2) = diag(4, 9, 16),
// zero for the fixed points. The redundancy is 3 - 12 + 9 = 0, so MO = MOO = 1.5.
//
// Hand values, sigma = MO * sqrt(F.R.FT) with the gradient rows of the computations (F given
// for dX2, dY2, dZ2):
//  spatial distance 1-2: S = 636619.8, F = (0, -1, 0) -> 1.5 * 3 = 4.500
//  spatial distance 2-3: S*sqrt(2) = 900316.3, F = (1, 0, 1)/sqrt(2) -> 1.5*sqrt(10) = 4.743
//  horizontal distance 2-3: S = 636619.8, F = (1, 0) -> 1.5 * 2 = 3.000
//  height difference 2-3: S = 636619.8, F = (0, 0, -1) -> 1.5 * 4 = 6.000
//  angle 3-1-2: tj = 500000, tk = 1000000 -> 500000.0; F = (-1, 0) -> 3.000
//  angle 2-1-3: tj = 1000000, tk = 500000 < tj -> 500000 - 1000000 + 4000000 = 3500000.0;
//               F = (1, 0) -> 3.000
//  angle 1-2-3: tj = 3000000, tk = 0 -> 1000000.0; F = (1, -1) -> 1.5*sqrt(4 + 9) = 5.408
//  zenith angle 1-2: equal heights, exactly 1000000.0; F = (0, 0, -1) -> 6.000
//  zenith angle 2-3: atan2(S, S) * rho = 500000.0; F = (-1/2, 0, 1/2) -> 1.5*sqrt(1 + 4) = 3.354
#include <gtest/gtest.h>

#include "program_texts.h"
#include "run_table.h"

namespace e2e {
namespace {

constexpr Where S = Where::screen;
constexpr Where R = Where::report;

const std::string NAMES = "R.TXT\nHAND.TXT\n";
const std::string UNITS_MM = "   mezi body             [mm]             [mm]";

// A report row of a distance, a height difference or a zenith angle, from its fields.
std::string pair_row(const std::string& i, const std::string& j, const std::string& value, const std::string& sigma) {
    return blanks(2) + right(i, 4) + " -" + right(j, 4) + blanks(8) + right(value, 12) + blanks(6) + right(sigma, 9);
}

std::string angle_row(const std::string& j, const std::string& i, const std::string& k, const std::string& value,
                      const std::string& sigma) {
    return blanks(2) + right(j, 4) + " -" + right(i, 4) + " -" + right(k, 4) + blanks(2) + right(value, 12) +
           blanks(6) + right(sigma, 9);
}

// A report block: two empty records, the title, an empty record, the column and unit records,
// two empty records, then the rows; nothing after them.
std::vector<Check> block(const std::string& title, const std::string& heading, const std::string& units,
                         const std::vector<std::string>& rows) {
    std::vector<Check> k = {whole(R, title, -2, ""), whole(R, title, -1, ""), whole(R, title, 0, title),
                            whole(R, title, 1, ""),  whole(R, title, 2, heading), whole(R, title, 3, units),
                            whole(R, title, 4, ""),  whole(R, title, 5, "")};
    for (std::size_t r = 0; r < rows.size(); ++r) k.push_back(whole(R, title, 6 + static_cast<int>(r), rows[r]));
    k.push_back(after(R, title, 5 + static_cast<int>(rows.size())));
    return k;
}

std::vector<Check> plus(std::vector<Check> a, const std::vector<Check>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const std::string SPATIAL_TITLE = " Výpočet prostorovédélky a její směrod. odchylky";
const std::string SPATIAL_HEADING = " prostorová délka         d        směrod. odch. délky ";
const std::string HORIZONTAL_TITLE = " Výpočet vodorovné délky a její směrod. odchylky";
const std::string HORIZONTAL_HEADING = " vodorovná  délka         d        směrod. odch. délky ";
const std::string HEIGHT_TITLE = " Výpočet převýšení a jeho směrodat. odchylky";
const std::string ANGLE_TITLE = " Výpočet vodorovného úhlu a jeho směrodat. odch.";
const std::string ZENITH_TITLE = " Výpočet zenitového úhlu a jeho směrod. odch.";

const File HAND = fixture_file("HAND.TXT");

// Every run of this table ends with KONEC and status 0.
Case interactive(std::string name, std::string answers, std::vector<Check> checks) {
    checks.push_back(last(S, KONEC));
    return {std::move(name), OSTREL, NAMES + answers, {HAND}, 0, "R.TXT", std::move(checks)};
}

const Case CASES[] = {
    interactive("all_offers_answered_no", "n\nn\nn\nn\nn\n",
                {whole(S, OFFER[0], 1, " "), whole(S, OFFER[0], 2, OFFER[1]), whole(S, OFFER[0], 3, OFFER[2]),
                 whole(S, OFFER[0], 4, OFFER[3]), whole(S, OFFER[0], 5, OFFER[4]),
                 whole(S, OFFER[0], 6, RESULT_FILE + left("H:\\TEST\\IG\\R.TXT", 26)),
                 whole(S, OFFER[0], 7, "    "), after(S, OFFER[0], 8),
                 whole(R, USED_SIGMA0, 0, USED_SIGMA0 + "   1.5"),
                 // Trace of RD = 4 + 9 + 16 over 12 unknowns: 1.5 * sqrt(29/12) = 2.33.
                 whole(R, MEAN_SIGMA, 0, MEAN_SIGMA + "   2.3 [mm]"), after(R, MEAN_SIGMA, 0)}),

    // 3 4 lie at one place and 1 1 is one point: no row. 9 is no point. -1 0 asks whether to
    // end; "n" asks for the numbers again.
    interactive("spatial_distances", "a\n1 2\n2 3\n3 4\n1 1\n1 9\n-1 0\nn\n-1 -1\na\nn\nn\nn\nn\n",
                plus(block(SPATIAL_TITLE, SPATIAL_HEADING, UNITS_MM,
                           {pair_row("1", "2", "636619.8", "4.500"), pair_row("2", "3", "900316.3", "4.743")}),
                     {whole(S, OFFER[0], 1, " "), whole(S, OFFER[0], 2, POINT_LIST), words(S, OFFER[0], 3, "1 2 3 4"),
                      whole(S, OFFER[0], 4, PAIR_PROMPT), rest(S, LOOKUP_MISSING, "9"),
                      whole(S, LOOKUP_MISSING, 1, AGAIN_TWO), whole(S, LOOKUP_MISSING, 2, POINT_LIST),
                      words(S, LOOKUP_MISSING, 3, "1 2 3 4"), whole(S, LOOKUP_MISSING, 4, PAIR_PROMPT),
                      whole(S, END_DISTANCES, 1, PAIR_PROMPT), count(S, PAIR_PROMPT, 7), count(S, END_DISTANCES, 2),
                      whole(S, OFFER[1], -2, END_DISTANCES), whole(S, OFFER[1], -1, " "), count(S, OFFER[1], 1)})),

    // A letter at the prompt asks whether to end; leaving goes on to the height offer.
    interactive("horizontal_distance", "n\na\n2 3\nx\na\nn\nn\nn\n",
                plus(block(HORIZONTAL_TITLE, HORIZONTAL_HEADING, UNITS_MM, {pair_row("2", "3", "636619.8", "3.000")}),
                     {whole(S, OFFER[1], -1, " "), whole(S, OFFER[1], -2, OFFER[0]), count(S, END_DISTANCES, 1),
                      whole(S, END_DISTANCES, 1, OFFER[2]), count(S, OFFER[2], 1)})),

    // A negative number asks for the numbers again; a letter asks whether to end.
    interactive("height_difference", "n\nn\na\n2 3\n-2 3\nx\na\nn\nn\n",
                plus(block(HEIGHT_TITLE, "   převýšení              h       směrod. odch. převýšení ",
                           UNITS_MM,
                           {pair_row("2", "3", "636619.8", "6.000")}),
                     {count(S, PAIR_PROMPT, 3), count(S, END_HEIGHTS, 1), whole(S, END_HEIGHTS, -1, PAIR_PROMPT),
                      whole(S, END_HEIGHTS, 1, OFFER[3])})),

    // 1 1 2: the left target is the vertex itself.
    interactive("horizontal_angles", "n\nn\nn\na\n3 1 2\n2 1 3\n1 2 3\n1 1 2\n-1 0 0\na\nn\n",
                plus(block(ANGLE_TITLE, "      Úhel mezi           Úhel     směrod. odch. úhlu ",
                           "        body              [cc]            [cc]",
                           {angle_row("3", "1", "2", "500000.0", "3.000"),
                            angle_row("2", "1", "3", "3500000.0", "3.000"),
                            angle_row("1", "2", "3", "1000000.0", "5.408")}),
                     {whole(S, AGAIN_ALL, 1, POINT_LIST), whole(S, AGAIN_ALL, 3, TRIPLE_PROMPT),
                      count(S, TRIPLE_PROMPT, 5), count(S, END_ANGLES, 1), whole(S, END_ANGLES, 1, OFFER[4])})),

    // 2 1 2: one target on both sides. The angle is zero wherever point 2 stands, so its two
    // roles cancel in the gradient: F = (0, 0) -> 0.000 (with the right role alone, 3.000).
    interactive("angle_to_one_target_on_both_sides", "n\nn\nn\na\n2 1 2\n-1 0 0\na\nn\n",
                block(ANGLE_TITLE, "      Úhel mezi           Úhel     směrod. odch. úhlu ",
                      "        body              [cc]            [cc]",
                      {angle_row("2", "1", "2", "0.0", "0.000")})),

    // 3 4 lie on one vertical: no row, no message.
    interactive("zenith_angles", "n\nn\nn\nn\na\n1 2\n2 3\n3 4\n-1 0\nn\n-1 0\na\n",
                plus(block(ZENITH_TITLE, " zenitový úhel            z        směrod. odch. úhlu ",
                           "   mezi body             [cc]             [cc]",
                           {pair_row("1", "2", "1000000.0", "6.000"), pair_row("2", "3", "500000.0", "3.354")}),
                     {count(S, PAIR_PROMPT, 5), count(S, AGAIN_TWO, 0), count(S, END_ZENITH, 2),
                      whole(S, END_ZENITH, 1, PAIR_PROMPT), whole(S, RESULT_FILE, -1, END_ZENITH)})),

    // The console input ends inside each loop, at its prompt or at its end question.
    interactive("input_ends_at_distance_prompt", "a\n1 2\n",
                {count(S, PAIR_PROMPT, 2), count(S, OFFER[1], 0), after(R, SPATIAL_TITLE, 6)}),
    interactive("input_ends_at_distance_end_question", "a\n-1 0\n",
                {count(S, END_DISTANCES, 1), count(S, PAIR_PROMPT, 1), count(S, OFFER[1], 0)}),
    interactive("input_ends_at_height_prompt", "n\nn\na\n", {count(S, PAIR_PROMPT, 1), count(S, OFFER[3], 0)}),
    interactive("input_ends_at_height_end_question", "n\nn\na\nx\n",
                {count(S, END_HEIGHTS, 1), count(S, PAIR_PROMPT, 1), count(S, OFFER[3], 0)}),
    interactive("input_ends_at_angle_prompt", "n\nn\nn\na\n", {count(S, TRIPLE_PROMPT, 1), count(S, OFFER[4], 0)}),
    interactive("input_ends_at_angle_end_question", "n\nn\nn\na\n-1 0 0\n",
                {count(S, END_ANGLES, 1), count(S, TRIPLE_PROMPT, 1), count(S, OFFER[4], 0)}),
    interactive("input_ends_at_zenith_prompt", "n\nn\nn\nn\na\n", {count(S, PAIR_PROMPT, 1), count(S, OFFER[4], 1)}),
    interactive("input_ends_at_zenith_end_question", "n\nn\nn\nn\na\n-1 0\n",
                {count(S, END_ZENITH, 1), count(S, PAIR_PROMPT, 1), count(S, OFFER[4], 1)}),
    interactive("input_ends_at_an_offer", "n\nn\n",
                {count(S, OFFER[2], 1), count(S, OFFER[3], 0), count(S, OFFER[0], 1)}),
};

class InteractiveRun : public ::testing::TestWithParam<Case> {};

TEST_P(InteractiveRun, AsTheUserSeesIt) { run_case(GetParam()); }

INSTANTIATE_TEST_SUITE_P(Ostrel, InteractiveRun, ::testing::ValuesIn(CASES),
                         [](const ::testing::TestParamInfo<Case>& i) { return i.param.name; });

}  // namespace
}  // namespace e2e
