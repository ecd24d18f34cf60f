// Observation equations and the misclosure lists of the first pass.
#include "adjustment/rows.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "adjustment/adjustment.h"
#include "adjustment/failures.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "platform/halt.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::Record;

AngleCoefficients angle_coefficients(double dxj, double dyj, double sj2, double dxk, double dyk,
                                     double sk2) {
    return {RO * (dyk / sk2 - dyj / sj2), -RO * (dxk / sk2 - dxj / sj2),
            RO * dyj / sj2, -RO * dxj / sj2,
            -RO * dyk / sk2, RO * dxk / sk2};
}

void add_same_target_roles(AngleCoefficients& c) {
    c.right_x = c.left_x + c.right_x;
    c.right_y = c.left_y + c.right_y;
}

DistanceCoefficients distance_coefficients(double dx, double dy, double dz, double d) {
    return {-dx / d, -dy / d, -dz / d, dx / d, dy / d, dz / d};
}

ZenithCoefficients zenith_coefficients(double dx, double dy, double dz, double S2, double h) {
    const double f = dz * RO / (S2 * h);
    return {-f * dx, -f * dy, h * RO / S2, f * dx, f * dy, -h * RO / S2};
}

double zenith_angle_cc(double h, double dz) { return dz == 0.0 ? 1000000.0 : std::atan2(h, dz) * RO; }

double reduce_to_half_circle(double misclosure_cc) {
    if (misclosure_cc > HALF_CIRCLE) return misclosure_cc - RK;
    if (misclosure_cc <= -HALF_CIRCLE) return misclosure_cc + RK;
    return misclosure_cc;
}

