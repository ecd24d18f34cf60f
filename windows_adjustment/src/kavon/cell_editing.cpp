// The floating cell editor.
#include "kavon/cell_editing.h"

#include "forms/keys.h"
#include "forms/runtime.h"

#include <QString>

namespace kavon {

void MSHFlexGridEdit(forms::Grid& grid, forms::TextBox& editor, int key)
{
    if (key >= 0 && key <= forms::KeyCode::space) {
        editor.setText(grid.text());
        editor.setSelStart(1000);
    } else {
        editor.setText(QString(QChar(key)).toStdString());
        editor.setSelStart(1);
    }
    editor.place(grid.left() + grid.cellLeft(), grid.top() + grid.cellTop(), grid.cellWidth() - 8,
                 grid.cellHeight() - 8);
    editor.show();
    editor.raise();
    editor.setFocus();
}

void EditKeyCode(forms::Grid& grid, forms::TextBox& editor, int keyCode, int /*shift*/)
{
    switch (keyCode) {
    case forms::KeyCode::enter:
        grid.setFocus();
        break;
    case forms::KeyCode::escape:
        editor.hide();
        grid.setFocus();
        break;
    case forms::KeyCode::up:
        grid.setFocus();
        forms::doEvents();
        if (grid.row() > grid.fixedRows()) grid.setRow(grid.row() - 1);
        break;
    case forms::KeyCode::down:
        grid.setFocus();
        forms::doEvents();
        if (grid.row() < grid.rows() - 1) grid.setRow(grid.row() + 1);
        break;
    default:
        break;
    }
}

}  // namespace kavon
