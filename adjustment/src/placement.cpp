// Placement codes of the spatial and the plane programs: datum condition rows, removal and
// re-insertion of the fixed coordinate components.
#include "adjustment/placement.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "adjustment/adjustment.h"
#include "adjustment/datum_motions.h"
#include "adjustment/exit_block.h"
#include "adjustment/failures.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "library/madarith.h"
#include "library/madinv.h"

namespace adjustment {

using platform::ExitStatus;

namespace {

// What one |code| places: the axes with a condition row of their own, in row order, and the
// axes removed from the solution, in removal order (re-insertion goes the other way); 0 ends
// a list. Codes 2 (azimuth) and 3 (Helmert) place their own rows.
struct CodeRule {
    std::array<int, 3> rows;
    std::array<int, 3> removed;
};

// One table of placement codes. A |code| above `highest` follows the rule of `highest`.
struct CodeTable {
    int reference;                  // |code| of the reference point of the azimuth rows
    int highest;
    std::array<CodeRule, 10> rules;
    std::array<const char*, 8> POP; // condition texts; blanks beyond them
    int texts;                      // number of texts
};

constexpr CodeRule NONE{{0, 0, 0}, {0, 0, 0}};

// Space: codes 4 to 7 fix two or three components with a row each; 8 places the rows of 4 and
// fixes all three; 9 and above fix all three and place no row.
constexpr CodeTable SPATIAL{
    7, 9,
    {NONE, NONE, NONE, NONE,
     CodeRule{{X, Y, 0}, {Y, X, 0}},
     CodeRule{{Y, Z, 0}, {Z, Y, 0}},
     CodeRule{{X, Z, 0}, {Z, X, 0}},
     CodeRule{{X, Y, Z}, {Z, Y, X}},
     CodeRule{{X, Y, 0}, {Z, Y, X}},
     CodeRule{{0, 0, 0}, {Z, Y, X}}},
    {"", "", "směr", "Helmert", "dx=0,dy=0", "dy=0,dz=0", "dx=0,dz=0", "dx=0,dy=0,dz=0"},
    8};

// Plane: 4 fixes X, 5 fixes Y, 6 and above fix both, each with a row.
constexpr CodeTable PLANE{
    6, 6,
    {NONE, NONE, NONE, NONE,
     CodeRule{{X, 0, 0}, {X, 0, 0}},
     CodeRule{{Y, 0, 0}, {Y, 0, 0}},
     CodeRule{{X, Y, 0}, {Y, X, 0}},
     NONE, NONE, NONE},
    {"", "", "smer", "Helmert", "dx=0", "dy=0", "dx=0,dy=0", ""},
    7};

const CodeTable& table(int dimension) { return dimension == 2 ? PLANE : SPATIAL; }

int abs_code(std::int16_t code) { return std::abs(static_cast<int>(code)); }

const CodeRule& rule(const CodeTable& t, std::int16_t code) {
    return t.rules[static_cast<std::size_t>(std::min(abs_code(code), t.highest))];
}

// The next condition row; more rows than G holds end the run (pause "JP < IG").
Index next_condition(Adjustment& adj, Index& IR) {
    if (IR >= adj.profile.cap.conditions) pause_then_exit(adj, adj.text.conditions_over);
    return ++IR;
}

void azimuth_row(Adjustment& adj, Index& IR, int I) {
    Network& net = adj.net;
    Matrix& G = adj.solution.G;
    const Index r = next_condition(adj, IR);
    const int reference = table(net.dimension).reference;
    int IA = 0;
    for (int p = 1; p <= net.IB; ++p)
        if (abs_code(net.KOD1[p]) == reference) { IA = p; break; }
    if (IA == 0) {
        adj.console.say(adj.text.no_reference);
        platform::halt(adj.console, adj.text.end, ExitStatus::failed);
    }
    const double dx = net.XO[I] - net.XO[IA], dy = net.YO[I] - net.YO[IA];
    const double s = std::sqrt(dx * dx + dy * dy);
    if (s < AZIMUTH_MIN) {
        const std::int16_t numbers[3] = {net.IN[I], net.IN[IA], 0};
        const std::int16_t indices[3] = {static_cast<std::int16_t>(I), static_cast<std::int16_t>(IA), 0};
        same_coordinates(adj, numbers, indices);
    }
    G(r, net.column(I, X)) = -dy / s;
    G(r, net.column(I, Y)) = dx / s;
}

// Free network: every code-3 point writes into the shared rows: one translation row per axis,
// the rotation about the vertical, and without distances the scale. The rows are sums over
// the code-3 points.
void helmert_rows(Adjustment& adj, Index& IR, int I) {
    Network& net = adj.net;
    Matrix& G = adj.solution.G;
    const Index rotation = static_cast<Index>(net.dimension + 1);
    const Index rows = net.ID <= 0 ? rotation + 1 : rotation;
    if (rows > adj.profile.cap.conditions) pause_then_exit(adj, adj.text.conditions_over);
    const int x = net.column(I, X), y = net.column(I, Y);
    for (int axis = X; axis <= net.dimension; ++axis) G(axis, net.column(I, axis)) = 1.0;
    IR = rotation;
    G(rotation, x) = -net.YO[I] / net.RC;
    G(rotation, y) = net.XO[I] / net.RC;
    if (net.ID <= 0) {
        IR = rotation + 1;
        G(IR, x) = net.XO[I] / net.RC;
        G(IR, y) = net.YO[I] / net.RC;
    }
}

// The network as the datum check sees it: the points, with in space the points whose height no
// row sees (no zenith angle and no slope distance with a height difference reaches it, as in a
// network of directions alone), and the columns of the fixed components.
struct DatumView {
    DatumPoints points;
    std::vector<int> fixed;
};

DatumView datum_view(const Network& net, const Solution& s) {
    DatumView v;
    DatumPoints& points = v.points;
    points.dimension = net.dimension;
    points.points = net.IB;
    points.x = net.XO;
    points.y = net.YO;
    points.z = net.ZO;
    points.distances = net.ID > 0;
    if (net.dimension == 3)
        for (int i = 1; i <= net.IB; ++i) {
            bool seen = false;
            for (Index r = 1; r <= s.NM && !seen; ++r) seen = s.A(r, net.column(i, Z)) != 0.0;
            if (!seen) points.unseen_heights.push_back(i);
        }
    const CodeTable& t = table(net.dimension);
    for (int i = 1; i <= net.IB; ++i)
        for (int axis : rule(t, net.KOD1[i]).removed)
            if (axis != 0) v.fixed.push_back(net.column(i, axis));
    return v;
}

// Whether the only condition rows are the free-network rows of the code-3 points.
bool helmert_rows_alone(const Network& net) {
    bool helmert = false;
    for (int i = 1; i <= net.IB; ++i) {
        const int c = abs_code(net.KOD1[i]);
        if (c == 3) helmert = true;
        else if (c >= 2) return false;
    }
    return helmert;
}

// C = the free-network rows of G (q rows, every unknown of the network; the code-3 points remove
// no component), with the rotation (and scale) rows taken about the centre of the code-3 points:
// for a network small beside its distance from the origin the rows about the origin nearly
// repeat the shifts. With the shift rows they fix the same motions, so where the rows only fix
// the datum the solution is the same.
void centred_helmert_rows(const Network& net, const Matrix& G, Index q, Matrix& C) {
    copy_block(G, C, q, net.NN);
    double cx = 0.0, cy = 0.0;
    int count = 0;
    for (int i = 1; i <= net.IB; ++i)
        if (abs_code(net.KOD1[i]) == 3) {
            cx = cx + net.XO[i];
            cy = cy + net.YO[i];
            ++count;
        }
    cx = cx / count;
    cy = cy / count;
    const Index rotation = static_cast<Index>(net.dimension + 1);
    for (int i = 1; i <= net.IB; ++i) {
        if (abs_code(net.KOD1[i]) != 3) continue;
        const int x = net.column(i, X), y = net.column(i, Y);
        const double dx = net.XO[i] - cx, dy = net.YO[i] - cy;
        C(rotation, x) = -dy / net.RC;
        C(rotation, y) = dx / net.RC;
        if (net.ID <= 0) {
            C(rotation + 1, x) = dx / net.RC;
            C(rotation + 1, y) = dy / net.RC;
        }
    }
}

}  // namespace

std::string placement_text(std::int16_t code, int dimension) {
    const CodeTable& t = table(dimension);
    const int c = abs_code(code);
    return c < t.texts ? t.POP[static_cast<std::size_t>(c)] : "";
}

void placement_conditions(Adjustment& adj) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    const CodeTable& t = table(net.dimension);
    Index IR = 0;
    for (int I = 1; I <= net.IB; ++I) {
        const int c = abs_code(net.KOD1[I]);
        if (c == 2) {
            azimuth_row(adj, IR, I);
        } else if (c == 3) {
            helmert_rows(adj, IR, I);
        } else {
            for (int axis : rule(t, net.KOD1[I]).rows)
                if (axis != 0) s.G(next_condition(adj, IR), net.column(I, axis)) = 1.0;
        }
    }
    if (IR < 3 && !adj.text.few_conditions.empty()) adj.console.pause(adj.text.few_conditions);
    s.NP = IR;
    const bool too_few = s.NM - net.NN + s.NP < 0;
    // Whether the conditions fix every motion of the whole network that its observations do not
    // see: the shifts along each axis, the rotation about the vertical and, without distances, the
    // scale. In space the zenith angles fix the tilt and see the heights; a point whose height no
    // row sees adds the motion of its height, and when no height is seen at all these motions take
    // the place of the vertical shift. The condition rows and the removed fixed components must
    // hold them all.
    const DatumView view = datum_view(net, s);
    const bool datum = datum_fixed(view.points, s.G, s.NP, view.fixed);
    if (too_few || (adj.profile.datum_motions_checked && !datum)) {
        for (const std::string& line : adj.text.underdetermined) adj.console.say(line);
        platform::halt(adj.console, ExitStatus::failed);
    }
    s.datum_rows_only = datum && rows_only_fix_datum(view.points, s.G, s.NP, view.fixed);
    s.centred_rows = s.datum_rows_only && helmert_rows_alone(net);
    if (s.centred_rows) centred_helmert_rows(net, s.G, s.NP, s.scaled.G);
}

