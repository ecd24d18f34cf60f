// Placement codes of the spatial programs: datum condition rows, removal and re-insertion of the
// fixed coordinate components.
#include "adjustment/placement.h"

#include <cmath>
#include <cstdlib>

#include "adjustment/failures.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "library/madarith.h"
#include "library/madinv.h"

namespace adjustment {

using platform::ExitStatus;

namespace {

// POP: condition texts indexed by |code|.
const char* const POP[8] = {"", "", "směr", "Helmert", "dx=0,dy=0", "dy=0,dz=0", "dx=0,dz=0",
                            "dx=0,dy=0,dz=0"};

int abs_code(std::int16_t code) { return std::abs(static_cast<int>(code)); }

// The next condition row; more rows than G holds end the run (pause "JP < IG").
Index next_condition(Run& run, Index& IR) {
    if (IR >= run.profile.cap.conditions) pause_then_exit(run, run.text.conditions_over);
    return ++IR;
}

void azimuth_row(Run& run, Index& IR, int I, int x, int y) {
    Network& net = run.net;
    Matrix& G = run.solution->G;
    const Index r = next_condition(run, IR);
    int IA = 0;
    for (int p = 1; p <= net.IB; ++p)
        if (abs_code(net.KOD1[p]) == 7) { IA = p; break; }
    if (IA == 0) {
        run.console.say(run.text.no_code7);
        platform::halt(run.console, run.text.end, ExitStatus::failed);
    }
    const double dx = net.XO[I] - net.XO[IA], dy = net.YO[I] - net.YO[IA];
    const double s = std::sqrt(dx * dx + dy * dy);
    if (s < AZIMUTH_MIN) {
        const std::int16_t numbers[3] = {net.IN[I], net.IN[IA], 0};
        const std::int16_t indices[3] = {static_cast<std::int16_t>(I), static_cast<std::int16_t>(IA), 0};
        same_coordinates(run, numbers, indices);
    }
    G(r, x) = -dy / s;
    G(r, y) = dx / s;
}

// Free network: every code-3 point writes into the shared rows 1 to 4 (5 without slope
// distances): the sums of dX, dY, dZ, the rotation about Z and the scale.
void helmert_rows(Run& run, Index& IR, int I, int x, int y, int z) {
    Network& net = run.net;
    Matrix& G = run.solution->G;
    const Index rows = net.ID <= 0 ? 5 : 4;
    if (rows > run.profile.cap.conditions) pause_then_exit(run, run.text.conditions_over);
    IR = 4;
    G(1, x) = 1.0;
    G(2, y) = 1.0;
    G(3, z) = 1.0;
    G(4, x) = -net.YO[I] / net.RC;
    G(4, y) = net.XO[I] / net.RC;
    if (net.ID <= 0) {
        IR = 5;
        G(5, x) = net.XO[I] / net.RC;
        G(5, y) = net.YO[I] / net.RC;
    }
}

void unit_rows(Run& run, Index& IR, std::initializer_list<int> columns) {
    for (int c : columns) run.solution->G(next_condition(run, IR), c) = 1.0;
}

}  // namespace

std::string placement_text(std::int16_t code) {
    const int c = abs_code(code);
    return c < 8 ? POP[c] : "";
}

std::string plane_placement_text(std::int16_t code) {
    // POP of the plane programs, indexed by |code|.
    static const char* const PLANE_POP[7] = {"", "", "smer", "Helmert", "dx=0", "dy=0", "dx=0,dy=0"};
    const int c = abs_code(code);
    return c < 7 ? PLANE_POP[c] : "";
}

void spatial_conditions(Run& run) {
    Network& net = run.net;
    Solution& s = *run.solution;
    Index IR = 0;
    for (int I = 1; I <= net.IB; ++I) {
        const int c = abs_code(net.KOD1[I]);
        const int x = 3 * I - 2, y = 3 * I - 1, z = 3 * I;
        switch (c) {
            case 2: azimuth_row(run, IR, I, x, y); break;
            case 3: helmert_rows(run, IR, I, x, y, z); break;
            case 4:
            case 8: unit_rows(run, IR, {x, y}); break;
            case 5: unit_rows(run, IR, {y, z}); break;
            case 6: unit_rows(run, IR, {x, z}); break;
            case 7: unit_rows(run, IR, {x, y, z}); break;
            default: break;  // 0, 1 and 9 and above place no row
        }
    }
    s.NP = IR;
    if (s.NM - net.NN + s.NP < 0) {
        for (const std::string& line : run.text.underdetermined) run.console.say(line);
        platform::halt(run.console, ExitStatus::failed);
    }
}

void remove_fixed_components(Run& run) {
    Network& net = run.net;
    Solution& s = *run.solution;
    Index columns_a = net.NN, columns_g = net.NN;
    for (int I = net.IB; I >= 1; --I) {
        const int c = abs_code(net.KOD1[I]);
        if (c < 4) continue;
        auto remove = [&](int column) {
            library::MADRED(s.A, s.NM, columns_a, static_cast<Index>(column));
            if (s.NP >= 1) library::MADRED(s.G, s.NP, columns_g, static_cast<Index>(column));
        };
        if (c != 4) remove(3 * I);
        if (c != 6) remove(3 * I - 1);
        if (c != 5) remove(3 * I - 2);
    }
    s.n = columns_a;
}

void insert_fixed_components(Run& run) {
    Network& net = run.net;
    Solution& s = *run.solution;
    Index columns_h = s.n, rows_r = s.n, columns_r = s.n;
    auto insert = [&](int column) {
        const Index ic = static_cast<Index>(column);
        library::MADEXT(s.HT, 1, columns_h, ic);
        library::MADEXT(s.R, rows_r, columns_r, ic);
        library::MADTRN(s.R, s.RT, rows_r, columns_r);
        library::MADEXT(s.RT, columns_r, rows_r, ic);
        library::MADTRN(s.RT, s.R, columns_r, rows_r);
    };
    for (int I = 1; I <= net.IB; ++I) {
        const int c = abs_code(net.KOD1[I]);
        if (c < 4) continue;
        if (c != 5) insert(3 * I - 2);
        if (c != 6) insert(3 * I - 1);
        if (c != 4) insert(3 * I);
    }
    if (columns_h != rows_r || rows_r != columns_r) {
        run.console.say(run.text.extend_dimensions);
        exit_block(ExitStatus::failed);
    }
    if (columns_h != net.NN) {
        run.console.say(run.text.reduce_dimensions);
        exit_block(ExitStatus::failed);
    }
    s.n = columns_h;
}

}  // namespace adjustment
