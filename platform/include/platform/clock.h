// The date and time of the start of a run.
#pragma once
#include <cstdint>

namespace platform {

struct DateTime {
    std::int16_t day, month, year, hour, minute, second;
};

// The local system date and time.
DateTime now();

}  // namespace platform
