// Report header, a-priori block and input coordinate table.
#include "adjustment/opening_report.h"

#include <vector>

#include "adjustment/network.h"
#include "adjustment/placement.h"
#include "adjustment/profile.h"
#include "platform/record.h"

namespace adjustment {

using platform::Record;

void write_report_header(const Profile& profile, const platform::DateTime& t, platform::RecordSink& out) {
    out.put(Record(profile.report_header)
                .i(t.day, 2).text(".").i(t.month, 2).text(".").i(t.year, 4)
                .text(profile.text.report_time)
                .i(t.hour, 2).text(":").i(t.minute, 2).text(":").i(t.second, 2));
    out.empty();
    out.empty();
}

void write_apriori_block(const Profile& profile, const Network& net, platform::RecordSink& out) {
    const Messages& t = profile.text;
    out.put(Record(t.action).a(net.ZAH, 80));
    out.empty();
    // The plane programs have no zenith angles and no line for them.
    std::vector<double> values = {net.UU, net.UD, net.UZ, net.MOO, net.MCH};
    if (profile.dimension == 2) values.erase(values.begin() + 2);
    for (std::size_t i = 0; i < values.size(); ++i) out.put(Record(t.apriori_labels[i]).f(values[i], 6, 1));
    out.empty();
}

void write_input_coordinates(const Profile& profile, const Network& net, platform::RecordSink& out) {
    const Messages& t = profile.text;
    out.put(t.coordinates_title);
    out.put(Record(t.coordinates_heading_start).text(profile.code_heading).text(t.coordinates_heading_end));
    const bool spatial = profile.dimension == 3;
    for (int i = 1; i <= net.IB; ++i) {
        Record row;
        row.blanks(3).i(net.IN[i], 5).blanks(4).f(net.XO[i], 12, 1).blanks(3).f(net.YO[i], 12, 1);
        if (spatial) row.f(net.ZO[i], 12, 1);
        row.blanks(3).i(net.KOD1[i], 4).blanks(4);
        row.a(placement_text(net.KOD1[i], profile.dimension), spatial ? 14 : 10);
        out.put(row);
    }
}

}  // namespace adjustment
