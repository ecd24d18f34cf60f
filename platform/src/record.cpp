// Report fields Iw, Fw.d and Aw.
#include "platform/record.h"

#include <cmath>
#include <cstdio>
#include <cstdint>
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

// Adds one unit in the last digit of a decimal text ("12.95" -> "13.05" is not meant: "12.9"
// -> "13.0"), carrying through the point and growing the text by a digit where needed.
void increment_last_digit(std::string& text)
{
    std::size_t k = text.size();
    while (k > 0) {
        --k;
        if (text[k] == '.') continue;
        if (text[k] == '-') break;
        if (text[k] != '9') {
            ++text[k];
            return;
        }
        text[k] = '0';
    }
    text.insert(text[0] == '-' ? 1 : 0, 1, '1');
}

// The value rounded to nearest with printf, a value exactly halfway rounded away from zero, as
// formatted output of the programs' kind does (2.25 with one decimal is 2.3), where printf
// alone would round it to even. A tie prints exactly with one decimal more; its last digit, the
// 5, is dropped and the rest rounded up.
std::string printed_fixed(double value, int decimals)
{
    const bool tie = exact_tie(value, decimals);
    const int digits = tie ? decimals + 1 : decimals;
    const int length = std::snprintf(nullptr, 0, "%.*f", digits, value);
    std::string text(static_cast<std::size_t>(length), '\0');
    std::snprintf(text.data(), text.size() + 1, "%.*f", digits, value);
    if (tie) {
        text.pop_back();
        if (decimals == 0) text.pop_back();  // the point before the dropped digit
        increment_last_digit(text);
    }
    return text;
}

using Wide = unsigned __int128;

// The same text from exact integer arithmetic, for the values whose scaled magnitude fits in
// 128 bits (false for the others): |value| = m * 2^shift with an integer m < 2^53, so
// |value| * 10^d = m * 10^d * 2^shift, whose integer part and remainder are exact. The remainder
// against one half gives the rounding to nearest; an exact tie goes away from zero.
bool exact_fixed(double value, int decimals, std::string& text)
{
    constexpr int most_decimals = 19;  // 10^19 < 2^64
    if (decimals > most_decimals) return false;
    std::uint64_t power = 1;
    for (int k = 0; k < decimals; ++k) power *= 10;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent);  // 0.5 <= fraction < 1, or 0
    const auto m = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    const int shift = exponent - 53;
    const Wide scaled = static_cast<Wide>(m) * power;  // below 2^117
    Wide n = 0;
    if (shift >= 0) {
        if (shift > 10) return false;
        n = scaled << shift;
    } else if (shift > -128) {
        const int s = -shift;
        n = scaled >> s;
        const Wide rest = scaled & ((static_cast<Wide>(1) << s) - 1);
        const Wide half = static_cast<Wide>(1) << (s - 1);
        if (rest >= half) ++n;
    }  // else: below 2^117 / 2^128, far under one half
    // The digits from the last one, with the point after the decimals and at least one digit
    // before it.
    char digits[48];
    int count = 0, produced = 0;
    const auto next_digit = [&](int digit) {
        digits[count++] = static_cast<char>('0' + digit);
        if (++produced == decimals) digits[count++] = '.';
    };
    while (n > UINT64_MAX) {
        next_digit(static_cast<int>(n % 10));
        n /= 10;
    }
    auto small = static_cast<std::uint64_t>(n);
    do {
        next_digit(static_cast<int>(small % 10));
        small /= 10;
    } while (small != 0 || produced <= decimals);
    if (std::signbit(value)) digits[count++] = '-';
    text.assign(std::string::size_type(count), ' ');
    for (int k = 0; k < count; ++k) text[static_cast<std::size_t>(k)] = digits[count - 1 - k];
    return true;
}

}  // namespace

std::string fixed_field(double value, int width, int decimals)
{
    if (!std::isfinite(value)) return asterisks(width);
    if (decimals < 0) decimals = 0;
    std::string text;
    if (!exact_fixed(value, decimals, text)) text = printed_fixed(value, decimals);
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
