// What the detach command needs of the main window, free of any toolkit.
#pragma once

#include <string>

#include "operations/detach_plan.h"
#include "operations/save_window.h"

namespace quillbox {

enum class TDetachPhase { Saving, Removing };

class TDetachWindow {
public:
    virtual ~TDetachWindow() = default;

    // The folder browser, preselecting folder; true and the chosen folder in
    // folder when confirmed.
    virtual bool SelectFolder(std::string& folder) = 0;

    // Hourglass; grid, tool bar and the view, edit and function menus
    // disabled; the progress bar shown; from now on Esc asks the run to stop
    // instead of closing the window.
    virtual void BeginDetach() = 0;
    // Panel 2 says which phase runs.
    virtual void ShowPhase(TDetachPhase phase) = 0;

    // "File "name" exists. Overwrite?" with Yes, No, Cancel, No to all, Yes to all.
    virtual TOverwriteAnswer AskOverwrite(const std::string& fileName) = 0;

    // Panel 1 cleared, bar at 0 and hidden.
    virtual void ResetProgress() = 0;
    // The catalogue matches the mails once the removed attachments go.
    virtual void RebuildView() = 0;
    // The catalogue may not match the mails: read the folder again.
    virtual void ScanFolder() = 0;
    // Grid, tool bar and menus enabled, default cursor, list commands
    // updated, focus to the grid; Esc closes the window again.
    virtual void EndDetach() = 0;

    // SaveDir changed: keep it and write the settings file at once.
    virtual void StoreSaveDir(const std::string& folder) = 0;
    // The end report, in the window's language.
    virtual void ReportDetach(const TDetachReport& report) = 0;
};

}  // namespace quillbox
