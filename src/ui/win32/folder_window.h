// The command's window while the attachment list is not there: a modal window
// over the host that names the folder the command runs on.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

// Shows the window modally; owner stays disabled until the user closes it.
void ShowFolderWindow(HINSTANCE resources, HWND owner, const std::string& caption,
                      const std::string& folderName);

}  // namespace quillbox
