// Helpers that build the controls of the windows as designed: a table with its header, labels
// in the forms' fonts, text boxes, column widths.
#pragma once
#include "forms/controls.h"
#include "forms/grid.h"

#include <initializer_list>

namespace kavon {

inline constexpr double boldLabelPoints = 9.75;

// A table with one fixed (header) row, its header from the format string.
forms::Grid* table(QWidget* container, int left, int top, int width, int height, int rows, int fixedCols,
                   const char* header);
// Column widths in twips from column 0 on.
void setColWidths(forms::Grid& grid, std::initializer_list<int> twips);
// A label in the default font, or bold at the given size.
forms::Label* label(QWidget* container, const char* caption, int left, int top, int width, int height);
forms::Label* boldLabel(QWidget* container, const char* caption, int left, int top, int width, int height,
                        double points = boldLabelPoints);
forms::TextBox* textBox(QWidget* container, int left, int top, int width, int height);

}  // namespace kavon
