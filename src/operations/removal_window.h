// What the removal commands need of the main window, free of any toolkit.
#pragma once

#include <string>
#include <vector>

namespace quillbox {

class TRemovalWindow {
public:
    virtual ~TRemovalWindow() = default;

    // The warning questions; true only for Yes.
    virtual bool ConfirmRemoveMarked() = 0;
    virtual bool ConfirmRemoveOne(const std::string& fileName) = 0;

    // Hourglass; grid, tool bar and the view, edit and function menus
    // disabled; panel 2 says what runs; the progress bar shows for a bulk run.
    virtual void BeginRemoval(bool bulk) = 0;
    // Panel 1 cleared, bar at 0 and hidden.
    virtual void ResetProgress() = 0;
    // The catalogue now matches the mails once the removed attachments go
    // (DropRemovedAttachments) and the view is rebuilt.
    virtual void RebuildView() = 0;
    // The catalogue may not match the mails: read the folder again.
    virtual void ScanFolder() = 0;
    // Grid and tool bar enabled, default cursor, list commands updated,
    // focus to the grid.
    virtual void EndRemoval() = 0;
    // The warning that lists the attachments left in their mails because
    // they cannot be removed, one line each.
    virtual void ReportNotRemoved(const std::vector<std::string>& lines) = 0;
};

}  // namespace quillbox
