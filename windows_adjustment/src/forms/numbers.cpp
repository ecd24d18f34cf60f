// Numbers to texts and back by the regional settings.
#include "forms/numbers.h"

#include "platform/record.h"
#include "platform/value_syntax.h"

#include <QLocale>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace forms {

namespace {

std::optional<RegionalSettings>& settingsSlot()
{
    static std::optional<RegionalSettings> settings;
    return settings;
}

std::string replaceAll(std::string text, std::string_view from, std::string_view to)
{
    if (from == to) return text;
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

std::string_view trimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

const RegionalSettings& regionalSettings()
{
    auto& slot = settingsSlot();
    if (!slot) slot = RegionalSettings{QLocale::system().decimalPoint().toStdString()};
    return *slot;
}

void setRegionalSettings(RegionalSettings settings) { settingsSlot() = std::move(settings); }

std::string formatNumber(double value, std::string_view format)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    const auto point = format.find('.');
    const int decimals = point == std::string_view::npos ? 0 : static_cast<int>(format.size() - point - 1);
    const std::string_view integerPart = format.substr(0, point);
    const auto zeros = static_cast<std::size_t>(std::count(integerPart.begin(), integerPart.end(), '0'));
    // Wide enough for every finite 64-bit real, so the field never turns into asterisks.
    std::string text(trimBlanks(platform::fixed_field(value, 400, decimals)));
    // fixed_field writes one integer digit at least; a format may ask for more.
    const std::size_t sign = text[0] == '-' ? 1 : 0;
    const std::size_t digitsEnd = text.find('.') == std::string::npos ? text.size() : text.find('.');
    if (digitsEnd - sign < zeros) text.insert(sign, zeros - (digitsEnd - sign), '0');
    return replaceAll(std::move(text), ".", regionalSettings().decimalSeparator);
}

namespace {
// The shortest text that reads back to the value, with "." as the decimal point.
std::string shortestText(double value)
{
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value < 0 ? "-Inf" : "Inf";
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}
}  // namespace

std::string numberText(double value)
{
    return replaceAll(shortestText(value), ".", regionalSettings().decimalSeparator);
}

std::string strText(double value) { return (value < 0 ? "" : " ") + shortestText(value == 0 ? 0.0 : value); }

std::optional<double> textToNumber(std::string_view text)
{
    const std::string_view trimmed = trimBlanks(text);
    const std::string& separator = regionalSettings().decimalSeparator;
    if (separator != "." && trimmed.find('.') != std::string_view::npos) return std::nullopt;
    return platform::parse_real(replaceAll(std::string(trimmed), separator, "."));
}

double leadingNumber(std::string_view text)
{
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    const std::size_t start = at;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) ++at;
    while (at < text.size() && isDigit(text[at])) ++at;
    if (at < text.size() && text[at] == '.') {
        ++at;
        while (at < text.size() && isDigit(text[at])) ++at;
    }
    // An exponent belongs to the number only when digits follow its letter (and sign).
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e' || text[at] == 'D' || text[at] == 'd')) {
        std::size_t exponent = at + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
        if (exponent < text.size() && isDigit(text[exponent])) {
            while (exponent < text.size() && isDigit(text[exponent])) ++exponent;
            at = exponent;
        }
    }
    const auto value = platform::parse_real(text.substr(start, at - start));
    return value ? *value : 0.0;
}

}  // namespace forms
