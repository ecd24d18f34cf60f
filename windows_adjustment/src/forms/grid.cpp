// The table control drawn on a scrolling area.
#include "forms/grid.h"

#include "forms/numbers.h"

#include <QFocusEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>

namespace forms {

namespace {

constexpr int defaultColWidth = 960;  // twips
constexpr int cellPadding = 2;        // pixels between a cell's text and its lines
const QColor fixedBack(212, 208, 200);
const QColor emptyBack(128, 128, 128);
const QColor lineColour(160, 160, 160);
const QColor currentBack(220, 232, 250);

std::string stripAlignmentMark(const std::string& text)
{
    if (!text.empty() && (text[0] == '<' || text[0] == '^' || text[0] == '>')) return text.substr(1);
    return text;
}

}  // namespace

Grid::Grid(QWidget* container) : Control(container)
{
    setFocusPolicy(Qt::StrongFocus);
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFont(sansSerifFont(defaultFontPoints, false));
    rowHeight_ = std::max(240, tw(QFontMetrics(font()).height() + 4));
    cells_.assign(static_cast<std::size_t>(rows_ * cols_), std::string());
    colWidths_.assign(static_cast<std::size_t>(cols_), defaultColWidth);
    merge_.assign(static_cast<std::size_t>(cols_), false);
}

void Grid::setRows(int rows)
{
    rows_ = std::max(rows, 0);
    cells_.resize(static_cast<std::size_t>(rows_ * cols_));
    clampCurrent();
    updateScrollBars();
}

void Grid::setCols(int cols)
{
    cols = std::max(cols, 0);
    std::vector<std::string> cells(static_cast<std::size_t>(rows_ * cols));
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < std::min(cols, cols_); ++c) cells[static_cast<std::size_t>(r * cols + c)] = cells_[index(r, c)];
    cells_ = std::move(cells);
    cols_ = cols;
    colWidths_.resize(static_cast<std::size_t>(cols_), defaultColWidth);
    merge_.resize(static_cast<std::size_t>(cols_), false);
    clampCurrent();
    updateScrollBars();
}

void Grid::setFixedRows(int fixedRows)
{
    fixedRows_ = std::max(fixedRows, 0);
    clampCurrent();
    updateScrollBars();
}

void Grid::setFixedCols(int fixedCols)
{
    fixedCols_ = std::max(fixedCols, 0);
    clampCurrent();
    updateScrollBars();
}

