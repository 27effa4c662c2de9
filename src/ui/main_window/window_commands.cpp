#include "ui/main_window/main_window_logic.h"

#include <utility>

namespace quillbox {

TMainWindowLogic::TMainWindowLogic(TMainWindowShell& shell, const TMessageTable& messages,
                                   std::vector<std::int32_t>& gridWidths, TPatternMatcher matcher)
    : shell_(shell), messages_(messages), gridWidths_(gridWidths),
      matcher_(std::move(matcher))
{
}

void TMainWindowLogic::TimerTick()
{
    // Every activation restarts the timer; only the first tick scans.
    if (scanned_) return;
    scanned_ = true;
    shell_.Repaint();
    shell_.ScanFolder();
    // What a stopped scan found is listed as well.
    if (fitColumnsAfterScan_ && shell_.RowListCount() > 0) FitColumnsToContent();
    if (closeRequested_) {
        shell_.Close();
        return;
    }
    if (escPressed_) return;
    if (shell_.AttachCount() == 0) {
        shell_.ShowNotice(messages_[msgNoAttachments]);
        shell_.Close();
        return;
    }
    ListUpdated();
    shell_.FocusGrid();
}

void TMainWindowLogic::ListUpdated()
{
    const bool hasRows = shell_.RowListCount() > 0;
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
