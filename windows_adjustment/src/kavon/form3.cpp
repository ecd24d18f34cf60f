// The results window: its controls and Form_Load.
#include "kavon/form3.h"

#include "adjustment/point_dialogue.h"
#include "adjustment/rows.h"
#include "forms/numbers.h"
#include "forms/runtime.h"
#include "kavon/design.h"
#include "kavon/equations.h"
#include "kavon/texts.h"

#include <cmath>

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
    Combo1->setDropDownList();
    Combo1->setText("1.bod");
    Combo2 = new forms::ComboBox(Picture1);
    Combo2->place(1200, 120, 855, 315);
    Combo2->setDropDownList();
    Combo2->setText("2.bod");
    Command1 = new forms::Button(Picture1, "Výpočet");
    Command1->place(2400, 120, 1215, 375);
    Grid5 = table(Picture1, 0, 720, 5175, 4215, 2, 2,
                  "Číslo bodu 1|číslo bodu 2| vyrovnaná šikmá délka| směrodatná odch.");
    // Its design widths: the four columns side by side within the table, the standard deviation
    // in view beside the distance also when a vertical scroll bar appears.
    setColWidths(*Grid5, {960, 960, 1560, 1320});
    Check1->Click = [this] { Check1_Click(); };
    Command1->Click = [this] { Command1_Click(); };
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

namespace kavon {

void Form3::Check1_Click()
{
    Check1->setEnabled(false);
    for (int i = 1; i <= data->nPoints; ++i) {
        // The number's own text has no blanks around it.
        const std::string number = forms::numberText(data->pointNumber[static_cast<std::size_t>(i)]);
        Combo1->addItem(number, i - 1);
        Combo2->addItem(number, i - 1);
    }
    Picture1->show();
}

// The adjusted slope distance between the two chosen points and its standard deviation from the
// cofactor matrix of the unknowns: sigma = sqrt(sigma0Used^2 F.R.F^T), F the gradient of s.
void Form3::Command1_Click()
{
    data->gridCols = Grid5->cols();
    const int a = Combo1->listIndex() + 1, b = Combo2->listIndex() + 1;
    if (a < 1 || b < 1) {
        forms::msgBox(texts::chooseBothPoints);
        return;
    }
    if (a == b) {
        forms::msgBox(texts::samePointTwice);
        return;
    }
    if (!data->results) {
        forms::msgBox(texts::noResults);
        return;
    }
    const auto points = convertPoints(*data);
    if (!points) return;
    Grid5->setRows(Grid5->rows() + 1);
    const auto A = static_cast<std::size_t>(a), B = static_cast<std::size_t>(b);
    const double dx = points->x[B] - points->x[A], dy = points->y[B] - points->y[A], dz = points->z[B] - points->z[A];
    const double s = std::sqrt(dx * dx + dy * dy + dz * dz);
    const Count NN = data->results->NN;
    Matrix F(1, NN);
    if (s > 0) {  // two points at one place: s = 0 and no gradient
        // The gradient by the first point is the unit vector from the second to the first.
        const adjustment::DistanceCoefficients c = adjustment::distance_coefficients(dx, dy, dz, s);
        const double first[3] = {c.target_x, c.target_y, c.target_z};
        const double second[3] = {c.station_x, c.station_y, c.station_z};
        for (int k = 0; k < 3; ++k) {
            F(1, 3 * a - 2 + k) = first[k];
            F(1, 3 * b - 2 + k) = second[k];
        }
    }
    Matrix FT(NN, 1), FR(1, NN), q(1, 1);
    const double cofactor = adjustment::gradient_cofactor(F, data->results->R, NN, FT, FR, q);
    // A variance below zero can only come from rounding.
    const double variance = data->sigma0Used * data->sigma0Used * cofactor;
    const double sigma = variance > 0 ? std::sqrt(variance) : 0.0;

    ++data->distanceRow;
    const int k = data->distanceRow * data->gridCols;
    Grid5->setTextArray(k, Combo1->text());
    Grid5->setTextArray(k + 1, Combo2->text());
    Grid5->setTextArray(k + 2, forms::formatNumber(s, "#####0.0"));
    Grid5->setTextArray(k + 3, forms::formatNumber(sigma, "#####0.0"));
}

}  // namespace kavon
