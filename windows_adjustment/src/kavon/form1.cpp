// The main window: its controls, Form_Load and the end of the program.
#include "kavon/form1.h"

#include "forms/runtime.h"
#include "kavon/design.h"
#include "kavon/form2.h"
#include "kavon/form3.h"
#include "kavon/texts.h"

namespace kavon {

namespace {

constexpr double titlePoints = 12;
constexpr forms::Rgb lightGrey{192, 192, 192};
constexpr forms::Rgb red{255, 0, 0};

}  // namespace

Form1::Form1()
    : forms::Form(texts::form1Caption, 15345, 6780), form2_(std::make_unique<Form2>()), form3_(std::make_unique<Form3>())
{
    form3_->data = &data;
    buildButtons();
    buildResult();
    buildAprioriPanel();
    buildTables();
    connectHandlers();
}

Form1::~Form1() = default;

void Form1::buildButtons()
{
    // All buttons stand at left 360, 1935 twips wide.
    const auto button = [this](const char* caption, int top, int height) {
        auto* b = new forms::Button(this, caption);
        b->place(360, top, 1935, height);
        return b;
    };
    Command4 = button("Otevření souboru", 360, 615);
    Command5 = button("Čtení ze souboru", 1080, 615);
    Command5->setEnabled(false);
    Command6 = button("Zapsat změny", 1800, 495);
    Command6->hide();
    Command8 = button("Výpočet", 2400, 495);
    Command8->setEnabled(false);
    Command8->setBackColor(lightGrey);
    Command7 = button("Zobrazení výsledků", 3960, 495);
    Command7->setEnabled(false);
    Command10 = button("Dialog výpočtu", 4560, 615);
    Command10->setEnabled(false);
    Command9 = button("Tisk", 5280, 495);
    Command9->setEnabled(false);
    Command11 = button("Konec výpočtu", 5880, 495);
}

void Form1::buildResult()
{
    Label16 = label(this, "Směrodatná odch. jednotková po vyrovnání", 480, 3120, 3255, 255);
    Label16->hide();
    Text5 = textBox(this, 3840, 3120, 735, 285);
    Text5->hide();
    Text5->setEnabled(false);
    Label17 = label(this, "", 480, 3480, 3255, 255);
    Label17->setForeColor(red);
    Label17->hide();
}

void Form1::buildAprioriPanel()
{
    Picture1 = new forms::PictureBox(this);
    Picture1->place(4680, 840, 4335, 2775);
    Picture1->hide();
    QWidget* panel = Picture1;
    // Each a-priori value stands beside its own label: the slope-distance value (second of the
    // file) beside "Délky:", the zenith-angle value (third) beside "Zenitového úhlu:".
    Label6 = boldLabel(panel, "Směrodatné odchylky:", 0, 0, 2895, 255);
    Label7 = boldLabel(panel, "Směru:", 120, 360, 1575, 255);
    Text1 = textBox(panel, 2040, 360, 1095, 285);
    Label10 = label(panel, "cc", 3360, 360, 375, 255);
    Label8 = boldLabel(panel, "Zenitového úhlu:", 120, 720, 1935, 255);
    Text2 = textBox(panel, 2040, 720, 1095, 285);
    Label11 = label(panel, "cc", 3360, 720, 495, 255);
    Label9 = boldLabel(panel, "Délky:", 120, 1080, 1575, 375);
    Text3 = textBox(panel, 2040, 1080, 1095, 285);
    Label12 = label(panel, "mm", 3360, 1080, 495, 255);
    Label13 = boldLabel(panel, "Jednotková", 120, 1440, 1455, 375);
    Text4 = textBox(panel, 2040, 1440, 1095, 285);
    Label14 = label(panel, "Počet desetinných míst", 120, 2040, 2055, 255);
    Combo1 = new forms::ComboBox(panel);
    Combo1->place(2520, 1920, 615, 315);
    Combo1->setText("1");
    Label15 = label(panel, "Souřadnicový systém", 120, 2280, 2055, 375);
    Combo2 = new forms::ComboBox(panel);
    Combo2->place(2520, 2280, 615, 315);
    Combo2->setText("xyz");
}

void Form1::buildTables()
{
    Label5 = boldLabel(this, "Zadané veličiny", 4680, 240, 2895, 375, titlePoints);
    Label5->hide();
    const auto hiddenTable = [this](int left, int top, int width, int height, int rows, int fixedCols,
                                     const char* header) {
        auto* grid = table(this, left, top, width, height, rows, fixedCols, header);
        grid->hide();
        return grid;
    };
    const auto caption = [this](const char* text, int left, int top) {
        auto* l = boldLabel(this, text, left, top, 2415, 255);
        l->hide();
        return l;
    };
    Label2 = caption("Souřadnice", 9360, 480);
    Fl1 = hiddenTable(9360, 840, 5415, 2775, 20, 1, texts::pointHeader);
    Label1 = caption("Směry", 2640, 3840);
    Fl2 = hiddenTable(2640, 4080, 3975, 2535, 2, 2, texts::observationHeader);
    Label3 = caption("Zenitové úhly", 6720, 3840);
    Fl3 = hiddenTable(6720, 4080, 3975, 2535, 2, 2, texts::observationHeader);
    Label4 = caption("Šikmé délky", 10800, 3840);
    Fl4 = hiddenTable(10800, 4080, 3975, 2535, 2, 2, texts::observationHeader);

    TxtEdit = textBox(this, 10200, 1320, 735, 375);
    TxtEdit->hide();
}

void Form1::connectHandlers()
{
    Command4->Click = [this] { Command4_Click(); };
    Command5->Click = [this] { Command5_Click(); };
    Command6->Click = [this] { Command6_Click(); };
    Command7->Click = [this] { Command7_Click(); };
    Command8->Click = [this] { Command8_Click(); };
    Command11->Click = [this] { Command11_Click(); };
    Fl1->DblClick = [this] { Fl1_DblClick(); };
    Fl1->KeyPress = [this](int& keyAscii) { Fl1_KeyPress(keyAscii); };
    Fl1->GotFocus = [this] { Fl1_GotFocus(); };
    Fl1->LeaveCell = [this] { Fl1_LeaveCell(); };
    Fl1->RowColChange = [this] { Fl1_RowColChange(); };
    TxtEdit->KeyDown = [this](int& keyCode, int shift) { TxtEdit_KeyDown(keyCode, shift); };
    TxtEdit->KeyPress = [this](int& keyAscii) { TxtEdit_KeyPress(keyAscii); };
    Text3->Change = [this] { Text3_Change(); };
    Text4->Change = [this] { Text4_Change(); };
}

void Form1::Form_Load()
{
    form2().load();
    form2().hideForm();
    Combo1->addItem("0");
    Combo1->addItem("1");
    Combo2->addItem("xyz", 0);
    Combo2->addItem("yxz", 1);
    Command7->setEnabled(false);
    Command8->setEnabled(false);
    Command9->setEnabled(false);
    Command10->setEnabled(false);
    Picture1->hide();
    TxtEdit->setText("");
    setColWidths(*Fl1, {600, 1400, 1400, 1000, 600});
    Fl1->setMergeCol(0, true);
    setColWidths(*Fl2, {900, 900, 1200, 600});
    Fl2->setMergeCol(0, true);
    form3().load();  // the results window, loaded without being shown
    form3().Grid2->setMergeCol(0, true);
    setColWidths(*Fl3, {900, 900, 1200, 600});
    Fl3->setMergeCol(0, true);
    form3().Grid3->setMergeCol(0, true);
    setColWidths(*Fl4, {900, 900, 1400, 600});
    Fl4->setMergeCol(0, true);
    form3().Grid4->setMergeCol(0, true);
}

void Form1::Command11_Click()
{
    form3().unload();
    form2().unload();
    forms::endProgram();
}

void Form1::Form_Unload() { forms::endProgram(); }

}  // namespace kavon
