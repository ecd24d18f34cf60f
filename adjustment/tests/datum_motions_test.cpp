// The datum check on small networks whose free motions are seen by hand: which condition rows and
// fixed components hold the shifts, the rotation about the vertical, the scale and the heights
// that no row sees.
#include <gtest/gtest.h>

#include <vector>

#include "adjustment/datum_motions.h"
#include "library/matrix.h"

namespace {

struct Entry {
    int row, column;
    double value;
};

struct Case {
    const char* name;
    int dimension;
    std::vector<double> x, y, z;      // from element 1
    bool distances;
    std::vector<int> unseen_heights;
    int rows;
    std::vector<Entry> G;             // the elements of G that are not zero
    std::vector<int> fixed;           // the fixed columns
    bool fixed_datum;
};

// Calls `decide` with the points, G, the rows and the fixed columns of a case.
template <class Decide>
bool with_case(const Case& c, Decide decide) {
    adjustment::DatumPoints points;
    points.dimension = c.dimension;
    points.points = static_cast<int>(c.x.size()) - 1;
    points.x = c.x;
    points.y = c.y;
    points.z = c.z;
    points.distances = c.distances;
    points.unseen_heights = c.unseen_heights;
    library::Matrix G(static_cast<library::Index>(c.rows > 0 ? c.rows : 1),
                      static_cast<library::Index>(c.dimension * points.points));
    for (const Entry& e : c.G) G(e.row, e.column) = e.value;
    return decide(points, G, c.rows, c.fixed);
}

bool check(const Case& c) {
    return with_case(c, [](const auto&... a) { return adjustment::datum_fixed(a...); });
}

bool only_fix(const Case& c) {
    return with_case(c, [](const auto&... a) { return adjustment::rows_only_fix_datum(a...); });
}

// Plane, columns A 1,2; B 3,4; C 5,6. A code-6 point A fixes X and Y with a row each (and both
// are removed, Y first). The azimuth at B towards A = (0, 0) with B = (100, 0): dx = 100, dy = 0,
// s = 100, so its row is -dy/s = 0 at X of B and dx/s = 1 at Y of B.
const std::vector<double> PX{0, 0, 100, 50}, PY{0, 0, 0, 80};
const std::vector<Entry> CODE6_A{{1, 1, 1.0}, {2, 2, 1.0}};
const std::vector<int> FIXED_A{2, 1};

std::vector<Entry> with(std::vector<Entry> rows, const std::vector<Entry>& more) {
    rows.insert(rows.end(), more.begin(), more.end());
    return rows;
}
std::vector<int> with(std::vector<int> columns, const std::vector<int>& more) {
    columns.insert(columns.end(), more.begin(), more.end());
    return columns;
}

TEST(DatumMotions, PlaneConditionsHoldTheShiftsTheRotationAndTheScale) {
    const double far_x = 6.0e8, far_y = -1.1e9;  // the same network 600 km and 1100 km away [mm]
    const std::vector<double> FX{0, far_x, far_x + 100, far_x + 50}, FY{0, far_y, far_y, far_y + 80};
    const Case cases[] = {
        // A fixes the shifts, the azimuth the rotation: B's turn about A is along Y.
        {"code 6 and an azimuth, distances", 2, PX, PY, {}, true, {}, 3,
         with(CODE6_A, {{3, 4, 1.0}}), FIXED_A, true},
        // Without distances the scale moves B along AB (X), which neither condition sees.
        {"code 6 and an azimuth, no distances", 2, PX, PY, {}, false, {}, 3,
         with(CODE6_A, {{3, 4, 1.0}}), FIXED_A, false},
        {"code 6 and an azimuth far from the origin", 2, FX, FY, {}, true, {}, 3,
         with(CODE6_A, {{3, 4, 1.0}}), FIXED_A, true},
        // Code 5 at B fixes its Y: the same as the azimuth.
        {"code 6 and code 5 east of it, distances", 2, PX, PY, {}, true, {}, 3,
         with(CODE6_A, {{3, 4, 1.0}}), with(FIXED_A, {4}), true},
        // Code 5 at C = (0, 100) due north of A: the turn about A moves C along X, unseen.
        {"code 6 and code 5 north of it", 2, {0, 0, 100, 0}, {0, 0, 0, 100}, {}, true, {}, 3,
         with(CODE6_A, {{3, 6, 1.0}}), with(FIXED_A, {6}), false},
        // Two code-6 points hold the scale as well.
        {"two code-6 points, no distances", 2, PX, PY, {}, false, {}, 4,
         with(CODE6_A, {{3, 3, 1.0}, {4, 4, 1.0}}), with(FIXED_A, {4, 3}), true},
        // Nothing fixed: every motion is free.
        {"no conditions", 2, PX, PY, {}, true, {}, 0, {}, {}, false},
    };
    for (const Case& c : cases) EXPECT_EQ(check(c), c.fixed_datum) << c.name;
}

// Space, columns A 1,2,3; B 4,5,6; C 7,8,9. A code-7 point A = (0, 0, 0) fixes X, Y and Z with a
// row each (removed Z, Y, X); the azimuth at B = (100, 0, 10) towards A is 1 at Y of B.
TEST(DatumMotions, SpaceConditionsHoldTheHeightsThatNoRowSees) {
    const std::vector<double> X{0, 0, 100, 50}, Y{0, 0, 0, 80}, Z{0, 0, 10, -5};
    const std::vector<Entry> code7_a{{1, 1, 1.0}, {2, 2, 1.0}, {3, 3, 1.0}};
    const std::vector<Entry> azimuth_b = with(code7_a, {{4, 5, 1.0}});
    const std::vector<int> fixed_a{3, 2, 1};
    std::vector<Entry> all_code7;
    for (int k = 1; k <= 9; ++k) all_code7.push_back({k, k, 1.0});
    const Case cases[] = {
        {"code 7 and an azimuth, every height seen", 3, X, Y, Z, true, {}, 4, azimuth_b, fixed_a, true},
        // The heights of B and C move alone: no condition sees them.
        {"code 7 and an azimuth, heights of B and C unseen", 3, X, Y, Z, true, {2, 3}, 4, azimuth_b,
         fixed_a, false},
        // Only A's height is unseen: B and C may move up together, as A's condition holds only A.
        {"code 7 and an azimuth, height of A unseen", 3, X, Y, Z, true, {1}, 4, azimuth_b, fixed_a, false},
        // Directions alone, every point fixed: no height is seen and every one is held.
        {"three code-7 points, no height seen", 3, X, Y, Z, false, {1, 2, 3}, 9, all_code7,
         {3, 2, 1, 6, 5, 4, 9, 8, 7}, true},
        // Code 6 at B fixes X and Z. B = (0, 100, 50): the turn about A moves B along X, the scale
        // lifts B by its height above A; both are seen.
        {"code 7 and code 6 above it, no distances", 3, {0, 0, 0}, {0, 0, 100}, {0, 0, 50}, false, {}, 5,
         with(code7_a, {{4, 4, 1.0}, {5, 6, 1.0}}), with(fixed_a, {6, 4}), true},
        // B = (0, 100, 0) level with A: the scale moves B along Y alone, which nothing sees.
        {"code 7 and code 6 level with it, no distances", 3, {0, 0, 0}, {0, 0, 100}, {0, 0, 0}, false, {},
         5, with(code7_a, {{4, 4, 1.0}, {5, 6, 1.0}}), with(fixed_a, {6, 4}), false},
    };
    for (const Case& c : cases) EXPECT_EQ(check(c), c.fixed_datum) << c.name;
}

// When no height is seen, the heights take the place of the vertical shift, which would otherwise
// be their sum and never independent of them.
TEST(DatumMotions, NoHeightSeenDropsTheVerticalShift) {
    adjustment::DatumPoints points;
    points.dimension = 3;
    points.points = 2;
    const std::vector<double> x{0, 0, 100}, y{0, 0, 0}, z{0, 0, 0};
    points.x = x;
    points.y = y;
    points.z = z;
    points.distances = true;
    points.unseen_heights = {1, 2};
    // Shifts along X and Y, the rotation, the two heights.
    const std::vector<std::vector<double>> motions = adjustment::datum_motions(points);
    ASSERT_EQ(motions.size(), 5u);
    EXPECT_EQ(motions[3], (std::vector<double>{0, 0, 0, 1, 0, 0, 0}));
    EXPECT_EQ(motions[4], (std::vector<double>{0, 0, 0, 0, 0, 0, 1}));
    // The rotation about the centre (50, 0, 0) in units of the extent 50: A moves by -Y, B by +Y.
    EXPECT_EQ(motions[2], (std::vector<double>{0, 0, -1, 0, 0, 1, 0}));
    points.unseen_heights = {2};
    EXPECT_EQ(adjustment::datum_motions(points).size(), 5u);  // X, Y, Z, rotation, height of B
}

// Rows only fix the datum when those that reach the solution (outside the fixed columns) are as
// many as the motions the fixed columns leave free, and hold them. Plane, points A, B, C as above.
TEST(DatumMotions, RowsOnlyFixTheDatumWhenAsManyAsTheFreeMotions) {
    // The free-network rows over A, B, C: shifts and rotation (-Y, X), with distances.
    const std::vector<Entry> helmert{{1, 1, 1.0}, {1, 3, 1.0}, {1, 5, 1.0}, {2, 2, 1.0}, {2, 4, 1.0},
                                     {2, 6, 1.0}, {3, 4, 100.0}, {3, 5, -80.0}, {3, 6, 50.0}};
    struct Only {
        Case c;
        bool only;
    };
    const Only cases[] = {
        // The azimuth row alone reaches the solution; A's fixed components leave the rotation.
        {{"code 6 and an azimuth", 2, PX, PY, {}, true, {}, 3, with(CODE6_A, {{3, 4, 1.0}}), FIXED_A, true}, true},
        // A second azimuth row (C towards A) is one row more than the rotation: an observation.
        {{"code 6 and two azimuths", 2, PX, PY, {}, true, {}, 4,
          with(CODE6_A, {{3, 4, 1.0}, {4, 5, -0.848}, {4, 6, 0.53}}), FIXED_A, true}, false},
        // Code 5 at B is fixed: no row reaches the solution, nothing is left free.
        {{"code 6 and code 5", 2, PX, PY, {}, true, {}, 3, with(CODE6_A, {{3, 4, 1.0}}), with(FIXED_A, {4}), true},
         false},
        // Without distances the scale is free as well: the datum is not fixed.
        {{"code 6 and an azimuth, no distances", 2, PX, PY, {}, false, {}, 3, with(CODE6_A, {{3, 4, 1.0}}),
          FIXED_A, false}, false},
        // The free network: three rows for the two shifts and the rotation.
        {{"free network", 2, PX, PY, {}, true, {}, 3, helmert, {}, true}, true},
        // The free network with a point fixed in X besides: its rows are more than the two motions left.
        {{"free network and code 4", 2, PX, PY, {}, true, {}, 3, helmert, {5}, true}, false},
    };
    for (const Only& o : cases) {
        EXPECT_EQ(check(o.c), o.c.fixed_datum) << o.c.name;
        EXPECT_EQ(only_fix(o.c), o.only) << o.c.name;
    }
}

}  // namespace
