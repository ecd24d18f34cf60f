// The point table edited in place, and writing it back into the point arrays.
#include "forms/keys.h"
#include "forms/numbers.h"
#include "kavon/cell_editing.h"
#include "kavon/form1.h"

#include <cmath>

namespace kavon {

void Form1::Fl1_DblClick() { MSHFlexGridEdit(*Fl1, *TxtEdit, forms::KeyCode::space); }

void Form1::Fl1_KeyPress(int& keyAscii) { MSHFlexGridEdit(*Fl1, *TxtEdit, keyAscii); }

void Form1::TxtEdit_KeyDown(int& keyCode, int shift) { EditKeyCode(*Fl1, *TxtEdit, keyCode, shift); }

void Form1::TxtEdit_KeyPress(int& keyAscii)
{
    // Enter leaves no character in the text and no beep.
    if (keyAscii == forms::KeyCode::enter) keyAscii = 0;
}

// The text goes into the cell that was current when editing began: the focus comes back, or
// the current cell is about to move, whichever happens first.
void Form1::commitEdit()
{
    if (!TxtEdit->visible()) return;
    Fl1->setText(TxtEdit->text());
    TxtEdit->hide();
}

void Form1::Fl1_GotFocus() { commitEdit(); }

void Form1::Fl1_LeaveCell() { commitEdit(); }

void Form1::Fl1_RowColChange() { Command6->setEnabled(true); }

void Form1::Text3_Change() { Command6->show(); }

void Form1::Text4_Change() { Command6->show(); }

void Form1::Command6_Click()
{
    data.gridCols = Fl1->cols();
    for (int i = 1; i <= data.nPoints; ++i) {
        const int k = i * data.gridCols;
        data.pointNumber[i] = std::floor(forms::leadingNumber(Fl1->textArray(k)));
        // The other cells stay text; the computation converts them when it uses them.
        data.pointX[i] = Fl1->textArray(k + 1);
        data.pointY[i] = Fl1->textArray(k + 2);
        data.pointZ[i] = Fl1->textArray(k + 3);
        data.pointCode[i] = Fl1->textArray(k + 4);
    }
    Command6->setEnabled(false);
}

}  // namespace kavon
