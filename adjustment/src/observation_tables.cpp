// Tables of the measured quantities with their weights and corrections, and their statistics.
#include <cmath>
#include <optional>

#include "adjustment/report_tables.h"
#include "adjustment/adjustment.h"
#include "adjustment/profile.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "platform/record.h"

namespace adjustment {

using platform::Record;

namespace {

// What the tables read: the network, the adjustment's corrections and redundancy, the
// profile's texts, layout and statistics switch, and the two destinations.
struct Tables {
    const Profile& profile;
    const Network& net;
    const Solution& s;
    platform::RecordSink& report;
    platform::Console& console;
    const Messages& text() const { return profile.text; }
    // Weighted statistics count a correction above 0.001 only, with its weight; plain
    // statistics count every correction with the weight 1.
    bool counted(double v) const { return !profile.weighted_statistics || std::fabs(v) > V_COUNTED; }
    double weight(int k) const { return profile.weighted_statistics ? net.PPP[k] : 1.0; }
};

// Sums of p.v and p.v.v over the quantities whose correction counts.
struct Sums {
    double pv = 0, pvv = 0;
    int n = 0;
    void add(double p, double v) {
        pv = pv + p * v;
        pvv = pvv + p * (v * v);
        ++n;
    }
};

void heading(const Tables& tab, const std::string& title, const std::string (&with_v)[2],
             const std::string (&without_v)[2]) {
    const bool r0 = tab.s.redundancy == 0;
    tab.report.empty();
    tab.report.put(title);
    tab.report.put(r0 ? without_v[0] : with_v[0]);
    tab.report.put(r0 ? without_v[1] : with_v[1]);
    tab.report.empty();
}

Record& field(Record& r, const Profile::Column& c, double value) {
    return r.blanks(c.blanks_before).f(value, c.width, c.decimals);
}

void line(const Tables& tab, std::int16_t station, std::int16_t target, double value, int k) {
    Record r = Record(" ").blanks(2).i(station, 5).i(target, 5).blanks(4).f(value, 10, 1);
    field(r, tab.profile.weight_column, tab.net.PPP[k]);
    if (tab.s.redundancy != 0) field(r, tab.profile.correction_column, tab.s.V(k, 1));
    tab.report.put(r);
}

// A line of a two-epoch table: the values of both epochs and the weight, then the correction
// (r != 0) and the last column where the table has one: always, or only with the correction
// when `change_without_v` is false.
void epoch_line(const Tables& tab, std::int16_t station, std::int16_t target, double o, double i, int k,
                std::optional<double> change, bool change_without_v) {
    const Profile::EpochRow& c = tab.profile.epoch_row;
    const bool with_v = tab.s.redundancy != 0;
    Record r = Record(" ").blanks(2).i(station, 5).i(target, 5).blanks(4).f(o, 10, 1);
    field(r, c.epoch_i, i);
    field(r, c.weight, tab.net.PPP[k]);
    if (with_v) field(r, c.correction, tab.s.V(k, 1));
    if (change && (with_v || change_without_v)) field(r, c.change, *change);
    tab.report.put(r);
}

// The last column of a two-epoch direction or zenith-angle line, where the table has one.
std::optional<double> angle_change(const Tables& tab, double o, double i) {
    if (!tab.profile.epoch_row.change_o_minus_i) return std::nullopt;
    return o - i;
}

void sigma_block(const Tables& tab, double pv, double sigma, const std::string& label,
                 const std::string& unit, int empty_after) {
    tab.report.empty();
    tab.report.put(Record(tab.text().pv).f(pv, 6, 1));
    tab.report.put(Record(label).f(sigma, 6, 1).text(unit));
    for (int e = 0; e < empty_after; ++e) tab.report.empty();
}

void directions(const Tables& tab) {
    const Network& net = tab.net;
    const Solution& s = tab.s;
    const Messages& t = tab.text();
    const int empty_after = tab.profile.empty_after_direction_block;
    tab.console.say(t.print_directions);
    if (net.IS == 0) return;
    heading(tab, t.directions_title, t.directions_heading, t.directions_heading_r0);
    Sums group, all;
    int groups = 1;
    for (int k = 1; k <= net.IS; ++k) {
        if (tab.profile.two_epochs)
            epoch_line(tab, net.CS[k], net.CC[k], net.SO[k], net.SI[k], k,
                       angle_change(tab, net.SO[k], net.SI[k]), true);
        else
            line(tab, net.CS[k], net.CC[k], net.SO[k], k);
        if (k < net.IS && net.CS[k + 1] != net.CS[k]) ++groups;
        if (s.redundancy == 0) continue;
        const double v = s.V(k, 1), p = tab.weight(k);
        if (!tab.counted(v)) continue;
        group.add(p, v);
        if (k == net.IS || net.CS[k + 1] != net.CS[k]) {
            if (group.n >= 3)
                sigma_block(tab, group.pv, std::sqrt(group.pvv / (group.n - 1)), t.direction_sigma, t.direction_unit, empty_after);
            group = Sums{};
        }
        all.add(p, v);
    }
    if (s.redundancy != 0 && all.n - groups >= 1) {
        tab.report.empty();
        tab.report.put(t.all_directions);
        sigma_block(tab, all.pv, std::sqrt(all.pvv / (all.n - groups)), t.direction_sigma, t.direction_unit, empty_after);
    }
}

void zenith_angles(const Tables& tab) {
    const Network& net = tab.net;
    const Solution& s = tab.s;
    const Messages& t = tab.text();
    // The spatial two-epoch table has its heading whenever directions or zenith angles were read;
    // the plane programs have no zenith angles.
    if (net.dimension == 2 || (tab.profile.two_epochs ? net.ISZ < 1 : net.IZ < 1)) return;
    heading(tab, t.zenith_title, t.zenith_heading, t.zenith_heading_r0);
    Sums sums;
    for (int m = 1; m <= net.IZ; ++m) {
        const int k = net.IS + m;
        if (tab.profile.two_epochs)
            epoch_line(tab, net.INS[k], net.INC[k], net.ZMO[m], net.ZMI[m], k,
                       angle_change(tab, net.ZMO[m], net.ZMI[m]), true);
        else
            line(tab, net.INS[k], net.INC[k], net.ZZ[m], k);
        if (s.redundancy != 0 && tab.counted(s.V(k, 1))) sums.add(tab.weight(k), s.V(k, 1));
    }
    if (s.redundancy != 0 && net.IZ >= 2 && sums.n >= 2)
        sigma_block(tab, sums.pv, std::sqrt(sums.pvv / (sums.n - 1)), t.zenith_sigma, t.unit_cc, 1);
}

void distances(const Tables& tab) {
    const Network& net = tab.net;
    const Solution& s = tab.s;
    const Messages& t = tab.text();
    if (net.ID < 1) return;
    tab.console.say(t.print_distances);
    heading(tab, t.distances_title, t.distances_heading, t.distances_heading_r0);
    Sums sums;
    // The distance rows follow the angle rows; the zenith-angle rows come after them.
    const int angle_rows = s.NM - net.ID - net.IZ;
    for (int m = 1; m <= net.ID; ++m) {
        const int k = net.ISZ + m;
        if (tab.profile.two_epochs)
            epoch_line(tab, net.INS[k], net.INC[k], net.DO[m], net.DI[m], k,
                       tab.profile.epoch_row.change_o_minus_i ? net.DO[m] - net.DI[m] : s.L(angle_rows + m, 1),
                       false);
        else
            line(tab, net.INS[k], net.INC[k], net.DO[m], k);
        if (s.redundancy != 0 && tab.counted(s.V(k, 1))) sums.add(tab.weight(k), s.V(k, 1));
    }
    if (s.redundancy != 0 && net.ID >= 2 && sums.n >= 2)
        sigma_block(tab, sums.pv, std::sqrt(sums.pvv / (sums.n - 1)), t.distance_sigma, t.unit_mm, 1);
}

}  // namespace

void write_observation_tables(const Profile& profile, const Network& net, const Solution& s,
                              platform::RecordSink& report, platform::Console& console) {
    const Tables tables{profile, net, s, report, console};
    directions(tables);
    zenith_angles(tables);
    distances(tables);
}

void write_report_tables(const Adjustment& adj) {
    write_observation_tables(adj.profile, adj.net, adj.solution, adj.report, adj.console);
    write_result_tables(adj.profile, adj.net, adj.solution, adj.report, adj.console);
}

}  // namespace adjustment
