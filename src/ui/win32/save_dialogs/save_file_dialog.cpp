#include "ui/win32/save_dialogs/save_file_dialog.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace quillbox {

std::optional<std::string> ShowSaveDialog(HWND owner, const std::string& fileName, const std::string& folder)
{
    // Room for any path the dialog may give back.
    std::vector<char> path(32768, '\0');
    fileName.copy(path.data(), std::min(fileName.size(), path.size() - 1));

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = static_cast<DWORD>(path.size());
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetSaveFileNameA(&dialog)) return std::nullopt;
    return std::string(path.data());
}

}  // namespace quillbox
