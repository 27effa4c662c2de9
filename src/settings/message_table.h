// The texts the window and the operations show, in the current language.
// Entries are bytes of the language's code page (Japanese: Shift_JIS).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace quillbox {

constexpr int kJapaneseLocaleID = 1041;
constexpr int kEnglishLocaleID = 1033;

// Any locale but 1041 gets the second language.
constexpr bool IsJapanese(int localeID) { return localeID == kJapaneseLocaleID; }

constexpr std::size_t kMessageCount = 38;
using TMessageTable = std::array<std::string, kMessageCount>;

// Where each entry is used; the composed texts are built from several.
enum TMessage : std::size_t {
    msgRepeatMark = 0,
    msgTotal = 1,
    msgMarkedTotal = 2,
    msgFilesMarked = 3,
    msgScanning = 4,
    msgEscToStop = 5,
    msgMarkSymbol = 6,
    msgNoAttachments = 7,
    msgCannotDecode = 8,
    msgSettingsComment = 9,
    msgSelectSaveFolder = 10,
    msgSavingMarks = 11,
    msgOverwriteBeforeName = 12,
    msgOverwriteAfterName = 13,
    msgOverwriteQuestion = 14,
    msgUndecodedFirstLine = 15,
    msgUndecodedSecondLine = 16,
    msgDeleteMarksFirstLine = 17,
    msgDeleteMarksSecondLine = 18,
    msgDeletingMarks = 19,
    msgFindCaption = 20,
    msgFindPrompt = 21,
    msgNotFound = 22,
    msgAscendingMark = 23,
    msgDescendingMark = 24,
    msgDateHeader = 25,
    msgFileNameHeader = 26,
    msgSizeHeader = 27,
    msgFilterBeforeExtension = 28,
    msgFilterAfterExtension = 29,
    msgReadMeTag = 30,
    msgDeleteOneBeforeName = 31,
    msgOpeningQuote = 32,
    msgClosingQuote = 33,
    msgDeleteOneQuestion = 34,
    msgDeletingOne = 35,
    msgReadMeMissing = 36,
    msgIconGap = 37,
};

// The texts of one language that are not in the message table.
struct TLanguageTexts {
    std::string Title;
    std::string Description;
    std::string SampleFontName;
};

TLanguageTexts JapaneseTexts();
TLanguageTexts EnglishTexts();
TLanguageTexts LanguageTextsFor(int localeID);

TMessageTable MessageTableFor(int localeID);

// A main-window control's caption, and the hint of the tool button that
// stands for the same command (no button: empty names).
struct TControlText {
    std::string Control;
    std::string Caption;
    std::string ToolButton;
    std::string Hint;
};

// Every caption of the main window in the order it is applied.
std::vector<TControlText> CaptionTableFor(int localeID);

// The caption without its access key: "(&A)" in Japanese, "&" elsewhere.
std::string WithoutAccessKey(const std::string& caption);

// The captions of the overwrite question's buttons.
struct TOverwriteButtonCaptions {
    std::string Yes, No, Cancel, NoToAll, YesToAll;
};
TOverwriteButtonCaptions OverwriteButtonCaptionsFor(int localeID);

// The notice for a settings file that could not be written.
std::string SettingsNotWrittenText(int localeID, const std::string& path);

// The error box's text for an error that has no message of its own.
std::string UnexpectedErrorText(int localeID);

// The warning that lists the attachments a removal left in their mails, one
// line each.
std::string NotRemovedReportText(int localeID, const std::vector<std::string>& lines);

// The first words of the note that stands in for removed parts; the time follows.
std::string RemovalNoteText(int localeID);

// The error for a mail the host did not store as it was rewritten.
std::string MailNotStoredText(int localeID, const std::string& subject);

// The texts of the report of "save, then delete": the folder's label, the
// section headings, and why an attachment stayed in its mail.
struct TDetachTexts {
    std::string Folder;
    std::string Detached, SavedButKept, NotSaved;
    std::string SavedAs, MoreBefore, MoreAfter;
    std::string SavedFileMissing, SavedFileChanged, CheckFailed, MailChanged, TooManyParts, RewriteFailed,
        StoppedBeforeRemoval;
    std::string AnsweredNo, Undecodable, WriteFailed, Unreadable, StoppedBeforeSave;
};
TDetachTexts DetachTextsFor(int localeID);

}  // namespace quillbox
