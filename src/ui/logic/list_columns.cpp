#include "ui/logic/list_columns.h"

namespace quillbox {

void SetUpListGrid(TGridModel& grid)
{
    grid.SetColCount(kListColumnCount);
    for (int col = 0; col < kListColumnCount; ++col) grid.SetColWidth(col, kListDesignWidths[col]);
    grid.SetAlignment(TSetKey::ForFixedRow(0), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForFixedColumn(colNumber), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForFixedColumn(colMark), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForColumn(colMark), TAlignment::Center);
    grid.SetAlignment(TSetKey::ForColumn(colSize), TAlignment::Right);
    for (int col : {colSubject, colFrom, colFileName})
        grid.SetOverflow(TSetKey::ForColumn(col), TOverflow::Ellipsis);
    grid.SetBackground(TSetKey::ForColumn(colFileName), kFileNameColor);
}

}  // namespace quillbox
