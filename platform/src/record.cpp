// Report fields Iw, Fw.d and Aw.
#include "platform/record.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "utf8.h"

namespace platform {

namespace {

std::string asterisks(int width) { return std::string(width > 0 ? static_cast<std::size_t>(width) : 0, '*'); }

// The text right-aligned in `width` characters, or asterisks when it is longer.
std::string right_aligned_or_asterisks(const std::string& text, int width)
{
    const int length = char_count(text);
    if (length > width) return asterisks(width);
    return std::string(static_cast<std::size_t>(width - length), ' ') + text;
}

}  // namespace

std::string int_field(long value, int width)
{
    return right_aligned_or_asterisks(std::to_string(value), width);
}

namespace {

// True when the exact binary value lies exactly halfway between two numbers of `decimals`
// decimals. Such a value has at most decimals + 1 fraction bits (10^(d+1) holds 2 only d + 1
// times), so it is an integer when scaled by 2^(d+1), and then d + 1 decimals print it exactly.
bool exact_tie(double value, int decimals)
{
    const double scaled = std::ldexp(std::fabs(value), decimals + 1);
    if (scaled != std::floor(scaled)) return false;
    char text[400];
    const int n = std::snprintf(text, sizeof text, "%.*f", decimals + 1, std::fabs(value));
    return n > 0 && n < static_cast<int>(sizeof text) && text[n - 1] == '5';
}

}  // namespace

std::string fixed_field(double value, int width, int decimals)
{
    if (!std::isfinite(value)) return asterisks(width);
    if (decimals < 0) decimals = 0;
    // The value rounded to nearest; a value exactly halfway is rounded away from zero, as
    // formatted output of the programs' kind does (2.25 with one decimal is 2.3), where printf
    // alone would round it to even.
    if (exact_tie(value, decimals)) value = std::nextafter(value, value < 0 ? -HUGE_VAL : HUGE_VAL);
    const int length = std::snprintf(nullptr, 0, "%.*f", decimals, value);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", decimals, value);
    return right_aligned_or_asterisks(text, width);
}

std::string text_field(std::string_view utf8, int width)
{
    if (width <= 0) return {};
    const std::size_t cut = utf8::offset_of_char(utf8, static_cast<std::size_t>(width));
    std::string text(utf8.substr(0, cut));
    const int length = char_count(text);
    if (length < width) text.append(static_cast<std::size_t>(width - length), ' ');
    return text;
}

}  // namespace platform
