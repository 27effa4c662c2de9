// The save-file dialog (SaveDialog1): no filter, no default extension, no
// title of its own; the system asks before an existing file is replaced.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillbox {

// The chosen path, or nullopt when the user cancels. An empty folder lets
// the system choose where the dialog starts.
std::optional<std::string> ShowSaveDialog(HWND owner, const std::string& fileName, const std::string& folder);

}  // namespace quillbox