void remove_fixed_components(Adjustment& adj) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    const CodeTable& t = table(net.dimension);
    Index columns_a = net.NN, columns_g = net.NN;
    for (int I = net.IB; I >= 1; --I) {
        for (int axis : rule(t, net.KOD1[I]).removed) {
            if (axis == 0) break;
            const Index column = static_cast<Index>(net.column(I, axis));
            library::MADRED(s.A, s.NM, columns_a, column);
            if (s.NP >= 1) library::MADRED(s.G, s.NP, columns_g, column);
        }
    }
    s.n = columns_a;
}

namespace {

// Calls `insert` with each column of a fixed component, points from the first one up.
template <class Insert>
void each_fixed_column_upwards(const Network& net, Insert insert) {
    const CodeTable& t = table(net.dimension);
    for (int I = 1; I <= net.IB; ++I) {
        const std::array<int, 3>& removed = rule(t, net.KOD1[I]).removed;
        for (auto a = removed.rbegin(); a != removed.rend(); ++a)
            if (*a != 0) insert(static_cast<Index>(net.column(I, *a)));
    }
}

}  // namespace

void insert_zero_row_and_column(Matrix& R, Matrix& RT, Index& rows, Index& columns, Index ic) {
    library::MADEXT(R, rows, columns, ic);
    library::MADTRN(R, RT, rows, columns);
    library::MADEXT(RT, columns, rows, ic);
    library::MADTRN(RT, R, columns, rows);
}

void insert_fixed_increments(Adjustment& adj) {
    Solution& s = adj.solution;
    Index columns_h = s.n;
    each_fixed_column_upwards(adj.net, [&](Index ic) { library::MADEXT(s.HT, 1, columns_h, ic); });
    s.n_extended = columns_h;
}

void insert_fixed_cofactors(Adjustment& adj) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    Index rows_r = s.n, columns_r = s.n;
    each_fixed_column_upwards(net, [&](Index ic) { insert_zero_row_and_column(s.R, s.RT, rows_r, columns_r, ic); });
    if (s.n_extended != rows_r || rows_r != columns_r) {
        adj.console.say(adj.text.extend_dimensions);
        exit_block(ExitStatus::failed);
    }
    if (s.n_extended != net.NN) {
        adj.console.say(adj.text.reduce_dimensions);
        exit_block(ExitStatus::failed);
    }
    s.n = s.n_extended;
}

}  // namespace adjustment
