// Script commands that look at a plug-in's window and drive the dialogs it
// opens: caption and placement, its menu with the checks, moving it, the font
// dialog (host/README.md).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace quillbox {

struct TWindowCommandContext {
    // Waits for a window by title; throws when it does not come.
    std::function<HWND(const std::string& title)> WaitWindow;
    // Writes a script output file ("-": nowhere); throws when it cannot.
    std::function<void(const std::string& path, const std::string& bytes)> WriteOut;
    double TimeoutSeconds;
};

// Runs the command if it is one of these; false when the verb is not.
// Throws std::runtime_error with the script's message on failure.
bool RunWindowCommand(const std::vector<std::string>& words, const TWindowCommandContext& context);

}  // namespace quillbox
