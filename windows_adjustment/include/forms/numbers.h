// Numbers and texts as the forms run-time turns them into each other: with the decimal
// separator of the system's regional settings, except in the leading-number read, which
// always takes "." as the decimal point.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace forms {

struct RegionalSettings {
    std::string decimalSeparator = ".";  // UTF-8
};

// Taken once from the system's locale when first asked; a test may set them.
const RegionalSettings& regionalSettings();
void setRegionalSettings(RegionalSettings settings);

// A number in a format of the forms "0.0", "#####0.0", "###0.0": at least as many integer
// digits as the format has zeros before the point (and more when the number needs them), as
// many decimals as it has after it, no thousands separator; rounded to nearest, an exact half
// away from zero. NaN and infinities give "NaN", "Inf", "-Inf".
std::string formatNumber(double value, std::string_view format);

// The number's own text: the shortest text that reads back to the same 64-bit real
// (0.1 gives "0.1", 1234.5 gives "1234.5", 3 gives "3"), in exponent form where that is shorter.
std::string numberText(double value);

// The number's own text as the run-time's Str gives it: "." as the decimal point whatever the
// regional settings, and a leading blank for a number that is not negative (" 12", "-3.5").
std::string strText(double value);

// A text read as a number by the regional settings: optional blanks around, an optional sign,
// digits with the regional decimal separator, an optional exponent. Nothing for any other text.
std::optional<double> textToNumber(std::string_view text);

// The number at the start of a text with "." as the decimal point: leading blanks are passed
// over, and the number ends at the first character that cannot belong to it; 0 when the text
// does not begin with a number ("12.7 m" gives 12.7, "-3.5" gives -3.5, "x1" gives 0).
double leadingNumber(std::string_view text);

}  // namespace forms
