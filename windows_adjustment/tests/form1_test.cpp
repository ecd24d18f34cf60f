// The main window: its controls as designed, the order in which the buttons become usable, the
// Open flow with its error numbers, and the end of the program.
#include "kavon/form2.h"
#include "kavon/form3.h"
#include "kavon/texts.h"
#include "session.h"

#include <gtest/gtest.h>

namespace kavon {
namespace {

using test::Session;

struct Placed {
    const char* name;
    const QWidget* control;
    forms::TwipsRect rect;
};

template <class C>
forms::TwipsRect rectOf(const C& control)
{
    return {control.left(), control.top(), control.width(), control.height()};
}

TEST(KavonMainWindow, ControlsAsDesigned)
{
    Session s;
    Form1& f = *s.form1;
    EXPECT_EQ(f.caption(), "KAVON příprava vyrovnání prostorové sítě");
    EXPECT_EQ(f.width(), forms::px(15345));
    EXPECT_EQ(f.height(), forms::px(6780));

    struct ButtonCase {
        forms::Button* button;
        const char* caption;
        int top, height;
        bool visible, enabled;
    };
    const ButtonCase buttons[] = {
        {f.Command4, "Otevření souboru", 360, 615, true, true},
        {f.Command5, "Čtení ze souboru", 1080, 615, true, false},
        {f.Command6, "Zapsat změny", 1800, 495, false, true},
        {f.Command8, "Výpočet", 2400, 495, true, false},
        {f.Command7, "Zobrazení výsledků", 3960, 495, true, false},
        {f.Command10, "Dialog výpočtu", 4560, 615, true, false},
        {f.Command9, "Tisk", 5280, 495, true, false},
        {f.Command11, "Konec výpočtu", 5880, 495, true, true},
    };
    for (const auto& b : buttons) {
        SCOPED_TRACE(b.caption);
        EXPECT_EQ(b.button->caption(), b.caption);
        EXPECT_EQ(b.button->left(), 360);
        EXPECT_EQ(b.button->width(), 1935);
        EXPECT_EQ(b.button->top(), b.top);
        EXPECT_EQ(b.button->height(), b.height);
        EXPECT_EQ(b.button->visible(), b.visible);
        EXPECT_EQ(b.button->enabled(), b.enabled);
    }
    EXPECT_EQ(f.Command8->palette().color(QPalette::Button), QColor(192, 192, 192));

    // Hidden at start: the result, the a-priori panel, the tables and their captions, the editor.
    for (const QWidget* hidden : std::initializer_list<const QWidget*>{
             f.Label16, f.Text5, f.Label17, f.Picture1, f.Label5, f.Label1, f.Label2, f.Label3, f.Label4, f.Fl1,
             f.Fl2, f.Fl3, f.Fl4, f.TxtEdit})
        EXPECT_TRUE(hidden->isHidden()) << hidden->metaObject()->className();
    EXPECT_FALSE(f.Text5->enabled());
    EXPECT_EQ(f.TxtEdit->text(), "");

    const std::pair<forms::Label*, const char*> bold[] = {
        {f.Label6, "Směrodatné odchylky:"}, {f.Label7, "Směru:"}, {f.Label8, "Zenitového úhlu:"},
        {f.Label9, "Délky:"},              {f.Label13, "Jednotková"}, {f.Label5, "Zadané veličiny"},
        {f.Label2, "Souřadnice"},          {f.Label1, "Směry"},  {f.Label3, "Zenitové úhly"},
        {f.Label4, "Šikmé délky"},
    };
    for (const auto& [label, caption] : bold) {
        EXPECT_EQ(label->caption(), caption);
        EXPECT_TRUE(label->bold()) << caption;
    }
    EXPECT_EQ(f.Label5->font().pointSizeF(), 12);
    EXPECT_EQ(f.Label6->font().pointSizeF(), 9.75);
    EXPECT_FALSE(f.Label14->bold());
    EXPECT_EQ(f.Label17->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    // The a-priori combos: their texts and items, and nothing reads them.
    EXPECT_EQ(f.Combo1->text(), "1");
    EXPECT_EQ(f.Combo2->text(), "xyz");
    ASSERT_EQ(f.Combo1->listCount(), 2);
    EXPECT_EQ(f.Combo1->list(0), "0");
    EXPECT_EQ(f.Combo1->list(1), "1");
    ASSERT_EQ(f.Combo2->listCount(), 2);
    EXPECT_EQ(f.Combo2->list(0), "xyz");
    EXPECT_EQ(f.Combo2->list(1), "yxz");

    const Placed placed[] = {
        {"Picture1", f.Picture1, {4680, 840, 4335, 2775}}, {"Text1", f.Text1, {2040, 360, 1095, 285}},
        {"Text4", f.Text4, {2040, 1440, 1095, 285}},       {"Combo2", f.Combo2, {2520, 2280, 615, 315}},
        {"Fl1", f.Fl1, {9360, 840, 5415, 2775}},           {"Fl4", f.Fl4, {10800, 4080, 3975, 2535}},
        {"TxtEdit", f.TxtEdit, {10200, 1320, 735, 375}},
    };
    for (const auto& p : placed) {
        const QRect pixels = p.control->geometry();
        EXPECT_EQ(pixels, QRect(forms::px(p.rect.left), forms::px(p.rect.top), forms::px(p.rect.width),
                                forms::px(p.rect.height)))
            << p.name;
    }
}

// The sizes in twips were chosen for a narrower face than the system's may be: the caption of
// the result and the test's warning beside "Výpočet" show whole, condensed where they must be.
TEST(KavonMainWindow, ResultCaptionsShowWhole)
{
    Session s;
    Form1& f = *s.form1;
    f.Label17->setCaption(texts::testFailed);
    for (forms::Label* label : {f.Label16, f.Label17}) {
        SCOPED_TRACE(label->caption());
        const QFont shown = label->captionFont();
        EXPECT_LE(QFontMetrics(shown).horizontalAdvance(QString::fromStdString(label->caption())),
                  label->contentsRect().width());
        EXPECT_EQ(shown.pointSizeF(), label->font().pointSizeF()) << "the same size, only narrower";
        EXPECT_FALSE(label->grab().isNull());
    }
    // A caption that fits is drawn in the label's own font.
    EXPECT_EQ(f.Label7->captionFont(), f.Label7->font());
}

TEST(KavonMainWindow, TablesAsDesigned)
{
    Session s;
    Form1& f = *s.form1;
    struct TableCase {
        forms::Grid* grid;
        int rows, cols, fixedCols;
        std::vector<int> widths;
        std::vector<std::string> header;
    };
    const std::vector<std::string> observations{"Stanovisko", "Cíl", "Směr", "Váha"};
    const TableCase tables[] = {
        {f.Fl1, 20, 5, 1, {600, 1400, 1400, 1000, 600}, {"číslo", "     x", "     y", "     z", "kód"}},
        {f.Fl2, 2, 4, 2, {900, 900, 1200, 600}, observations},
        {f.Fl3, 2, 4, 2, {900, 900, 1200, 600}, observations},
        {f.Fl4, 2, 4, 2, {900, 900, 1400, 600}, observations},
    };
    for (const auto& t : tables) {
        EXPECT_EQ(t.grid->rows(), t.rows);
        ASSERT_EQ(t.grid->cols(), t.cols);
        EXPECT_EQ(t.grid->fixedRows(), 1);
        EXPECT_EQ(t.grid->fixedCols(), t.fixedCols);
        EXPECT_TRUE(t.grid->mergeCol(0));
        for (int c = 0; c < t.cols; ++c) {
            EXPECT_EQ(t.grid->colWidth(c), t.widths[c]);
            EXPECT_EQ(t.grid->textArray(c), t.header[c]);
        }
    }
    // Form_Load loaded the two other windows without showing them.
    EXPECT_TRUE(f.form2().loaded());
    EXPECT_TRUE(f.form3().loaded());
    EXPECT_FALSE(f.form2().isVisible());
    EXPECT_FALSE(f.form3().isVisible());
    EXPECT_TRUE(f.form3().Grid2->mergeCol(0));
    EXPECT_TRUE(f.form3().Grid4->mergeCol(0));
    EXPECT_TRUE(f.form3().Picture1->isHidden());
    EXPECT_EQ(f.form3().Grid1->colWidth(8), 1600);
    EXPECT_EQ(f.form3().caption(), "KAVON    Výsledky vyrovnání");
    EXPECT_EQ(f.form2().caption(), "KAVON výsledky vyrovnání");
    const Form3& r = f.form3();
    ASSERT_EQ(r.SSTab1->tabs(), 2);
    EXPECT_EQ(r.SSTab1->tabCaption(1), " Charakteristiky ");
    ASSERT_EQ(r.SSTab2->tabs(), 3);
    EXPECT_EQ(r.SSTab2->tabCaption(2), "Šikmé délky");
    EXPECT_EQ(r.Grid4->parentWidget(), r.SSTab2->page(2));
    EXPECT_EQ(r.Grid5->fixedCols(), 2);
    EXPECT_EQ(r.Grid5->textArray(2), " vyrovnaná šikmá délka");
}

TEST(KavonMainWindow, ButtonsBecomeUsableStepByStep)
{
    Session s;
    Form1& f = *s.form1;
    s.answers.push_back(s.file("net.txt", test::readingExample));
    f.Command4_Click();
    EXPECT_FALSE(f.Command4->enabled());
    EXPECT_TRUE(f.Command5->enabled());
    EXPECT_TRUE(f.Command6->isHidden());
    ASSERT_EQ(f.printedLines().size(), 1u);
    EXPECT_EQ(f.printedLines()[0], (s.folder.path() / "net.txt").string());

    f.Command5_Click();
    EXPECT_TRUE(s.messages.size() == 1) << "only the information message of the Open";
    for (const QWidget* shown : std::initializer_list<const QWidget*>{f.Fl1, f.Fl2, f.Fl3, f.Fl4, f.Label1, f.Label2,
                                                                       f.Label3, f.Label4, f.Label5, f.Picture1})
        EXPECT_FALSE(shown->isHidden());
    EXPECT_FALSE(f.Command5->enabled());
    EXPECT_FALSE(f.Command6->isHidden()) << "made visible by the a-priori boxes";
    EXPECT_FALSE(f.Command6->enabled());
    EXPECT_TRUE(f.Command8->enabled());
    EXPECT_FALSE(f.Command7->enabled());
    EXPECT_FALSE(f.Command9->enabled());
    EXPECT_FALSE(f.Command10->enabled());
    EXPECT_TRUE(f.Label16->isHidden());

    f.Fl1->setRow(2);  // any move of the current cell
    EXPECT_TRUE(f.Command6->enabled());
    f.Command6_Click();
    EXPECT_FALSE(f.Command6->enabled());
    f.Fl1->setCol(3);
    EXPECT_TRUE(f.Command6->enabled());

    // The combos of the a-priori panel change nothing.
    f.Combo2->setCurrentIndex(1);
    f.Combo1->setCurrentIndex(0);
    EXPECT_EQ(f.Fl1->textArray(6), "1000.0");
}

TEST(KavonMainWindow, KonecVypoctuEndsTheProgram)
{
    Session s;
    s.form1->Command11_Click();
    EXPECT_GE(s.ends, 1);
    EXPECT_FALSE(s.form1->form3().loaded());
    EXPECT_FALSE(s.form1->form2().loaded());
}

TEST(KavonMainWindow, ClosingTheWindowEndsTheProgram)
{
    Session s;
    s.form1->showForm();
    s.form1->close();
    EXPECT_EQ(s.ends, 1);
}

// The Open flow: what the open of the chosen name reports decides.
struct OpenCase {
    const char* what;
    std::vector<int> faults;  // error number of each open in turn (0: open as usual)
    std::vector<std::string> messages;
    bool opened;  // Command4 disabled, Command5 enabled, the name kept
};

void PrintTo(const OpenCase& open, std::ostream* out) { *out << open.what; }

class KavonOpen : public ::testing::TestWithParam<OpenCase> {};

TEST_P(KavonOpen, ErrorNumberDecides)
{
    const OpenCase& c = GetParam();
    Session s;
    const std::string path = s.file("net.txt", test::readingExample);
    std::size_t open = 0;
    forms::runtimeSeam().openFault = [&](const std::string&) { return open < c.faults.size() ? c.faults[open++] : 0; };
    for (std::size_t i = 0; i < c.faults.size(); ++i) s.answers.push_back(path);
    s.form1->Command4_Click();

    std::vector<std::string> expected{texts::chooseInputFile};
    expected.insert(expected.end(), c.messages.begin(), c.messages.end());
    EXPECT_EQ(s.messages, expected);
    EXPECT_EQ(s.requests.size(), c.faults.size()) << "one Open dialog per open";
    for (const auto& request : s.requests) {
        EXPECT_EQ(request.filter, "All Files (*.*)|*.*|Geo data (*.txt)|*.txt|Gsi data (*.GSI)|*.GSI");
        EXPECT_EQ(request.filterIndex, 2);
    }
    EXPECT_EQ(s.form1->Command4->enabled(), !c.opened);
    EXPECT_EQ(s.form1->Command5->enabled(), c.opened);
    EXPECT_EQ(s.form1->data.inputFileName, c.opened ? path : "");
}

INSTANTIATE_TEST_SUITE_P(
    kavon, KavonOpen,
    ::testing::Values(OpenCase{"opened", {0}, {}, true}, OpenCase{"file not found goes on", {53}, {}, true},
                      OpenCase{"access error goes on", {75}, {}, true}, OpenCase{"path not found goes on", {76}, {}, true},
                      OpenCase{"bad file name or number leaves", {52}, {}, false},
                      OpenCase{"bad file name leaves", {64}, {}, false},
                      OpenCase{"device unavailable asks again", {68, 0}, {"Drive nepřipraven"}, true},
                      OpenCase{"disk not ready asks again", {71, 0}, {"Zavři drive"}, true},
                      OpenCase{"any other number asks again", {57, 67, 0}, {"Fatální chyba", "Fatální chyba"}, true},
                      OpenCase{"asked again, then left", {68, 64}, {"Drive nepřipraven"}, false}),
    [](const auto& info) {
        std::string name = info.param.what;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
        return name;
    });

TEST(KavonMainWindow, OpenWithTheRealFileSystem)
{
    {  // a cancel: no name, so nothing changes and the user may open again
        Session s;
        s.form1->Command4_Click();
        EXPECT_TRUE(s.form1->Command4->enabled());
        EXPECT_FALSE(s.form1->Command5->enabled());
        EXPECT_TRUE(s.form1->printedLines().empty());
    }
    {  // a name that does not exist: reading is enabled and then fails
        Session s;
        const std::string missing = (s.folder.path() / "missing.txt").string();
        s.answers.push_back(missing);
        s.form1->Command4_Click();
        EXPECT_FALSE(s.form1->Command4->enabled());
        ASSERT_TRUE(s.form1->Command5->enabled());
        EXPECT_EQ(s.form1->data.inputFileName, missing);
        s.form1->Command5_Click();
        EXPECT_EQ(s.messages.back(), "Chyba ve čtení souboru");
        EXPECT_TRUE(s.form1->Command5->enabled());
        EXPECT_FALSE(s.form1->Command8->enabled());
    }
    {  // the dialog itself fails: its message, then the open of the empty name leaves
        Session s;
        forms::runtimeSeam().openDialog = [](const forms::OpenDialogRequest&) -> std::string {
            throw std::runtime_error("no dialog");
        };
        s.form1->Command4_Click();
        ASSERT_EQ(s.messages.size(), 2u);
        EXPECT_EQ(s.messages[1], "Chyba při otevírání souboru");
        EXPECT_TRUE(s.form1->Command4->enabled());
    }
}

}  // namespace
}  // namespace kavon
