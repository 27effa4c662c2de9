// The shell's folder browser.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

// Shows the browser owned by owner with prompt above the tree and folder
// preselected. True and the chosen folder in folder when the user confirms;
// false and folder unchanged when the user cancels or there is no browser.
bool SelectFolder(HWND owner, const std::string& prompt, std::string& folder);

}  // namespace quillbox
