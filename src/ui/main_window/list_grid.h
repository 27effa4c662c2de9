// What the window's commands need of the list grid, so that they run the same
// on the Win32 control and on a bare model in tests.
#pragma once

#include <string>

#include "ui/grid/grid_model.h"
#include "ui/grid/grid_scroll.h"

namespace quillbox {

class TListGrid {
public:
    virtual ~TListGrid() = default;

    virtual TGridModel& Model() = 0;
    // The current cell, the selection, the top row and the client width are
    // read here; moving them goes through the grid, which repaints.
    virtual const TGridScroll& Scroll() const = 0;
    // Makes the cell current and reduces the selection to its row.
    virtual void MoveTo(int col, int row) = 0;
    virtual void SetSelection(const TGridRect& rect) = 0;
    // Width in pixels of a text drawn in the font of cell (col, row).
    virtual int TextWidth(int col, int row, const std::string& text) = 0;

    int RowCount() { return Model().RowCount(); }
    int ColCount() { return Model().ColCount(); }
};

}  // namespace quillbox
