// The save commands as the main window runs them: the folder browser, the
// save-file dialog, the overwrite question and the status bar.
#include "operations/operation_messages.h"
#include "operations/save_commands.h"
#include "ui/win32/main_window/frm_main.h"
#include "ui/win32/main_window/saving_flag.h"
#include "ui/win32/message_box.h"
#include "ui/win32/save_dialogs/folder_browser.h"
#include "ui/win32/save_dialogs/overwrite_dialog.h"
#include "ui/win32/save_dialogs/save_file_dialog.h"

namespace quillbox {

class TfrmMain::TSaveCommandWindow final : public TSaveWindow {
public:
    explicit TSaveCommandWindow(TfrmMain& form) : form_(form), messages_(form.context_.Language.MessageTable) {}

    bool SelectFolder(std::string& folder) override { return form_.SelectSaveFolder(folder); }
    std::optional<std::string> SelectFile(const std::string& fileName, const std::string& folder) override
    {
        return ShowSaveDialog(form_.window_, fileName, folder);
    }

    void BeginSave() override
    {
        form_.statusBar_->ShowProgressBar(true);
        form_.statusBar_->SetText(2, messages_[msgSavingMarks] + "...");
        form_.SetBusyCursor(true);
    }
    void EndSave() override
    {
        form_.ResetProgress();
        form_.list_->UpdateTotals();
    }
    void RestoreCursor() override { form_.SetBusyCursor(false); }

    TOverwriteAnswer AskOverwrite(const std::string& fileName) override { return form_.AskOverwrite(fileName); }
    void ReportUndecodable(const std::vector<std::string>& lines) override
    {
        ShowMessageBox(form_.window_, TMessageKind::Warning, UndecodableReportText(messages_, lines),
                       form_.context_.Language.PlugInTitle);
    }
    void ShowUndecodable() override { form_.ShowError(messages_[msgCannotDecode]); }

    void StoreSaveDir(const std::string& folder) override { form_.StoreSaveDir(folder); }

private:
    TfrmMain& form_;
    const TMessageTable& messages_;
};

char TfrmMain::DateSeparator()
{
    char separator[8] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDATE, separator, sizeof separator) > 0 && separator[0])
        return separator[0];
    return '/';
}

TRunLocale TfrmMain::RunLocale() const { return {DateSeparator(), context_.Language.LocaleID}; }

bool TfrmMain::SelectSaveFolder(std::string& folder)
{
    return quillbox::SelectFolder(window_, context_.Language.MessageTable[msgSelectSaveFolder], folder);
}

TOverwriteAnswer TfrmMain::AskOverwrite(const std::string& fileName)
{
    return quillbox::AskOverwrite(window_, context_.Language.PlugInTitle,
                                  OverwriteQuestionText(context_.Language.MessageTable, fileName),
                                  OverwriteButtonCaptionsFor(context_.Language.LocaleID));
}

void TfrmMain::StoreSaveDir(const std::string& folder)
{
    context_.Settings.SaveDir = folder;
    context_.SettingsFile.WriteSettings(context_.Settings, context_.Language, OpenWindowState());
}

void TfrmMain::SaveMarksAs()
{
    const TSavingFlag flag(saving_);
    // A press on the grid's header re-sorts the rows while the save lets
    // messages through; the run goes on over the rows it started with.
    const TRowList rows = list_->RowList();
    TSaveCommandWindow saving(*this);
    TCommandProgress progress(*this);
    SaveMarked(rows, context_.Mails.MarkCount, context_.Settings.SaveDir, context_.Settings.Save, context_.Host,
               saving, progress, RunLocale(), TCodePage::Active());
}

void TfrmMain::SaveAttachAs()
{
    const TRowRef row = list_->RowAt(grid_->Row() - 1);
    if (!row) return;
    TSaveCommandWindow saving(*this);
    SaveAttachmentAs(*row.Mail, *row.Attachment, context_.Settings.SaveDir, context_.Settings.Save, context_.Host,
                     saving, TCodePage::Active());
}

}  // namespace quillbox