void Grid::setFormatString(const std::string& format)
{
    std::vector<std::string> texts;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = format.find('|', start);
        texts.push_back(stripAlignmentMark(format.substr(start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos) break;
        start = bar + 1;
    }
    setCols(static_cast<int>(texts.size()));
    if (rows_ == 0) setRows(1);
    const QFontMetrics metrics(font());
    for (int c = 0; c < cols_; ++c) {
        cells_[index(0, c)] = texts[static_cast<std::size_t>(c)];
        const int textWidth = metrics.horizontalAdvance(QString::fromStdString(texts[static_cast<std::size_t>(c)]));
        colWidths_[static_cast<std::size_t>(c)] = tw(textWidth + 2 * cellPadding + 1);
    }
    updateScrollBars();
}

int Grid::colWidth(int col) const
{
    return col >= 0 && col < cols_ ? colWidths_[static_cast<std::size_t>(col)] : 0;
}

void Grid::setColWidth(int col, int twips)
{
    if (col < 0 || col >= cols_) return;
    colWidths_[static_cast<std::size_t>(col)] = std::max(twips, 0);
    updateScrollBars();
}

bool Grid::mergeCol(int col) const { return col >= 0 && col < cols_ && merge_[static_cast<std::size_t>(col)]; }

void Grid::setMergeCol(int col, bool merge)
{
    if (col < 0 || col >= cols_) return;
    merge_[static_cast<std::size_t>(col)] = merge;
    viewport()->update();
}

std::pair<int, int> Grid::mergedRows(int row, int col) const
{
    if (!mergeCol(col) || row < 0 || row >= rows_) return {row, row};
    const std::string& text = cells_[index(row, col)];
    if (text.empty()) return {row, row};
    // Fixed rows merge among themselves, scrolling rows among themselves.
    const int areaFirst = row < fixedRows_ ? 0 : fixedRows_;
    const int areaLast = row < fixedRows_ ? fixedRows_ - 1 : rows_ - 1;
    int first = row;
    while (first > areaFirst && cells_[index(first - 1, col)] == text) --first;
    int last = row;
    while (last < areaLast && cells_[index(last + 1, col)] == text) ++last;
    return {first, last};
}

std::string Grid::textArray(int i) const
{
    return i >= 0 && i < rows_ * cols_ ? cells_[static_cast<std::size_t>(i)] : std::string();
}

void Grid::setTextArray(int i, const std::string& text)
{
    if (i < 0 || i >= rows_ * cols_) return;
    cells_[static_cast<std::size_t>(i)] = text;
    viewport()->update();
}

std::string Grid::textMatrix(int row, int col) const
{
    return row >= 0 && row < rows_ && col >= 0 && col < cols_ ? cells_[index(row, col)] : std::string();
}

std::string Grid::text() const { return textMatrix(row_, col_); }

void Grid::setText(const std::string& text)
{
    if (isDataCell(row_, col_)) setTextArray(index(row_, col_), text);
}

bool Grid::isDataCell(int row, int col) const
{
    return row >= fixedRows_ && row < rows_ && col >= fixedCols_ && col < cols_;
}

void Grid::setRow(int row)
{
    if (isDataCell(row, col_)) moveTo(row, col_);
}

void Grid::setCol(int col)
{
    if (isDataCell(row_, col)) moveTo(row_, col);
}

void Grid::moveTo(int row, int col)
{
    if (row == row_ && col == col_) return;
    if (LeaveCell) LeaveCell();
    row_ = row;
    col_ = col;
    ensureVisible();
    viewport()->update();
    if (RowColChange) RowColChange();
}

void Grid::clampCurrent()
{
    row_ = std::clamp(row_, fixedRows_, std::max(fixedRows_, rows_ - 1));
    col_ = std::clamp(col_, fixedCols_, std::max(fixedCols_, cols_ - 1));
}

int Grid::topRow() const { return fixedRows_ + verticalScrollBar()->value(); }

int Grid::leftCol() const { return fixedCols_ + horizontalScrollBar()->value(); }

int Grid::colPixels(int col) const { return px(colWidth(col)); }

int Grid::rowPixels() const { return px(rowHeight_); }

int Grid::colX(int col) const
{
    if (col < 0 || col >= cols_) return -1;
    int x = 0;
    for (int c = 0; c < std::min(col, fixedCols_); ++c) x += colPixels(c);
    if (col < fixedCols_) return x;
    if (col < leftCol()) return -1;
    for (int c = leftCol(); c < col; ++c) x += colPixels(c);
    return x;
}

int Grid::rowY(int row) const
{
    if (row < 0 || row >= rows_) return -1;
    if (row < fixedRows_) return row * rowPixels();
    if (row < topRow()) return -1;
    return (fixedRows_ + row - topRow()) * rowPixels();
}

QRect Grid::cellRect(int row, int col) const
{
    const int x = colX(col);
    const int y = rowY(row);
    if (x < 0 || y < 0) return {};
    return {x, y, colPixels(col), rowPixels()};
}

int Grid::cellLeft() const { return tw(viewport()->x() + std::max(colX(col_), 0)); }

int Grid::cellTop() const { return tw(viewport()->y() + std::max(rowY(row_), 0)); }

int Grid::cellWidth() const { return colWidth(col_); }

int Grid::cellHeight() const { return rowHeight_; }

std::pair<int, int> Grid::cellAt(QPoint point) const
{
    for (int r = 0; r < rows_; ++r) {
        const int y = rowY(r);
        if (y < 0 || point.y() < y || point.y() >= y + rowPixels()) continue;
        for (int c = 0; c < cols_; ++c) {
            const int x = colX(c);
            if (x >= 0 && point.x() >= x && point.x() < x + colPixels(c)) return {r, c};
        }
    }
    return {-1, -1};
}

void Grid::updateScrollBars()
{
    // The scrolling rows and columns that fit beside the fixed ones; the bars scroll by one.
    const int height = viewport()->height() - fixedRows_ * rowPixels();
    const int fitRows = std::max(1, height / std::max(1, rowPixels()));
    verticalScrollBar()->setRange(0, std::max(0, rows_ - fixedRows_ - fitRows));
    verticalScrollBar()->setPageStep(fitRows);
    int width = viewport()->width();
    for (int c = 0; c < std::min(fixedCols_, cols_); ++c) width -= colPixels(c);
    // The first scrolling column from which all the rest fit.
    int left = cols_;
    for (int used = 0; left > fixedCols_ && used + colPixels(left - 1) <= width; --left) used += colPixels(left - 1);
    const int maxLeft = std::max(fixedCols_, std::min(left, cols_ - 1));
    horizontalScrollBar()->setRange(0, maxLeft - fixedCols_);
    horizontalScrollBar()->setPageStep(1);
    viewport()->update();
}

void Grid::ensureVisible()
{
    const int height = viewport()->height() - fixedRows_ * rowPixels();
    const int fitRows = std::max(1, height / std::max(1, rowPixels()));
    if (row_ < topRow()) verticalScrollBar()->setValue(row_ - fixedRows_);
    else if (row_ >= topRow() + fitRows) verticalScrollBar()->setValue(row_ - fixedRows_ - fitRows + 1);
    if (col_ < leftCol()) horizontalScrollBar()->setValue(col_ - fixedCols_);
    else {
        while (col_ > leftCol() && colX(col_) + colPixels(col_) > viewport()->width()
               && horizontalScrollBar()->value() < horizontalScrollBar()->maximum())
            horizontalScrollBar()->setValue(horizontalScrollBar()->value() + 1);
    }
}

void Grid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), emptyBack);
    painter.setFont(font());
    for (int r = 0; r < rows_; ++r) {
        if (rowY(r) < 0) continue;
        for (int c = 0; c < cols_; ++c) {
            QRect rect = cellRect(r, c);
            if (rect.isEmpty()) continue;
            const auto [first, last] = mergedRows(r, c);
            if (first != r && rowY(r - 1) >= 0) continue;  // drawn with the run's first row shown
            for (int below = r + 1; below <= last && rowY(below) >= 0; ++below) rect.setBottom(rect.bottom() + rowPixels());
            const bool fixed = !isDataCell(r, c);
            const bool current = r == row_ && c == col_ && isDataCell(r, c);
            painter.fillRect(rect, fixed ? fixedBack : (current && hasFocus() ? currentBack : Qt::white));
            painter.setPen(lineColour);
            painter.drawLine(rect.topRight(), rect.bottomRight());
            painter.drawLine(rect.bottomLeft(), rect.bottomRight());
            const QString text = QString::fromStdString(cells_[index(r, c)]);
            // General alignment: numbers to the right, other texts to the left.
            const bool number = !fixed && textToNumber(cells_[index(r, c)]).has_value();
            painter.setPen(Qt::black);
            const QRect room = rect.adjusted(cellPadding, 0, -cellPadding - 1, -1);
            painter.setFont(fittingFont(font(), text, room.width()));
            painter.drawText(room, Qt::AlignVCenter | (number ? Qt::AlignRight : Qt::AlignLeft), text);
            painter.setFont(font());
            if (current && hasFocus()) {
                painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
                painter.drawRect(rect.adjusted(0, 0, -2, -2));
            }
        }
    }
}

