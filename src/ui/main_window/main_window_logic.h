// What the main window decides, free of any toolkit: marks and selection,
// the one-time scan, mouse and keys in the grid, the jump to a mail, copying
// and searching the table, which commands are enabled, and how column widths
// and the window width follow each other.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/message_table.h"
#include "ui/logic/list_columns.h"
#include "ui/logic/listing_controller.h"
#include "ui/main_window/main_window_metrics.h"
#include "ui/main_window/list_grid.h"
#include "ui/main_window/main_window_shell.h"

namespace quillbox {

enum class TGridButton { Left, Right, Middle };

// True when the pattern (a whole match command) matches the text; throws
// the pattern service's error for a bad pattern.
using TPatternMatcher = std::function<bool(const std::string& pattern, const std::string& text)>;

class TMainWindowLogic {
public:
    // The messages and column widths belong to the plug-in and outlive the
    // window; the logic keeps references.
    TMainWindowLogic(TMainWindowShell& shell, const TMessageTable& messages,
                     std::vector<std::int32_t>& gridWidths, TPatternMatcher matcher);
    TMainWindowLogic(const TMainWindowLogic&) = delete;
    TMainWindowLogic& operator=(const TMainWindowLogic&) = delete;

    // The grid and the listing the window creates with its controls; both
    // must outlive the logic. Every command but the scan state's needs them.
    // From then on each rebuild of the rows fits the subject column and
    // enables the list commands.
    void Attach(TListGrid& grid, TListingController& listing);

    // Scan state.
    bool Scanned() const { return scanned_; }
    bool Scanning() const { return scanning_; }
    void SetScanning(bool scanning) { scanning_ = scanning; }
    bool EscPressed() const { return escPressed_; }
    void ClearEscPressed() { escPressed_ = false; }
    // While set, a command runs that Esc stops between its files: Esc asks
    // it to stop instead of closing the window.
    void SetStoppableRun(bool running) { stoppableRun_ = running; }

    // Marks.
    void MarkSelection(bool marked);
    void ToggleSelection();
    void UnmarkAll();

    // Selection.
    void SelectAll();
    void SelectNone();

    // Timer1Timer: the one-time scan and what follows it.
    void TimerTick();
    // actListUpdatedExecute.
    void ListUpdated();
    // FormKeyDown with Esc.
    void EscapeKey();
    // The close box, the system menu or a quit message: the window closes at
    // once, or during the scan asks it to stop and closes, without a word,
    // as soon as it has.
    void CloseRequested();

    // Mouse and keys in the grid; col and row as the grid converts the press.
    void GridMouseDown(TGridButton button, int col, int row);
    void JumpToMail();
    void EnterKey();
    // The context-menu key or Shift+F10: the pop-up's commands are for the
    // cursor row, as Enter's jump is.
    void PopupKey();
    void SpaceKey() { ToggleSelection(); }
    bool HeaderClicked() const { return headerClicked_; }
    int LastCol() const { return lastCol_; }
    int LastRow() const { return lastRow_; }

    // Copy table.
    std::string TableText();
    void CopyTable();

    // Find and Find Next.
    void Find();
    void FindNext();
    void FindFrom(int start);
    const std::string& SearchText() const { return searchText_; }

    // Column widths and window width.
    void CellDrawn();
    void KeepColumnsVisible();
    void FitSubjectColumn();
    // The sizes at the window's density; the design's until told otherwise.
    void SetMetrics(const TMainWindowMetrics& metrics) { metrics_ = metrics; }
    const TMainWindowMetrics& Metrics() const { return metrics_; }
    // A window without saved widths fits its columns to what the first scan
    // lists, within the window's width.
    void FitColumnsAfterScan() { fitColumnsAfterScan_ = true; }
    void FitColumnsToContent();
    // The column widths a window of windowWidth will have at newWidth: the
    // subject column takes the difference, down to its minimum, as it does
    // when the window is resized.
    std::vector<std::int32_t> ColumnWidthsAtWidth(std::vector<std::int32_t> widths, int windowWidth,
                                                  int newWidth) const;

private:
    template <class Change>
    void ChangeSelectedMarks(Change change);
    bool CellMatches(int col, int row, const std::string& pattern);
    int ColumnWidthSum();
    TListGrid& Grid() { return *grid_; }
    TListingController& Listing() { return *listing_; }
    int RowListCount() { return static_cast<int>(listing_->RowList().size()); }

    TMainWindowShell& shell_;
    TListGrid* grid_ = nullptr;              // set by Attach
    TListingController* listing_ = nullptr;  // set by Attach
    const TMessageTable& messages_;
    std::vector<std::int32_t>& gridWidths_;
    TPatternMatcher matcher_;
    TMainWindowMetrics metrics_ = kMainWindowDesign;

    bool fitColumnsAfterScan_ = false;
    bool scanned_ = false;
    bool scanning_ = false;
    bool stoppableRun_ = false;
    bool escPressed_ = false;
    bool closeRequested_ = false;
    bool headerClicked_ = false;
    std::int32_t lastCol_ = 0;
    std::int32_t lastRow_ = 0;
    std::string searchText_;
};

// The search text as a case-insensitive match command, with every "/" that
// is not already escaped given a backslash, so that dates such as 2001/09/09
// can be searched for. Trail bytes of double-byte characters are left alone.
std::string FindPattern(const std::string& searchText);

}  // namespace quillbox