namespace {

// Azimuth in cc from the coordinate differences: the single-precision full circle 2*LU is added
// in radians when atan2 is negative, before the conversion to cc.
double azimuth_cc_circle_in_radians(double dy, double dx) {
    double t = std::atan2(dy, dx);
    if (t < 0) t = t + 2.0 * LU;
    return t * RO;
}

// The next row of A, or 0 for a row beyond the capacity, which is never stored: the pause
// " NM > JM " first for angles and zenith angles, then either the halt at once or (where the
// profile says so) the count goes on and the halt comes after the distance rows.
Index next_row(Adjustment& adj, bool with_pause) {
    Solution& s = adj.solution;
    if (s.IXX >= adj.profile.cap.rows) {
        if (with_pause) adj.console.pause(adj.text.rows_over);
        if (adj.profile.halt_at_first_extra_row)
            platform::halt(adj.console, adj.text.rows_over_halt, ExitStatus::failed);
        ++s.extra_rows;
        return 0;
    }
    return ++s.IXX;
}

// The next misclosure; a row beyond the capacity has none.
void store_misclosure(Solution& s, Index row, double value) {
    if (row == 0) return;
    ++s.IX;
    s.L(s.IX, 1) = value;
}

// An observed angle from two consecutive directions of a station: the right one plus a full
// circle when it is smaller than the left one [cc].
double observed_angle(const std::vector<double>& directions, int I) {
    double angle = directions[I + 1] - directions[I];
    if (angle < 0) angle = angle + RK;
    return angle;
}

// The right-hand side of a row and the pass-1 line of its misclosure list. The adjustment
// programs adjust measured minus computed and list it beside the point numbers; the two-epoch
// programs adjust the change between the epochs and list it beside the points' positions in the
// point list, with the epoch-(o) misclosure (only listed, never used) after it, or (where the
// profile says so) beside the point numbers alone.
struct RowValue {
    double L;             // right-hand side
    double misclosure;    // epoch (o) minus computed (two epochs only)
};
void row_value(Adjustment& adj, Index row, bool first_pass, std::initializer_list<std::int16_t> numbers,
               std::initializer_list<std::int16_t> indices, const RowValue& v) {
    Solution& s = adj.solution;
    store_misclosure(s, row, v.L);
    if (!first_pass) return;
    const bool by_position = adj.profile.two_epochs && adj.profile.change_list_with_misclosure;
    Record line(" ");
    for (std::int16_t p : by_position ? indices : numbers) line.i(p, 5);
    line.f(v.L, 12, 2);
    if (by_position) line.f(v.misclosure, 12, 2);
    adj.control.put(line);
}

void list_heading(Adjustment& adj, const std::string& title, int empty_before) {
    for (int e = 0; e < empty_before; ++e) adj.control.empty();
    adj.control.put(title);
    adj.control.empty();
    adj.control.empty();
}

void angle_rows(Adjustment& adj, bool first_pass) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    Matrix& A = s.A;
    if (first_pass) list_heading(adj, adj.text.angle_list, 0);
    s.IST = 0;
    for (int I = 1; I <= net.IS - 1; ++I) {
        if (net.INS[I + 1] != net.INS[I]) {
            ++s.IST;
            continue;
        }
        const std::int16_t i = point_index(adj, net.INS[I]);
        const std::int16_t j = point_index(adj, net.INC[I]);
        const std::int16_t k = point_index(adj, net.INC[I + 1]);
        const double dxj = net.XO[j] - net.XO[i], dyj = net.YO[j] - net.YO[i];
        const double dxk = net.XO[k] - net.XO[i], dyk = net.YO[k] - net.YO[i];
        const double sj2 = dxj * dxj + dyj * dyj, sk2 = dxk * dxk + dyk * dyk;
        if (sk2 == 0.0 || sj2 == 0.0) {
            const std::int16_t numbers[3] = {net.INS[I], net.INC[I], net.INC[I + 1]};
            const std::int16_t indices[3] = {i, j, k};
            same_coordinates(adj, numbers, indices);
        }
        const Index r = next_row(adj, true);
        if (r != 0) {
            AngleCoefficients c = angle_coefficients(dxj, dyj, sj2, dxk, dyk, sk2);
            // One target on both sides: its right-target coefficients are written last, in the
            // same columns, so they carry both roles where the profile says so.
            if (j == k && adj.profile.same_target_angle_sums) add_same_target_roles(c);
            A(r, net.column(i, X)) = c.station_x;
            A(r, net.column(i, Y)) = c.station_y;
            A(r, net.column(j, X)) = c.left_x;
            A(r, net.column(j, Y)) = c.left_y;
            A(r, net.column(k, X)) = c.right_x;
            A(r, net.column(k, Y)) = c.right_y;
        }
        double computed = azimuth_cc_circle_in_radians(dyk, dxk) - azimuth_cc_circle_in_radians(dyj, dxj);
        if (computed < 0) computed = computed + RK;
        const double measured = observed_angle(net.SMO, I);
        // Two epochs: the change of the angle, reduced to the half circle like a misclosure, so
        // that an angle whose directions cross zero between the epochs changes by a few cc and
        // not by a full circle.
        const double L = reduce_to_half_circle(
            adj.profile.two_epochs ? observed_angle(net.SMI, I) - measured : measured - computed);
        row_value(adj, r, first_pass, {net.INC[I], net.INS[I], net.INC[I + 1]}, {j, i, k},
                  {L, measured - computed});
        s.NM = s.IX;
    }
    ++s.IST;
}

