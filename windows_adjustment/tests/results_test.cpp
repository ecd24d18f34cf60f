// The results window after a press: the tables with their cells, formats and placement texts,
// the work file and the hidden list, and the dialogue of adjusted slope distances.
#include "kavon/form2.h"
#include "kavon/form3.h"
#include "kavon/work_file.h"
#include "session.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>

namespace kavon {
namespace {

// Two points fixed 500 mm apart, (0, 0, 0) and (300, 400, 0), and a third one seen from both
// by slope distances (one measured twice) and a zenith angle; point numbers 10, 20, 30.
const char* TRIANGLE =
    "'triangle'\n"
    "3 2 5 1 0\n"
    "10 7 0 0 0\n"
    "20 7 300 400 0\n"
    "30 1 50000 80000 2000\n"
    "-1\n"
    "-1\n"
    "10 30 997593.6 0.5\n"
    "-1\n"
    "10 30 94361.3 1\n"
    "20 30 93865.2 1\n"
    "10 30 94359.1 1\n"
    "-1\n";

class KavonResults : public ::testing::Test {
protected:
    void SetUp() override
    {
        s.openAndRead(s.file("net.txt", TRIANGLE));
        s.messages.clear();
    }
    Form3& f3() { return s.form1->form3(); }
    std::string cell(forms::Grid& g, int row, int col) { return g.textArray(row * g.cols() + col); }
    double x(int i) { return std::get<double>(s.form1->data.pointX[static_cast<std::size_t>(i)]); }
    void distance(int a, int b)
    {
        f3().Combo1->setListIndex(a);
        f3().Combo2->setListIndex(b);
        f3().Command1_Click();
    }

