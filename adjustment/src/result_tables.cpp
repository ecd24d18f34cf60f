// Adjusted coordinates with their shifts, error ellipsoids, coordinate standard deviations and
// the closing lines of the report.
#include <cmath>
#include <initializer_list>
#include <string>

#include "adjustment/ellipsoid.h"
#include "adjustment/report_tables.h"
#include "adjustment/run.h"
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

void adjusted_coordinates(Run& run) {
    const Network& net = run.net;
    const Solution& s = *run.solution;
    const Messages& t = run.text;
    heading(run.report, t.results_heading[0], {t.results_heading[1], t.results_heading[2]}, 2);
    // The d-columns: input minus adjusted coordinates, or in a deformation program the
    // displacements themselves.
    const Matrix& d = run.profile.two_epochs ? s.H : s.HR;
    for (int I = 1; I <= net.IB; ++I)
        run.report.put(Record(" ").i(net.IN[I], 4).blanks(1)
                           .f(net.XO[I], 13, 1).f(d(3 * I - 2, 1), 8, 1)
                           .f(net.YO[I], 13, 1).f(d(3 * I - 1, 1), 8, 1)
                           .f(net.ZO[I], 13, 1).f(d(3 * I, 1), 8, 1));
}

void ellipsoids(Run& run, const Matrix& RD) {
    const Network& net = run.net;
    const Messages& t = run.text;
    heading(run.report, t.ellipsoid_heading[0],
            {t.ellipsoid_heading[1], t.ellipsoid_heading[2], t.ellipsoid_heading[3]}, 2);
    for (int I = 1; I <= net.IB; ++I) {
        const int col[4] = {0, 3 * I - 2, 3 * I - 1, 3 * I};
        Matrix MX(3, 3);
        for (int u = 1; u <= 3; ++u)
            for (int v = 1; v <= 3; ++v) MX(u, v) = RD(col[u], col[v]);
        const int pairs[3][2] = {{1, 2}, {1, 3}, {2, 3}};
        for (const auto& pr : pairs) {
            const int iu = col[pr[0]], iv = col[pr[1]];
            if (std::fabs(RD(iv, iu) - RD(iu, iv)) > RD_SYMMETRY)
                run.report.put(Record(t.rd_asymmetric).item(I));
        }
        const Ellipsoid e = ellipsoid(MX, net.MO, run.report);
        run.report.put(Record(" ").i(net.IN[I], 4).blanks(1).f(e.a, 10, 1).f(e.b, 10, 1).f(e.c, 10, 1)
                           .blanks(4).f(e.alfa, 9, 2).f(e.beta, 9, 2).f(e.gama, 9, 2));
    }
}

// The standard deviations of the coordinates, each stored as a 32-bit real.
void coordinate_sigmas(Run& run, const Matrix& RD) {
    const Network& net = run.net;
    const Messages& t = run.text;
    heading(run.report, t.sigma_heading[0], {t.sigma_heading[1], t.sigma_heading[2]}, 1);
    for (int I = 1; I <= net.IB; ++I) {
        const float SIGMX = static_cast<float>(net.MO * std::sqrt(std::fabs(RD(3 * I - 2, 3 * I - 2))));
        const float SIGMY = static_cast<float>(net.MO * std::sqrt(std::fabs(RD(3 * I - 1, 3 * I - 1))));
        const float SIGMZ = static_cast<float>(net.MO * std::sqrt(std::fabs(RD(3 * I, 3 * I))));
        run.report.put(Record(" ").i(net.IN[I], 4).blanks(1).f(SIGMX, 10, 1).f(SIGMY, 10, 1).f(SIGMZ, 10, 1));
    }
}

}  // namespace

void write_result_tables(Run& run) {
    const Network& net = run.net;
    const Solution& s = *run.solution;
    const Messages& t = run.text;
    const Index nn = net.NN;
    Matrix RD(run.profile.cap.cov_order, run.profile.cap.cov_order);
    for (int a = 1; a <= nn; ++a)
        for (int b = 1; b <= nn; ++b) RD(a, b) = s.R(a, b);
    run.console.say(t.print_results);
    const double QCH = net.MCH * net.MCH / (net.MO * net.MO);
    for (int a = 1; a <= nn; ++a) RD(a, a) = RD(a, a) + QCH;
    double T = 0;
    library::MADTRE(RD, nn, T);
    const double MXY = std::sqrt(std::fabs(T / nn)) * net.MO;

    adjusted_coordinates(run);
    ellipsoids(run, RD);
    if (run.profile.coordinate_sigma_table) coordinate_sigmas(run, RD);
    run.report.empty();
    run.report.put(Record(t.used_sigma0).f(net.MO, 6, 1));
    run.report.empty();
    run.report.put(Record(t.mean_sigma).f(MXY, 6, 1).text(t.unit_mm));
}

}  // namespace adjustment
