#include "ui/main_window/main_window_logic.h"

namespace quillbox {

template <class Change>
void TMainWindowLogic::ChangeSelectedMarks(Change change)
{
    const TGridRect selection = Grid().Scroll().Selection();
    for (int row = selection.Top; row <= selection.Bottom; ++row)
        if (const TRowRef found = Listing().RowAt(row - 1)) change(*found.Attachment);
    Listing().ShowMarks(selection.Top - 1, selection.Bottom - 1);
    Listing().UpdateTotals();
}

void TMainWindowLogic::MarkSelection(bool marked)
{
    ChangeSelectedMarks([marked](TAttachment& attachment) { attachment.Marked = marked; });
}

void TMainWindowLogic::ToggleSelection()
{
    ChangeSelectedMarks([](TAttachment& attachment) { attachment.Marked = !attachment.Marked; });
}

void TMainWindowLogic::UnmarkAll()
{
    SelectAll();
    MarkSelection(false);
    SelectNone();
}

void TMainWindowLogic::SelectAll()
{
    TListGrid& grid = Grid();
    grid.SetSelection({1, 1, grid.ColCount() - 1, grid.RowCount() - 1});
}

void TMainWindowLogic::SelectNone()
{
    TListGrid& grid = Grid();
    const int top = grid.Scroll().TopRow();
    grid.SetSelection({1, top, grid.ColCount() - 1, top});
}

}  // namespace quillbox
