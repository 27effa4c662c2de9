#include "settings/message_table.h"

namespace quillbox {

namespace {

struct TTextPair {
    const char* Japanese;
    const char* English;
};

const char* Pick(const TTextPair& pair, int localeID)
{
    return IsJapanese(localeID) ? pair.Japanese : pair.English;
}

struct TTextTable {
#define QBX_TEXT(name, japanese, english) TTextPair name{japanese, english};
#include "settings/interface_texts.inc"
};
const TTextTable kTexts;

const TTextPair kMessages[] = {
#define QBX_MESSAGE(index, japanese, english) {japanese, english},
#include "settings/interface_texts.inc"
};
static_assert(std::size(kMessages) == kMessageCount);

struct TCaptionRow {
    const char* Control;
    const char* ToolButton;
    TTextPair Caption;
};

const TCaptionRow kCaptions[] = {
#define QBX_CAPTION(control, toolButton, japanese, english) {control, toolButton, {japanese, english}},
#include "settings/interface_texts.inc"
};

}  // namespace

TLanguageTexts JapaneseTexts() { return LanguageTextsFor(kJapaneseLocaleID); }

TLanguageTexts EnglishTexts() { return LanguageTextsFor(kEnglishLocaleID); }

TLanguageTexts LanguageTextsFor(int localeID)
{
    return {Pick(kTexts.Title, localeID), Pick(kTexts.Description, localeID),
            Pick(kTexts.SampleFontName, localeID)};
}

TMessageTable MessageTableFor(int localeID)
{
    TMessageTable table;
    for (std::size_t i = 0; i < kMessageCount; ++i) table[i] = Pick(kMessages[i], localeID);
    return table;
}

std::vector<TControlText> CaptionTableFor(int localeID)
{
    std::vector<TControlText> table;
    table.reserve(std::size(kCaptions));
    for (const TCaptionRow& row : kCaptions) {
        const std::string caption = Pick(row.Caption, localeID);
        const std::string toolButton = row.ToolButton;
        table.push_back({row.Control, caption, toolButton,
                         toolButton.empty() ? std::string() : WithoutAccessKey(caption)});
    }
    return table;
}

std::string WithoutAccessKey(const std::string& caption)
{
    // "(" and "&" are never the second byte of a double-byte character, so a
    // byte search is safe in Shift_JIS too.
    const std::size_t amp = caption.find('&');
    if (amp == std::string::npos) return caption;
    if (amp > 0 && caption[amp - 1] == '(' && amp + 2 < caption.size() && caption[amp + 2] == ')')
        return caption.substr(0, amp - 1) + caption.substr(amp + 3);
    return caption.substr(0, amp) + caption.substr(amp + 1);
}

TOverwriteButtonCaptions OverwriteButtonCaptionsFor(int localeID)
{
    return {Pick(kTexts.OverwriteYes, localeID), Pick(kTexts.OverwriteNo, localeID),
            Pick(kTexts.OverwriteCancel, localeID), Pick(kTexts.OverwriteNoToAll, localeID),
            Pick(kTexts.OverwriteYesToAll, localeID)};
}

std::string SettingsNotWrittenText(int localeID, const std::string& path)
{
    return Pick(kTexts.SettingsNotWrittenBefore, localeID) + path +
           Pick(kTexts.SettingsNotWrittenAfter, localeID);
}

std::string UnexpectedErrorText(int localeID) { return Pick(kTexts.UnexpectedError, localeID); }

std::string NotRemovedReportText(int localeID, const std::vector<std::string>& lines)
{
    std::string text = Pick(kTexts.NotRemoved, localeID);
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string RemovalNoteText(int localeID) { return Pick(kTexts.RemovalNote, localeID); }

std::string MailNotStoredText(int localeID, const std::string& subject)
{
    return Pick(kTexts.MailNotStoredBefore, localeID) + subject + Pick(kTexts.MailNotStoredAfter, localeID);
}

TDetachTexts DetachTextsFor(int localeID)
{
    const auto text = [localeID](const TTextPair& pair) { return std::string(Pick(pair, localeID)); };
    return {text(kTexts.DetachFolder),
            text(kTexts.DetachDetached),
            text(kTexts.DetachSavedButKept),
            text(kTexts.DetachNotSaved),
            text(kTexts.DetachSavedAs),
            text(kTexts.DetachMoreBefore),
            text(kTexts.DetachMoreAfter),
            text(kTexts.DetachSavedFileMissing),
            text(kTexts.DetachSavedFileChanged),
            text(kTexts.DetachCheckFailed),
            text(kTexts.DetachMailChanged),
            text(kTexts.DetachTooManyParts),
            text(kTexts.DetachRewriteFailed),
            text(kTexts.DetachStoppedBeforeRemoval),
            text(kTexts.DetachAnsweredNo),
            text(kTexts.DetachUndecodable),
            text(kTexts.DetachWriteFailed),
            text(kTexts.DetachUnreadable),
            text(kTexts.DetachStoppedBeforeSave)};
}

}  // namespace quillbox
