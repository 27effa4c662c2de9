// The attachment list of the main window, free of any toolkit.
//
// TListingController owns the RowList and keeps the grid model, the status
// texts and the view menus in step with the catalogue and the listing
// settings. The window creates one per run of the command and implements
// TListingWindow:
//
//   TListingController list(mails, settings.Listing, language.MessageTable,
//                           grid.Model(), window, SystemDigitGrouping());
//   list.RebuildView();          // after the scan, the removals, a filter change
//   list.SortRows();             // order changed only
//   list.FillGrid();             // language changed
//   list.UpdateTotals();         // marks changed (after ShowMarks), saving
//   list.UpdateViewMenus();      // menus, tool buttons, panel 0
//   list.ClearRows();            // before the catalogue goes
//   list.RowAt(gridRow - 1);     // every row-based command
//   list.ShowMarks(first, last); // positions; mark cells and row colours
//   list.RunListingCommand(TListingCommand::SortBySize);  // menu items, tool buttons
//   list.SetTargetExtension(grid.Row() - 1);        // mn/pmnSetTargetExtension
//   list.HeaderPressed(col);     // left or middle press on header row
//   list.CellHint(col, row);     // OnShowHintCell; kListHintTime
//   list.CellValue(col, row);    // table copy: the text behind repeat marks
//
// Icons in the file-name column are painted by PaintFileIcon
// (ui/win32/listing/file_icon_painter.h) from OnDrawCell.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "catalogue/listing/row_list.h"
#include "catalogue/mail_list.h"
#include "settings/message_table.h"
#include "settings/settings_values.h"
#include "ui/grid/grid_model.h"
#include "ui/logic/cell_hints.h"
#include "ui/logic/digit_grouping.h"
#include "ui/logic/list_columns.h"
#include "ui/logic/status_totals.h"
#include "ui/logic/listing_commands.h"
#include "ui/logic/listing_choice_marks.h"

namespace quillbox {

// What the list asks of the window around the grid.
class TListingWindow {
public:
    virtual ~TListingWindow() = default;
    // Status panels 2 to 4; enables or disables the commands for marked rows.
    virtual void ShowTotals(const TStatusTotals& totals) = 0;
    // Menu checks, tool buttons and panel 0; hides the progress bar.
    virtual void ShowViewMenus(const TListingChoiceMarks& state) = 0;
};

class TListingController {
public:
    // Every reference must outlive the list. messages may change its texts
    // (a language switch); FillGrid then shows them.
    TListingController(TMailList& mails, TListingSettings& settings, const TMessageTable& messages,
                       TGridModel& grid, TListingWindow& window, TDigitGrouping grouping);
    TListingController(const TListingController&) = delete;
    TListingController& operator=(const TListingController&) = delete;

    // Told after every RebuildView, once the rows are listed.
    std::function<void()> OnRebuilt;

    const TRowList& RowList() const { return rows_; }
    TRowRef RowAt(int position) const;
    // The attachments the scan found, shown or not.
    int AttachCount() const { return mails_.AttachCount; }

    // Purge removed attachments, filter, SortRows, then OnRebuilt.
    void RebuildView();
    // RowList from the visible attachments in sort order, then FillGrid.
    void SortRows();
    // Header and rows from RowList, then UpdateTotals.
    void FillGrid();
    // TMailList::MarkCount and the status texts.
    void UpdateTotals();
    void UpdateViewMenus();
    void ClearRows() { rows_.clear(); }
    // Mark cell and row colour of RowList positions first to last.
    void ShowMarks(int first, int last);

    // Changes the settings, then UpdateViewMenus and RebuildView or SortRows.
    void RunListingCommand(TListingCommand command);
    // Turns the one-extension filter on for the extension of the attachment
    // at position, or off again. Nothing happens when there is no attachment
    // there or it has no cache entry.
    void SetTargetExtension(int position);
    // A press other than the right button on header column col.
    void HeaderPressed(int col);

    std::optional<std::string> CellHint(int col, int row) const;
    std::optional<std::string> CellValue(int col, int row) const;

private:
    TMailList& mails_;
    TListingSettings& settings_;
    const TMessageTable& messages_;
    TGridModel& grid_;
    TListingWindow& window_;
    TDigitGrouping grouping_;
    TRowList rows_;
};

}  // namespace quillbox
