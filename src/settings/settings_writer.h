// Writing the settings file: a fixed layout of sections and "key = value"
// lines, replacing the old file in one step.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/language.h"
#include "settings/settings_values.h"

namespace quillbox {

// The open main window as the writer takes it.
// A maximised window gives the place and column widths it has when restored.
struct TOpenWindowState {
    std::int32_t Left = 0, Top = 0, Width = 0, Height = 0;
    std::vector<std::int32_t> ColumnWidths;
    bool Maximized = false;
};

// Where the file goes, and how a failed write reaches the user: once, until
// a write succeeds again, so that a folder that stays unwritable does not
// nag at every save and close.
class TSettingsFile {
public:
    TSettingsFile(std::string path, std::string pluginVersion,
                  std::function<void(const std::string& message)> showFailure);

    const std::string& Path() const { return path_; }

    // Takes the window's geometry and column widths into the values and
    // writes them all. Never throws: a failure is shown and the caller (a
    // closing window, above all) goes on. True when the file was written.
    bool WriteSettings(TSettings& settings, const TLanguage& language, const TOpenWindowState& window);

private:
    std::string path_;
    std::string pluginVersion_;
    std::function<void(const std::string&)> showFailure_;
    bool failureShown_ = false;
};

// The window's current geometry and column widths become the saved ones.
void TakeWindowState(TSettings& settings, const TOpenWindowState& window);

// The file's contents for the current values, lines ending in CR LF.
std::string FormatSettings(const TSettings& settings, const TLanguage& language,
                           const std::string& pluginVersion);

}  // namespace quillbox
