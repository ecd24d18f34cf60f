// The results window: its controls and Form_Load.
#include "kavon/form3.h"

#include "forms/runtime.h"
#include "kavon/design.h"
#include "kavon/texts.h"

namespace kavon {


Form3::Form3() : forms::Form(texts::form3Caption, 11235, 9810)
{
    SSTab1 = new forms::TabControl(this, {"Souřadnice", " Charakteristiky "});
    SSTab1->place(120, 120, 9255, 3855);
    Grid1 = table(SSTab1->page(0), 480, 480, 8535, 3135, 2, 1, "Číslo bodu|x|dx|y|dy|z|dz|kód|umístění");
    Label2 = label(SSTab1->page(1), "Zde mají být elipsoidy chyb, zatím se na nich pracuje", 480, 480, 8535, 255);
    Label2->setForeColor({255, 0, 0});

    SSTab2 = new forms::TabControl(this, {"Směry", "Zenitové úhly", "Šikmé délky"});
    SSTab2->place(240, 4200, 5295, 5415);
    Grid2 = table(SSTab2->page(0), 120, 480, 4815, 4815, 2, 2, "Stanovisko|cíl|směr|oprava|váha");
    Grid3 = table(SSTab2->page(1), 120, 480, 4815, 4815, 2, 2, "Stanovisko|cíl|zenitový úhel|oprava|váha");
    Grid4 = table(SSTab2->page(2), 120, 480, 4815, 4815, 2, 2, "Stanovisko|cíl|šikmá délka|oprava|váha");

    Label1 = boldLabel(this, "Dialog výpočtu vyrovnaných šikmých délek", 5760, 4200, 4935, 255);
    Check1 = new forms::CheckBox(this);
    Check1->place(10560, 4200, 375, 255);

    Picture1 = new forms::PictureBox(this);
    Picture1->place(5760, 4560, 5295, 5055);
    Combo1 = new forms::ComboBox(Picture1);
    Combo1->place(120, 120, 855, 315);
    Combo1->setText("1.bod");
    Combo2 = new forms::ComboBox(Picture1);
    Combo2->place(1200, 120, 855, 315);
    Combo2->setText("2.bod");
    Command1 = new forms::Button(Picture1, "Výpočet");
    Command1->place(2400, 120, 1215, 375);
    Grid5 = table(Picture1, 0, 720, 5175, 4215, 2, 2,
                  "Číslo bodu 1|číslo bodu 2| vyrovnaná šikmá délka| směrodatná odch.");
}

void Form3::Form_Load()
{
    Picture1->hide();
    setColWidths(*Grid1, {600, 1400, 600, 1400, 600, 1000, 600, 600, 1600});
    setColWidths(*Grid2, {900, 900, 1400, 900, 600});
    setColWidths(*Grid3, {900, 900, 1400, 900, 600});
    setColWidths(*Grid4, {900, 900, 1400, 900, 600});
}

void Form3::Form_Unload() { forms::endProgram(); }

}  // namespace kavon
