// Adjusted coordinates with their shifts, error ellipsoids, coordinate standard deviations or
// (in the plane) error ellipses, and the closing lines of the report.
#include <cmath>
#include <initializer_list>
#include <string>
#include <vector>

#include "adjustment/ellipse.h"
#include "adjustment/ellipsoid.h"
#include "adjustment/profile.h"
#include "adjustment/report_tables.h"
#include "adjustment/network.h"
#include "adjustment/solution.h"
#include "adjustment/units.h"
#include "library/madarith.h"
#include "platform/record.h"

namespace adjustment {

using library::Matrix;
using platform::Record;

namespace {

// A table heading: three empty records, the title, an empty record, the column records, then
// `empty_after` empty records.
void heading(platform::RecordSink& out, const std::string& title, std::initializer_list<std::string> columns,
             int empty_after) {
    for (int i = 0; i < 3; ++i) out.empty();
    out.put(title);
    out.empty();
    for (const std::string& c : columns) out.put(c);
    for (int i = 0; i < empty_after; ++i) out.empty();
}

// The d-columns: input minus adjusted coordinates (HR), or in a deformation program the
// displacements themselves (H).
const Matrix& shifts(const Profile& profile, const Solution& s) { return profile.two_epochs ? s.H : s.HR; }

// The start of a coordinate row: the point number, then X, dX, Y, dY (and Z, dZ in space).
Record coordinate_row(const Network& net, const Matrix& d, int I) {
    Record r = Record(" ").i(net.IN[I], 4).blanks(1);
    const std::vector<double>* coordinate[4] = {nullptr, &net.XO, &net.YO, &net.ZO};
    for (int axis = X; axis <= net.dimension; ++axis)
        r.f((*coordinate[axis])[I], 13, 1).f(d(net.column(I, axis), 1), 8, 1);
    return r;
}

void adjusted_coordinates(const Network& net, const Matrix& d, const Messages& t, platform::RecordSink& report) {
    heading(report, t.results_heading[0], {t.results_heading[1], t.results_heading[2]}, 2);
    for (int I = 1; I <= net.IB; ++I) report.put(coordinate_row(net, d, I));
}

void ellipsoids(const Network& net, const Messages& t, const Matrix& RD, platform::RecordSink& report) {
    heading(report, t.ellipsoid_heading[0],
            {t.ellipsoid_heading[1], t.ellipsoid_heading[2], t.ellipsoid_heading[3]}, 2);
    for (int I = 1; I <= net.IB; ++I) {
        const int col[4] = {0, net.column(I, X), net.column(I, Y), net.column(I, Z)};
        Matrix MX(3, 3);
        for (int u = 1; u <= 3; ++u)
            for (int v = 1; v <= 3; ++v) MX(u, v) = RD(col[u], col[v]);
        const int pairs[3][2] = {{1, 2}, {1, 3}, {2, 3}};
        for (const auto& pr : pairs) {
            const int iu = col[pr[0]], iv = col[pr[1]];
            if (std::fabs(RD(iv, iu) - RD(iu, iv)) > RD_SYMMETRY)
                report.put(Record(t.rd_asymmetric).item(I));
        }
        const Ellipsoid e = ellipsoid(MX, net.MO, report);
        report.put(Record(" ").i(net.IN[I], 4).blanks(1).f(e.a, 10, 1).f(e.b, 10, 1).f(e.c, 10, 1)
                           .blanks(4).f(e.alfa, 9, 2).f(e.beta, 9, 2).f(e.gama, 9, 2));
    }
}

// The standard deviations of the coordinates, each stored as a 32-bit real.
void coordinate_sigmas(const Network& net, const Messages& t, const Matrix& RD, platform::RecordSink& report) {
    heading(report, t.sigma_heading[0], {t.sigma_heading[1], t.sigma_heading[2]}, 1);
    for (int I = 1; I <= net.IB; ++I) {
        Record r = Record(" ").i(net.IN[I], 4).blanks(1);
        for (int axis = X; axis <= Z; ++axis) {
            const int c = net.column(I, axis);
            r.f(static_cast<float>(net.MO * std::sqrt(std::fabs(RD(c, c)))), 10, 1);
        }
        report.put(r);
    }
}

// The plane table: adjusted coordinates, their shifts and the error ellipse of every point.
void coordinates_and_ellipses(const Profile& profile, const Network& net, const Matrix& d, const Matrix& RD,
                              platform::RecordSink& report) {
    const Messages& t = profile.text;
    report.empty();
    report.empty();
    for (const std::string& line : t.ellipse_heading) {
        report.put(line);
        if (&line == &t.ellipse_heading[1] || (&line == &t.ellipse_heading[4] && profile.empty_after_ellipse_heading))
            report.empty();
    }
    for (int I = 1; I <= net.IB; ++I) {
        const int x = net.column(I, X), y = net.column(I, Y);
        const bool exact_circle = RD(y, y) == RD(x, x) && RD(x, y) == 0.0;
        if (!exact_circle && std::fabs(RD(x, y) - RD(y, x)) > RD_SYMMETRY)
            report.put(Record(t.rd_asymmetric).item(x));
        const Ellipse e = error_ellipse(RD(x, x), RD(y, y), RD(x, y), net.MO);
        Record r = coordinate_row(net, d, I).f(e.a, 9, 2);
        if (e.circle)
            r.f(e.a, 9, 2).blanks(4).text("---");
        else
            r.f(e.b, 9, 2).f(e.omega, 9, 2);
        report.put(r);
    }
}

}  // namespace

void write_result_tables(const Profile& profile, const Network& net, const Solution& s,
                         platform::RecordSink& report, platform::Console& console) {
    const Messages& t = profile.text;
    const Index nn = net.NN;
    Matrix RD(profile.cap.cov_order, profile.cap.cov_order);
    for (int a = 1; a <= nn; ++a)
        for (int b = 1; b <= nn; ++b) RD(a, b) = s.R(a, b);
    console.say(t.print_results);
    const double QCH = net.MCH * net.MCH / (net.MO * net.MO);
    for (int a = 1; a <= nn; ++a) RD(a, a) = RD(a, a) + QCH;
    double T = 0;
    library::MADTRE(RD, nn, T);
    const double MXY = std::sqrt(std::fabs(T / nn)) * net.MO;

    if (net.dimension == 2) {
        coordinates_and_ellipses(profile, net, shifts(profile, s), RD, report);
    } else {
        adjusted_coordinates(net, shifts(profile, s), t, report);
        ellipsoids(net, t, RD, report);
        if (profile.coordinate_sigma_table) coordinate_sigmas(net, t, RD, report);
    }
    report.empty();
    report.put(Record(t.used_sigma0).f(net.MO, 6, 1));
    report.empty();
    report.put(Record(t.mean_sigma).f(MXY, 6, 1).text(t.unit_mm));
}

}  // namespace adjustment
