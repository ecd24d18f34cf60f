// One record of a report, control file or console, built field by field as the layouts give it.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Number of characters (UTF-8 code points) in a text: field widths count characters, not bytes.
int char_count(std::string_view utf8);

// Iw: integer right-aligned in w characters; w asterisks when it does not fit.
std::string int_field(long value, int width);
// Fw.d: fixed-point number right-aligned in w characters, rounded to d decimals; w asterisks
// when it does not fit (also for NaN and infinities). The digits are those of printf("%.*f"):
// the exact binary value rounded to nearest, a negative value that rounds to zero keeps its
// sign ("-0.0"), and d = 0 writes no decimal point.
std::string fixed_field(double value, int width, int decimals);
// Aw: text left-aligned, padded with blanks or cut to w characters (never inside a character).
std::string text_field(std::string_view utf8, int width);
// Items of a free-format (list-directed) write, never asterisks:
// - an integer right-aligned in 7 characters, wider when it needs more ("      5");
// - a real right-aligned in 15 characters with 7 significant digits: plainly when its magnitude,
//   rounded to 7 digits, lies from 0.1 up to below 1000000 ("       1.000000", "      0.5000000",
//   "       123456.7"), otherwise with an exponent ("   5.000000E-02", "   1.234568E+12");
//   zero is "       0.000000"; NaN and infinities are "NaN", "Infinity", "-Infinity".
std::string list_item(long value);
std::string list_item(double value);

// n blanks (none when n is not positive).
inline std::string blanks(int n) { return std::string(static_cast<std::size_t>(n > 0 ? n : 0), ' '); }

// A record under construction; all texts are UTF-8 inside the program.
class Record {
public:
    Record() = default;
    explicit Record(std::string_view start) : text_(start) {}
    Record& text(std::string_view utf8) { text_ += utf8; return *this; }
    Record& blanks(int n) { if (n > 0) text_.append(static_cast<std::size_t>(n), ' '); return *this; }
    Record& i(long value, int width) { text_ += int_field(value, width); return *this; }
    Record& f(double value, int width, int decimals) { text_ += fixed_field(value, width, decimals); return *this; }
    Record& a(std::string_view utf8, int width) { text_ += text_field(utf8, width); return *this; }
    Record& item(long value) { text_ += list_item(value); return *this; }
    Record& item(int value) { return item(static_cast<long>(value)); }
    Record& item(std::int16_t value) { return item(static_cast<long>(value)); }
    Record& item(double value) { text_ += list_item(value); return *this; }
    const std::string& str() const { return text_; }
    operator std::string_view() const { return text_; }

private:
    std::string text_;
};

}  // namespace platform
