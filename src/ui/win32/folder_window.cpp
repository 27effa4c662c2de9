#include "ui/win32/folder_window.h"

#include "resources/resource_ids.h"

namespace quillbox {

namespace {
struct TFolderWindowTexts {
    const std::string& caption;
    const std::string& folderName;
};

INT_PTR CALLBACK FolderWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto* texts = reinterpret_cast<const TFolderWindowTexts*>(lParam);
        SetWindowTextA(window, texts->caption.c_str());
        SetDlgItemTextA(window, QBX_FOLDER_NAME_LABEL, texts->folderName.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(window, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

void ShowFolderWindow(HINSTANCE resources, HWND owner, const std::string& caption,
                      const std::string& folderName)
{
    const TFolderWindowTexts texts{caption, folderName};
    DialogBoxParamA(resources, QBX_FOLDER_WINDOW, owner, FolderWindowProc,
                    reinterpret_cast<LPARAM>(&texts));
}

}  // namespace quillbox