    test::Session s;
};

TEST_F(KavonResults, WindowAsDesigned)
{
    Form3& f = f3();
    struct TableCase {
        forms::Grid* grid;
        int fixedCols;
        std::vector<std::string> header;
        std::vector<int> widths;  // empty: the design widths
    };
    const std::vector<int> observationWidths{900, 900, 1400, 900, 600};
    const TableCase tables[] = {
        {f.Grid1, 1, {"Číslo bodu", "x", "dx", "y", "dy", "z", "dz", "kód", "umístění"},
         {600, 1400, 600, 1400, 600, 1000, 600, 600, 1600}},
        {f.Grid2, 2, {"Stanovisko", "cíl", "směr", "oprava", "váha"}, observationWidths},
        {f.Grid3, 2, {"Stanovisko", "cíl", "zenitový úhel", "oprava", "váha"}, observationWidths},
        {f.Grid4, 2, {"Stanovisko", "cíl", "šikmá délka", "oprava", "váha"}, observationWidths},
        {f.Grid5, 2, {"Číslo bodu 1", "číslo bodu 2", " vyrovnaná šikmá délka", " směrodatná odch."}, {}},
    };
    for (const auto& t : tables) {
        SCOPED_TRACE(t.header[0] + " " + t.header[2]);
        ASSERT_EQ(t.grid->cols(), static_cast<int>(t.header.size()));
        EXPECT_EQ(t.grid->rows(), 2);
        EXPECT_EQ(t.grid->fixedRows(), 1);
        EXPECT_EQ(t.grid->fixedCols(), t.fixedCols);
        for (int c = 0; c < t.grid->cols(); ++c) {
            EXPECT_EQ(t.grid->textArray(c), t.header[static_cast<std::size_t>(c)]);
            if (!t.widths.empty()) {
                EXPECT_EQ(t.grid->colWidth(c), t.widths[static_cast<std::size_t>(c)]) << c;
            }
        }
    }
    EXPECT_EQ(f.SSTab1->tabCaption(0), "Souřadnice");
    EXPECT_EQ(f.SSTab2->tabCaption(0), "Směry");
    EXPECT_EQ(f.SSTab2->tabCaption(1), "Zenitové úhly");
    EXPECT_EQ(f.Label1->caption(), "Dialog výpočtu vyrovnaných šikmých délek");
    EXPECT_TRUE(f.Label1->bold());
    EXPECT_EQ(f.Label2->caption(), "Zde mají být elipsoidy chyb, zatím se na nich pracuje");
    EXPECT_EQ(f.Label2->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(f.Label2->parentWidget(), f.SSTab1->page(1));
    // The lists cannot be typed into: "1.bod" and "2.bod" are shown until a point is chosen.
    EXPECT_EQ(f.Combo1->placeholderText().toStdString(), "1.bod");
    EXPECT_EQ(f.Combo2->placeholderText().toStdString(), "2.bod");
    EXPECT_EQ(f.Combo1->currentIndex(), -1);
    EXPECT_EQ(f.Command1->caption(), "Výpočet");
    EXPECT_TRUE(f.Check1->enabled());
    EXPECT_EQ(f.width(), forms::px(11235));
    EXPECT_EQ(f.height(), forms::px(9810));
}

TEST_F(KavonResults, TablesAfterOneAndAfterTwoPresses)
{
    s.form1->Command8_Click();
    const double x1 = x(3);
    s.form1->Command8_Click();
    const double x2 = x(3);
    s.form1->Command7_Click();
    ASSERT_TRUE(s.messages.empty());
    EXPECT_TRUE(f3().isVisible());
    forms::Grid& g1 = *f3().Grid1;
    ASSERT_EQ(g1.rows(), 4);
    // Point 30: the coordinates after both presses, the corrections of the second.
    EXPECT_EQ(cell(g1, 3, 0), "30");
    EXPECT_EQ(cell(g1, 3, 1), forms::formatNumber(x2, "#####0.0"));
    EXPECT_EQ(cell(g1, 3, 2), forms::formatNumber(x2 - x1, "#####0.0"));
    EXPECT_EQ(cell(g1, 3, 7), "1");
    EXPECT_EQ(cell(g1, 3, 8), "");
    // Point 20, fixed: its coordinates as read, zero corrections, its placement text.
    const std::vector<std::string> fixedRow = {"20", "300.0", "0.0", "400.0", "0.0", "0.0", "0.0", "7", "dx=0, dy=0, dz=0"};
    for (int c = 0; c < 9; ++c) EXPECT_EQ(cell(g1, 2, c), fixedRow[static_cast<std::size_t>(c)]) << c;

    // No directions, one zenith angle, three slope distances with their corrections in order.
    EXPECT_EQ(f3().Grid2->rows(), 1);
    forms::Grid& g3 = *f3().Grid3;
    ASSERT_EQ(g3.rows(), 2);
    EXPECT_EQ(cell(g3, 1, 0), "10");
    EXPECT_EQ(cell(g3, 1, 2), "997593.6");
    EXPECT_EQ(cell(g3, 1, 4), "0.5");
    forms::Grid& g4 = *f3().Grid4;
    ASSERT_EQ(g4.rows(), 4);
    const Results& r = *s.form1->data.results;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(cell(g4, i, 1), "30");
        EXPECT_EQ(cell(g4, i, 3), forms::formatNumber(r.V(1 + i, 1), "#####0.0"));
    }
    // The distance measured twice, 94361.3 and 94359.1: corrections of opposite sign.
    EXPECT_LT(r.V(2, 1) * r.V(4, 1), 0);
    EXPECT_EQ(cell(g4, 1, 2), "94361.3");
    EXPECT_TRUE(g4.mergeCol(1));
    EXPECT_TRUE(f3().Grid2->mergeCol(1));

    // A second press of the button refills the same rows.
    s.form1->Command7_Click();
    EXPECT_EQ(g1.rows(), 4);
    EXPECT_EQ(cell(g1, 3, 1), forms::formatNumber(x2, "#####0.0"));
    EXPECT_EQ(g4.rows(), 4);
}

TEST_F(KavonResults, PlacementTexts)
{
    struct Case {
        const char* code;
        const char* text;
    };
    const Case cases[] = {{"0", ""}, {"1", ""}, {"2", "směr"}, {"3", "Helmert"}, {"4", "dx=0, dy=0"},
                          {"5", "dy=0, dz=0"}, {"6", "dx=0, dz=0"}, {"7", "dx=0, dy=0, dz=0"}, {"8", ""},
                          {"-7", ""}, {"2.5", ""}};
    s.form1->Command8_Click();
    for (const Case& c : cases) {
        // The code cell of point 30 as the editing writes it back, shown as it stands.
        s.form1->data.pointCode[3] = std::string(c.code);
        s.form1->Command7_Click();
        EXPECT_EQ(cell(*f3().Grid1, 3, 7), c.code);
        EXPECT_EQ(cell(*f3().Grid1, 3, 8), c.text) << c.code;
    }
}

TEST_F(KavonResults, WorkFileAndHiddenList)
{
    s.form1->Command8_Click();
    s.form1->Command7_Click();
    const std::string file = s.folder.read(workFileName);
    const double dx = s.form1->data.results->H(7, 1);
    // Number in columns 1-10, x from column 12, dx from 25, y from 40.
    const auto lines = [](const std::string& text) {
        std::vector<std::string> result;
        std::size_t at = 0;
        for (std::size_t end; (end = text.find('\n', at)) != std::string::npos; at = end + 1)
            result.push_back(text.substr(at, end - at));
        return result;
    };
    const auto records = lines(file);
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0], "10         0.0          0.0            0.0");
    EXPECT_EQ(records[1], "20         300.0        0.0            400.0");
    EXPECT_EQ(records[2].substr(0, 11), "30         ");
    EXPECT_EQ(records[2].substr(11, 13), (forms::formatNumber(x(3), "0.0") + "             ").substr(0, 13));
    EXPECT_EQ(records[2].substr(24, 15), (forms::formatNumber(dx, "0.0") + "               ").substr(0, 15));
    EXPECT_EQ(records[2].substr(39), forms::formatNumber(std::get<double>(s.form1->data.pointY[3]), "0.0"));
    // A value that reaches the next column is followed by one blank.
    EXPECT_EQ(workFileRecord(12345678901.0, 1234567890123.4, -1, 2), "12345678901 1234567890123.4 -1.0       2.0");

