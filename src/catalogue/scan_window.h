// The folder scan as a window runs it, free of any toolkit: what the window
// shows before, during and after the scan, around the scan itself.
#pragma once

#include <string>

#include "catalogue/folder_scan.h"
#include "catalogue/progress.h"

namespace quillbox {

// ShowProgress: the percentage text in status panel 1, the bar over panel 0;
// the window repaints.
class TScanWindow : public TProgressDisplay {
public:
    // While set, Esc asks the scan to stop instead of closing the window.
    virtual void SetScanning(bool scanning) = 0;
    virtual bool EscPressed() const = 0;
    virtual void ClearEscPressed() = 0;
    // Lets painting and the Esc key get through.
    virtual void ProcessMessages() = 0;

    virtual void SetGridEnabled(bool enabled) = 0;
    virtual void SetToolBarEnabled(bool enabled) = 0;

    // Before the mails go: view menus refreshed, rows emptied, totals and the
    // list commands updated for no rows.
    virtual void ClearView() = 0;
    // Status panels say a scan runs and Esc stops it; the grid shows 200
    // empty rows; the window repaints.
    virtual void ShowScanStarted() = 0;
    virtual void ShowError(const std::string& text) = 0;
    virtual void ShowProgressBar(bool visible) = 0;

    // After the scan: filter, sort and fill the grid from the catalogue.
    virtual void RebuildView() = 0;
};

// Replaces the mails of list by those of list.Folder; reports progress and
// reads Esc through window. An error from the scan propagates once the
// window is back in its normal state.
void ScanFolder(TMailList& list, THostApi& host, TScanWindow& window, TIconSource& icons);

}  // namespace quillbox
