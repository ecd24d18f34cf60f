// Reading the input file: the counts, arrays, RC, the text boxes and the four tables, and the
// read errors, among them the faults of reading values in sequence across lines.
#include "session.h"

#include <gtest/gtest.h>

namespace kavon {
namespace {

using test::Session;

std::vector<std::string> row(const forms::Grid& grid, int r)
{
    std::vector<std::string> cells;
    for (int c = 0; c < grid.cols(); ++c) cells.push_back(grid.textMatrix(r, c));
    return cells;
}

using Row = std::vector<std::string>;

TEST(KavonReader, ReadingExample)
{
    Session s;
    s.openAndRead(s.file("net.txt", test::readingExample));
    const Form1& f = *s.form1;
    const ModuleData& d = f.data;
    ASSERT_EQ(s.messages.size(), 1u) << s.messages.back();
    EXPECT_EQ(d.nPoints, 3);
    EXPECT_EQ(d.nDirections, 6);
    EXPECT_EQ(d.nDirectionSets, 2);
    EXPECT_EQ(d.nZenithAngles, 4);
    EXPECT_EQ(d.nSlopeDistances, 2);
    EXPECT_EQ(f.Fl1->rows(), 4);
    EXPECT_EQ(f.Fl2->rows(), 7);
    EXPECT_EQ(f.Fl3->rows(), 5);
    EXPECT_EQ(f.Fl4->rows(), 3);

    // The arrays as read, from index 1.
    EXPECT_EQ(d.pointNumber[3], 3);
    EXPECT_EQ(std::get<double>(d.pointCode[1]), 7);
    EXPECT_EQ(std::get<double>(d.pointX[2]), 1350.04);
    EXPECT_EQ(std::get<double>(d.pointZ[3]), 305.2);
    EXPECT_EQ(d.dirTarget[6], 5);
    EXPECT_EQ(d.dirValue[6], 1347752);
    EXPECT_EQ(d.zenStation[4], 3);
    EXPECT_EQ(d.zenWeight[4], 0.36);
    EXPECT_EQ(d.distTarget[2], 3);
    EXPECT_EQ(d.distValue[2], 344859.6);
    EXPECT_EQ(d.sigma0, 1.5);
    EXPECT_EQ(d.sigma0Used, 1.5);
    // RC = (1000 + 2000 + 1350.04 + 2120 + 1179.96 + 2419.8) / 6
    EXPECT_DOUBLE_EQ(d.RC, 10069.8 / 6);

    // The a-priori boxes: direction, zenith angle (third value), slope distance (second), unit.
    EXPECT_EQ(f.Text1->text(), "3.0");
    EXPECT_EQ(f.Text2->text(), "5.0");
    EXPECT_EQ(f.Text3->text(), "2.0");
    EXPECT_EQ(f.Text4->text(), "1.5");

    EXPECT_EQ(row(*f.Fl1, 2), (Row{"2", "1350.0", "2120.0", "310.5", "2"}));
    EXPECT_EQ(row(*f.Fl1, 3), (Row{"3", "1180.0", "2419.8", "305.2", "0"}));
    EXPECT_EQ(row(*f.Fl2, 6), (Row{"2", "5", "1347752", "1"}));
    EXPECT_EQ(row(*f.Fl3, 1), (Row{"1", "2", "981947.1", "0.36"}));
    EXPECT_EQ(row(*f.Fl4, 2), (Row{"2", "3", "344859.6", "2.25"}));
    EXPECT_EQ(f.Fl2->mergedRows(2, 0), std::make_pair(1, 3));
}

TEST(KavonReader, TablesUseTheRegionalDecimalSeparator)
{
    Session s(",");
    s.openAndRead(s.file("net.txt",
                         "title\n3 2 5 1 0\n"
                         "1 0 1234.56 0.04 -2.25\n-1\n1 2 100.5 0.36\n1 3 200 1\n-1\n-1\n"));
    const Form1& f = *s.form1;
    EXPECT_EQ(row(*f.Fl1, 1), (Row{"1", "1234,6", "0,0", "-2,3", "0"}));
    EXPECT_EQ(row(*f.Fl2, 1), (Row{"1", "2", "100,5", "0,36"}));
    EXPECT_EQ(f.Text4->text(), "1,0");
}

TEST(KavonReader, ReaderRules)
{
    {  // stations 1, 1, 2, 1: a station that comes again starts a new set
        Session s;
        s.openAndRead(s.file("a.txt", "t\n1 1 1 1 1\n1 0 0 0 0\n-1\n1 2 0 1\n1 3 0 1\n2 1 0 1\n1 4 0 1\n-1\n-1\n"));
        EXPECT_EQ(s.form1->data.nDirectionSets, 3);
    }
    {  // RC = (100 + 200 + 300 + 400) / (2 × 2) = 250
        Session s;
        s.openAndRead(s.file("a.txt", "t\n1 1 1 1 1\n1 0 100 200 0\n2 0 -300 400 0\n-1\n-1\n-1\n"));
        EXPECT_EQ(s.form1->data.RC, 250);
        EXPECT_EQ(s.form1->data.nDirectionSets, 0) << "no direction, no direction set";
        EXPECT_TRUE(s.form1->Command8->enabled());
    }
    {  // more slope distances than zenith angles; a weight below 0.001 and sigma0 below 0.01 as
       // read; the fifth a-priori value unused; a title of any form; lines after a fourth
       // terminator ignored; a terminator is any line beginning with "-"
        Session s;
        s.openAndRead(s.file("a.txt",
                             "Sit 1 without apostrophes, 3\n1 2 3 0.005 99\n1 0 1 2 3\n-----\n-1\n"
                             "1 2 5 0.0005\n-\n1 2 10 0\n1 3 20 1\n2 3 30 1\n-1 end\n99 bad line\n"));
        const ModuleData& d = s.form1->data;
        ASSERT_EQ(s.messages.back(), texts::chooseInputFile) << "no read error";
        EXPECT_EQ(d.nZenithAngles, 1);
        EXPECT_EQ(d.zenWeight[1], 0.0005);
        EXPECT_EQ(d.sigma0, 0.005);
        EXPECT_EQ(d.nSlopeDistances, 3);
        EXPECT_EQ(d.distValue[3], 30);
        EXPECT_EQ(s.form1->Fl4->rows(), 4);
    }
}

// Files that cannot be read: "Chyba ve čtení souboru", and Výpočet stays disabled.
struct BadFile {
    const char* what;
    const char* text;
};

void PrintTo(const BadFile& file, std::ostream* out) { *out << file.what; }

class KavonReadError : public ::testing::TestWithParam<BadFile> {};

TEST_P(KavonReadError, ShowsTheMessage)
{
    Session s;
    s.openAndRead(s.file("bad.txt", GetParam().text));
    ASSERT_EQ(s.messages.size(), 2u);
    EXPECT_EQ(s.messages[1], "Chyba ve čtení souboru");
    EXPECT_TRUE(s.form1->Command5->enabled());
    EXPECT_FALSE(s.form1->Command8->enabled());
}

// Each record is read from its own line: the faults of reading values in sequence across lines
// (a blank line, a short line or a record over two lines shifted every later value) now stop.
INSTANTIATE_TEST_SUITE_P(
    kavon, KavonReadError,
    ::testing::Values(
        BadFile{"blank_line_in_a_section", "t\n1 1 1 1 1\n1 0 1 2 3\n\n-1\n-1\n-1\n"},
        BadFile{"point_with_number_and_code_only", "t\n1 1 1 1 1\n1 0 1 2 3\n2 -3\n-1\n-1\n-1\n"},
        BadFile{"record_over_two_lines", "t\n1 1 1 1 1\n1 0\n1 2 3\n-1\n-1\n-1\n"},
        BadFile{"value_not_a_number", "t\n1 1 1 1 1\n1 0 1 2 3\n-1\n1 2 3O0 1\n-1\n-1\n"},
        BadFile{"short_apriori_line", "t\n1 1 1 1\n1 0 1 2 3\n-1\n-1\n-1\n"},
        BadFile{"no_points", "t\n1 1 1 1 1\n-1\n1 2 3 1\n-1\n-1\n"},
        BadFile{"fewer_than_two_lines_before_the_first_terminator", "t\n-1\n-1\n-1\n"},
        BadFile{"two_terminators_only", "t\n1 1 1 1 1\n1 0 1 2 3\n-1\n1 2 3 1\n-1\n1 2 3 1\n"},
        BadFile{"slope_distance_target_outside_16_bits", "t\n1 1 1 1 1\n1 0 1 2 3\n-1\n-1\n-1\n1 32768 5 1\n"},
        BadFile{"empty_file", ""}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(KavonReader, ExtraValuesAreIgnored)
{
    // A value too many on a line shifted every later value; now the rest of the line is ignored.
    Session s;
    s.openAndRead(s.file("a.txt", "t\n1 1 1 1 1 9 9\n1 0 1 2 3 4\n2 0 5 6 7\n-1\n1 2 10 1 99\n1 3 20 1\n-1\n-1\n"));
    const ModuleData& d = s.form1->data;
    EXPECT_EQ(std::get<double>(d.pointX[2]), 5);
    EXPECT_EQ(d.dirValue[2], 20);
    EXPECT_EQ(d.dirWeight[1], 1);
}

TEST(KavonReader, SecondPressReadsFromTheStart)
{
    // A press after a failed one counted the rest of the file; each press now starts anew.
    Session s;
    const std::string path = s.file("a.txt", "t\n1 1 1 1 1\n1 0 1 2 3\n2 0 x 5 6\n-1\n1 2 10 1\n-1\n-1\n");
    s.openAndRead(path);
    ASSERT_EQ(s.messages.back(), "Chyba ve čtení souboru");
    // What the failed press filled stays: the text boxes were set before the points were read.
    EXPECT_EQ(s.form1->Text1->text(), "1.0");
    EXPECT_FALSE(s.form1->Command6->isHidden());

    s.file("a.txt", "t\n1 1 1 1 1\n1 0 1 2 3\n2 0 4 5 6\n-1\n1 2 10 1\n-1\n-1\n");
    s.form1->Command5_Click();
    EXPECT_EQ(s.messages.size(), 2u);
    EXPECT_EQ(s.form1->data.nPoints, 2);
    EXPECT_EQ(s.form1->data.nDirections, 1);
    EXPECT_EQ(std::get<double>(s.form1->data.pointX[2]), 4);
    EXPECT_TRUE(s.form1->Command8->enabled());
}

}  // namespace
}  // namespace kavon
