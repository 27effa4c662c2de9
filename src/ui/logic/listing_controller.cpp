#include "ui/logic/listing_controller.h"

#include <algorithm>

#include "catalogue/icons/icon_list.h"
#include "catalogue/listing/row_order.h"
#include "catalogue/listing/row_filter.h"
#include "operations/renumber.h"
#include "ui/logic/list_grid_fill.h"

namespace quillbox {

TListingController::TListingController(TMailList& mails, TListingSettings& settings,
                                       const TMessageTable& messages, TGridModel& grid, TListingWindow& window,
                                       TDigitGrouping grouping)
    : mails_(mails), settings_(settings), messages_(messages), grid_(grid), window_(window),
      grouping_(std::move(grouping))
{
}

TRowRef TListingController::RowAt(int position) const { return quillbox::RowAt(rows_, mails_, position); }

void TListingController::RebuildView()
{
    DropRemovedAttachments(mails_);
    ApplyRowFilter(mails_, settings_);
    SortRows();
    if (OnRebuilt) OnRebuilt();
}

void TListingController::SortRows()
{
    ClearRows();
    rows_ = OrderedRows(mails_, settings_);
    FillGrid();
}

void TListingController::FillGrid()
{
    FillListGrid(grid_, rows_, {messages_, settings_, grouping_});
    UpdateTotals();
}

void TListingController::UpdateTotals()
{
    const TListTotals totals = CountTotals(rows_, mails_);
    mails_.MarkCount = totals.MarkCount;
    window_.ShowTotals(StatusTotals(totals, messages_, grouping_));
}

void TListingController::UpdateViewMenus() { window_.ShowViewMenus(ListingChoiceMarks(settings_, messages_)); }

void TListingController::ShowMarks(int first, int last)
{
    const int lastRow = static_cast<int>(rows_.size()) - 1;
    for (int position = std::max(first, 0); position <= std::min(last, lastRow); ++position) {
        const TRowRef row = RowAt(position);
        if (row && grid_.Contains(colMark, position + 1))
            ShowRowMark(grid_, position + 1, row.Attachment->Marked, messages_);
    }
}

void TListingController::RunListingCommand(TListingCommand command)
{
    const TListingRefresh refresh = ApplyListingCommand(settings_, command);
    UpdateViewMenus();
    if (refresh == TListingRefresh::Rebuild)
        RebuildView();
    else
        SortRows();
}

void TListingController::SetTargetExtension(int position)
{
    const TRowRef row = RowAt(position);
    if (!row || row.Attachment->Icon == nullptr) return;
    settings_.ExtFilterOn = !settings_.ExtFilterOn;
    settings_.TargetExt = row.Attachment->Icon->Ext;
    UpdateViewMenus();
    RebuildView();
}

void TListingController::HeaderPressed(int col)
{
    ApplyHeaderClick(settings_, col);
    SortRows();
    UpdateViewMenus();
}

std::optional<std::string> TListingController::CellHint(int col, int row) const
{
    return quillbox::CellHint(grid_, col, row, messages_[msgRepeatMark]);
}

std::optional<std::string> TListingController::CellValue(int col, int row) const
{
    return quillbox::CellValue(grid_, col, row, messages_[msgRepeatMark]);
}

}  // namespace quillbox
