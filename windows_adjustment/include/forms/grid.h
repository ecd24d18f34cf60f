// The table control: a grid of text cells with fixed (header) rows and columns that stay in
// place while the rest scrolls. It has no editing of its own; its current cell never lies in a
// fixed row or column. Cells are addressed by their index row × Cols + column (TextArray).
#pragma once
#include "forms/controls.h"

#include <QAbstractScrollArea>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

namespace forms {

class Grid : public Control<QAbstractScrollArea> {
public:
    explicit Grid(QWidget* container);

    int rows() const { return rows_; }
    void setRows(int rows);
    int cols() const { return cols_; }
    void setCols(int cols);
    int fixedRows() const { return fixedRows_; }
    void setFixedRows(int fixedRows);
    int fixedCols() const { return fixedCols_; }
    void setFixedCols(int fixedCols);

    // The header: the texts of row 0 separated by "|" (a leading "<", "^" or ">" of a text is an
    // alignment mark and is not shown); sets Cols to their number and each width to its text.
    void setFormatString(const std::string& format);
    // Column width in twips.
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    // Row height in twips (one height for every row).
    int rowHeight() const { return rowHeight_; }
    // Equal neighbouring cells of a merged column are shown as one cell (fixed and scrolling
    // rows are merged separately, empty cells never).
    bool mergeCol(int col) const;
    void setMergeCol(int col, bool merge);
    // The rows of the cell's run of equal texts in a merged column; the row alone otherwise.
    std::pair<int, int> mergedRows(int row, int col) const;

    // Cell by index = row × Cols + column; an index outside the grid reads "" and is not written.
    std::string textArray(int index) const;
    void setTextArray(int index, const std::string& text);
    std::string textMatrix(int row, int col) const;
    // The current cell's text.
    std::string text() const;
    void setText(const std::string& text);

    // The current cell. Setting a row or column moves the current cell (with LeaveCell before and
    // RowColChange after the move); a fixed or missing row or column is refused.
    int row() const { return row_; }
    void setRow(int row);
    int col() const { return col_; }
    void setCol(int col);

    // The current cell's place in twips, from the grid's outer top-left corner, and its size.
    int cellLeft() const;
    int cellTop() const;
    int cellWidth() const;
    int cellHeight() const;
    // A cell's rectangle in pixels of the scrolling area (empty when it is scrolled out of view).
    QRect cellRect(int row, int col) const;

    std::function<void()> DblClick;
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void()> GotFocus;
    std::function<void()> LeaveCell;
    std::function<void()> RowColChange;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int index(int row, int col) const { return row * cols_ + col; }
    bool isDataCell(int row, int col) const;
    void moveTo(int row, int col);
    void clampCurrent();
    int topRow() const;
    int leftCol() const;
    int colPixels(int col) const;
    int rowPixels() const;
    int colX(int col) const;  // -1 when not shown
    int rowY(int row) const;  // -1 when not shown
    std::pair<int, int> cellAt(QPoint point) const;
    void updateScrollBars();
    void ensureVisible();

    int rows_ = 2;
    int cols_ = 2;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    std::vector<std::string> cells_;
    std::vector<int> colWidths_;  // twips
    std::vector<bool> merge_;
    int rowHeight_ = 240;          // twips
    int row_ = 1;
    int col_ = 1;
};

}  // namespace forms