void Grid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const auto [r, c] = cellAt(event->position().toPoint());
    if (isDataCell(r, c)) moveTo(r, c);
}

void Grid::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const auto [r, c] = cellAt(event->position().toPoint());
    if (!isDataCell(r, c)) return;
    moveTo(r, c);  // the press before it has normally moved there already
    if (DblClick) DblClick();
}

void Grid::keyPressEvent(QKeyEvent* event)
{
    const int pageRows = std::max(1, verticalScrollBar()->pageStep());
    switch (event->key()) {
    case Qt::Key_Up: if (row_ > fixedRows_) moveTo(row_ - 1, col_); return;
    case Qt::Key_Down: if (row_ < rows_ - 1) moveTo(row_ + 1, col_); return;
    case Qt::Key_Left: if (col_ > fixedCols_) moveTo(row_, col_ - 1); return;
    case Qt::Key_Right: if (col_ < cols_ - 1) moveTo(row_, col_ + 1); return;
    case Qt::Key_PageUp: moveTo(std::max(fixedRows_, row_ - pageRows), col_); return;
    case Qt::Key_PageDown: moveTo(std::max(fixedRows_, std::min(rows_ - 1, row_ + pageRows)), col_); return;
    case Qt::Key_Home: moveTo(row_, fixedCols_); return;
    case Qt::Key_End: moveTo(row_, std::max(fixedCols_, cols_ - 1)); return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: QAbstractScrollArea::keyPressEvent(event); return;
    default: break;
    }
    const QString typed = event->text();
    if (typed.isEmpty() || !isDataCell(row_, col_)) {
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    int keyAscii = typed.at(0).unicode();
    if (KeyPress) KeyPress(keyAscii);
}

void Grid::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update();
    if (GotFocus) GotFocus();
}

void Grid::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update();
}

void Grid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBars();
}

void Grid::scrollContentsBy(int, int) { viewport()->update(); }

}  // namespace forms
