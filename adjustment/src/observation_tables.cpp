// Tables of the measured quantities with their weights and corrections, and their statistics.
#include <cmath>

#include "adjustment/report_tables.h"
#include "adjustment/run.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "platform/record.h"

namespace adjustment {

using platform::Record;

namespace {

// Sums of p.v and p.v.v over the quantities whose correction counts (|v| above 0.001).
struct Sums {
    double pv = 0, pvv = 0;
    int n = 0;
    void add(double p, double v) {
        pv = pv + p * v;
        pvv = pvv + p * (v * v);
        ++n;
    }
};

bool counted(double v) { return std::fabs(v) > V_COUNTED; }

void heading(Run& run, const std::string& title, const std::string (&with_v)[2],
             const std::string (&without_v)[2]) {
    const bool r0 = run.solution->redundancy == 0;
    run.report.empty();
    run.report.put(title);
    run.report.put(r0 ? without_v[0] : with_v[0]);
    run.report.put(r0 ? without_v[1] : with_v[1]);
    run.report.empty();
}

void line(Run& run, std::int16_t station, std::int16_t target, double value, int k) {
    Record r = Record(" ").blanks(2).i(station, 5).i(target, 5).blanks(4).f(value, 10, 1)
                   .f(run.net.PPP[k], 10, 1);
    if (run.solution->redundancy != 0) r.f(run.solution->V(k, 1), 10, 1);
    run.report.put(r);
}

// A line of a two-epoch table: the values of both epochs and the weight, then the correction
// (r != 0) and the difference value(o) - value(i) (always, or only with the correction when
// `difference_without_v` is false).
void epoch_line(Run& run, std::int16_t station, std::int16_t target, double o, double i, int k,
                bool difference_without_v) {
    const bool with_v = run.solution->redundancy != 0;
    Record r = Record(" ").blanks(2).i(station, 5).i(target, 5).blanks(4).f(o, 10, 1).blanks(5)
                   .f(i, 10, 1).f(run.net.PPP[k], 9, 1);
    if (with_v) r.f(run.solution->V(k, 1), 9, 1);
    if (with_v || difference_without_v) r.f(o - i, 9, 1);
    run.report.put(r);
}

void sigma_block(Run& run, double pv, double sigma, const std::string& label,
                 const std::string& unit, int empty_after) {
    run.report.empty();
    run.report.put(Record(run.text.pv).f(pv, 6, 1));
    run.report.put(Record(label).f(sigma, 6, 1).text(unit));
    for (int e = 0; e < empty_after; ++e) run.report.empty();
}

void directions(Run& run) {
    const Network& net = run.net;
    const Solution& s = *run.solution;
    const Messages& t = run.text;
    run.console.say(t.print_directions);
    if (net.IS == 0) return;
    heading(run, t.directions_title, t.directions_heading, t.directions_heading_r0);
    Sums group, all;
    int groups = 1;
    for (int k = 1; k <= net.IS; ++k) {
        if (run.profile.two_epochs)
            epoch_line(run, net.CS[k], net.CC[k], net.SO[k], net.SI[k], k, true);
        else
            line(run, net.CS[k], net.CC[k], net.SO[k], k);
        if (k < net.IS && net.CS[k + 1] != net.CS[k]) ++groups;
        if (s.redundancy == 0) continue;
        const double v = s.V(k, 1), p = net.PPP[k];
        if (!counted(v)) continue;
        group.add(p, v);
        if (k == net.IS || net.CS[k + 1] != net.CS[k]) {
            if (group.n >= 3)
                sigma_block(run, group.pv, std::sqrt(group.pvv / (group.n - 1)), t.direction_sigma, t.direction_unit, 2);
            group = Sums{};
        }
        all.add(p, v);
    }
    if (s.redundancy != 0 && all.n - groups >= 1) {
        run.report.empty();
        run.report.put(t.all_directions);
        sigma_block(run, all.pv, std::sqrt(all.pvv / (all.n - groups)), t.direction_sigma, t.direction_unit, 2);
    }
}

void zenith_angles(Run& run) {
    const Network& net = run.net;
    const Solution& s = *run.solution;
    const Messages& t = run.text;
    // The two-epoch table has its heading whenever directions or zenith angles were read.
    if (run.profile.two_epochs ? net.ISZ < 1 : net.IZ < 1) return;
    heading(run, t.zenith_title, t.zenith_heading, t.zenith_heading_r0);
    Sums sums;
    for (int m = 1; m <= net.IZ; ++m) {
        const int k = net.IS + m;
        if (run.profile.two_epochs)
            epoch_line(run, net.INS[k], net.INC[k], net.ZMO[m], net.ZMI[m], k, true);
        else
            line(run, net.INS[k], net.INC[k], net.ZZ[m], k);
        if (s.redundancy != 0 && counted(s.V(k, 1))) sums.add(net.PPP[k], s.V(k, 1));
    }
    if (s.redundancy != 0 && net.IZ >= 2 && sums.n >= 2)
        sigma_block(run, sums.pv, std::sqrt(sums.pvv / (sums.n - 1)), t.zenith_sigma, t.unit_cc, 1);
}

void distances(Run& run) {
    const Network& net = run.net;
    const Solution& s = *run.solution;
    const Messages& t = run.text;
    if (net.ID < 1) return;
    run.console.say(t.print_distances);
    heading(run, t.distances_title, t.distances_heading, t.distances_heading_r0);
    Sums sums;
    for (int m = 1; m <= net.ID; ++m) {
        const int k = net.ISZ + m;
        if (run.profile.two_epochs)
            epoch_line(run, net.INS[k], net.INC[k], net.DO[m], net.DI[m], k, false);
        else
            line(run, net.INS[k], net.INC[k], net.DO[m], k);
        if (s.redundancy != 0 && counted(s.V(k, 1))) sums.add(net.PPP[k], s.V(k, 1));
    }
    if (s.redundancy != 0 && net.ID >= 2 && sums.n >= 2)
        sigma_block(run, sums.pv, std::sqrt(sums.pvv / (sums.n - 1)), t.distance_sigma, t.unit_mm, 1);
}

}  // namespace

void write_observation_tables(Run& run) {
    directions(run);
    zenith_angles(run);
    distances(run);
}

void write_report_tables(Run& run) {
    write_observation_tables(run);
    write_result_tables(run);
}

}  // namespace adjustment
