// "Save, then delete" as the main window runs it: the folder browser, the
// overwrite question, the disabled controls, the progress of both phases,
// Esc, and the report.
#include "operations/detach_command.h"
#include "operations/operation_messages.h"
#include "ui/win32/main_window/frm_main.h"
#include "ui/win32/main_window/saving_flag.h"
#include "ui/win32/message_box.h"

namespace quillbox {

class TfrmMain::TDetachCommandWindow final : public TDetachWindow {
public:
    explicit TDetachCommandWindow(TfrmMain& form) : form_(form), messages_(form.context_.Language.MessageTable) {}

    bool SelectFolder(std::string& folder) override { return form_.SelectSaveFolder(folder); }

    void BeginDetach() override
    {
        form_.LockForRun();
        // The keys go to the window, which turns Esc into a request to stop.
        SetFocus(form_.window_);
        form_.logic_.ClearEscPressed();
        form_.logic_.SetStoppableRun(true);
        form_.statusBar_->ShowProgressBar(true);
    }
    void ShowPhase(TDetachPhase phase) override
    {
        form_.statusBar_->SetText(2, messages_[phase == TDetachPhase::Saving ? msgSavingMarks : msgDeletingMarks] + "...");
        form_.statusBar_->SetText(3, messages_[msgEscToStop]);
        form_.Repaint();
    }

    TOverwriteAnswer AskOverwrite(const std::string& fileName) override { return form_.AskOverwrite(fileName); }

    void ResetProgress() override { form_.ResetProgress(); }
    void RebuildView() override { form_.RebuildView(); }
    void ScanFolder() override { form_.ScanFolder(); }
    void EndDetach() override
    {
        form_.logic_.SetStoppableRun(false);
        form_.logic_.ClearEscPressed();
        form_.UnlockAfterRun();
        form_.list_->UpdateTotals();  // panels 2 and 3 back from the run's texts
        form_.logic_.ListUpdated();   // enables the menus again when rows are listed
        form_.grid_->Focus();
    }

    void StoreSaveDir(const std::string& folder) override { form_.StoreSaveDir(folder); }
    void ReportDetach(const TDetachReport& report) override
    {
        const TLanguage& language = form_.context_.Language;
        ShowMessageBox(form_.window_, report.AllDetached() ? TMessageKind::Notice : TMessageKind::Warning,
                       DetachReportText(DetachTextsFor(language.LocaleID), report), language.PlugInTitle);
    }

private:
    TfrmMain& form_;
    const TMessageTable& messages_;
};

void TfrmMain::DetachMarks()
{
    const TSavingFlag flag(saving_);
    // The rows as the run starts; the grid is disabled until it ends.
    const TRowList rows = list_->RowList();
    TDetachCommandWindow detach(*this);
    TCommandProgress progress(*this);
    DetachMarked(context_.Mails, rows, context_.Settings.SaveDir, context_.Settings.Save, context_.Host, detach,
                 progress, RunLocale(), TCodePage::Active());
}

}  // namespace quillbox
