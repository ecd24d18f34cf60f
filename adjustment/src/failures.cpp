// Shared failure ends of the adjustment.
#include "adjustment/failures.h"

#include "adjustment/adjustment.h"
#include "adjustment/exit_block.h"
#include "library/cbodu.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::Record;

void missing_point(Adjustment& adj) {
    const Messages& t = adj.text;
    adj.console.say(t.missing_point[0]);
    adj.console.say(t.missing_point[1]);
    adj.console.say(t.missing_point[2] + adj.report_name);
    adj.console.say(t.missing_point[3]);
    exit_block(ExitStatus::failed);
}

void same_coordinates(Adjustment& adj, const std::int16_t numbers[3], const std::int16_t indices[3]) {
    const Messages& t = adj.text;
    adj.console.say(t.same_coordinates);
    if (!adj.profile.same_coordinates_lists_points) platform::halt(adj.console, ExitStatus::failed);
    adj.console.say(Record(t.same_numbers).item(numbers[0]).item(numbers[1]).item(numbers[2]));
    adj.console.say(Record(t.same_indices).item(indices[0]).item(indices[1]).item(indices[2]));
    platform::halt(adj.console, ExitStatus::failed);
}

std::int16_t point_index(Adjustment& adj, std::int16_t number) {
    library::Index i = 0;
    const Network& net = adj.net;
    if (library::CBODU(net.IN.data() + 1, adj.profile.cap.points, net.IB, number, i, adj.console) !=
        library::DONE)
        missing_point(adj);
    return i;
}

void pause_then_exit(Adjustment& adj, const std::string& text) {
    adj.console.pause(text);
    exit_block(ExitStatus::failed);
}

}  // namespace adjustment
