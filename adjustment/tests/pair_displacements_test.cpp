// The displacement analysis of point pairs on hand-built displacements H and cofactors R, with
// the rows worked out by hand in the comments. Rows: a blank, the number (7), the two point
// numbers (7 each), 3 blanks, d and sigma_d (7.2 each); list rows end with T (7.2).
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "adjustment/messages.h"
#include "adjustment/pair_displacements.h"
#include "platform/sink.h"

namespace {

using adjustment::PairAnalysis;
using adjustment::PairInput;

struct Case {
    const char* name;
    int points;
    std::vector<double> H;                                   // 3 per point: x, y, z
    std::vector<std::pair<std::pair<int, int>, double>> R;   // symmetric entries, the rest 0
    float MOO;
    std::vector<std::string> xy, xy_list, z, z_list;         // rows under each heading
};

// Blocks: heading of 4 records (empty, two texts, empty) then the rows.
std::vector<std::string> expected_report(const Case& c, const adjustment::Messages& t) {
    std::vector<std::string> out;
    auto block = [&](const std::string (&h)[2], const std::vector<std::string>& rows) {
        out.insert(out.end(), {"", h[0], h[1], ""});
        out.insert(out.end(), rows.begin(), rows.end());
    };
    block(t.pairs_xy_heading, c.xy);
    block(t.pairs_list_heading, c.xy_list);
    block(t.pairs_z_heading, c.z);
    block(t.pairs_list_heading, c.z_list);
    return out;
}

const Case CASES[] = {
    // One point: the four headings alone.
    {"one_point", 1, {1, 2, 3}, {{{1, 1}, 1.0}}, 1.0f, {}, {}, {}, {}},
    // Point 1 moved (3, 4, 1), point 2 fixed in its block but correlated in height:
    // d = 5, gradient (0.6, 0.8), Qxx = Qyy = 1 + 1 = 2, Qxy = 0: sigma_d = sqrt(2) * 2 = 2.83,
    // T = 1.77. Height: d = 1, variance 1 + 3 - 2 * 0.5 = 3: sigma_d = 2 sqrt(3) = 3.46, T = 0.29.
    {"two_points", 2, {3, 4, 1, 0, 0, 0},
     {{{1, 1}, 1.0}, {{2, 2}, 1.0}, {{4, 4}, 1.0}, {{5, 5}, 1.0}, {{3, 3}, 1.0}, {{6, 6}, 3.0}, {{3, 6}, 0.5}},
     2.0f,
     {"       1     11     12      5.00   2.83"},
     {"       1     11     12      1.77"},
     {"       1     11     12      1.00   3.46"},
     {"       1     11     12      0.29"}},
    // Three points, R = identity: every horizontal pair with d > 0 has sigma_d = sqrt(2) = 1.41.
    // x displacements 2, 0, -1: d 2, 3, 1; T 1.41, 2.12, 0.71. Heights 0, 0, 4: pair 11-12 has
    // d = 0 and sigma_d = sqrt(2) (> 0), T = 0; the others d = 4, T = 2.83. The lists ascend.
    {"three_points", 3, {2, 0, 0, 0, 0, 0, -1, 0, 4},
     {{{1, 1}, 1}, {{2, 2}, 1}, {{3, 3}, 1}, {{4, 4}, 1}, {{5, 5}, 1}, {{6, 6}, 1}, {{7, 7}, 1}, {{8, 8}, 1}, {{9, 9}, 1}},
     1.0f,
     {"       1     11     12      2.00   1.41", "       2     11     13      3.00   1.41",
      "       3     12     13      1.00   1.41"},
     {"       1     12     13      0.71", "       2     11     12      1.41", "       3     11     13      2.12"},
     {"       1     11     12      0.00   1.41", "       2     11     13      4.00   1.41",
      "       3     12     13      4.00   1.41"},
     {"       1     11     12      0.00", "       2     11     13      2.83", "       3     12     13      2.83"}},
    // Both points fixed in all components (zero rows and columns of R): every value 0.00.
    {"fixed_pair", 2, {0, 0, 0, 0, 0, 0}, {}, 1.0f,
     {"       1     11     12      0.00   0.00"}, {"       1     11     12      0.00"},
     {"       1     11     12      0.00   0.00"}, {"       1     11     12      0.00"}},
    // Four points, R = identity, x displacements 1, 0, 1, 0: pairs 11-13 and 12-14 have d = 0,
    // so sigma_d = 0.00 despite their covariance, and T = 0; the four others T = 1/sqrt(2) = 0.71,
    // equal, and keep their input order in the sorted list. Heights all 0: sigma_d = 1.41, T = 0,
    // six equal values in input order.
    {"equal_values", 4, {1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0},
     {{{1, 1}, 1}, {{2, 2}, 1}, {{3, 3}, 1}, {{4, 4}, 1}, {{5, 5}, 1}, {{6, 6}, 1},
      {{7, 7}, 1}, {{8, 8}, 1}, {{9, 9}, 1}, {{10, 10}, 1}, {{11, 11}, 1}, {{12, 12}, 1}},
     1.0f,
     {"       1     11     12      1.00   1.41", "       2     11     13      0.00   0.00",
      "       3     11     14      1.00   1.41", "       4     12     13      1.00   1.41",
      "       5     12     14      0.00   0.00", "       6     13     14      1.00   1.41"},
     {"       1     11     13      0.00", "       2     12     14      0.00", "       3     11     12      0.71",
      "       4     11     14      0.71", "       5     12     13      0.71", "       6     13     14      0.71"},
     {"       1     11     12      0.00   1.41", "       2     11     13      0.00   1.41",
      "       3     11     14      0.00   1.41", "       4     12     13      0.00   1.41",
      "       5     12     14      0.00   1.41", "       6     13     14      0.00   1.41"},
     {"       1     11     12      0.00", "       2     11     13      0.00", "       3     11     14      0.00",
      "       4     12     13      0.00", "       5     12     14      0.00", "       6     13     14      0.00"}},
    // d = 100 mm against sigma_d = sqrt(1e-4) = 0.01 mm: T = 10000 does not fit F7.2 (asterisks).
    // In height the variance 1 + 1 - 2 * 1.0000001 is negative by rounding: taken as 0, so
    // sigma_d = 0.00 and T = 0.00 (no NaN).
    {"wide_and_negative", 2, {100, 0, 2, 0, 0, 0},
     {{{1, 1}, 1e-4}, {{3, 3}, 1.0}, {{6, 6}, 1.0}, {{3, 6}, 1.0000001}}, 1.0f,
     {"       1     11     12    100.00   0.01"}, {"       1     11     12   *******"},
     {"       1     11     12      2.00   0.00"}, {"       1     11     12      0.00"}},
};

class PairDisplacements : public testing::TestWithParam<Case> {};

TEST_P(PairDisplacements, RowsAndSortedLists) {
    const Case& c = GetParam();
    const int u = 3, n = u * c.points;
    library::Matrix H(static_cast<library::Index>(n), 1), R(static_cast<library::Index>(n), static_cast<library::Index>(n));
    for (int k = 0; k < n; ++k) H(k + 1, 1) = c.H[k];
    for (const auto& [at, value] : c.R) {
        R(at.first, at.second) = value;
        R(at.second, at.first) = value;
    }
    std::vector<std::int16_t> IN(static_cast<std::size_t>(c.points + 1));
    for (int k = 1; k <= c.points; ++k) IN[k] = static_cast<std::int16_t>(10 + k);
    const adjustment::Messages text;
    platform::StringSink report;
    adjustment::pair_displacements(PairAnalysis{}, text, PairInput{H, R, IN, c.points, u, c.MOO}, report);
    EXPECT_EQ(report.lines, expected_report(c, text));
}

INSTANTIATE_TEST_SUITE_P(Cases, PairDisplacements, testing::ValuesIn(CASES),
                         [](const testing::TestParamInfo<Case>& i) { return std::string(i.param.name); });

// The plane program's horizontal half: two unknowns per point, no height table.
TEST(PairDisplacements, PlaneHalfHasTwoUnknownsPerPointAndNoHeight) {
    library::Matrix H(4, 1), R(4, 4);
    H(1, 1) = 3;
    H(2, 1) = 4;
    for (int k = 1; k <= 4; ++k) R(k, k) = 1.0;
    const std::vector<std::int16_t> IN = {0, 5, 6};
    const adjustment::Messages text;
    platform::StringSink report;
    adjustment::pair_displacements(PairAnalysis{.list_capacity = 800, .wide_covariance = true}, text,
                                   PairInput{H, R, IN, 2, 2, 1.0f}, report);
    const std::vector<std::string> expected = {"", text.pairs_xy_heading[0], text.pairs_xy_heading[1], "",
                                               "       1      5      6      5.00   1.41",
                                               "", text.pairs_list_heading[0], text.pairs_list_heading[1], "",
                                               "       1      5      6      3.54"};
    EXPECT_EQ(report.lines, expected);
}

}  // namespace
