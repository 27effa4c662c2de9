#include "ui/main_window/main_window_logic.h"

#include <algorithm>

#include "ui/main_window/column_fit.h"

namespace quillbox {

int TMainWindowLogic::ColumnWidthSum()
{
    const TGridModel& model = Grid().Model();
    int sum = 0;
    for (int col = 0; col < model.ColCount(); ++col) sum += model.ColWidth(col);
    return sum;
}

void TMainWindowLogic::CellDrawn()
{
    const TGridModel& model = Grid().Model();
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
    TListGrid& grid = Grid();
    TGridModel& model = grid.Model();
    for (int col = 0; col < model.ColCount(); ++col)
        if (model.ColWidth(col) < metrics_.MinColumnWidth) model.SetColWidth(col, metrics_.MinColumnWidth);
    // One pixel of grid line per column.
    const int width = shell_.WindowWidth() + ColumnWidthSum() + model.ColCount() - grid.Scroll().ClientWidth();
    if (width != shell_.WindowWidth()) shell_.SetWindowWidth(width);
}

void TMainWindowLogic::FitSubjectColumn()
{
    TListGrid& grid = Grid();
    TGridModel& model = grid.Model();
    if (gridWidths_.size() < static_cast<std::size_t>(model.ColCount())) return;
    const int subject = model.ColWidth(colSubject) + grid.Scroll().ClientWidth() - ColumnWidthSum() -
                        model.ColCount();
    model.SetColWidth(colSubject, std::max(subject, metrics_.MinSubjectWidth));
    for (int col = 0; col < model.ColCount(); ++col)
        if (gridWidths_[col] != model.ColWidth(col)) gridWidths_[col] = model.ColWidth(col);
}

void TMainWindowLogic::FitColumnsToContent()
{
    TListGrid& grid = Grid();
    TGridModel& model = grid.Model();
    std::vector<int> widest(static_cast<std::size_t>(model.ColCount()), 0);
    const auto measure = [&](int col, int row, const std::string& text) {
        widest[col] = std::max(widest[col], grid.TextWidth(col, row, text));
    };
    for (const int col : kContentFittedColumns) {
        if (col >= model.ColCount()) continue;
        for (int row = 0; row < model.RowCount(); ++row) measure(col, row, model.Cell(col, row));
    }
    // The sort mark moves between the date and size headings: room for it in both.
    for (const int col : {colDate, colSize}) {
        if (col >= model.ColCount()) continue;
        const std::string& heading = messages_[col == colDate ? msgDateHeader : msgSizeHeader];
        for (const int mark : {msgAscendingMark, msgDescendingMark}) measure(col, 0, heading + messages_[mark]);
    }
    const std::vector<int> fitted = FittedColumnWidths(model.ColWidths(), widest, grid.Scroll().ClientWidth(), metrics_);
    for (int col = 0; col < model.ColCount(); ++col) model.SetColWidth(col, fitted[col]);
    gridWidths_.assign(fitted.begin(), fitted.end());
}

std::vector<std::int32_t> TMainWindowLogic::ColumnWidthsAtWidth(std::vector<std::int32_t> widths, int windowWidth,
                                                                int newWidth) const
{
    if (widths.size() > static_cast<std::size_t>(colSubject))
        widths[colSubject] = std::max(widths[colSubject] + newWidth - windowWidth, metrics_.MinSubjectWidth);
    return widths;
}

}  // namespace quillbox
