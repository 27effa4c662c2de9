#include "operations/save_commands.h"

#include <cstdio>

#include "catalogue/mail_date.h"
#include "catalogue/progress.h"
#include "operations/clean_up.h"
#include "operations/decode_attachment.h"
#include "operations/local_file.h"
#include "operations/mail_file_time.h"
#include "operations/numbered_names.h"
#include "operations/path_text.h"
#include "operations/safe_file_name.h"
#include "operations/save_targets.h"

namespace quillbox {

namespace {
TNumberedNames::TInUse NamesInUse(const std::string& folder)
{
    return [folder](const std::string& name) { return IsExistingPath(folder + name); };
}

// DecodeAttachment, then the mail's date on the file when the options want it.
bool SaveDecoded(THostApi& host, TMailItem& mail, const TAttachment& attachment, const std::string& path,
                 const TSaveOptions& options)
{
    if (!DecodeAttachment(host, mail, attachment, path)) return false;
    // A file that keeps the time it was written is still the attachment.
    if (options.MailDateOnFiles) SetFileTimeToMailDate(path, mail.Date);
    return true;
}

// One run of the marked save: where each file goes, the progress shown, and
// what could not be decoded.
class TMarkedSave {
public:
    TMarkedSave(const std::string& folder, int markCount, const TSaveOptions& options, THostApi& host,
                TSaveWindow& window, TRunProgress& progress, char dateSeparator, const TCodePage& codePage)
        : markCount_(markCount), options_(options), dateSeparator_(dateSeparator), host_(host),
          progress_(progress),
          targets_(folder, options, codePage,
                   [&window](const std::string& name) { return window.AskOverwrite(name); }),
          shown_(progress)
    {
    }

    void Run(const std::vector<TListPosItem>& rows)
    {
        for (const TListPosItem& row : rows) {
            if (!row.Mail || !row.Attachment || !row.Attachment->Marked) continue;
            if (!Save(*row.Mail, *row.Attachment)) return;
        }
    }

    const std::vector<std::string>& Failures() const { return failures_; }

private:
    // False when the user cancels the run.
    bool Save(TMailItem& mail, const TAttachment& attachment)
    {
        shown_.Show(WholePercent(++handled_, markCount_));
        const TSaveTarget target = targets_.For(attachment);
        if (target.Choice == TTargetChoice::Cancel) return false;
        if (target.Choice == TTargetChoice::Skip) return true;
        progress_.ProcessMessages();
        if (!SaveDecoded(host_, mail, attachment, target.Path, options_))
            failures_.push_back(UndecodableLine(mail, attachment, dateSeparator_));
        return true;
    }

    const int markCount_;
    const TSaveOptions options_;
    const char dateSeparator_;
    THostApi& host_;
    TRunProgress& progress_;
    TSaveTargets targets_;
    int handled_ = 0;
    TChangedPercent shown_;
    std::vector<std::string> failures_;
};
}  // namespace

std::string UndecodableLine(const TMailItem& mail, const TAttachment& attachment, char dateSeparator)
{
    const TDateTimeParts date = DecodeDateTime(mail.Date);
    char text[32];
    std::snprintf(text, sizeof text, "%04d%c%02d%c%02d", date.Year, dateSeparator, date.Month, dateSeparator, date.Day);
    return std::string(text) + '\t' + mail.Subject + '\t' + attachment.FileName;
}

void SaveMarked(const std::vector<TListPosItem>& rows, int markCount, const std::string& saveDir,
                const TSaveOptions& options, THostApi& host, TSaveWindow& window, TRunProgress& progress,
                const TRunLocale& locale, const TCodePage& codePage)
{
    std::string chosen = saveDir;
    if (!window.SelectFolder(chosen)) return;
    window.BeginSave();
    const std::string folder = WithTrailingDelimiter(chosen, codePage);
    TMarkedSave run(folder, markCount, options, host, window, progress, locale.DateSeparator, codePage);
    std::exception_ptr error;
    try {
        run.Run(rows);
    } catch (...) {
        error = std::current_exception();
    }
    CleanUp(error, {[&] { window.EndSave(); },
                    [&] {
                        if (folder != saveDir) window.StoreSaveDir(folder);
                    },
                    [&] {
                        if (!run.Failures().empty()) window.ReportUndecodable(run.Failures());
                    },
                    [&] { window.RestoreCursor(); }});
}

void SaveAttachmentAs(TMailItem& mail, const TAttachment& attachment, const std::string& saveDir,
                      const TSaveOptions& options, THostApi& host, TSaveWindow& window, const TCodePage& codePage)
{
    const std::string folder = saveDir.empty() ? std::string() : WithTrailingDelimiter(saveDir, codePage);
    std::string proposed = SafeFileName(attachment.FileName, codePage, NameRoomIn(folder));
    if (options.NumberSameNames && !folder.empty())
        proposed = TNumberedNames(NamesInUse(folder), codePage, NameRoomIn(folder)).FreeName(proposed);
    const auto path = window.SelectFile(proposed, saveDir);
    if (!path) return;
    if (!SaveDecoded(host, mail, attachment, *path, options)) window.ShowUndecodable();
    const std::string chosenFolder = FolderOfPath(*path, codePage);
    if (chosenFolder != saveDir) window.StoreSaveDir(chosenFolder);
}

}  // namespace quillbox
