// The ends of a run that several steps of the adjustment share.
#pragma once
#include <cstdint>
#include <string>

namespace adjustment {

struct Adjustment;

// A station or target number that is not in the point list: the message block, then the exit
// block. The lookup has already shown its own line.
[[noreturn]] void missing_point(Adjustment& adj);
// Two points with the same coordinates: the message (with the three point numbers and their
// positions in the point list where the profile lists them), then a halt without text.
[[noreturn]] void same_coordinates(Adjustment& adj, const std::int16_t numbers[3], const std::int16_t indices[3]);
// Finds a point number in the point list; a missing number ends the run (missing_point).
std::int16_t point_index(Adjustment& adj, std::int16_t number);
// A pause with a text, then the exit block after an error.
[[noreturn]] void pause_then_exit(Adjustment& adj, const std::string& text);

}  // namespace adjustment
