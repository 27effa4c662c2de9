// The main window's row list and the listing that fills it.
#include "ui/win32/main_window/frm_main.h"

namespace quillbox {

const TListPosItem* TfrmMain::RowAt(int position)
{
    if (position < 0 || position >= static_cast<int>(RowList.size())) return nullptr;
    return &RowList[static_cast<std::size_t>(position)];
}

int TfrmMain::RowListCount() { return static_cast<int>(RowList.size()); }

void TfrmMain::ClearView()
{
    // The rows point into the mails the scan is about to destroy.
    RowList.clear();
    UpdateViewMenus();
    UpdateTotals();
    logic_.ListUpdated();
}

void TfrmMain::RebuildView()
{
    RowList.clear();
    FillGrid();
    UpdateTotals();
}

void TfrmMain::FillGrid()
{
    TGridModel& model = grid_->Model();
    model.SetRowCount(static_cast<int>(RowList.size()) + 1 > 2 ? static_cast<int>(RowList.size()) + 1 : 2);
}

void TfrmMain::SortRows() { FillGrid(); }

void TfrmMain::UpdateTotals() {}

void TfrmMain::UpdateViewMenus() {}

void TfrmMain::RunListingCommand(TCommandId) {}

}  // namespace quillbox
