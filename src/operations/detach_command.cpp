#include "operations/detach_command.h"

#include <algorithm>
#include <ctime>
#include <map>

#include "catalogue/progress.h"
#include "operations/clean_up.h"
#include "operations/decode_attachment.h"
#include "operations/detach_steps.h"
#include "operations/local_file.h"
#include "operations/mark_snapshot.h"
#include "operations/path_text.h"
#include "operations/save_targets.h"

namespace quillbox {

namespace {
class TDetachRun {
public:
    TDetachRun(const std::vector<TListPosItem>& rows, const std::string& folder, const TSaveOptions& options,
               THostApi& host, TDetachWindow& window, TRunProgress& progress, int localeID,
               const TCodePage& codePage)
        : options_(options), host_(host), window_(window), progress_(progress), codePage_(codePage),
          note_{localeID, RemovalTimeText(std::time(nullptr))},
          targets_(folder, options, codePage,
                   [&window](const std::string& name) { return window.AskOverwrite(name); }),
          shown_(progress)
    {
        for (const TListPosItem& row : rows) {
            if (!row.Mail || !row.Attachment || !row.Attachment->Marked) continue;
            TDetachEntry& entry = entries_.emplace_back();
            entry.Mail = row.Mail;
            entry.Attachment = row.Attachment;
        }
    }

    const std::vector<TDetachEntry>& Entries() const { return entries_; }
    // Every mail with something to cut was cut as planned.
    bool CatalogueTrue() const { return catalogueTrue_; }

    void SaveAll()
    {
        const int steps = 2 * static_cast<int>(entries_.size());
        for (std::size_t i = 0; i < entries_.size() && !stopped_; ++i) {
            if (StopAsked()) return;
            shown_.Show(WholePercent(static_cast<int>(i) + 1, steps));
            Save(entries_[i]);
        }
    }

    // Mail by mail in list order, each mail's entries in part order.
    void CutAll(TMailList& list)
    {
        if (stopped_) return;
        window_.ShowPhase(TDetachPhase::Removing);
        std::map<const TAttachment*, TDetachEntry*> saved;
        for (TDetachEntry& entry : entries_)
            if (entry.Save == TSaveOutcome::Saved) saved[entry.Attachment] = &entry;
        const int count = static_cast<int>(saved.size());
        int handled = 0;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            std::vector<TDetachEntry*> mailEntries;
            for (const auto& attachment : list[i].Attachments)
                if (const auto it = saved.find(attachment.get()); it != saved.end()) mailEntries.push_back(it->second);
            if (mailEntries.empty()) continue;
            if (StopAsked()) return;
            handled += static_cast<int>(mailEntries.size());
            shown_.Show(WholePercent(count + handled, 2 * count));
            Cut(list[i], mailEntries);
        }
    }

private:
    bool StopAsked()
    {
        progress_.ProcessMessages();
        stopped_ = stopped_ || progress_.StopRequested();
        return stopped_;
    }

    void Save(TDetachEntry& entry)
    {
        try {
            const TSaveTarget target = targets_.For(*entry.Attachment);
            entry.SavedName = target.Name;
            switch (target.Choice) {
            case TTargetChoice::Cancel: stopped_ = true; return;
            case TTargetChoice::Skip: entry.Save = TSaveOutcome::AnsweredNo; return;
            case TTargetChoice::Write: break;
            }
            entry.SavedPath = target.Path;
            entry.Save = SaveForDetach(host_, *entry.Mail, *entry.Attachment, target.Path, options_);
        } catch (const EInOutError& error) {
            entry.Save = TSaveOutcome::WriteFailed;
            entry.Detail = error.what();
        } catch (const std::exception& error) {
            entry.Save = TSaveOutcome::Unreadable;
            entry.Detail = error.what();
        }
    }

    void Cut(TMailItem& mail, const std::vector<TDetachEntry*>& mailEntries)
    {
        std::vector<TDetachEntry*> toCut;
        for (TDetachEntry* entry : mailEntries) {
            try {
                entry->Check = CheckSavedFile(host_, mail, *entry->Attachment, entry->SavedPath);
            } catch (const EAttachmentMoved&) {
                // The other parts are still where the list has them and may go;
                // this one stays, and only a new scan knows where it is now.
                entry->Check = TCheckOutcome::PartMoved;
                catalogueTrue_ = false;
            } catch (const std::exception& error) {
                entry->Check = TCheckOutcome::Failed;
                entry->Detail = error.what();
            }
            if (MayCut(*entry)) toCut.push_back(entry);
        }
        if (toCut.empty()) return;

        std::vector<const TAttachment*> attachments;
        std::vector<std::string> paths;
        for (const TDetachEntry* entry : toCut) {
            attachments.push_back(entry->Attachment);
            paths.push_back(entry->SavedPath);
        }
        TCutOutcome outcome = TCutOutcome::Failed;
        try {
            outcome = CutDetached(host_, mail, attachments, paths, note_, codePage_);
        } catch (const std::exception& error) {
            // The mail may or may not have been rewritten: only a new scan can tell.
            catalogueTrue_ = false;
            for (TDetachEntry* entry : toCut) entry->Cut = TCutOutcome::Failed, entry->Detail = error.what();
            throw;
        }
        // A mail too big to read is as listed; any other that was not cut is not.
        if (outcome == TCutOutcome::MailChanged) catalogueTrue_ = false;
        for (TDetachEntry* entry : toCut) {
            entry->Cut = outcome;
            entry->Attachment->Removed = outcome == TCutOutcome::Cut;
        }
    }

    const TSaveOptions options_;
    THostApi& host_;
    TDetachWindow& window_;
    TRunProgress& progress_;
    const TCodePage& codePage_;
    const TRemovalNote note_;
    TSaveTargets targets_;
    std::vector<TDetachEntry> entries_;
    bool stopped_ = false;
    bool catalogueTrue_ = true;
    TChangedPercent shown_;
};
}  // namespace

void DetachMarked(TMailList& list, const std::vector<TListPosItem>& rows, const std::string& saveDir,
                  const TSaveOptions& options, THostApi& host, TDetachWindow& window, TRunProgress& progress,
                  const TRunLocale& locale, const TCodePage& codePage)
{
    const bool anyMarked = std::any_of(rows.begin(), rows.end(), [](const TListPosItem& row) {
        return row.Mail && row.Attachment && row.Attachment->Marked;
    });
    std::string chosen = saveDir;
    if (!anyMarked || !window.SelectFolder(chosen)) return;
    const std::string folder = WithTrailingDelimiter(chosen, codePage);
    TDetachRun run(rows, folder, options, host, window, progress, locale.LocaleID, codePage);
    window.BeginDetach();
    window.ShowPhase(TDetachPhase::Saving);
    std::exception_ptr error;
    try {
        run.SaveAll();
        run.CutAll(list);
    } catch (...) {
        error = std::current_exception();
    }
    // The report names attachments that the rebuild destroys.
    TDetachReport report;
    CleanUp(error, {[&] { report = ReportOf(run.Entries(), folder, locale.DateSeparator); },
                    [&] { window.ResetProgress(); },
                    [&] {
                        if (!error && run.CatalogueTrue()) {
                            window.RebuildView();
                            return;
                        }
                        const TMarkSnapshot marks(list);
                        window.ScanFolder();
                        marks.Restore(list);
                        window.RebuildView();
                    },
                    [&] { window.EndDetach(); },
                    [&] {
                        if (folder != saveDir) window.StoreSaveDir(folder);
                    },
                    [&] { window.ReportDetach(report); }});
}

}  // namespace quillbox
