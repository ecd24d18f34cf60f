// The adjustment of one run as its passes see it: the program's profile and texts, the network
// and the solution they work on, the console, the report and the control file they write to, and
// the typed report name that the failure texts give. The frame (run.h) builds it once the input
// has been read and the solution's matrices exist; the rows, the placement conditions, the
// solution chain, the shared failure ends and the report tables take it instead of the whole
// run, so that none of them sees the file dialogue, the typed input name or the point database.
#pragma once
#include <string>

#include "adjustment/messages.h"
#include "adjustment/network.h"
#include "adjustment/profile.h"
#include "platform/console.h"
#include "platform/sink.h"

namespace adjustment {

struct Solution;

struct Adjustment {
    const Profile& profile;
    const Messages& text;           // profile.text
    platform::Console& console;
    platform::RecordSink& report;
    platform::RecordSink& control;
    const std::string& report_name; // the report name as typed (TISK), named by the failure texts
    Network& net;
    Solution& solution;
    // Set once the adjustment is complete; the frame's exit block stores the working coordinates
    // in the point database only then.
    bool& points_final;
};

}  // namespace adjustment
