// The removal commands as the main window runs them: the questions, the
// disabled controls and the progress.
#include "operations/operation_messages.h"
#include "operations/removal_commands.h"
#include "ui/win32/main_window/frm_main.h"
#include "ui/win32/message_box.h"

namespace quillbox {

class TfrmMain::TRemovalCommandWindow final : public TRemovalWindow {
public:
    explicit TRemovalCommandWindow(TfrmMain& form) : form_(form), messages_(form.context_.Language.MessageTable) {}

    bool ConfirmRemoveMarked() override { return Confirm(RemoveMarkedQuestionText(messages_)); }
    bool ConfirmRemoveOne(const std::string& fileName) override
    {
        return Confirm(RemoveOneQuestionText(messages_, fileName));
    }

    void BeginRemoval(bool bulk) override
    {
        form_.LockForRun();
        form_.statusBar_->SetText(2, messages_[bulk ? msgDeletingMarks : msgDeletingOne] + "...");
        if (bulk) form_.statusBar_->ShowProgressBar(true);
    }
    void ResetProgress() override { form_.ResetProgress(); }
    void RebuildView() override { form_.RebuildView(); }
    void ScanFolder() override { form_.ScanFolder(); }
    void EndRemoval() override
    {
        form_.UnlockAfterRun();
        form_.logic_.ListUpdated();  // enables the menus again when rows are listed
        form_.grid_->Focus();
    }
    void ReportNotRemoved(const std::vector<std::string>& lines) override
    {
        const TLanguage& language = form_.context_.Language;
        ShowMessageBox(form_.window_, TMessageKind::Warning, NotRemovedReportText(language.LocaleID, lines),
                       language.PlugInTitle);
    }

private:
    bool Confirm(const std::string& text)
    {
        return ShowMessageBox(form_.window_, TMessageKind::WarningQuestion, text, form_.context_.Language.PlugInTitle);
    }

    TfrmMain& form_;
    const TMessageTable& messages_;
};

void TfrmMain::DeleteMarks()
{
    TRemovalCommandWindow removal(*this);
    TCommandProgress progress(*this);
    RemoveMarked(context_.Mails, context_.Host, removal, progress, RunLocale());
}

void TfrmMain::DeleteAnAttachment()
{
    const TRowRef row = list_->RowAt(grid_->Row() - 1);
    if (!row) return;
    TRemovalCommandWindow removal(*this);
    RemoveOne(*row.Mail, *row.Attachment, context_.Host, removal, RunLocale());
}

}  // namespace quillbox
