// What a detach decides about each marked attachment: it was saved or not,
// its file still holds its bytes or not, it left its mail or not. Only an
// attachment saved, found in its file byte for byte and cut out of its mail
// counts as detached; every other one stays in its mail, and the report says
// why.
#pragma once

#include <string>
#include <vector>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"

namespace quillbox {

enum class TSaveOutcome {
    NotReached,   // the run stopped before it
    Saved,
    AnsweredNo,   // a file of that name stays, as answered now or for the run
    Undecodable,  // an encoding that is refused, or the converter failed
    WriteFailed,  // the file could not be written
    Unreadable,   // the mail no longer gives the part
};

enum class TCheckOutcome {
    NotReached,
    Identical,    // the saved file holds what the part decodes to now
    FileMissing,  // the saved file is gone or cannot be opened
    FileChanged,  // it holds other bytes: replaced or changed after writing
    PartMoved,    // the mail changed: the part is no longer where the list has it
    Failed,       // the part could not be decoded again
};

enum class TCutOutcome {
    NotReached,
    Cut,          // the mail was rewritten without the part
    MailChanged,  // the mail was left as it was: it changed since the list was made
    TooManyParts, // the mail was left as it was: it has more parts than are read
    Failed,       // an error while the mail was rewritten
};

struct TDetachEntry {
    TMailItem* Mail = nullptr;
    TAttachment* Attachment = nullptr;
    std::string SavedName;  // the file's name in the folder, once chosen
    std::string SavedPath;  // the folder and that name
    TSaveOutcome Save = TSaveOutcome::NotReached;
    TCheckOutcome Check = TCheckOutcome::NotReached;
    TCutOutcome Cut = TCutOutcome::NotReached;
    std::string Detail;  // the error's own text, when an error decided
};

// The part may leave its mail: saved, and its file holds the part's bytes.
bool MayCut(const TDetachEntry& entry);

enum class TDetachVerdict {
    Detached,
    // Saved, but kept in the mail.
    SavedFileMissing,
    SavedFileChanged,
    CheckFailed,
    MailChanged,
    TooManyParts,
    RewriteFailed,
    StoppedBeforeRemoval,
    // Not saved, so kept in the mail.
    AnsweredNo,
    Undecodable,
    WriteFailed,
    Unreadable,
    StoppedBeforeSave,
};

TDetachVerdict VerdictOf(const TDetachEntry& entry);

enum class TReportSection { Detached, SavedButKept, NotSaved };
TReportSection SectionOf(TDetachVerdict verdict);

// One attachment as the report names it.
struct TDetachReportLine {
    std::string Text;       // "yyyy/mm/dd<TAB>subject<TAB>file name"
    std::string SavedName;  // set when the file was saved under another name
    TDetachVerdict Verdict = TDetachVerdict::Detached;
    std::string Detail;
};

struct TDetachReport {
    std::string Folder;
    std::vector<TDetachReportLine> Detached, SavedButKept, NotSaved;

    bool AllDetached() const { return SavedButKept.empty() && NotSaved.empty(); }
};

// Taken while the entries' mails and attachments still exist, in entry order.
TDetachReport ReportOf(const std::vector<TDetachEntry>& entries, const std::string& folder, char dateSeparator);

}  // namespace quillbox
