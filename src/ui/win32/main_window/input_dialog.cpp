#include "ui/win32/main_window/input_dialog.h"

#include "resources/resource_ids.h"
#include "ui/win32/window_text.h"

namespace quillbox {

namespace {
struct TInputQueryState {
    const std::string& Caption;
    const std::string& Prompt;
    const std::string& Initial;
    std::string Entered;
};

std::string ItemText(HWND dialog, int item) { return WindowText(GetDlgItem(dialog, item)); }

INT_PTR CALLBACK InputQueryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* state = reinterpret_cast<TInputQueryState*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG:
        state = reinterpret_cast<TInputQueryState*>(lParam);
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetWindowTextA(dialog, state->Caption.c_str());
        SetDlgItemTextA(dialog, QBX_INPUT_PROMPT, state->Prompt.c_str());
        SetDlgItemTextA(dialog, QBX_INPUT_TEXT, state->Initial.c_str());
        SendDlgItemMessageA(dialog, QBX_INPUT_TEXT, EM_SETSEL, 0, -1);
        SetFocus(GetDlgItem(dialog, QBX_INPUT_TEXT));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) state->Entered = ItemText(dialog, QBX_INPUT_TEXT);
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, LOWORD(wParam));
            return TRUE;
        }
        break;
    }
    return FALSE;
}
}  // namespace

std::optional<std::string> InputQuery(HINSTANCE resources, HWND owner, const std::string& caption,
                                      const std::string& prompt, const std::string& initial)
{
    TInputQueryState state{caption, prompt, initial, {}};
    const INT_PTR result = DialogBoxParamA(resources, QBX_INPUT_DIALOG, owner, InputQueryProc,
                                           reinterpret_cast<LPARAM>(&state));
    if (result != IDOK) return std::nullopt;
    return state.Entered;
}

}  // namespace quillbox
