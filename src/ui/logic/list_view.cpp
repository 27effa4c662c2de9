#include "ui/logic/list_view.h"

#include <algorithm>

#include "catalogue/icons/icon_list.h"
#include "catalogue/listing/row_order.h"
#include "catalogue/listing/view_filter.h"
#include "operations/renumber.h"
#include "ui/logic/list_grid_fill.h"

namespace quillbox {

TListView::TListView(TMailList& mails, TViewSettings& view, const TMessageTable& messages,
                     TGridModel& grid, TListWindow& window, TDigitGrouping grouping)
    : mails_(mails), view_(view), messages_(messages), grid_(grid), window_(window),
      grouping_(std::move(grouping))
{
}

TRowRef TListView::RowAt(int position) const { return quillbox::RowAt(rows_, mails_, position); }

void TListView::RebuildView()
{
    DropRemovedAttachments(mails_);
    ApplyViewFilter(mails_, view_);
    SortRows();
    if (OnRebuilt) OnRebuilt();
}

void TListView::SortRows()
{
    ClearRows();
    rows_ = OrderedRows(mails_, view_);
    FillGrid();
}

void TListView::FillGrid()
{
    FillListGrid(grid_, rows_, {messages_, view_, grouping_});
    UpdateTotals();
}

void TListView::UpdateTotals()
{
    const TListTotals totals = CountTotals(rows_, mails_);
    mails_.MarkCount = totals.MarkCount;
    window_.ShowTotals(StatusTotals(totals, messages_, grouping_));
}

void TListView::UpdateViewMenus() { window_.ShowViewMenus(ListingChoiceMarks(view_, messages_)); }

void TListView::ShowMarks(int first, int last)
{
    const int lastRow = static_cast<int>(rows_.size()) - 1;
    for (int position = std::max(first, 0); position <= std::min(last, lastRow); ++position) {
        const TRowRef row = RowAt(position);
        if (row && grid_.Contains(colMark, position + 1))
            ShowRowMark(grid_, position + 1, row.Attachment->Marked, messages_);
    }
}

void TListView::RunViewCommand(TViewCommand command)
{
    const TViewRefresh refresh = ApplyViewCommand(view_, command);
    UpdateViewMenus();
    if (refresh == TViewRefresh::Rebuild)
        RebuildView();
    else
        SortRows();
}

void TListView::SetTargetExtension(int position)
{
    const TRowRef row = RowAt(position);
    if (!row || row.Attachment->Icon == nullptr) return;
    view_.ExtFilterOn = !view_.ExtFilterOn;
    view_.TargetExt = row.Attachment->Icon->Ext;
    UpdateViewMenus();
    RebuildView();
}

void TListView::HeaderPressed(int col)
{
    ApplyHeaderClick(view_, col);
    SortRows();
    UpdateViewMenus();
}

std::optional<std::string> TListView::CellHint(int col, int row) const
{
    return quillbox::CellHint(grid_, col, row, messages_[msgRepeatMark]);
}

std::optional<std::string> TListView::CellValue(int col, int row) const
{
    return quillbox::CellValue(grid_, col, row, messages_[msgRepeatMark]);
}

}  // namespace quillbox
