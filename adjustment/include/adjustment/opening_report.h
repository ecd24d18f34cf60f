// The report's opening blocks, written while the input file is read: the header with the date
// and time of the run, the a-priori block and the input coordinate table.
#pragma once
#include "platform/clock.h"
#include "platform/sink.h"

namespace adjustment {

struct Profile;
struct Network;

void write_report_header(const Profile& profile, const platform::DateTime& t, platform::RecordSink& out);
void write_apriori_block(const Profile& profile, const Network& net, platform::RecordSink& out);
void write_input_coordinates(const Profile& profile, const Network& net, platform::RecordSink& out);

}  // namespace adjustment
