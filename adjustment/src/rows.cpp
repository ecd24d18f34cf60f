// Observation equations of the spatial network and the misclosure lists of the first pass.
#include "adjustment/rows.h"

#include <cmath>
#include <vector>

#include "adjustment/failures.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::Record;

double reduce_to_half_circle(double misclosure_cc) {
    if (misclosure_cc > HALF_CIRCLE) return misclosure_cc - RK;
    if (misclosure_cc <= -HALF_CIRCLE) return misclosure_cc + RK;
    return misclosure_cc;
}

namespace {

// Azimuth in cc from the coordinate differences: the single-precision full circle is added in
// radians when atan2 is negative.
double azimuth_cc(double dy, double dx) {
    double t = std::atan2(dy, dx);
    if (t < 0) t = t + 2.0 * LU;
    return t * RO;
}

// The next row of A. A row beyond the capacity is never stored: in the adjustment programs the
// run ends (with the pause " NM > JM " first for angles and zenith angles); where the profile
// lists such rows, the row is counted but not stored, and 0 is returned.
Index next_row(Run& run, bool with_pause) {
    Solution& s = *run.solution;
    if (s.IXX >= run.profile.cap.rows) {
        if (run.profile.rows_past_capacity_listed) {
            ++s.IXX;
            return 0;
        }
        if (with_pause) run.console.pause(run.text.rows_over);
        platform::halt(run.console, run.text.rows_over_halt, ExitStatus::failed);
    }
    return ++s.IXX;
}

// After a listed row past the capacity: the pause " NM > JM ", and after a zenith row the row
// halt at once (the zenith rows come after the only other check).
void row_past_capacity(Run& run, bool halt_now) {
    run.console.pause(run.text.rows_over);
    if (halt_now) platform::halt(run.console, run.text.rows_over_halt, ExitStatus::failed);
}

// Stores the right-hand side of the row just counted (not of a row past the capacity).
void store_value(Solution& s, Index row, double value) {
    ++s.IX;
    if (row != 0) s.L(s.IX, 1) = value;
}

// An observed angle from two consecutive directions of a station: the right one plus a full
// circle when it is smaller than the left one [cc].
double observed_angle(const std::vector<double>& directions, int I) {
    double angle = directions[I + 1] - directions[I];
    if (angle < 0) angle = angle + RK;
    return angle;
}

void list_heading(Run& run, const std::string& title, int empty_before) {
    for (int e = 0; e < empty_before; ++e) run.control.empty();
    run.control.put(title);
    run.control.empty();
    run.control.empty();
}

void angle_rows(Run& run, bool first_pass) {
    Network& net = run.net;
    Solution& s = *run.solution;
    Matrix& A = s.A;
    if (first_pass) list_heading(run, run.text.angle_list, 0);
    s.IST = 0;
    for (int I = 1; I <= net.IS - 1; ++I) {
        if (net.INS[I + 1] != net.INS[I]) {
            ++s.IST;
            continue;
        }
        const std::int16_t i = point_index(run, net.INS[I]);
        const std::int16_t j = point_index(run, net.INC[I]);
        const std::int16_t k = point_index(run, net.INC[I + 1]);
        const double dxj = net.XO[j] - net.XO[i], dyj = net.YO[j] - net.YO[i];
        const double dxk = net.XO[k] - net.XO[i], dyk = net.YO[k] - net.YO[i];
        const double sj2 = dxj * dxj + dyj * dyj, sk2 = dxk * dxk + dyk * dyk;
        if (sk2 == 0.0 || sj2 == 0.0) {
            const std::int16_t numbers[3] = {net.INS[I], net.INC[I], net.INC[I + 1]};
            const std::int16_t indices[3] = {i, j, k};
            same_coordinates(run, numbers, indices);
        }
        const Index r = next_row(run, true);
        if (r != 0) {
            A(r, 3 * i - 2) = RO * (dyk / sk2 - dyj / sj2);
            A(r, 3 * i - 1) = -RO * (dxk / sk2 - dxj / sj2);
            A(r, 3 * j - 2) = RO * dyj / sj2;
            A(r, 3 * j - 1) = -RO * dxj / sj2;
            A(r, 3 * k - 2) = -RO * dyk / sk2;
            A(r, 3 * k - 1) = RO * dxk / sk2;
        }
        double computed = azimuth_cc(dyk, dxk) - azimuth_cc(dyj, dxj);
        if (computed < 0) computed = computed + RK;
        const double measured = observed_angle(net.SMO, I);
        if (run.profile.two_epochs) {
            // The change of the angle between the epochs, reduced to the half circle so that an
            // angle whose directions cross zero between the epochs changes by a few cc, not by a
            // full circle; the epoch-(o) misclosure beside it is only listed.
            const double L = reduce_to_half_circle(observed_angle(net.SMI, I) - measured);
            store_value(s, r, L);
            if (first_pass)
                run.control.put(Record(" ").i(j, 5).i(i, 5).i(k, 5).f(L, 12, 2).f(measured - computed, 12, 2));
            if (r == 0) row_past_capacity(run, false);
        } else {
            store_value(s, r, reduce_to_half_circle(measured - computed));
            if (first_pass)
                run.control.put(Record(" ").i(net.INC[I], 5).i(net.INS[I], 5).i(net.INC[I + 1], 5)
                                    .f(s.L(s.IX, 1), 12, 2));
        }
        s.NM = s.IX;
    }
    ++s.IST;
}

void distance_rows(Run& run, bool first_pass) {
    Network& net = run.net;
    Solution& s = *run.solution;
    if (net.ID >= 1) {
        if (first_pass) list_heading(run, run.text.distance_list, 2);
        int m = 0;
        for (int I = net.IZN1; I <= net.NR; ++I) {
            const std::int16_t i = point_index(run, net.INS[I]);
            const std::int16_t j = point_index(run, net.INC[I]);
            const double dx = net.XO[j] - net.XO[i], dy = net.YO[j] - net.YO[i], dz = net.ZO[j] - net.ZO[i];
            const double d = std::sqrt(dx * dx + dy * dy + dz * dz);
            if (d == 0.0) {
                const std::int16_t numbers[3] = {net.INS[I], net.INC[I], 0};
                const std::int16_t indices[3] = {i, j, 0};
                same_coordinates(run, numbers, indices);
            }
            const Index r = next_row(run, false);
            ++m;
            if (run.profile.two_epochs) {
                const double L = net.DI[m] - net.DO[m];
                store_value(s, r, L);
                if (first_pass) run.control.put(Record(" ").i(i, 5).i(j, 5).f(L, 12, 2).f(net.DO[m] - d, 12, 2));
            } else {
                store_value(s, r, net.DO[m] - d);
                if (first_pass)
                    run.control.put(Record(" ").i(net.INS[I], 5).i(net.INC[I], 5).f(s.L(s.IX, 1), 12, 2));
            }
            if (r == 0) continue;
            Matrix& A = s.A;
            A(r, 3 * i - 2) = -dx / d;
            A(r, 3 * i - 1) = -dy / d;
            A(r, 3 * i) = -dz / d;
            A(r, 3 * j - 2) = dx / d;
            A(r, 3 * j - 1) = dy / d;
            A(r, 3 * j) = dz / d;
        }
    }
    s.NM = s.IX;
    if (s.NM != s.IXX) run.console.pause(run.text.row_count);
    if (s.NM > run.profile.cap.rows) platform::halt(run.console, run.text.rows_over_halt, ExitStatus::failed);
}

void zenith_rows(Run& run, bool first_pass) {
    Network& net = run.net;
    Solution& s = *run.solution;
    // The two-epoch programs write the heading whenever directions or zenith angles were read.
    const bool heading = run.profile.two_epochs ? net.ISZ >= 1 : net.IZ >= 1;
    if (first_pass && heading) list_heading(run, run.text.zenith_list, 0);
    if (net.IZ < 1) return;
    int m = 0;
    for (int I = net.ISN1; I <= net.ISZ; ++I) {
        ++m;
        const std::int16_t i = point_index(run, net.INS[I]);
        const std::int16_t j = point_index(run, net.INC[I]);
        const double dz = net.ZO[j] - net.ZO[i], dy = net.YO[j] - net.YO[i], dx = net.XO[j] - net.XO[i];
        const double S2 = dx * dx + dy * dy + dz * dz;
        const double h = std::sqrt(dx * dx + dy * dy);
        if (h == 0.0) {  // target straight above or below the station: no zenith-angle row exists
            const std::int16_t numbers[3] = {net.INS[I], net.INC[I], 0};
            const std::int16_t indices[3] = {i, j, 0};
            same_coordinates(run, numbers, indices);
        }
        const double f = dz * RO / (S2 * h);
        const Index r = next_row(run, true);
        if (r != 0) {
            Matrix& A = s.A;
            A(r, 3 * i - 2) = -f * dx;
            A(r, 3 * j - 2) = f * dx;
            A(r, 3 * i - 1) = -f * dy;
            A(r, 3 * j - 1) = f * dy;
            A(r, 3 * i) = h * RO / S2;
            A(r, 3 * j) = -h * RO / S2;
        }
        const double computed = dz == 0.0 ? 1000000.0 : std::atan2(h, dz) * RO;
        if (run.profile.two_epochs) {
            const double L = net.ZMI[m] - net.ZMO[m];
            store_value(s, r, L);
            if (first_pass) run.control.put(Record(" ").i(i, 5).i(j, 5).f(L, 12, 2).f(net.ZMO[m] - computed, 12, 2));
            if (r == 0) row_past_capacity(run, true);
        } else {
            store_value(s, r, net.ZMO[m] - computed);
            if (first_pass)
                run.control.put(Record(" ").i(net.INS[I], 5).i(net.INC[I], 5).f(s.L(s.IX, 1), 12, 2));
        }
        s.NM = s.IX;
        if (s.IX != s.IXX) run.console.say(run.text.row_numbering);
    }
}

}  // namespace

void spatial_rows(Run& run) {
    Solution& s = *run.solution;
    const Network& net = run.net;
    for (int k = 1; k <= net.NR; ++k) s.PP(k, k) = net.PPP[k];
    const bool first_pass = s.IIT <= 1;
    if (net.IS >= 2) angle_rows(run, first_pass);
    distance_rows(run, first_pass);
    zenith_rows(run, first_pass);
}

}  // namespace adjustment
