// The forms layer: twips, the grid's cell indices, header and merged cells, numbers and texts
// under two regional settings, the sequential file and its error numbers.
#include "forms/common_dialog.h"
#include "forms/controls.h"
#include "forms/grid.h"
#include "forms/numbers.h"
#include "forms/seqfile.h"
#include "forms/twips.h"
#include "testsupport/runner.h"

#include <sys/stat.h>

#include <QFontMetrics>
#include <QTest>
#include <cerrno>
#include <gtest/gtest.h>

namespace {

TEST(FormsTwips, PixelsAreTwipsTimesDpiOver1440)
{
    struct Case {
        int twips;
        double dpi;
        int pixels;
    };
    const Case cases[] = {
        {15, 96, 1},       {15345, 96, 1023}, {6780, 96, 452},  {1440, 96, 96}, {1935, 96, 129},
        {1440, 120, 120},  {15345, 120, 1279}, {600, 120, 50},  {7, 96, 0},     {8, 96, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(forms::twipsToPixels(c.twips, c.dpi), c.pixels) << c.twips << " twips at " << c.dpi;
    }
    EXPECT_EQ(forms::pixelsToTwips(1023, 96), 15345);
    EXPECT_EQ(forms::pixelsToTwips(50, 120), 600);
}

// A text wider than its room is drawn condensed at the same size; one that fits, as it is.
TEST(FormsFonts, FittingFontCondensesOnlyWhatDoesNotFit)
{
    const QFont font = forms::sansSerifFont(forms::defaultFontPoints, false);
    const QString text = QString::fromUtf8("Směrodatná odch. jednotková po vyrovnání");
    const int natural = QFontMetrics(font).horizontalAdvance(text);
    EXPECT_EQ(forms::fittingFont(font, text, natural), font);
    const QFont narrower = forms::fittingFont(font, text, natural * 9 / 10);
    EXPECT_LE(QFontMetrics(narrower).horizontalAdvance(text), natural * 9 / 10);
    EXPECT_EQ(narrower.pointSizeF(), font.pointSizeF());
    EXPECT_EQ(narrower.bold(), font.bold());
}

class FormsGrid : public ::testing::Test {
protected:
    void SetUp() override { forms::setRegionalSettings({"."}); }
    forms::Grid grid{nullptr};
};

TEST_F(FormsGrid, CellIndexIsRowTimesColsPlusColumn)
{
    grid.setFormatString("číslo|     x|     y|     z|kód");
    grid.setRows(4);
    EXPECT_EQ(grid.cols(), 5);
    grid.setTextArray(2 * 5 + 3, "305.2");
    EXPECT_EQ(grid.textMatrix(2, 3), "305.2");
    EXPECT_EQ(grid.textArray(13), "305.2");
    // Outside the grid: nothing read, nothing written.
    grid.setTextArray(20, "x");
    EXPECT_EQ(grid.textArray(20), "");
    EXPECT_EQ(grid.textArray(-1), "");
    // More rows keep the cells; fewer drop the last.
    grid.setRows(8);
    EXPECT_EQ(grid.textArray(13), "305.2");
}

TEST_F(FormsGrid, HeaderFromFormatString)
{
    grid.setFormatString("Stanovisko|Cíl|^Směr|Váha");
    ASSERT_EQ(grid.cols(), 4);
    const char* expected[] = {"Stanovisko", "Cíl", "Směr", "Váha"};
    for (int c = 0; c < 4; ++c) EXPECT_EQ(grid.textArray(c), expected[c]);
    EXPECT_EQ(grid.textMatrix(0, 1), "Cíl");
}

TEST_F(FormsGrid, CurrentCellNeverInAFixedRowOrColumn)
{
    grid.setFormatString("a|b|c|d");
    grid.setRows(5);
    grid.setFixedRows(1);
    grid.setFixedCols(2);
    EXPECT_EQ(grid.row(), 1);
    EXPECT_EQ(grid.col(), 2);
    int moves = 0;
    int leaves = 0;
    grid.RowColChange = [&] { ++moves; };
    grid.LeaveCell = [&] { ++leaves; };
    grid.setRow(0);  // fixed row refused
    grid.setCol(1);  // fixed column refused
    grid.setRow(5);  // no such row
    EXPECT_EQ(moves, 0);
    grid.setRow(4);
    grid.setCol(3);
    EXPECT_EQ(moves, 2);
    EXPECT_EQ(leaves, 2);
    EXPECT_EQ(grid.row(), 4);
    grid.setRows(3);
    EXPECT_EQ(grid.row(), 2);
}

TEST_F(FormsGrid, MergeColShowsEqualNeighboursAsOne)
{
    grid.setFormatString("Stanovisko|Cíl");
    grid.setRows(8);
    const char* stations[] = {"1", "1", "2", "1", "", "", "1"};
    for (int r = 1; r <= 7; ++r) grid.setTextArray(r * 2, stations[r - 1]);
    grid.setTextArray(2 + 1, "1");  // a target equal to the station beside it does not merge
    EXPECT_EQ(grid.mergedRows(1, 0), std::make_pair(1, 1)) << "not merged before MergeCol";
    grid.setMergeCol(0, true);
    struct Case {
        int row, first, last;
    };
    const Case cases[] = {{1, 1, 2}, {2, 1, 2}, {3, 3, 3}, {4, 4, 4}, {5, 5, 5}, {6, 6, 6}, {7, 7, 7}};
    for (const auto& c : cases) EXPECT_EQ(grid.mergedRows(c.row, 0), std::make_pair(c.first, c.last)) << c.row;
    // The header row does not merge with a data row of the same text.
    grid.setTextArray(0, "1");
    EXPECT_EQ(grid.mergedRows(0, 0), std::make_pair(0, 0));
    EXPECT_EQ(grid.mergedRows(1, 1), std::make_pair(1, 1));
}

struct NumberCase {
    double value;
    const char* format;  // nullptr: the number's own text
    const char* point;   // "." for the C locale, "," for the Czech one
    const char* text;
};

TEST(FormsNumbers, FormatsUnderTwoRegionalSettings)
{
    const NumberCase cases[] = {
        {1234.56, "0.0", ".", "1234.6"},       {1234.56, "0.0", ",", "1234,6"},
        {1234.56, "#####0.0", ",", "1234,6"},  {1234.56, "###0.0", ".", "1234.6"},
        {0.04, "0.0", ".", "0.0"},             {0.04, "#####0.0", ",", "0,0"},
        {0.25, "0.0", ".", "0.3"},             {-1.25, "0.0", ",", "-1,3"},  // exact halves away from zero
        {1234567.89, "###0.0", ".", "1234567.9"}, {3, "#####0.0", ",", "3,0"},
        {0.1, nullptr, ".", "0.1"},            {0.1, nullptr, ",", "0,1"},
        {1234.5, nullptr, ".", "1234.5"},      {1234.5, nullptr, ",", "1234,5"},
        {3, nullptr, ",", "3"},                {-300, nullptr, ".", "-300"},
        {3317312.9, nullptr, ",", "3317312,9"}, {0.36, nullptr, ".", "0.36"},
    };
    for (const auto& c : cases) {
        forms::setRegionalSettings({c.point});
        const std::string text = c.format ? forms::formatNumber(c.value, c.format) : forms::numberText(c.value);
        EXPECT_EQ(text, c.text) << c.value << " as " << (c.format ? c.format : "own text") << " with " << c.point;
    }
    forms::setRegionalSettings({"."});
}

TEST(FormsNumbers, TextToNumberBySettingsAndLeadingNumberByPoint)
{
    forms::setRegionalSettings({","});
    EXPECT_EQ(forms::textToNumber("1234,6"), 1234.6);
    EXPECT_EQ(forms::textToNumber(" -0,5 "), -0.5);
    EXPECT_EQ(forms::textToNumber("1234.6"), std::nullopt);
    EXPECT_EQ(forms::textToNumber("12a"), std::nullopt);
    forms::setRegionalSettings({"."});
    EXPECT_EQ(forms::textToNumber("1234.6"), 1234.6);
    EXPECT_EQ(forms::textToNumber(""), std::nullopt);

    struct Case {
        const char* text;
        double value;
    };
    const Case cases[] = {{"12.7", 12.7}, {"-3.5", -3.5}, {"  12abc", 12}, {"x1", 0},  {"", 0},
                          {"1e3", 1000},  {"1e", 1},      {"2.5.1", 2.5},  {"12,7", 12}, {"+4", 4}};
    for (const auto& c : cases) EXPECT_EQ(forms::leadingNumber(c.text), c.value) << '"' << c.text << '"';
}

// KeyDown sees the key first; KeyPress then sees the character: a key replaced by 0 is
// swallowed, another code is typed in its place, and Change follows every change of the text.
TEST(FormsTextBox, KeyEventsDecideWhatIsTyped)
{
    forms::TextBox box(nullptr);
    std::string events;
    int changes = 0;
    box.KeyDown = [&](int& keyCode, int) {
        events += "D" + std::to_string(keyCode) + " ";
        if (keyCode == 0x2E) keyCode = 0;  // Delete
    };
    box.KeyPress = [&](int& keyAscii) {
        events += "P" + std::to_string(keyAscii) + " ";
        if (keyAscii == 'x') keyAscii = 0;
        if (keyAscii == 'a') keyAscii = 'b';
    };
    box.Change = [&] { ++changes; };
    QTest::keyClicks(&box, "1x2a");
    EXPECT_EQ(box.text(), "12b");
    EXPECT_EQ(changes, 3);
    box.setSelStart(0);
    QTest::keyClick(&box, Qt::Key_Delete);
    EXPECT_EQ(box.text(), "12b") << "a key code set to 0 in KeyDown does nothing more";
    EXPECT_EQ(events, "D49 P49 D88 P120 D50 P50 D65 P97 D46 ");
    box.setText("7");
    EXPECT_EQ(changes, 4);
}

TEST(FormsOpenDialog, FilterEntriesFindNamesOfEitherCase)
{
    const QStringList filters = forms::qtNameFilters("All Files (*.*)|*.*|Geo data (*.txt)|*.txt|Gsi data (*.GSI)|*.GSI");
    EXPECT_EQ(filters, (QStringList{"All Files (*.*) (*)", "Geo data (*.txt) (*.[tT][xX][tT])",
                                    "Gsi data (*.GSI) (*.[gG][sS][iI])"}));
}

TEST(FormsSequentialFile, ValuesOfALine)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(forms::splitValues("1 2 3317312.9 1.0"), (V{"1", "2", "3317312.9", "1.0"}));
    EXPECT_EQ(forms::splitValues("  1, 2 ,3\t4,"), (V{"1", "2", "3", "4"}));
    EXPECT_EQ(forms::splitValues("1,,2"), (V{"1", "", "2"}));
    EXPECT_EQ(forms::splitValues(""), V{});
}

TEST(FormsSequentialFile, ErrorNumbersOfAFailedOpen)
{
    testsupport::DataFolder folder;
    const std::string inside = (folder.path() / "name.txt").string();
    const std::string nowhere = (folder.path() / "missing" / "name.txt").string();
    struct Case {
        int error;
        const std::string& path;
        int number;
    };
    const Case cases[] = {
        {0, inside, 0},       {ENOENT, inside, 53},       {ENOENT, nowhere, 76}, {ENOTDIR, inside, 76},
        {EACCES, inside, 75}, {EISDIR, inside, 75},       {EROFS, inside, 75},   {ENAMETOOLONG, inside, 64},
        {ENXIO, inside, 68},  {ENODEV, inside, 68},       {ENOMEDIUM, inside, 71}, {EIO, inside, 71},
        {EMFILE, inside, 67}, {ENOSPC, inside, 57},
    };
    for (const auto& c : cases) EXPECT_EQ(forms::openErrorNumber(c.error, c.path), c.number) << c.error;

    // The same numbers from real opens.
    forms::SequentialFile file;
    using M = forms::SequentialFile::Mode;
    EXPECT_EQ(file.open("", M::input), 52);
    EXPECT_EQ(file.open(inside, M::input), 53);
    EXPECT_EQ(file.open(nowhere, M::input), 76);
    EXPECT_EQ(file.open(folder.path().string(), M::input), 75);
    const std::string fifo = (folder.path() / "fifo").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(file.open(fifo, M::input), 75) << "a FIFO without a writer is refused, not waited on";
    EXPECT_EQ(file.open((folder.path() / std::string(300, 'a')).string(), M::input), 64);
    EXPECT_FALSE(file.isOpen());
}

TEST(FormsSequentialFile, LinesRecordsAndPositionedOutput)
{
    testsupport::DataFolder folder;
    folder.write("in.txt", "'Title, with a comma'\r\n1 2,3.5 4 extra\r\n\r\n1 x\r\n1 2\r\nlast\x1a");
    forms::SequentialFile file;
    ASSERT_EQ(file.open((folder.path() / "in.txt").string(), forms::SequentialFile::Mode::input), 0);
    EXPECT_EQ(file.lineInput(), "'Title, with a comma'");
    EXPECT_EQ(file.recordInput(4), (std::vector<double>{1, 2, 3.5, 4}));
    EXPECT_EQ(file.recordInput(1), std::nullopt) << "an empty line";
    EXPECT_EQ(file.recordInput(2), std::nullopt) << "not a number";
    EXPECT_EQ(file.recordInput(3), std::nullopt) << "too few values";
    EXPECT_EQ(file.lineInput(), "last");
    EXPECT_TRUE(file.eof());
    EXPECT_EQ(file.lineInput(), std::nullopt);
    file.rewind();
    EXPECT_EQ(file.lineInput(), "'Title, with a comma'");
    file.close();

    const std::string out = (folder.path() / "TESTFILE").string();
    ASSERT_EQ(file.open(out, forms::SequentialFile::Mode::output), 0);
    file.print("1");
    file.tab(12);
    file.print("1000.0");
    file.tab(5);  // already past column 5: a new line first
    file.print("x");
    file.endLine();
    file.close();
    EXPECT_EQ(folder.read("TESTFILE"), "1          1000.0\n    x\n");
}

}  // namespace
