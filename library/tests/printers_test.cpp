// The matrix printers: column numbers above the values, the row number on each row, F10.3
// values ten to a line, nothing when the columns exceed the label table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "library/madarith.h"
#include "library/uncalled.h"
#include "platform/sink.h"

namespace library {
namespace {

TEST(MADTSK, HeadingThenNumberedRows)
{
    Matrix A(3, 3);
    A(1, 1) = 1.0;
    A(1, 2) = -2.5;
    A(2, 1) = 1234.5678;
    A(2, 2) = 0.0004;
    platform::StringSink out;
    MADTSK(A, 2, 2, out);
    // " " + 5 blanks, then each column number right-aligned in 10; rows: " " + I5 + F10.3.
    const std::vector<std::string> expected{std::string(15, ' ') + "1" + std::string(9, ' ') + "2",
                                            "     1     1.000    -2.500",
                                            "     2  1234.568     0.000",
                                            ""};
    EXPECT_EQ(out.lines, expected);
}

TEST(MADTSK, ElevenColumnsMakeTwoGroups)
{
    Matrix A(1, 11);
    for (int j = 1; j <= 11; ++j) A(1, j) = j;
    platform::StringSink out;
    MADTSD(A, 1, 11, out);
    ASSERT_EQ(out.lines.size(), 6u);
    EXPECT_EQ(out.lines[0].size(), 1u + 5 + 100);
    EXPECT_EQ(out.lines[0].substr(96), "        10");
    EXPECT_EQ(out.lines[1].substr(96), "    10.000");
    EXPECT_EQ(out.lines[3], std::string(14, ' ') + "11");
    EXPECT_EQ(out.lines[4], "     1    11.000");
}

TEST(Printers, NothingBeyondTheLabelTable)
{
    Matrix A(2, 141);
    platform::StringSink out;
    MADTSK(A, 1, 101, out);
    MADTSD(A, 1, 101, out);
    MADTST(A, 1, 141, out);
    EXPECT_TRUE(out.lines.empty());
    MADTSK(A, 1, 100, out);
    EXPECT_EQ(out.lines.size(), 10u * 3);
    out.lines.clear();
    MADTST(A, 1, 140, out);
    EXPECT_EQ(out.lines.size(), 14u * 3);
}

TEST(MADPRN, OneRecordPerRowWithoutHeadings)
{
    Matrix A(2, 12);
    for (int j = 1; j <= 12; ++j) A(2, j) = -j;
    platform::StringSink out;
    MADPRN(A, 2, 12, out);
    ASSERT_EQ(out.lines.size(), 2u);
    std::string zeros = " ";
    for (int j = 0; j < 12; ++j) zeros += "     0.000";
    EXPECT_EQ(out.lines[0], zeros);
    EXPECT_EQ(out.lines[1].substr(1, 20), "    -1.000    -2.000");
    EXPECT_EQ(out.lines[1].size(), 121u);
}

}  // namespace
}  // namespace library
