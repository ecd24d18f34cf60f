// The local date and time of the system.
#include "platform/clock.h"

#include <ctime>

namespace platform {

DateTime now()
{
    const std::time_t seconds = std::time(nullptr);
    std::tm local{};
    localtime_r(&seconds, &local);
    return DateTime{static_cast<std::int16_t>(local.tm_mday), static_cast<std::int16_t>(local.tm_mon + 1),
                    static_cast<std::int16_t>(local.tm_year + 1900), static_cast<std::int16_t>(local.tm_hour),
                    static_cast<std::int16_t>(local.tm_min), static_cast<std::int16_t>(local.tm_sec)};
}

}  // namespace platform
