// Commands, keys and mouse presses of the main window.
#include "ui/win32/main_window/frm_main.h"

#include "ui/win32/clipboard_text.h"
#include "ui/win32/main_window/input_dialog.h"
#include "ui/win32/message_box.h"

namespace quillbox {

namespace {
constexpr char kEnter = 13;
constexpr char kSpace = 32;

TGridButton ToGridButton(TMouseButton button)
{
    switch (button) {
    case TMouseButton::Right: return TGridButton::Right;
    case TMouseButton::Middle: return TGridButton::Middle;
    default: return TGridButton::Left;
    }
}
}  // namespace

bool TfrmMain::PreviewKey(UINT message, WPARAM key)
{
    if (key == VK_ESCAPE) {
        Guarded([&] { logic_.EscapeKey(); });
        return true;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    const bool alt = message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    const TCommandId command = menus_.CommandForKey(static_cast<unsigned>(key), ctrl, alt);
    if (command == cmNone) return false;
    Guarded([&] { RunCommand(command); });
    return true;
}

void TfrmMain::RunCommand(TCommandId command)
{
    if (saving_) return;
    switch (command) {
    case cmMarkSelected: logic_.MarkSelection(true); break;
    case cmUnmarkSelected: logic_.MarkSelection(false); break;
    case cmUnmarkAll: logic_.UnmarkAll(); break;
    case cmCopyGrid: logic_.CopyTable(); break;
    case cmSelectAll: logic_.SelectAll(); break;
    case cmSelectNone: logic_.SelectNone(); break;
    case cmFind: logic_.Find(); break;
    case cmFindNext: logic_.FindNext(); break;
    case cmJumpTo: logic_.JumpToMail(); break;
    case cmSaveMarksAs: SaveMarksAs(); break;
    case cmSaveAttachAs: SaveAttachAs(); break;
    case cmDeleteMarks: DeleteMarks(); break;
    case cmDeleteAnAttachment: DeleteAnAttachment(); break;
    case cmDetachMarks: DetachMarks(); break;
    case cmJapanese: SwitchLanguage(kJapaneseLocaleID, context_.Language, context_.Settings.Fonts, *this); break;
    case cmEnglish: SwitchLanguage(kEnglishLocaleID, context_.Language, context_.Settings.Fonts, *this); break;
    case cmChangeFont: ChangeFont(context_.Language, context_.Settings.Fonts, *this); break;
    case cmNumberSameNames: ToggleSaveOption(context_.Settings.Save.NumberSameNames, TMenuItem::NumberSameNames); break;
    case cmMailDateOnFiles: ToggleSaveOption(context_.Settings.Save.MailDateOnFiles, TMenuItem::MailDateOnFiles); break;
    case cmReadMe: mnReadMeClick(); break;
    case cmOpenReadMe: mnOpenReadMeClick(); break;
    case cmClassicRules: mnClassicRulesClick(); break;
    default: RunListingCommand(command); break;
    }
}

void TfrmMain::ToggleSaveOption(bool& option, TMenuItem menuItem)
{
    option = !option;
    menus_.SetChecked(menuItem, option);
}

void TfrmMain::GridMouseDown(TMouseButton button, int x, int y)
{
    const TGridCoord cell = grid_->MouseCoord(x, y);
    logic_.GridMouseDown(ToGridButton(button), cell.Col, cell.Row);
}

void TfrmMain::GridKeyPress(char key)
{
    if (key == kEnter) logic_.EnterKey();
    if (key == kSpace) logic_.SpaceKey();
}

void TfrmMain::ShowNotice(const std::string& text)
{
    ShowMessageBox(window_, TMessageKind::Notice, text, context_.Language.PlugInTitle);
}

void TfrmMain::ShowError(const std::string& text)
{
    ShowMessageBox(window_, TMessageKind::Error, text, context_.Language.PlugInTitle);
}

std::optional<std::string> TfrmMain::AskText(const std::string& caption, const std::string& prompt,
                                             const std::string& initial)
{
    return InputQuery(context_.Module, window_, caption, prompt, initial);
}

void TfrmMain::SetClipboardText(const std::string& text) { quillbox::SetClipboardText(window_, text); }

void TfrmMain::SetListCommandEnabled(TListCommand command, bool enabled)
{
    switch (command) {
    case TListCommand::Edit: menus_.SetEnabled(TMenuItem::Edit, enabled); break;
    case TListCommand::Function: menus_.SetEnabled(TMenuItem::Function, enabled); break;
    case TListCommand::View: menus_.SetEnabled(TMenuItem::View, enabled); break;
    case TListCommand::CopyGrid: menus_.SetEnabled(TMenuItem::PopupCopyGrid, enabled); break;
    case TListCommand::ShowMail: menus_.SetEnabled(TMenuItem::PopupShowMail, enabled); break;
    case TListCommand::MarkSelected: toolBar_->SetEnabled(cmMarkSelected, enabled); break;
    case TListCommand::UnMarkSelected: toolBar_->SetEnabled(cmUnmarkSelected, enabled); break;
    }
    DrawMenuBar(window_);
}

void TfrmMain::Repaint() { RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

int TfrmMain::WindowWidth()
{
    RECT frame{};
    GetWindowRect(window_, &frame);
    return frame.right - frame.left;
}

void TfrmMain::SetWindowWidth(int width)
{
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, 0, 0, width, frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillbox
