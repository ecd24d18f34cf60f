// The results window: the adjusted coordinates and the observations with their corrections in
// tables on tabbed pages, and the dialogue of adjusted slope distances. Closing it ends the
// program.
#pragma once
#include "forms/controls.h"
#include "forms/form.h"
#include "forms/grid.h"
#include "forms/tab_control.h"
#include "kavon/module.h"

namespace kavon {

class Form3 : public forms::Form {
public:
    Form3();

    forms::TabControl* SSTab1;  // "Souřadnice", " Charakteristiky "
    forms::Grid* Grid1;
    forms::Label* Label2;
    forms::TabControl* SSTab2;  // "Směry", "Zenitové úhly", "Šikmé délky"
    forms::Grid *Grid2, *Grid3, *Grid4;
    forms::Label* Label1;
    forms::CheckBox* Check1;
    forms::PictureBox* Picture1;  // the distance dialogue
    forms::ComboBox *Combo1, *Combo2;
    forms::Button* Command1;
    forms::Grid* Grid5;

    // The module data of the program, shared with the main window.
    ModuleData* data = nullptr;

    void Check1_Click();
    void Command1_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
};

}  // namespace kavon
