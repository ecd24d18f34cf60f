// Report fields and free-format items: widths, rounding, asterisks, characters against bytes.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

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
