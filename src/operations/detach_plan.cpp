#include "operations/detach_plan.h"

#include "operations/save_commands.h"

namespace quillbox {

bool MayCut(const TDetachEntry& entry)
{
    return entry.Save == TSaveOutcome::Saved && entry.Check == TCheckOutcome::Identical;
}

TDetachVerdict VerdictOf(const TDetachEntry& entry)
{
    switch (entry.Save) {
    case TSaveOutcome::NotReached: return TDetachVerdict::StoppedBeforeSave;
    case TSaveOutcome::AnsweredNo: return TDetachVerdict::AnsweredNo;
    case TSaveOutcome::Undecodable: return TDetachVerdict::Undecodable;
    case TSaveOutcome::WriteFailed: return TDetachVerdict::WriteFailed;
    case TSaveOutcome::Unreadable: return TDetachVerdict::Unreadable;
    case TSaveOutcome::Saved: break;
    }
    switch (entry.Check) {
    case TCheckOutcome::NotReached: return TDetachVerdict::StoppedBeforeRemoval;
    case TCheckOutcome::FileMissing: return TDetachVerdict::SavedFileMissing;
    case TCheckOutcome::FileChanged: return TDetachVerdict::SavedFileChanged;
    case TCheckOutcome::PartMoved: return TDetachVerdict::MailChanged;
    case TCheckOutcome::Failed: return TDetachVerdict::CheckFailed;
    case TCheckOutcome::Identical: break;
    }
    switch (entry.Cut) {
    case TCutOutcome::NotReached: return TDetachVerdict::StoppedBeforeRemoval;
    case TCutOutcome::MailChanged: return TDetachVerdict::MailChanged;
    case TCutOutcome::TooManyParts: return TDetachVerdict::TooManyParts;
    case TCutOutcome::Failed: return TDetachVerdict::RewriteFailed;
    case TCutOutcome::Cut: break;
    }
    return TDetachVerdict::Detached;
}

TReportSection SectionOf(TDetachVerdict verdict)
{
    switch (verdict) {
    case TDetachVerdict::Detached: return TReportSection::Detached;
    case TDetachVerdict::SavedFileMissing:
    case TDetachVerdict::SavedFileChanged:
    case TDetachVerdict::CheckFailed:
    case TDetachVerdict::MailChanged:
    case TDetachVerdict::TooManyParts:
    case TDetachVerdict::RewriteFailed:
    case TDetachVerdict::StoppedBeforeRemoval: return TReportSection::SavedButKept;
    default: return TReportSection::NotSaved;
    }
}

TDetachReport ReportOf(const std::vector<TDetachEntry>& entries, const std::string& folder, char dateSeparator)
{
    TDetachReport report;
    report.Folder = folder;
    for (const TDetachEntry& entry : entries) {
        TDetachReportLine line;
        line.Text = UndecodableLine(*entry.Mail, *entry.Attachment, dateSeparator);
        line.Verdict = VerdictOf(entry);
        line.Detail = entry.Detail;
        if (entry.Save == TSaveOutcome::Saved && entry.SavedName != entry.Attachment->FileName)
            line.SavedName = entry.SavedName;
        switch (SectionOf(line.Verdict)) {
        case TReportSection::Detached: report.Detached.push_back(std::move(line)); break;
        case TReportSection::SavedButKept: report.SavedButKept.push_back(std::move(line)); break;
        case TReportSection::NotSaved: report.NotSaved.push_back(std::move(line)); break;
        }
    }
    return report;
}

}  // namespace quillbox
