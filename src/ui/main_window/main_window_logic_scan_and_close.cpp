#include "ui/main_window/main_window_logic.h"

namespace quillbox {

void TMainWindowLogic::TimerTick()
{
    // Every activation restarts the timer; only the first tick scans.
    if (scanned_) return;
    scanned_ = true;
    shell_.Repaint();
    shell_.ScanFolder();
    // What a stopped scan found is listed as well.
    if (fitColumnsAfterScan_ && RowListCount() > 0) FitColumnsToContent();
    if (closeRequested_) {
        shell_.Close();
        return;
    }
    if (escPressed_) return;
    if (Listing().AttachCount() == 0) {
        shell_.ShowNotice(messages_[msgNoAttachments]);
        shell_.Close();
        return;
    }
    ListUpdated();
    shell_.FocusGrid();
}

void TMainWindowLogic::ListUpdated()
{
    const bool hasRows = RowListCount() > 0;
    for (const TListCommand command : kListCommands) shell_.SetListCommandEnabled(command, hasRows);
}

void TMainWindowLogic::EscapeKey()
{
    escPressed_ = true;
    if (!scanning_ && !stoppableRun_) shell_.Close();
}

void TMainWindowLogic::CloseRequested()
{
    if (!scanning_) {
        shell_.Close();
        return;
    }
    escPressed_ = true;  // the scan stops at its next look
    closeRequested_ = true;
}

}  // namespace quillbox
