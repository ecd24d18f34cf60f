// Editing a table in place: a text box floats over the current cell while the user types; the
// table has no editing of its own. Both procedures work for any table and text box.
#pragma once
#include "forms/grid.h"

namespace kavon {

// Opens the editor over the grid's current cell. A key code from 0 to 32 (a control key, Enter,
// Backspace, space, or 32 for a double click) takes the cell's text with the cursor at its end;
// a printable character starts the text anew with that character, cursor after it. The editor
// covers the cell inside its grid lines (its size less 8 twips) and gets the focus.
void MSHFlexGridEdit(forms::Grid& grid, forms::TextBox& editor, int key);

// The keys that leave the editor: Enter (13) returns the focus to the grid, which stores the
// text; Esc (27) hides the editor first, so nothing is stored; Up (38) and Down (40) return the
// focus, let pending window events run, and move one row within the data rows. Any other key
// goes on to the editor. The shift state is not used.
void EditKeyCode(forms::Grid& grid, forms::TextBox& editor, int keyCode, int shift);

}  // namespace kavon
