// The forms of the numbers of a free-format input file, checked and converted.
#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

// An optional sign and decimal digits, within -32768..32767; nothing otherwise.
std::optional<std::int16_t> parse_int16(std::string_view token);
// An optional sign, digits with an optional decimal point (1, 1.5, .5, 5.) and an optional
// exponent with E, e, D or d and an optional sign (-2.5e3, 2.5D3); nothing otherwise, and nothing
// for a value beyond the range of the type. Independent of the locale.
std::optional<double> parse_real(std::string_view token);
// As parse_real, rounded once from the decimal text to 32 bits.
std::optional<float> parse_real32(std::string_view token);

}  // namespace platform
