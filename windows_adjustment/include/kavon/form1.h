// The main window: the column of workflow buttons, the a-priori panel, the four tables of the
// network as read, and the result of the computation. Its handlers carry the workflow: open a
// file, read it, edit the point table and write it back, end.
#pragma once
#include "forms/common_dialog.h"
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/grid.h"
#include "forms/seqfile.h"
#include "kavon/module.h"

#include <array>
#include <memory>

namespace kavon {

class Form2;
class Form3;

class Form1 : public forms::Form {
public:
    Form1();
    ~Form1() override;

    ModuleData data;
    forms::SequentialFile file2;  // the input file
    forms::CommonDialog CMDialog1;

    // The workflow buttons, top to bottom.
    forms::Button* Command4;   // "Otevření souboru"
    forms::Button* Command5;   // "Čtení ze souboru"
    forms::Button* Command6;   // "Zapsat změny"
    forms::Button* Command8;   // "Výpočet"
    forms::Button* Command7;   // "Zobrazení výsledků"
    forms::Button* Command10;  // "Dialog výpočtu", never enabled
    forms::Button* Command9;   // "Tisk", never enabled
    forms::Button* Command11;  // "Konec výpočtu"

    // The result of the computation.
    forms::Label* Label16;
    forms::TextBox* Text5;
    forms::Label* Label17;

    // The a-priori panel and its controls.
    forms::PictureBox* Picture1;
    forms::Label *Label6, *Label7, *Label8, *Label9, *Label10, *Label11, *Label12, *Label13, *Label14, *Label15;
    forms::TextBox *Text1, *Text2, *Text3, *Text4;
    forms::ComboBox *Combo1, *Combo2;

    // The tables and their captions.
    forms::Label* Label5;  // "Zadané veličiny"
    forms::Label *Label1, *Label2, *Label3, *Label4;
    forms::Grid *Fl1, *Fl2, *Fl3, *Fl4;
    forms::TextBox* TxtEdit;  // the floating editor of Fl1

    Form2& form2() { return *form2_; }
    Form3& form3() { return *form3_; }

    // Handlers.
    void ShowOpenDialog(int filterIndex);
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command11_Click();
    void Fl1_DblClick();
    void Fl1_KeyPress(int& keyAscii);
    void Fl1_GotFocus();
    void Fl1_LeaveCell();
    void Fl1_RowColChange();
    void TxtEdit_KeyDown(int& keyCode, int shift);
    void TxtEdit_KeyPress(int& keyAscii);
    void Text3_Change();
    void Text4_Change();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    // How a press of "Výpočet" ended.
    enum class PressEnd { completed, noRedundancy, stopped };
    PressEnd press();
    void buildButtons();
    void buildResult();
    void buildAprioriPanel();
    void buildTables();
    void connectHandlers();
    // Steps of Command5_Click after the reading: the text boxes and the tables.
    void fillAprioriBoxes(const std::array<double, 5>& apriori);
    void fillPointTable();
    void fillObservationTable(forms::Grid& grid, forms::Label& caption, int count, const std::vector<double>& station,
                              const std::vector<double>& target, const std::vector<double>& value,
                              const std::vector<double>& weight);
    // Steps of Command7_Click: the coordinates and the tables of measured quantities with the
    // corrections V(before + i).
    void fillCoordinateTable();
    void fillResultTable(forms::Grid& grid, int count, int before, const std::vector<double>& station,
                         const std::vector<double>& target, const std::vector<double>& value,
                         const std::vector<double>& weight);
    // Commit of the floating editor into the current cell of Fl1.
    void commitEdit();

    std::unique_ptr<Form2> form2_;
    std::unique_ptr<Form3> form3_;
};

}  // namespace kavon
