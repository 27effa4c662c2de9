// The folder scan as the main window runs it, and what the long commands
// (save, removal, detach) share with it: the controls disabled while they
// run, the percentage in the status bar, the messages let through meanwhile.
#include "catalogue/scan_window.h"
#include "ui/win32/main_window/frm_main.h"
#include "catalogue/icons/icon_list.h"

namespace quillbox {

void TfrmMain::ScanFolder()
{
    context_.Mails.Rules = context_.Settings.ClassicRules ? TAttachmentRules::Classic : TAttachmentRules::Full;
    quillbox::ScanFolder(context_.Mails, context_.Host, *this, context_.Icons);
}

void TfrmMain::mnClassicRulesClick()
{
    // Not while a scan lets messages through: it would pull the mails from under it.
    if (logic_.Scanning()) return;
    context_.Settings.ClassicRules = !context_.Settings.ClassicRules;
    menus_.SetChecked(TMenuItem::ClassicRules, context_.Settings.ClassicRules);
    ScanFolder();
}

void TfrmMain::ProcessMessages()
{
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // For the modal loop, and then the host's; a scan stops for it.
            PostQuitMessage(static_cast<int>(message.wParam));
            if (logic_.Scanning()) Guarded([&] { logic_.CloseRequested(); });
            return;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void TfrmMain::ShowScanStarted()
{
    const TMessageTable& messages = context_.Language.MessageTable;
    statusBar_->SetText(2, messages[msgScanning] + "...");
    statusBar_->SetText(3, messages[msgEscToStop]);
    Repaint();
    TGridModel& model = grid_->Model();
    model.SetRowCount(200);
    for (int row = 0; row < model.RowCount(); ++row)
        for (int col = 1; col <= 3; ++col) model.SetCell(col, row, "");
}

void TfrmMain::ShowProgress(const std::string& text, int position)
{
    statusBar_->SetText(1, text);
    statusBar_->SetProgress(position);
    Repaint();
}

void TfrmMain::SetRunMenusEnabled(bool enabled)
{
    for (const TMenuItem menu : {TMenuItem::View, TMenuItem::Edit, TMenuItem::Function})
        menus_.SetEnabled(menu, enabled);
    DrawMenuBar(window_);
}

void TfrmMain::LockForRun()
{
    SetBusyCursor(true);
    grid_->SetEnabled(false);
    toolBar_->SetAllEnabled(false);
    SetRunMenusEnabled(false);
}

void TfrmMain::UnlockAfterRun()
{
    grid_->SetEnabled(true);
    toolBar_->SetAllEnabled(true);
    SetBusyCursor(false);
}

void TfrmMain::ResetProgress()
{
    statusBar_->SetText(1, "");
    statusBar_->SetProgress(0);
    statusBar_->ShowProgressBar(false);
}

}  // namespace quillbox
