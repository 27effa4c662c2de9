#include "ui/grid/grid_scroll.h"

#include <algorithm>

namespace quillbox {

TGridScroll::TGridScroll(const TGridModel& model)
    : model_(model),
      col_(model.FixedCols()),
      row_(model.FixedRows()),
      anchor_(model.FixedRows()),
      topRow_(model.FixedRows())
{
    selection_ = {model.FixedCols(), row_, model.ColCount() - 1, row_};
}

void TGridScroll::SetClientSize(int width, int height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    SetTopRow(topRow_);
}

int TGridScroll::VisibleRowCount() const
{
    return std::max((height_ - FixedHeight()) / RowStride(), 1);
}

int TGridScroll::MaxTopRow() const
{
    return std::max(LastRow() - VisibleRowCount() + 1, FirstDataRow());
}

bool TGridScroll::SetTopRow(int row)
{
    const int clamped = std::clamp(row, FirstDataRow(), MaxTopRow());
    if (clamped == topRow_) return false;
    topRow_ = clamped;
    return true;
}

void TGridScroll::ScrollIntoView(int row)
{
    if (row < FirstDataRow()) return;
    if (row < topRow_) {
        SetTopRow(row);
    } else if (row >= topRow_ + VisibleRowCount()) {
        SetTopRow(row - VisibleRowCount() + 1);
    }
}

void TGridScroll::MoveTo(int col, int row, bool extend)
{
    col_ = std::clamp(col, model_.FixedCols(), model_.ColCount() - 1);
    row_ = std::clamp(row, FirstDataRow(), LastRow());
    if (!extend) anchor_ = row_;
    selection_ = {model_.FixedCols(), std::min(anchor_, row_), model_.ColCount() - 1,
                  std::max(anchor_, row_)};
    ScrollIntoView(row_);
}

void TGridScroll::Navigate(TNavKey key, bool extend)
{
    const int page = VisibleRowCount();
    int target = row_;
    switch (key) {
    case TNavKey::Up: target = row_ - 1; break;
    case TNavKey::Down: target = row_ + 1; break;
    case TNavKey::PageUp: target = row_ - page; break;
    case TNavKey::PageDown: target = row_ + page; break;
    case TNavKey::First: target = FirstDataRow(); break;
    case TNavKey::Last: target = LastRow(); break;
    }
    MoveTo(col_, target, extend);
}

void TGridScroll::SetSelection(const TGridRect& rect)
{
    const int lastCol = model_.ColCount() - 1;
    selection_.Left = std::clamp(std::min(rect.Left, rect.Right), model_.FixedCols(), lastCol);
    selection_.Right = std::clamp(std::max(rect.Left, rect.Right), model_.FixedCols(), lastCol);
    selection_.Top = std::clamp(std::min(rect.Top, rect.Bottom), FirstDataRow(), LastRow());
    selection_.Bottom = std::clamp(std::max(rect.Top, rect.Bottom), FirstDataRow(), LastRow());
    // The anchor at the top, the cursor at the bottom: Shift+arrows go on
    // from there. The view does not move.
    anchor_ = selection_.Top;
    row_ = selection_.Bottom;
    col_ = std::clamp(col_, selection_.Left, selection_.Right);
}

void TGridScroll::Normalise()
{
    const int lastCol = model_.ColCount() - 1;
    col_ = std::clamp(col_, model_.FixedCols(), lastCol);
    row_ = std::clamp(row_, FirstDataRow(), LastRow());
    anchor_ = std::clamp(anchor_, FirstDataRow(), LastRow());
    selection_.Left = std::clamp(selection_.Left, model_.FixedCols(), lastCol);
    selection_.Right = std::clamp(selection_.Right, selection_.Left, lastCol);
    selection_.Top = std::clamp(selection_.Top, FirstDataRow(), LastRow());
    selection_.Bottom = std::clamp(selection_.Bottom, selection_.Top, LastRow());
    SetTopRow(topRow_);
}

int TGridScroll::ColumnLeft(int col) const
{
    int left = 0;
    for (int c = 0; c < col && c < model_.ColCount(); ++c) left += model_.ColWidth(c) + kLineWidth;
    return left;
}

int TGridScroll::RowTop(int row) const
{
    if (row < FirstDataRow()) return row * RowStride();
    return FixedHeight() + (row - topRow_) * RowStride();
}

TPixelRect TGridScroll::CellRect(int col, int row) const
{
    if (!model_.Contains(col, row)) return {};
    if (row >= FirstDataRow() && (row < topRow_ || row > LastVisibleRow())) return {};
    const int left = ColumnLeft(col);
    const int top = RowTop(row);
    return {left, top, left + model_.ColWidth(col), top + model_.DefaultRowHeight()};
}

int TGridScroll::LastVisibleRow() const
{
    const int rowsInView = (std::max(height_ - FixedHeight(), 0) + RowStride() - 1) / RowStride();
    return std::min(topRow_ + std::max(rowsInView, 1) - 1, LastRow());
}

TGridCoord TGridScroll::CellAt(int x, int y) const
{
    TGridCoord coord;
    if (x >= 0) {
        int left = 0;
        for (int c = 0; c < model_.ColCount(); ++c) {
            left += model_.ColWidth(c) + kLineWidth;
            if (x < left) {
                coord.Col = c;
                break;
            }
        }
    }
    if (y >= 0) {
        const int row = y < FixedHeight() ? y / RowStride()
                                          : topRow_ + (y - FixedHeight()) / RowStride();
        if (row <= LastRow()) coord.Row = row;
    }
    return coord;
}

int TGridScroll::ColumnBorderAt(int x, int y) const
{
    if (y < 0 || y >= FixedHeight()) return -1;
    int edge = -kLineWidth;
    for (int c = 0; c < model_.ColCount(); ++c) {
        edge += model_.ColWidth(c) + kLineWidth;
        if (x >= edge - kSizingMargin && x <= edge + kSizingMargin) return c;
    }
    return -1;
}

bool TGridScroll::IsSelected(int col, int row) const
{
    return col >= selection_.Left && col <= selection_.Right && row >= selection_.Top &&
           row <= selection_.Bottom;
}

}  // namespace quillbox
