// Items of a free-format (list-directed) write: the numbers of console messages.
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/record.h"

namespace platform {

namespace {

constexpr int integer_item_width = 7;
constexpr int real_item_width = 15;
constexpr int significant_digits = 7;

std::string right_aligned(const std::string& text, int width)
{
    const int length = static_cast<int>(text.size());  // numbers are ASCII
    if (length >= width) return text;
    return std::string(static_cast<std::size_t>(width - length), ' ') + text;
}

std::string printed(const char* format, int precision, double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, precision, value);
    return buffer;
}

// The real in 7 significant digits: plainly for magnitudes from 0.1 up to below 1000000 after
// rounding, otherwise with a decimal exponent.
std::string real_text(double value)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Infinity" : "Infinity";
    if (value == 0.0) return printed("%.*f", significant_digits - 1, value);
    const std::string exponent_form = printed("%.*E", significant_digits - 1, value);
    // The exponent after rounding to 7 digits (9.9999996 has become 1.000000E+01).
    const int exponent = std::atoi(exponent_form.c_str() + exponent_form.find('E') + 1);
    if (exponent < -1 || exponent > 5) return exponent_form;
    return printed("%.*f", significant_digits - 1 - exponent, value);
}

}  // namespace

std::string list_item(long value) { return right_aligned(std::to_string(value), integer_item_width); }

std::string list_item(double value) { return right_aligned(real_text(value), real_item_width); }

}  // namespace platform
