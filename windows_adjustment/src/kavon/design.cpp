// Building the controls of the windows.
#include "kavon/design.h"

namespace kavon {

forms::Grid* table(QWidget* container, int left, int top, int width, int height, int rows, int fixedCols,
                   const char* header)
{
    auto* grid = new forms::Grid(container);
    grid->place(left, top, width, height);
    grid->setFormatString(header);
    grid->setRows(rows);
    grid->setFixedRows(1);
    grid->setFixedCols(fixedCols);
    return grid;
}

void setColWidths(forms::Grid& grid, std::initializer_list<int> twips)
{
    int col = 0;
    for (const int width : twips) grid.setColWidth(col++, width);
}

forms::Label* label(QWidget* container, const char* caption, int left, int top, int width, int height)
{
    auto* label = new forms::Label(container, caption);
    label->place(left, top, width, height);
    return label;
}

forms::Label* boldLabel(QWidget* container, const char* caption, int left, int top, int width, int height, double points)
{
    auto* bold = label(container, caption, left, top, width, height);
    bold->setFontPoints(points, true);
    return bold;
}

forms::TextBox* textBox(QWidget* container, int left, int top, int width, int height)
{
    auto* box = new forms::TextBox(container);
    box->place(left, top, width, height);
    return box;
}

}  // namespace kavon