void distance_rows(Adjustment& adj, bool first_pass) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    if (net.ID >= 1) {
        if (first_pass) list_heading(adj, adj.text.distance_list, 2);
        int m = 0;
        for (int I = net.IZN1; I <= net.NR; ++I) {
            const std::int16_t i = point_index(adj, net.INS[I]);
            const std::int16_t j = point_index(adj, net.INC[I]);
            const double dx = net.XO[j] - net.XO[i], dy = net.YO[j] - net.YO[i], dz = net.ZO[j] - net.ZO[i];
            const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (d == 0.0) {
                const std::int16_t numbers[3] = {net.INS[I], net.INC[I], 0};
                const std::int16_t indices[3] = {i, j, 0};
                same_coordinates(adj, numbers, indices);
            }
            const Index r = next_row(adj, false);
            ++m;
            const double L = adj.profile.two_epochs ? net.DI[m] - net.DO[m] : net.DO[m] - d;
            row_value(adj, r, first_pass, {net.INS[I], net.INC[I]}, {i, j}, {L, net.DO[m] - d});
            if (r == 0) continue;
            Matrix& A = s.A;
            const int si = net.column(i, X), tj = net.column(j, X);
            const DistanceCoefficients c = distance_coefficients(dx, dy, dz, d);
            A(r, si) = c.station_x;
            A(r, si + 1) = c.station_y;
            A(r, tj) = c.target_x;
            A(r, tj + 1) = c.target_y;
            if (net.dimension == 3) {
                A(r, si + 2) = c.station_z;
                A(r, tj + 2) = c.target_z;
            }
        }
    }
    s.NM = s.IX;
    if (s.extra_rows > 0) platform::halt(adj.console, adj.text.rows_over_halt, ExitStatus::failed);
    if (s.NM != s.IXX && !adj.text.row_count.empty()) adj.console.pause(adj.text.row_count);
}

void zenith_rows(Adjustment& adj, bool first_pass) {
    Network& net = adj.net;
    Solution& s = adj.solution;
    // The spatial two-epoch program writes the heading whenever directions or zenith angles were
    // read; the plane programs have no zenith angles.
    if (net.dimension == 2) return;
    const bool heading = adj.profile.two_epochs ? net.ISZ >= 1 : net.IZ >= 1;
    if (first_pass && heading) list_heading(adj, adj.text.zenith_list, 0);
    if (net.IZ < 1) return;
    int m = 0;
    for (int I = net.ISN1; I <= net.ISZ; ++I) {
        ++m;
        const std::int16_t i = point_index(adj, net.INS[I]);
        const std::int16_t j = point_index(adj, net.INC[I]);
        const double dz = net.ZO[j] - net.ZO[i], dy = net.YO[j] - net.YO[i], dx = net.XO[j] - net.XO[i];
        const double S2 = dx * dx + dy * dy + dz * dz;
        const double h = std::sqrt(dx * dx + dy * dy);
        if (h == 0.0) {  // target straight above or below the station: no zenith-angle row exists
            const std::int16_t numbers[3] = {net.INS[I], net.INC[I], 0};
            const std::int16_t indices[3] = {i, j, 0};
            same_coordinates(adj, numbers, indices);
        }
        const ZenithCoefficients c = zenith_coefficients(dx, dy, dz, S2, h);
        const Index r = next_row(adj, true);
        // A zenith row beyond the capacity comes after the only check of the count: the run
        // halts after its pause.
        if (r == 0) platform::halt(adj.console, adj.text.rows_over_halt, ExitStatus::failed);
        Matrix& A = s.A;
        A(r, net.column(i, X)) = c.station_x;
        A(r, net.column(j, X)) = c.target_x;
        A(r, net.column(i, Y)) = c.station_y;
        A(r, net.column(j, Y)) = c.target_y;
        A(r, net.column(i, Z)) = c.station_z;
        A(r, net.column(j, Z)) = c.target_z;
        const double computed = zenith_angle_cc(h, dz);
        const double L = adj.profile.two_epochs ? net.ZMI[m] - net.ZMO[m] : net.ZMO[m] - computed;
        row_value(adj, r, first_pass, {net.INS[I], net.INC[I]}, {i, j}, {L, net.ZMO[m] - computed});
        s.NM = s.IX;
        if (s.IX != s.IXX) adj.console.say(adj.text.row_numbering);
    }
}

}  // namespace

void observation_rows(Adjustment& adj) {
    Solution& s = adj.solution;
    const Network& net = adj.net;
    for (int k = 1; k <= net.NR; ++k) s.PP(k, k) = net.PPP[k];
    s.extra_rows = 0;
    const bool first_pass = s.IIT <= 1;
    if (net.IS >= 2) angle_rows(adj, first_pass);
    distance_rows(adj, first_pass);
    zenith_rows(adj, first_pass);
}

}  // namespace adjustment
