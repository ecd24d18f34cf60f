// The report tables after the adjustment: the measured quantities with weights, corrections and
// statistics; the adjusted coordinates with their shifts; the error ellipsoids (and, where the
// profile asks for it, the coordinate standard deviations); the closing lines.
#pragma once

#include "platform/sink.h"

namespace adjustment {

struct Run;

void write_observation_tables(Run& run);
// Builds the covariance copy RD and writes the coordinate tables and the closing lines.
void write_result_tables(Run& run);
// Both, in this order.
void write_report_tables(Run& run);

}  // namespace adjustment