    forms::ListBox& list = *s.form1->form2().List1;
    const int count = list.listCount();
    ASSERT_EQ(count, 7 + 3 + 6 + 1 + 10);
    EXPECT_EQ(list.list(0), "KAVON          ver. 1.01          3.4.2004");
    EXPECT_TRUE(std::regex_match(list.list(1), std::regex(R"(\d{1,2}\.\d{1,2}\.\d{4} {10}\d\d:\d\d:\d\d)"))) << list.list(1);
    EXPECT_EQ(list.list(2), "Název:  ");
    EXPECT_EQ(list.list(3), "     ");
    EXPECT_EQ(list.list(4), " Souřadnice");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(list.list(7 + i), records[static_cast<std::size_t>(i)]);
    EXPECT_EQ(list.list(11), "Číslo stanoviska          číslo cíle          Směr                              Váha          Oprava");
    EXPECT_EQ(list.list(count - 10), "text124.3");
    EXPECT_EQ(list.list(count - 1), "text133.3");
    EXPECT_FALSE(s.form1->form2().isVisible());

    // Each press writes the file anew and appends the lines again.
    s.form1->Command7_Click();
    EXPECT_EQ(s.folder.read(workFileName), file);
    EXPECT_EQ(list.listCount(), 2 * count);
}

TEST_F(KavonResults, AWorkFileThatCannotBeWrittenLeavesTheTablesFilled)
{
    s.form1->Command8_Click();
    std::filesystem::create_directory(s.folder.path() / workFileName);  // a folder in its place
    s.form1->Command7_Click();
    EXPECT_EQ(s.messages, std::vector<std::string>{texts::workFileFailed});
    EXPECT_EQ(cell(*f3().Grid1, 1, 0), "10");
    EXPECT_EQ(s.form1->form2().List1->listCount(), 0);
}

