// The attachment list as the main window shows it: status panels, view
// menus and tool buttons, the view commands.
#include "ui/win32/main_window/frm_main.h"

namespace quillbox {

void TfrmMain::ClearView()
{
    // The rows point into the mails the scan is about to destroy.
    list_->UpdateViewMenus();
    list_->ClearRows();
    list_->UpdateTotals();
    logic_.ListUpdated();
}

void TfrmMain::RebuildView() { list_->RebuildView(); }

void TfrmMain::ShowTotals(const TStatusTotals& totals)
{
    statusBar_->SetText(2, totals.TotalText);
    statusBar_->SetText(3, totals.MarkedText);
    statusBar_->SetText(4, totals.CountText);
    for (const TMenuItem item : {TMenuItem::SaveMarksAs, TMenuItem::DeleteMarks, TMenuItem::DetachMarks})
        menus_.SetEnabled(item, totals.MarkCommandsEnabled);
    for (const TCommandId button : {cmSaveMarksAs, cmDeleteMarks, cmDetachMarks})
        toolBar_->SetEnabled(button, totals.MarkCommandsEnabled);
}

void TfrmMain::ShowViewMenus(const TListingChoiceMarks& state)
{
    const struct {
        TMenuItem Item;
        bool Checked;
        TCommandId Button;
        const TToolButtonMark* Shown;
    } views[] = {
        {TMenuItem::ShowAllItems, state.ShowAllItemsChecked, cmShowAllItems, &state.ShowAllItems},
        {TMenuItem::ShowNonHTMLs, state.ShowNonHTMLsChecked, cmShowNonHTMLs, &state.ShowNonHTMLs},
        {TMenuItem::ShowOnlyHTMLs, state.ShowOnlyHTMLsChecked, cmShowOnlyHTMLs, &state.ShowOnlyHTMLs},
        {TMenuItem::SortByDate, state.SortByDateChecked, cmSortByDate, &state.SortByDate},
        {TMenuItem::SortBySize, state.SortBySizeChecked, cmSortBySize, &state.SortBySize},
        {TMenuItem::Accending, state.AccendingChecked, cmAccending, &state.Accending},
        {TMenuItem::Deccending, state.DeccendingChecked, cmDeccending, &state.Deccending},
    };
    for (const auto& view : views) {
        if (view.Checked) menus_.SetChecked(view.Item, true);
        toolBar_->SetDown(view.Button, view.Shown->Down);
        toolBar_->SetHighlighted(view.Button, view.Shown->Highlighted);
    }
    menus_.SetChecked(TMenuItem::SetTargetExtension, state.SetTargetExtensionChecked);
    menus_.SetChecked(TMenuItem::PopupSetTargetExtension, state.SetTargetExtensionChecked);
    statusBar_->ShowProgressBar(false);
    statusBar_->SetText(0, state.FilterText);
}

void TfrmMain::RunListingCommand(TCommandId command)
{
    switch (command) {
    case cmShowAllItems: list_->RunListingCommand(TListingCommand::ShowAllItems); break;
    case cmShowNonHTMLs: list_->RunListingCommand(TListingCommand::ShowNonHTMLs); break;
    case cmShowOnlyHTMLs: list_->RunListingCommand(TListingCommand::ShowOnlyHTMLs); break;
    case cmSortByDate: list_->RunListingCommand(TListingCommand::SortByDate); break;
    case cmSortBySize: list_->RunListingCommand(TListingCommand::SortBySize); break;
    case cmAccending: list_->RunListingCommand(TListingCommand::Accending); break;
    case cmDeccending: list_->RunListingCommand(TListingCommand::Deccending); break;
    case cmSetTargetExtension: list_->SetTargetExtension(grid_->Row() - 1); break;
    default: break;  // every other command has its own case in RunCommand
    }
}

}  // namespace quillbox
