#include "ui/win32/save_dialogs/overwrite_dialog.h"

#include <vector>

#include "ui/win32/save_dialogs/dialog_template.h"
#include "ui/win32/window_text.h"
#include "win32/win32_handles.h"

namespace quillbox {

namespace {
constexpr int kIdIcon = 100;
constexpr int kIdText = 103;

// Dialog units.
constexpr short kMargin = 7;
constexpr short kIconSize = 21;
constexpr short kTextLeft = kMargin + kIconSize + 8;
constexpr short kButtonWidth = 64;
constexpr short kButtonHeight = 14;
constexpr short kButtonGap = 4;
constexpr short kWidth = kMargin * 2 + kButtonWidth * 5 + kButtonGap * 4;
constexpr short kTextHeight = 24;
constexpr short kButtonTop = kMargin + kTextHeight + 10;
constexpr short kHeight = kButtonTop + kButtonHeight + kMargin;

struct TOverwriteState {
    const std::string& Caption;
    const std::string& Text;
    const TOverwriteButtonCaptions& Buttons;
};

// The text may need more lines than the template leaves; the buttons and the
// box then move down by what the text needs.
void FitText(HWND dialog)
{
    const HWND text = GetDlgItem(dialog, kIdText);
    RECT bounds{};
    GetWindowRect(text, &bounds);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&bounds), 2);
    const std::string content = WindowText(text);

    RECT needed{0, 0, bounds.right - bounds.left, 0};
    {
        const TWindowDc dc(text);
        const TSelection font(dc.Get(), reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0)));
        DrawTextA(dc.Get(), content.c_str(), static_cast<int>(content.size()), &needed,
                  DT_CALCRECT | DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX);
    }

    const int extra = needed.bottom - (bounds.bottom - bounds.top);
    if (extra <= 0) return;
    SetWindowPos(text, nullptr, 0, 0, bounds.right - bounds.left, needed.bottom, SWP_NOMOVE | SWP_NOZORDER);
    for (const int id : {IDYES, IDNO, IDCANCEL, kIdNoToAll, kIdYesToAll}) {
        const HWND button = GetDlgItem(dialog, id);
        RECT place{};
        GetWindowRect(button, &place);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&place), 2);
        SetWindowPos(button, nullptr, place.left, place.top + extra, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    RECT frame{};
    GetWindowRect(dialog, &frame);
    SetWindowPos(dialog, nullptr, frame.left, frame.top - extra / 2, frame.right - frame.left,
                 frame.bottom - frame.top + extra, SWP_NOZORDER);
}

INT_PTR CALLBACK OverwriteProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const auto& state = *reinterpret_cast<const TOverwriteState*>(lParam);
        SetWindowTextA(dialog, state.Caption.c_str());
        SetDlgItemTextA(dialog, kIdText, state.Text.c_str());
        SetDlgItemTextA(dialog, IDYES, state.Buttons.Yes.c_str());
        SetDlgItemTextA(dialog, IDNO, state.Buttons.No.c_str());
        SetDlgItemTextA(dialog, IDCANCEL, state.Buttons.Cancel.c_str());
        SetDlgItemTextA(dialog, kIdNoToAll, state.Buttons.NoToAll.c_str());
        SetDlgItemTextA(dialog, kIdYesToAll, state.Buttons.YesToAll.c_str());
        SendDlgItemMessageA(dialog, kIdIcon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_QUESTION)), 0);
        FitText(dialog);
        MessageBeep(MB_ICONQUESTION);
        return TRUE;  // the default button takes the focus
    }
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDYES:
        case IDNO:
        case IDCANCEL:  // also Esc and the close box
        case kIdNoToAll:
        case kIdYesToAll: EndDialog(dialog, LOWORD(wParam)); return TRUE;
        }
        break;
    }
    return FALSE;
}

TDialogTemplate OverwriteTemplate()
{
    TDialogTemplate dialog(DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU, kWidth,
                           kHeight, "MS Shell Dlg", 9);
    dialog.AddItem(kIdIcon, TDialogTemplate::kStatic, WS_CHILD | WS_VISIBLE | SS_ICON, kMargin, kMargin, kIconSize,
                   kIconSize);
    dialog.AddItem(kIdText, TDialogTemplate::kStatic, WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_EDITCONTROL,
                   kTextLeft, kMargin, static_cast<short>(kWidth - kTextLeft - kMargin), kTextHeight);
    const int buttons[] = {IDYES, IDNO, IDCANCEL, kIdNoToAll, kIdYesToAll};
    for (short i = 0; i < 5; ++i) {
        const DWORD kind = buttons[i] == IDYES ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        dialog.AddItem(buttons[i], TDialogTemplate::kButton, WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind,
                       static_cast<short>(kMargin + i * (kButtonWidth + kButtonGap)), kButtonTop, kButtonWidth,
                       kButtonHeight);
    }
    return dialog;
}
}  // namespace

TOverwriteAnswer AskOverwrite(HWND owner, const std::string& caption, const std::string& text,
                              const TOverwriteButtonCaptions& buttons)
{
    const TOverwriteState state{caption, text, buttons};
    const TDialogTemplate dialog = OverwriteTemplate();
    const INT_PTR answer = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), dialog.Get(), owner, OverwriteProc,
                                                   reinterpret_cast<LPARAM>(&state));
    switch (answer) {
    case IDYES: return TOverwriteAnswer::Yes;
    case IDNO: return TOverwriteAnswer::No;
    case kIdNoToAll: return TOverwriteAnswer::NoToAll;
    case kIdYesToAll: return TOverwriteAnswer::YesToAll;
    default: return TOverwriteAnswer::Cancel;  // Cancel, Esc, close box, or no box at all
    }
}

}  // namespace quillbox
