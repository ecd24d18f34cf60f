// Integers and reals of a free-format input file.
#include "platform/value_syntax.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace platform {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_sign(char c) { return c == '+' || c == '-'; }

std::size_t skip_digits(std::string_view text, std::size_t at)
{
    while (at < text.size() && is_digit(text[at])) ++at;
    return at;
}

// True when the token has the form of a real: [sign] mantissa [exponent letter [sign] digits].
bool has_real_form(std::string_view t)
{
    std::size_t at = 0;
    if (at < t.size() && is_sign(t[at])) ++at;
    const std::size_t integer_end = skip_digits(t, at);
    std::size_t mantissa_digits = integer_end - at;
    at = integer_end;
    if (at < t.size() && t[at] == '.') {
        const std::size_t fraction_end = skip_digits(t, at + 1);
        mantissa_digits += fraction_end - at - 1;
        at = fraction_end;
    }
    if (mantissa_digits == 0) return false;
    if (at == t.size()) return true;
    if (t[at] != 'E' && t[at] != 'e' && t[at] != 'D' && t[at] != 'd') return false;
    ++at;
    if (at < t.size() && is_sign(t[at])) ++at;
    const std::size_t exponent_end = skip_digits(t, at);
    return exponent_end > at && exponent_end == t.size();
}

// The token in the form that strtod reads: D and d (double-precision exponents) become E.
std::string c_real_text(std::string_view token)
{
    std::string text(token);
    for (char& c : text)
        if (c == 'D' || c == 'd') c = 'E';
    return text;
}

// The "C" locale, so that the decimal point is always '.'.
locale_t c_locale()
{
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    return locale;
}

}  // namespace

std::optional<std::int16_t> parse_int16(std::string_view token)
{
    std::size_t at = 0;
    const bool negative = !token.empty() && token[0] == '-';
    if (!token.empty() && is_sign(token[0])) ++at;
    if (at == token.size() || skip_digits(token, at) != token.size()) return std::nullopt;
    long magnitude = 0;
    for (; at < token.size(); ++at) {
        magnitude = magnitude * 10 + (token[at] - '0');
        if (magnitude > 32768) return std::nullopt;  // leading zeros do not count
    }
    const long value = negative ? -magnitude : magnitude;
    if (value > 32767) return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::optional<double> parse_real(std::string_view token)
{
    if (!has_real_form(token)) return std::nullopt;
    const std::string text = c_real_text(token);
    errno = 0;
    const double value = strtod_l(text.c_str(), nullptr, c_locale());
    // Too large for the type is an error; too small reads as the nearest value (zero at last).
    if (errno == ERANGE && std::isinf(value)) return std::nullopt;
    return value;
}

std::optional<float> parse_real32(std::string_view token)
{
    if (!has_real_form(token)) return std::nullopt;
    const std::string text = c_real_text(token);
    errno = 0;
    const float value = strtof_l(text.c_str(), nullptr, c_locale());
    if (errno == ERANGE && std::isinf(value)) return std::nullopt;
    return value;
}

}  // namespace platform
