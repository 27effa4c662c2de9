// Where the grid's rows and columns lie in the window, which cell is current,
// which rows are selected and which row is at the top. The grid has no
// horizontal scrolling: the window keeps every column in view.
#pragma once

#include "ui/grid/grid_model.h"

namespace quillbox {

struct TGridCoord {
    int Col = -1;
    int Row = -1;
    bool operator==(const TGridCoord&) const = default;
};

// Cells from (Left, Top) to (Right, Bottom), both corners included.
struct TGridRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TGridRect&) const = default;
};

// Pixels; Right and Bottom are excluded.
struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool operator==(const TPixelRect&) const = default;
};

enum class TNavKey { Up, Down, PageUp, PageDown, First, Last };

class TGridScroll {
public:
    static constexpr int kLineWidth = 1;
    // How close to a column's right edge a press in a fixed row starts sizing.
    static constexpr int kSizingMargin = 3;

    explicit TGridScroll(const TGridModel& model);

    int Col() const { return col_; }
    int Row() const { return row_; }
    TGridRect Selection() const { return selection_; }
    int TopRow() const { return topRow_; }

    void SetClientSize(int width, int height);
    int ClientWidth() const { return width_; }
    int ClientHeight() const { return height_; }

    // Data rows that fit wholly below the fixed rows (at least 1).
    int VisibleRowCount() const;
    int MaxTopRow() const;
    // Clamped to the rows that exist; returns whether the top row changed.
    bool SetTopRow(int row);

    // Makes (col, row) current and selects whole rows: from the anchor when
    // extending, else that row alone. Scrolls the row into view.
    void MoveTo(int col, int row, bool extend);
    void Navigate(TNavKey key, bool extend);
    // Whole cells, clamped to the grid; the cursor goes to the bottom row.
    void SetSelection(const TGridRect& rect);
    // After the row or column count changed: keeps every index inside the grid.
    void Normalise();

    int ColumnLeft(int col) const;
    int RowTop(int row) const;  // may lie outside the client area
    TPixelRect CellRect(int col, int row) const;
    // The cell at a client position; Col or Row is -1 where there is none.
    TGridCoord CellAt(int x, int y) const;
    // The column whose right edge a press at (x, y) in a fixed row would drag; -1 if none.
    int ColumnBorderAt(int x, int y) const;
    // The data rows that are at least partly in view, first and last.
    int FirstVisibleRow() const { return topRow_; }
    int LastVisibleRow() const;
    bool IsSelected(int col, int row) const;

private:
    int RowStride() const { return model_.DefaultRowHeight() + kLineWidth; }
    int FixedHeight() const { return model_.FixedRows() * RowStride(); }
    int FirstDataRow() const { return model_.FixedRows(); }
    int LastRow() const { return model_.RowCount() - 1; }
    void ScrollIntoView(int row);

    const TGridModel& model_;
    int width_ = 0;
    int height_ = 0;
    int col_;
    int row_;
    int anchor_;
    int topRow_;
    TGridRect selection_;
};

}  // namespace quillbox
