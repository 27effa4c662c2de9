// What the save commands need of the main window, free of any toolkit:
// dialogs, message boxes, the status bar and the settings.
#pragma once

#include <optional>
#include <string>
#include <vector>


namespace quillbox {

enum class TOverwriteAnswer { Yes, No, Cancel, NoToAll, YesToAll };

class TSaveWindow {
public:
    virtual ~TSaveWindow() = default;

    // The folder browser, preselecting folder; true and the chosen folder in
    // folder when confirmed.
    virtual bool SelectFolder(std::string& folder) = 0;
    // The save-file dialog with a proposed name and initial folder; the
    // chosen path, or nullopt when cancelled.
    virtual std::optional<std::string> SelectFile(const std::string& fileName, const std::string& folder) = 0;

    // Progress bar shown, "saving marked files" in panel 2, hourglass.
    virtual void BeginSave() = 0;
    // Panel 1 cleared, totals redrawn, bar at 0 and hidden.
    virtual void EndSave() = 0;
    virtual void RestoreCursor() = 0;

    // "File "name" exists. Overwrite?" with Yes, No, Cancel, No to all, Yes to all.
    virtual TOverwriteAnswer AskOverwrite(const std::string& fileName) = 0;
    // The warning that lists the attachments that could not be decoded.
    virtual void ReportUndecodable(const std::vector<std::string>& lines) = 0;
    // The error box for one attachment that could not be decoded.
    virtual void ShowUndecodable() = 0;

    // SaveDir changed: keep it and write the settings file at once.
    virtual void StoreSaveDir(const std::string& folder) = 0;
};

}  // namespace quillbox