TEST_F(KavonResults, DistanceDialogue)
{
    s.form1->Command8_Click();
    s.form1->Command7_Click();
    EXPECT_FALSE(f3().Picture1->visible());
    f3().Check1_Click();
    EXPECT_FALSE(f3().Check1->enabled());
    EXPECT_TRUE(f3().Picture1->visible());
    ASSERT_EQ(f3().Combo1->listCount(), 3);
    EXPECT_EQ(f3().Combo1->list(0), "10");
    EXPECT_EQ(f3().Combo2->list(2), "30");
    EXPECT_EQ(f3().Combo1->listIndex(), -1);
    EXPECT_FALSE(f3().Combo1->isEditable());

    forms::Grid& g5 = *f3().Grid5;
    const int rows = g5.rows();
    // All four columns in view, with room for a vertical scroll bar of 255 twips.
    int widths = 0;
    for (int c = 0; c < 4; ++c) widths += g5.colWidth(c);
    EXPECT_LE(widths + 255, g5.width());
    f3().Command1_Click();  // nothing chosen
    distance(1, 1);         // the same point twice
    EXPECT_EQ(s.messages, (std::vector<std::string>{texts::chooseBothPoints, "Je zadán identický bod"}));
    EXPECT_EQ(g5.rows(), rows);

    // (0, 0, 0) to (300, 400, 0), both fixed: R is zero there, s = 500.0 and sigma = 0.0.
    distance(0, 1);
    EXPECT_EQ(cell(g5, 1, 0), "10");
    EXPECT_EQ(cell(g5, 1, 1), "20");
    EXPECT_EQ(cell(g5, 1, 2), "500.0");
    EXPECT_EQ(cell(g5, 1, 3), "0.0");
    // 10 to 30: sigma = sigma0Used sqrt(F R F^T), with F at point 30 only.
    distance(0, 2);
    const Results& r = *s.form1->data.results;
    const double d[3] = {x(3), std::get<double>(s.form1->data.pointY[3]), std::get<double>(s.form1->data.pointZ[3])};
    const double sd = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
    double q = 0;
    for (int a = 0; a < 3; ++a)
        for (int b = 0; b < 3; ++b) q += d[a] / sd * r.R(7 + a, 7 + b) * d[b] / sd;
    EXPECT_EQ(cell(g5, 2, 2), forms::formatNumber(sd, "#####0.0"));
    EXPECT_EQ(cell(g5, 2, 3), forms::formatNumber(s.form1->data.sigma0Used * std::sqrt(q), "#####0.0"));
    distance(2, 1);
    // Three distances: four data rows, the last one empty.
    EXPECT_EQ(g5.rows(), rows + 3);
    EXPECT_EQ(cell(g5, 3, 0), "30");
    for (int c = 0; c < 4; ++c) EXPECT_EQ(cell(g5, 4, c), "");
}

TEST_F(KavonResults, ClosingTheResultsWindowEndsTheProgram)
{
    s.form1->Command8_Click();
    s.form1->Command7_Click();
    f3().close();
    EXPECT_EQ(s.ends, 1);
}

TEST_F(KavonResults, TwoPointsAtOnePlaceGiveZeroWithoutDivision)
{
    s.form1->Command8_Click();
    s.form1->data.pointX[3] = 300.0;
    s.form1->data.pointY[3] = 400.0;
    s.form1->data.pointZ[3] = 0.0;
    s.form1->Command7_Click();
    f3().Check1_Click();
    distance(1, 2);
    EXPECT_EQ(cell(*f3().Grid5, 1, 2), "0.0");
    EXPECT_EQ(cell(*f3().Grid5, 1, 3), "0.0");
}

}  // namespace
}  // namespace kavon
