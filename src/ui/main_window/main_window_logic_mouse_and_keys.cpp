#include "ui/main_window/main_window_logic.h"

namespace quillbox {

void TMainWindowLogic::GridMouseDown(TGridButton button, int col, int row)
{
    lastCol_ = col;
    lastRow_ = row;
    TListGrid& grid = Grid();
    if (button == TGridButton::Right) {
        if (col > 0 && col < grid.ColCount() && row > 0 && row < grid.RowCount()) grid.MoveTo(col, row);
        return;
    }
    headerClicked_ = false;
    if (row != 0) return;
    headerClicked_ = true;
    Listing().HeaderPressed(col);
}

void TMainWindowLogic::JumpToMail()
{
    if (headerClicked_) return;
    const TRowRef row = Listing().RowAt(lastRow_ - 1);
    if (!row) return;
    if (lastCol_ == colMark)
        ToggleSelection();
    else
        shell_.SetCurrentMail(row.Mail->MailID);
}

void TMainWindowLogic::EnterKey()
{
    PopupKey();
    JumpToMail();
}

void TMainWindowLogic::PopupKey()
{
    lastRow_ = Grid().Scroll().Row();
    lastCol_ = colFileName;
}

}  // namespace quillbox
