// Report fields and free-format items: widths, rounding, asterisks, characters against bytes.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "platform/record.h"

namespace platform {
namespace {

TEST(IntField, RightAlignedOrAsterisks)
{
    struct Case { long value; int width; const char* expected; };
    const Case cases[] = {
        {7, 3, "  7"},       {12345, 5, "12345"}, {123456, 5, "*****"},
        {-1234, 5, "-1234"}, {-12345, 5, "*****"}, {-5, 2, "-5"},
        {-50, 2, "**"},      {0, 1, "0"},
    };
    for (const Case& c : cases) EXPECT_EQ(int_field(c.value, c.width), c.expected) << c.value << " in " << c.width;
}

TEST(FixedField, RoundsTheExactBinaryValue)
{
    struct Case { double value; int width; int decimals; const char* expected; };
    const Case cases[] = {
        {123.456, 12, 1, "       123.5"},
        {-1.5, 12, 1, "        -1.5"},
        {9999.9, 6, 1, "9999.9"},
        {0.125, 5, 2, " 0.13"},   // an exact tie in binary: away from zero
        {2.25, 6, 1, "   2.3"},   // the weight (3/2)^2 of a distance
        {-2.25, 6, 1, "  -2.3"},
        {0.5, 4, 0, "   1"},
        {-9.5, 5, 0, "  -10"},
        {99.95, 6, 2, " 99.95"},
        {9.75, 5, 1, "  9.8"},
        {-0.25, 5, 1, " -0.3"},
        {9065341615318.9140625, 22, 6, "  9065341615318.914063"},  // a tie beyond the step of the next double
        {2.675, 6, 2, "  2.67"},  // 2.67499999999999982236431605997495353221893310546875
        {1.35, 5, 1, "  1.4"},    // 1.350000000000000088817841970012523233890533447265625
        {-0.04, 5, 1, " -0.0"},   // a negative value rounded to zero keeps its sign
        {0.04, 5, 1, "  0.0"},
        {10000.0, 6, 1, "******"},
        {9999.95, 6, 1, "******"},  // 9999.950000000000727...: rounds up to 10000.0, 7 characters
        {-999.95, 6, 1, "******"},  // -999.950000000000045... gives -1000.0
        {-99.94, 6, 1, " -99.9"},
        {std::numeric_limits<double>::quiet_NaN(), 6, 1, "******"},
        {std::numeric_limits<double>::infinity(), 4, 1, "****"},
        {-std::numeric_limits<double>::infinity(), 4, 1, "****"},
        {1e300, 12, 1, "************"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fixed_field(c.value, c.width, c.decimals), c.expected) << c.value;
}

// The field as printf("%.*f") gives it, an exact tie rounded away from zero by hand: printed
// exactly with one decimal more, its 5 dropped and the digits before it counted up.
std::string printf_field(double value, int width, int decimals)
{
    if (!std::isfinite(value)) return std::string(static_cast<std::size_t>(width), '*');
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals + 1, value);
    std::string s = text;
    const double scaled = std::ldexp(std::fabs(value), decimals + 1);
    if (scaled == std::floor(scaled) && s.back() == '5') {
        s.pop_back();
        if (s.back() == '.') s.pop_back();
        int k = static_cast<int>(s.size()) - 1;
        for (; k >= 0 && (s[k] == '9' || s[k] == '.'); --k)
            if (s[k] == '9') s[k] = '0';
        if (k >= 0 && s[k] != '-') ++s[k];
        else s.insert(static_cast<std::size_t>(k + 1), "1");
    } else {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        s = text;
    }
    if (static_cast<int>(s.size()) > width) return std::string(static_cast<std::size_t>(width), '*');
    return std::string(static_cast<std::size_t>(width) - s.size(), ' ') + s;
}

// Values of every magnitude and sign (random bit patterns), values near and at the ties of the
// decimals, exact binary ties, integers, signed zeros and the smallest numbers.
TEST(FixedField, SameTextAsPrintfForEveryKindOfValue)
{
    constexpr std::uint64_t seed = 20240612;
    SCOPED_TRACE(::testing::Message() << "seed " << seed);
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> decimals_of(0, 12);
    std::uniform_real_distribution<double> unit(-1.0, 1.0);
    std::vector<double> values = {0.0, -0.0, 5e-324, -5e-324, 2.2250738585072014e-308, 1.0, -1.0, 0.5,
                                  9007199254740993.0, 1.8e19, 3.4e38, 1e39, 1.7976931348623157e308};
    for (int k = 0; k < 5000; ++k) {
        double v = std::bit_cast<double>(rng());
        if (std::isfinite(v)) values.push_back(v);
        values.push_back(unit(rng) * std::pow(10.0, decimals_of(rng) - 4));
        const int d = decimals_of(rng);
        const double tie = (std::floor(unit(rng) * 1e6) + 0.5) / std::pow(10.0, d);  // near a tie
        values.push_back(tie);
        values.push_back(std::nextafter(tie, 0.0));
        values.push_back(std::ldexp(static_cast<double>(static_cast<std::int64_t>(rng() % 2000001) - 1000000), -d - 1));
        values.push_back(std::ldexp(unit(rng), static_cast<int>(rng() % 200) - 100));
    }
    int differing = 0;
    for (double v : values)
        for (int d : {0, 1, 2, 3, 4, 6, 9, 12, 19, 20}) {
            const std::string fast = fixed_field(v, 60, d), plain = printf_field(v, 60, d);
            if (fast != plain && ++differing <= 5) ADD_FAILURE() << std::hexfloat << v << " d=" << d << ": " << fast << " != " << plain;
        }
    EXPECT_EQ(differing, 0);
}

TEST(TextField, CountsCharactersNotBytes)
{
    EXPECT_EQ(char_count("ěščřžýáíéů"), 10);
    EXPECT_EQ(text_field("ěšč", 5), "ěšč  ");
    EXPECT_EQ(text_field("Přesná síť", 6), "Přesná");
    EXPECT_EQ(text_field("dx=0,dy=0", 14), "dx=0,dy=0     ");
    EXPECT_EQ(text_field("směr", 0), "");
    EXPECT_EQ(char_count(text_field("Žluťoučký kůň", 80)), 80);
}

TEST(ListItem, IntegersInSevenCharactersNeverAsterisks)
{
    EXPECT_EQ(list_item(5L), "      5");
    EXPECT_EQ(list_item(-32768L), " -32768");
    EXPECT_EQ(list_item(12345678L), "12345678");
}

TEST(ListItem, RealsWithSevenSignificantDigits)
{
    struct Case { double value; const char* expected; };
    const Case cases[] = {
        {1.0, "       1.000000"},
        {0.5, "      0.5000000"},
        {-2.5, "      -2.500000"},
        {123456.7, "       123456.7"},
        {0.099999996, "      0.1000000"},  // rounds up into the plain range
        {9.9999996, "       10.00000"},
        {0.05, "   5.000000E-02"},
        {1234567.0, "   1.234567E+06"},
        {1234567890123.0, "   1.234568E+12"},
        {-1.5e-300, " -1.500000E-300"},
        {0.0, "       0.000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(list_item(c.value), c.expected) << c.value;
}

TEST(Record, FieldsFollowOneAnother)
{
    const Record r = Record(" ").i(4, 5).blanks(4).f(1234.56, 12, 1).a("směr", 6).item(2);
    EXPECT_EQ(r.str(), "     4          1234.6směr        2");
}

}  // namespace
}  // namespace platform
