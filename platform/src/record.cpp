// Report fields Iw, Fw.d and Aw.
#include "platform/record.h"

#include <cmath>
#include <cstdio>

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

std::string fixed_field(double value, int width, int decimals)
{
    if (!std::isfinite(value)) return asterisks(width);
    if (decimals < 0) decimals = 0;
    // printf rounds the exact binary value to nearest, which is what the layouts show.
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
