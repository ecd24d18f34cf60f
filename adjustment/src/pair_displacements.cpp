// Displacements of point pairs with their standard deviations and the sorted lists of normalised
// displacements.
#include "adjustment/pair_displacements.h"

#include <cmath>

#include "adjustment/adjustment.h"
#include "adjustment/solution.h"
#include "library/shell_sort.h"
#include "platform/record.h"

namespace adjustment {

using library::Matrix;
using platform::Record;

namespace {

// One entry of the normalised displacement list: T (64-bit) with the two point numbers.
struct Entry {
    double T = 0;
    std::int16_t first = 0, second = 0;
};

// The list as a store of the library's Shell sort.
struct ListStore {
    using Item = Entry;
    std::vector<Entry>& entries;  // entry k at entries[k - 1]
    bool get(long k, Entry& e) const {
        e = entries[static_cast<std::size_t>(k - 1)];
        return true;
    }
    bool put(long k, const Entry& e) {
        entries[static_cast<std::size_t>(k - 1)] = e;
        return true;
    }
    static bool greater(const Entry& a, const Entry& b) { return a.T > b.T; }
};

// Square root of a variance; a negative one (rounding of a value near zero) counts as 0.
double root(double variance) { return variance > 0.0 ? std::sqrt(variance) : 0.0; }

// One pair's displacement d (32-bit) and its standard deviation sigma_d [mm] (32 or 64 bits,
// held exactly in a double).
struct PairValue {
    float d = 0;
    double sigma = 0;
};

// Horizontal pair (x, y) from the unknowns i, i+1 and j, j+1. The pair values are 32-bit reals;
// Qxx and Qyy are 64-bit; Qxy and sigma_d of the type Wide (32 or 64 bits, per program).
template <class Wide>
PairValue horizontal(const PairInput& in, int i, int j) {
    const Matrix& H = in.H;
    const Matrix& R = in.R;
    const float DX = static_cast<float>(H(i, 1) - H(j, 1));
    const float DY = static_cast<float>(H(i + 1, 1) - H(j + 1, 1));
    const float DD = std::sqrt(DX * DX + DY * DY);
    float FX = 0, FY = 0;
    if (DD > 0) {
        FX = DX / DD;
        FY = DY / DD;
    }
    const float FXX = FX * FX, FYY = FY * FY, FXY = FX * FY;
    const double Qxx = R(i, i) + R(j, j) - 2.0 * R(i, j);
    const double Qyy = R(i + 1, i + 1) + R(j + 1, j + 1) - 2.0 * R(i + 1, j + 1);
    const Wide Qxy = static_cast<Wide>(R(i, i + 1) - R(i, j + 1) - R(i + 1, j) + R(j, j + 1));
    const Wide QF = static_cast<Wide>(root(FXX * Qxx + FYY * Qyy + 2.0f * FXY * Qxy) * in.MOO);
    return {DD, static_cast<double>(QF)};
}

// Height pair from the unknowns i and j.
PairValue height(const PairInput& in, int i, int j) {
    const Matrix& H = in.H;
    const Matrix& R = in.R;
    const float DD = static_cast<float>(std::fabs(H(i, 1) - H(j, 1)));
    const float QF = static_cast<float>(root(R(i, i) + R(j, j) - 2.0 * R(i, j)) * in.MOO);
    return {DD, static_cast<double>(QF)};
}

void heading(platform::RecordSink& out, const std::string (&lines)[2]) {
    out.empty();
    out.put(lines[0]);
    out.put(lines[1]);
    out.empty();
}

// One table of all pairs k1 < k2 in input order, then its list sorted by T.
template <class Value>
void table_and_list(const PairAnalysis& how, const Messages& text, const PairInput& in,
                    const std::string (&table_heading)[2], platform::RecordSink& out, Value value) {
    heading(out, table_heading);
    std::vector<Entry> list;
    list.reserve(static_cast<std::size_t>(how.list_capacity));
    long c = 0;
    for (int k1 = 1; k1 <= in.points - 1; ++k1) {
        for (int k2 = k1 + 1; k2 <= in.points; ++k2) {
            const PairValue p = value(k1, k2);
            const float T = p.sigma != 0 ? static_cast<float>(p.d / p.sigma) : 0.0f;
            ++c;
            // The capacity is never reached by the programs' own point capacities.
            if (c <= how.list_capacity) list.push_back({T, in.IN[k1], in.IN[k2]});
            out.put(Record(" ").i(c, 7).i(in.IN[k1], 7).i(in.IN[k2], 7).blanks(3).f(p.d, 7, 2).f(p.sigma, 7, 2));
        }
    }
    ListStore store{list};
    library::shell_sort(store, static_cast<long>(list.size()));
    heading(out, text.pairs_list_heading);
    for (std::size_t c = 0; c < list.size(); ++c)
        out.put(Record(" ").i(static_cast<long>(c + 1), 7).i(list[c].first, 7).i(list[c].second, 7).blanks(3)
                    .f(list[c].T, 7, 2));
}

}  // namespace

void pair_displacements(const PairAnalysis& how, const Messages& text, const PairInput& in,
                        platform::RecordSink& report) {
    const int u = in.dimension;
    // Point k owns the unknowns u*k-u+1 (x), u*k-u+2 (y) and, in space, u*k (z).
    table_and_list(how, text, in, text.pairs_xy_heading, report, [&](int k1, int k2) {
        const int i = u * k1 - u + 1, j = u * k2 - u + 1;
        return how.wide_covariance ? horizontal<double>(in, i, j) : horizontal<float>(in, i, j);
    });
    if (u != 3) return;  // the height table and its list follow in space only
    table_and_list(how, text, in, text.pairs_z_heading, report,
                   [&](int k1, int k2) { return height(in, u * k1, u * k2); });
}

void write_pair_displacements(const Adjustment& adj) {
    const Solution& s = adj.solution;
    const PairInput in{s.H, s.R, adj.net.IN, adj.net.IB, adj.net.dimension, adj.net.MOO};
    pair_displacements(*adj.profile.pairs, adj.text, in, adj.report);
}

}  // namespace adjustment
