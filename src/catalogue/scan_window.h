// What the folder scan needs of the main window, free of any toolkit, so the
// scan runs the same in the window, in qbx and in tests.
#pragma once

#include <string>

namespace quillbox {

class TScanWindow {
public:
    virtual ~TScanWindow() = default;

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

    // The progress bar over status panel 0 (0 to 100), and the percentage
    // text in panel 1; the window repaints.
    virtual void ShowProgressBar(bool visible) = 0;
    virtual void ShowProgress(const std::string& text, int position) = 0;

    // After the scan: filter, sort and fill the grid from the catalogue.
    virtual void RebuildView() = 0;
};

}  // namespace quillbox
