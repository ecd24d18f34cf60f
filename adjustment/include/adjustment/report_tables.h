// The report tables after the adjustment: the measured quantities with weights, corrections and
// statistics; the adjusted coordinates with their shifts; the error ellipsoids (and, where the
// profile asks for it, the coordinate standard deviations) or, in the plane, one table of
// coordinates, shifts and error ellipses; the closing lines.
#pragma once

#include "platform/console.h"
#include "platform/sink.h"

namespace adjustment {

struct Adjustment;
struct Profile;
struct Network;
struct Solution;

void write_observation_tables(const Profile& profile, const Network& net, const Solution& s,
                              platform::RecordSink& report, platform::Console& console);
// Builds the covariance copy RD and writes the coordinate tables and the closing lines.
void write_result_tables(const Profile& profile, const Network& net, const Solution& s,
                         platform::RecordSink& report, platform::Console& console);
// Both, in this order.
void write_report_tables(const Adjustment& adj);

}  // namespace adjustment
