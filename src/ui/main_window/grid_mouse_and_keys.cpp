#include "ui/main_window/main_window_logic.h"

namespace quillbox {

namespace {
constexpr int kSortByDate = 1;
constexpr int kSortBySize = 2;

void SortOnHeader(TViewSettings& view, int target)
{
    if (view.SortTarget == target)
        view.ShowOrder = 3 - view.ShowOrder;
    else
        view.SortTarget = target;
}
}  // namespace

void TMainWindowLogic::GridMouseDown(TGridButton button, int col, int row)
{
    lastCol_ = col;
    lastRow_ = row;
    TListGrid& grid = shell_.Grid();
    if (button == TGridButton::Right) {
        if (col > 0 && col < grid.ColCount() && row > 0 && row < grid.RowCount()) grid.MoveTo(col, row);
        return;
    }
    headerClicked_ = false;
    if (row != 0) return;
    headerClicked_ = true;
    if (col == kDateColumn) SortOnHeader(view_, kSortByDate);
    if (col == kSizeColumn) SortOnHeader(view_, kSortBySize);
    shell_.SortRows();
    shell_.UpdateViewMenus();
}

void TMainWindowLogic::JumpToMail()
{
    if (headerClicked_) return;
    const TListPosItem* item = shell_.RowAt(lastRow_ - 1);
    if (!item) return;
    if (lastCol_ == kMarkColumn)
        ToggleSelection();
    else
        shell_.SetCurrentMail(item->Mail->MailID);
}

void TMainWindowLogic::EnterKey()
{
    lastRow_ = shell_.Grid().Row();
    lastCol_ = kFileNameColumn;
    JumpToMail();
}

}  // namespace quillbox
