// CBODU and CBODUA: first equal entry wins, the used count limits the scan, the console line of
// a missing number.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "library/cbodu.h"
#include "platform/console.h"

namespace library {
namespace {

struct LookupCase {
    const char* name;
    std::vector<std::int16_t> list;
    Index IB;
    std::int16_t ICB;
    Status status;
    Index I;
    std::string screen;  // the console text, carriage control applied
};

std::ostream& operator<<(std::ostream& out, const LookupCase& c) { return out << c.name; }

class Lookup : public ::testing::TestWithParam<LookupCase> {};

TEST_P(Lookup, FindsTheFirstEqualEntryOrReportsTheNumber)
{
    const auto& c = GetParam();
    platform::ScriptConsole console;
    Index I = -99;
    EXPECT_EQ(CBODU(c.list.data(), static_cast<Index>(c.list.size()), c.IB, c.ICB, I, console), c.status);
    EXPECT_EQ(I, c.I);
    EXPECT_EQ(console.screen(), c.screen);
}

// The message is one free-format record: a blank (the carriage control), the text, and the
// number as an integer item right-aligned in 7 characters.
INSTANTIATE_TEST_SUITE_P(
    Library, Lookup,
    ::testing::Values(
        LookupCase{"DuplicateGivesLowestIndex", {5, 7, 5}, 3, 5, DONE, 1, ""},
        LookupCase{"SecondEntry", {5, 7, 5}, 3, 7, DONE, 2, ""},
        LookupCase{"OnlyUsedEntriesAreSearched", {5, 7, 9}, 2, 9, FAILED, 3,
                   "Procedura CBODU ... Hledane cislo neexistuje      9"},
        LookupCase{"EmptyList", {5, 7, 9}, 0, 5, FAILED, 1, "Procedura CBODU ... Hledane cislo neexistuje      5"},
        LookupCase{"NegativeCount", {5}, -2, 5, FAILED, 1, "Procedura CBODU ... Hledane cislo neexistuje      5"},
        LookupCase{"MinusOneIsANumberLikeAnyOther", {3, -1}, 2, -1, DONE, 2, ""},
        LookupCase{"NegativeNumberReported", {3, 4}, 2, -12, FAILED, 3,
                   "Procedura CBODU ... Hledane cislo neexistuje    -12"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CBODUA, ComparesAllSixCharacters)
{
    const PointName names[] = {{'A', 'B', 'C', ' ', ' ', ' '}, {'A', 'B', 'C', 'D', ' ', ' '}, {'A', 'B', 'C', 'D', ' ', ' '}};
    platform::ScriptConsole console;
    Index I = 0;
    EXPECT_EQ(CBODUA(names, 3, 3, PointName{'A', 'B', 'C', 'D', ' ', ' '}, I, console), DONE);
    EXPECT_EQ(I, 2);
    EXPECT_EQ(CBODUA(names, 3, 3, PointName{'A', 'B', 'C', 'E', ' ', ' '}, I, console), FAILED);
    EXPECT_EQ(I, 4);
    EXPECT_EQ(console.screen(), "Procedura CBODU ... Hledane cislo neexistujeABCE  ");
}

}  // namespace
}  // namespace library
