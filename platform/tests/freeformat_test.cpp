// Free-format reading of input data files: separators, records over lines, text values,
// stepping back to a value's line, DOS line ends and the end of the file.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <ostream>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/freeformat.h"

namespace platform {
namespace {

// Runs a sequence of reader operations and writes down what each read gave:
//   B begin_record   K back_to_value_line   D refuse_decimal_commas   (nothing written down)
//   I read_int16 -> the number      R read_real -> the number (%g)   F read_real32 -> %.9g
//   T read_text -> [text]           L read_line_text -> <line>
// A read that meets the end of the file gives EOF, one that fails gives ERR, a decimal comma DEC.
std::vector<std::string> run(const std::string& input, const std::string& operations)
{
    FreeFormatReader reader(input);
    std::vector<std::string> results;
    auto status_text = [](ReadStatus s) {
        return s == ReadStatus::end_of_file ? "EOF" : s == ReadStatus::decimal_comma ? "DEC" : "ERR";
    };
    char number[64];
    for (char op : operations) {
        switch (op) {
        case 'B': reader.begin_record(); break;
        case 'K': reader.back_to_value_line(); break;
        case 'D': reader.refuse_decimal_commas(); break;
        case 'I': {
            std::int16_t v = 0;
            const ReadStatus s = reader.read_int16(v);
            results.push_back(s == ReadStatus::ok ? std::to_string(v) : status_text(s));
            break;
        }
        case 'R': {
            double v = 0;
            const ReadStatus s = reader.read_real(v);
            std::snprintf(number, sizeof number, "%g", v);
            results.push_back(s == ReadStatus::ok ? number : status_text(s));
            break;
        }
        case 'F': {
            float v = 0;
            const ReadStatus s = reader.read_real32(v);
            std::snprintf(number, sizeof number, "%.9g", static_cast<double>(v));
            results.push_back(s == ReadStatus::ok ? number : status_text(s));
            break;
        }
        case 'T': {
            std::string v;
            const ReadStatus s = reader.read_text(v);
            results.push_back(s == ReadStatus::ok ? "[" + v + "]" : status_text(s));
            break;
        }
        case 'L': {
            std::string v;
            results.push_back(reader.read_line_text(v) ? "<" + v + ">" : "EOF");
            break;
        }
        default: ADD_FAILURE() << "unknown operation " << op;
        }
    }
    return results;
}

struct Case {
    const char* name;
    std::string input;
    const char* operations;
    std::vector<std::string> expected;
};

const Case cases[] = {
    // Separators
    {"blanks tabs and single commas", "1 2\t3,4 , 5\t,\t6\n", "BIIIIII", {"1", "2", "3", "4", "5", "6"}},
    {"comma at a line end", "1,\n2\n", "BII", {"1", "2"}},
    {"two commas are an empty value", "1,,2\n", "BII", {"1", "ERR"}},
    {"two commas over a line end", "1,\n,2\n", "BII", {"1", "ERR"}},
    {"comma before the first value", ", 1\n", "BI", {"ERR"}},
    {"a trailing comma does not reach the next record", "1,\n2\n", "BIBI", {"1", "2"}},
    // Records and lines
    {"record over two lines", "10 20\n30.5\n", "BIIR", {"10", "20", "30.5"}},
    {"values after the needed ones are ignored", "1 2 3 4\n5 6\n", "BIIBII", {"1", "2", "5", "6"}},
    {"unreadable rest of a line is ignored", "1 x y\n2\n", "BIBI", {"1", "2"}},
    {"empty and blank lines are passed over", "\n\n 7\n \t \n\n8\n", "BIBI", {"7", "8"}},
    {"end of file inside a record", "1 2\n", "BIII", {"1", "2", "EOF"}},
    {"empty file", "", "BI", {"EOF"}},
    {"only empty lines", "\n  \n\t\n", "BR", {"EOF"}},
    {"last line without line end", "1 2", "BIIBI", {"1", "2", "EOF"}},
    // First-value technique
    {"terminator with values after it", "-1 5 7\n8 9\n", "BIBI", {"-1", "8"}},
    {"first value read again", "3 5 7\n", "BIKBIII", {"3", "3", "5", "7"}},
    {"point record with coordinates on the next line", "\n  4 1\n 10.0 20.0 30.0\n", "BIIKBIIRRR",
     {"4", "1", "4", "1", "10", "20", "30"}},
    {"back goes to the line of the last value", "1\n2\n", "BIIKBI", {"1", "2", "2"}},
    {"back after the record boundary", "1 2\n3 4\n", "BIBIKBII", {"1", "3", "3", "4"}},
    // Integers
    {"16-bit range", "32767 -32768 +12 007 32768\n", "BIIIII", {"32767", "-32768", "12", "7", "ERR"}},
    {"below the 16-bit range", "-32769\n", "BI", {"ERR"}},
    {"not integers", "5.0\n1e2\nx\n5-\n-\n", "BIBIBIBIBI", {"ERR", "ERR", "ERR", "ERR", "ERR"}},
    // Reals
    {"forms of reals", "2.5D3 .5 -2.5e3 5. 1 +1.5E-2 3d+1 -0.25d-0\n", "BRRRRRRRR",
     {"2500", "0.5", "-2500", "5", "1", "0.015", "30", "-0.25"}},
    {"not reals", "1.2.3\n.\ne5\n1e\n5e+\n--1\n1.5x\n0x10\ninf\nnan\n1.5+3\n", "BRBRBRBRBRBRBRBRBRBRBR",
     {"ERR", "ERR", "ERR", "ERR", "ERR", "ERR", "ERR", "ERR", "ERR", "ERR", "ERR"}},
    {"real beyond the 64-bit range", "1e400 1e-400\n", "BRR", {"ERR", "0"}},
    {"32-bit real", "0.1 1e39\n", "BFF", {"0.100000001", "ERR"}},
    // Text values
    {"title with doubled marks and commas", "'Síť A, ''Jih'''\n", "BT", {"[Síť A, 'Jih']"}},
    {"title in quotation marks", "\"a \"\"b\"\", c's\"\n", "BT", {"[a \"b\", c's]"}},
    {"title followed by a value", "'a',5\n", "BTI", {"[a]", "5"}},
    {"title after empty lines", "\n\n  'Sit 1'  \n", "BT", {"[Sit 1]"}},
    {"title without marks", "Sit 1\n", "BT", {"ERR"}},
    {"title without closing mark on its line", "'Sit 1\n'\n", "BT", {"ERR"}},
    {"title with text glued to its closing mark", "'a'b\n", "BT", {"ERR"}},
    {"title in code page 1250", "'S\xED\x9D'\n", "BT", {"[Síť]"}},
    // A UTF-8 byte-order mark: one before the first line is skipped, any other is no separator
    {"two byte-order marks", "\xEF\xBB\xBF\xEF\xBB\xBF'Sit'\n", "BT", {"ERR"}},
    {"byte-order mark on a later line", "1\n\xEF\xBB\xBF" "2\n", "BIBI", {"1", "ERR"}},
    // Whole lines
    {"line after a line with an error", "'T'\n1 x\nLINE THREE\n", "BTBIIL", {"[T]", "1", "ERR", "<LINE THREE>"}},
    {"line of the value stepped back to", "1 2\n", "BIKL", {"1", "<1 2>"}},
    {"no line after the last", "1\n", "BIL", {"1", "EOF"}},
    {"lines one after another", "a b\n\nc\n", "LLLL", {"<a b>", "<>", "<c>", "EOF"}},
    // Decimal commas: a comma between two digits on a line that separates values by blanks
    {"decimal comma where blanks separate", "1 6 1000000,0 1000000.0\n", "DBIIR", {"1", "6", "DEC"}},
    {"without the refusal a decimal comma separates", "1 6 1000000,0 1000000.0\n", "BIIRR",
     {"1", "6", "1e+06", "0"}},
    {"decimal comma after a point number", "1,5 6\n", "DBI", {"DEC"}},
    {"decimal comma in a tab-separated line", "1\t2,5\n", "DBIR", {"1", "DEC"}},
    {"decimal comma on a record's second line", "1 6\n1000,5 2000.0\n", "DBIIR", {"1", "6", "DEC"}},
    {"values all separated by commas", "101,6,1000.0,2000.0\n", "DBIIRR", {"101", "6", "1000", "2000"}},
    {"commas each with a blank after it", "101, 6, 1000.0, 2000.0\n", "DBIIRR", {"101", "6", "1000", "2000"}},
    {"comma with a blank before it", "1 6 1000 ,5\n", "DBIIRR", {"1", "6", "1000", "5"}},
    {"comma before a sign", "1 6 1000,-5\n", "DBIIRR", {"1", "6", "1000", "-5"}},
    {"blanks and comma inside a title are its own", "'Sit 1,5 m',2,5\n", "DBTII", {"[Sit 1,5 m]", "2", "5"}},
    {"a decimal comma in a value not read is ignored", "1 2 3,5\n4\n", "DBIIBI", {"1", "2", "4"}},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class FreeFormatCase : public ::testing::TestWithParam<Case> {};

TEST_P(FreeFormatCase, Reads)
{
    const Case& c = GetParam();
    EXPECT_EQ(run(c.input, c.operations), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Table, FreeFormatCase, ::testing::ValuesIn(cases),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// Files written on DOS or Windows read exactly as the same file with plain line feeds, also when
// the editor saved them as UTF-8 with a byte-order mark before the first line.
TEST(FreeFormat, DosLineEndsCtrlZAndByteOrderMarkReadAsPlainFile)
{
    const std::string operations = "BTBRRRRRBIKBIIRRRBIBIIRRLLL";
    const std::vector<std::string> lines = {"'Sit, 1'", "1.0 2 3 1 0.5", "4 1", "10 20 30",
                                            "-1", "4 5 100.0 1", "", "tail"};
    auto joined = [&](const std::string& end) {
        std::string text;
        for (const std::string& line : lines) text += line + end;
        return text;
    };
    const std::vector<std::string> expected = {"[Sit, 1]", "1", "2", "3", "1", "0.5", "4", "4", "1", "10",
                                               "20", "30", "-1", "4", "5", "100", "1", "<>", "<tail>", "EOF"};
    ASSERT_EQ(run(joined("\n"), operations), expected);
    const std::string variants[] = {joined("\r\n"), joined("\r\n") + "\x1A", joined("\n") + "\x1A\n",
                                    joined("\r\n") + "\x1A\r\n", joined("\r\n").substr(0, joined("\r\n").size() - 2) + "\x1A",
                                    "\xEF\xBB\xBF" + joined("\n"), "\xEF\xBB\xBF" + joined("\r\n") + "\x1A"};
    for (const std::string& variant : variants) EXPECT_EQ(run(variant, operations), expected);
}

TEST(FreeFormat, RealsAreConvertedExactly)
{
    FreeFormatReader reader("0.1 0.1 1.00000005960464477539062500001\n");
    double d = 0;
    float f = 0;
    ASSERT_EQ(reader.read_real(d), ReadStatus::ok);
    EXPECT_EQ(d, 0.1);
    ASSERT_EQ(reader.read_real32(f), ReadStatus::ok);
    EXPECT_EQ(f, 0.1f);
    // Just above the midpoint between 1 and the next float, closer than half a double's spacing:
    // rounded once to 32 bits it goes up; through a double it would stop on the tie and go to 1.
    ASSERT_EQ(reader.read_real32(f), ReadStatus::ok);
    EXPECT_EQ(f, std::nextafter(1.0f, 2.0f));
}

}  // namespace
}  // namespace platform
