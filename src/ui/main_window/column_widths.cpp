#include "ui/main_window/main_window_logic.h"

#include <algorithm>

namespace quillbox {

int TMainWindowLogic::ColumnWidthSum()
{
    const TGridModel& model = shell_.Grid().Model();
    int sum = 0;
    for (int col = 0; col < model.ColCount(); ++col) sum += model.ColWidth(col);
    return sum;
}

void TMainWindowLogic::CellDrawn()
{
    const TGridModel& model = shell_.Grid().Model();
    if (gridWidths_.size() < static_cast<std::size_t>(model.ColCount())) {
        const std::vector<int>& widths = model.ColWidths();
        gridWidths_.assign(widths.begin(), widths.end());
        return;
    }
    KeepColumnsVisible();
}

void TMainWindowLogic::KeepColumnsVisible()
{
    if (gridWidths_.empty()) return;
    TListGrid& grid = shell_.Grid();
    TGridModel& model = grid.Model();
    for (int col = 0; col < model.ColCount(); ++col)
        if (model.ColWidth(col) < kMinColumnWidth) model.SetColWidth(col, kMinColumnWidth);
    // One pixel of grid line per column.
    const int width = shell_.WindowWidth() + ColumnWidthSum() + model.ColCount() - grid.ClientWidth();
    if (width != shell_.WindowWidth()) shell_.SetWindowWidth(width);
}

void TMainWindowLogic::FitSubjectColumn()
{
    TListGrid& grid = shell_.Grid();
    TGridModel& model = grid.Model();
    if (gridWidths_.size() < static_cast<std::size_t>(model.ColCount())) return;
    const int subject = model.ColWidth(colSubject) + grid.ClientWidth() - ColumnWidthSum() -
                        model.ColCount();
    model.SetColWidth(colSubject, std::max(subject, kMinSubjectWidth));
    for (int col = 0; col < model.ColCount(); ++col)
        if (gridWidths_[col] != model.ColWidth(col)) gridWidths_[col] = model.ColWidth(col);
}

}  // namespace quillbox
