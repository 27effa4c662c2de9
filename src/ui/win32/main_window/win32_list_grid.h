// The Win32 grid control as the window's commands see it.
#pragma once

#include "ui/main_window/list_grid.h"
#include "ui/win32/grid/string_align_grid.h"

namespace quillbox {

class TWin32ListGrid final : public TListGrid {
public:
    explicit TWin32ListGrid(TStringAlignGrid& grid) : grid_(grid) {}
    TGridModel& Model() override { return grid_.Model(); }
    const TGridScroll& Scroll() const override { return grid_.Scroll(); }
    void MoveTo(int col, int row) override { grid_.MoveTo(col, row); }
    void SetSelection(const TGridRect& rect) override { grid_.SetSelection(rect); }
    int TextWidth(int col, int row, const std::string& text) override { return grid_.TextWidth(col, row, text); }

private:
    TStringAlignGrid& grid_;
};

}  // namespace quillbox
