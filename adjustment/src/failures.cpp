// Shared failure ends of the adjustment.
#include "adjustment/failures.h"

#include "adjustment/run.h"
#include "library/cbodu.h"
#include "platform/record.h"

namespace adjustment {

using platform::ExitStatus;
using platform::Record;

void missing_point(Run& run) {
    const Messages& t = run.text;
    run.console.say(t.missing_point[0]);
    run.console.say(t.missing_point[1]);
    run.console.say(t.missing_point[2] + run.TISK);
    run.console.say(t.missing_point[3]);
    exit_block(ExitStatus::failed);
}

void same_coordinates(Run& run, const std::int16_t numbers[3], const std::int16_t indices[3]) {
    const Messages& t = run.text;
    run.console.say(t.same_coordinates);
    if (!run.profile.same_coordinates_lists_points) platform::halt(run.console, ExitStatus::failed);
    run.console.say(Record(t.same_numbers).item(numbers[0]).item(numbers[1]).item(numbers[2]));
    run.console.say(Record(t.same_indices).item(indices[0]).item(indices[1]).item(indices[2]));
    platform::halt(run.console, ExitStatus::failed);
}

std::int16_t point_index(Run& run, std::int16_t number) {
    library::Index i = 0;
    const Network& net = run.net;
    if (library::CBODU(net.IN.data() + 1, run.profile.cap.points, net.IB, number, i, run.console) !=
        library::DONE)
        missing_point(run);
    return i;
}

void pause_then_exit(Run& run, const std::string& text) {
    run.console.pause(text);
    exit_block(ExitStatus::failed);
}

}  // namespace adjustment
