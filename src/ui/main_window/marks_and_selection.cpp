#include "ui/main_window/main_window_logic.h"

#include <algorithm>

namespace quillbox {

template <class Change>
void TMainWindowLogic::ChangeSelectedMarks(Change change)
{
    const TGridRect selection = shell_.Grid().Selection();
    for (int row = selection.Top; row <= selection.Bottom; ++row)
        if (const TListPosItem* item = shell_.RowAt(row - 1)) change(*item->Attachment);
    ShowMarks(selection.Top - 1, selection.Bottom - 1);
    shell_.UpdateTotals();
}

void TMainWindowLogic::MarkSelection(bool marked)
{
    ChangeSelectedMarks([marked](TAttachment& attachment) { attachment.Marked = marked; });
}

void TMainWindowLogic::ToggleSelection()
{
    ChangeSelectedMarks([](TAttachment& attachment) { attachment.Marked = !attachment.Marked; });
}

void TMainWindowLogic::ShowMarks(int first, int last)
{
    TGridModel& model = shell_.Grid().Model();
    for (int position = first; position <= last; ++position) {
        const TListPosItem* item = shell_.RowAt(position);
        // A row the grid no longer has is as good as one RowAt does not know.
        if (!item || !model.Contains(kMarkColumn, position + 1)) continue;
        const bool marked = item->Attachment->Marked;
        model.SetBackground(TSetKey::ForRow(position + 1), marked ? kMarkedRowColor : shell_.WindowColor());
        model.SetCell(kMarkColumn, position + 1, marked ? messages_[msgMarkSymbol] : std::string());
    }
}

void TMainWindowLogic::UnmarkAll()
{
    SelectAll();
    MarkSelection(false);
    SelectNone();
}

void TMainWindowLogic::SelectAll()
{
    TListGrid& grid = shell_.Grid();
    grid.SetSelection({1, 1, grid.ColCount() - 1, grid.RowCount() - 1});
}

void TMainWindowLogic::SelectNone()
{
    TListGrid& grid = shell_.Grid();
    const int top = grid.TopRow();
    grid.SetSelection({1, top, grid.ColCount() - 1, top});
}

}  // namespace quillbox
