#include "operations/operation_messages.h"

namespace quillbox {

std::string OverwriteQuestionText(const TMessageTable& messages, const std::string& fileName)
{
    return messages[msgOverwriteBeforeName] + " \"" + fileName + "\" " + messages[msgOverwriteAfterName] + "\r" +
           messages[msgOverwriteQuestion];
}

std::string UndecodableReportText(const TMessageTable& messages, const std::vector<std::string>& lines)
{
    std::string text = messages[msgUndecodedFirstLine] + "\r" + messages[msgUndecodedSecondLine] + "\r";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string RemoveMarkedQuestionText(const TMessageTable& messages)
{
    return messages[msgDeleteMarksFirstLine] + "\r\n" + messages[msgDeleteMarksSecondLine];
}

std::string RemoveOneQuestionText(const TMessageTable& messages, const std::string& fileName)
{
    return messages[msgDeleteOneBeforeName] + messages[msgOpeningQuote] + fileName + messages[msgClosingQuote] +
           "\r\n" + messages[msgDeleteOneQuestion];
}

namespace {
const std::string& ReasonText(const TDetachTexts& texts, TDetachVerdict verdict)
{
    switch (verdict) {
    case TDetachVerdict::SavedFileMissing: return texts.SavedFileMissing;
    case TDetachVerdict::SavedFileChanged: return texts.SavedFileChanged;
    case TDetachVerdict::CheckFailed: return texts.CheckFailed;
    case TDetachVerdict::MailChanged: return texts.MailChanged;
    case TDetachVerdict::TooManyParts: return texts.TooManyParts;
    case TDetachVerdict::RewriteFailed: return texts.RewriteFailed;
    case TDetachVerdict::StoppedBeforeRemoval: return texts.StoppedBeforeRemoval;
    case TDetachVerdict::AnsweredNo: return texts.AnsweredNo;
    case TDetachVerdict::Undecodable: return texts.Undecodable;
    case TDetachVerdict::WriteFailed: return texts.WriteFailed;
    case TDetachVerdict::Unreadable: return texts.Unreadable;
    case TDetachVerdict::StoppedBeforeSave: return texts.StoppedBeforeSave;
    case TDetachVerdict::Detached: break;
    }
    static const std::string none;
    return none;
}

void AppendSection(std::string& text, const TDetachTexts& texts, const std::string& heading,
                   const std::vector<TDetachReportLine>& lines)
{
    if (lines.empty()) return;
    text += "\r\n" + heading + "\r\n";
    for (std::size_t i = 0; i < lines.size() && i < kMaxDetachReportLines; ++i) {
        const TDetachReportLine& line = lines[i];
        text += line.Text;
        if (!line.SavedName.empty()) text += texts.SavedAs + line.SavedName;
        if (const std::string& reason = ReasonText(texts, line.Verdict); !reason.empty()) text += "\t" + reason;
        if (!line.Detail.empty()) text += " (" + line.Detail + ")";
        text += "\r\n";
    }
    if (lines.size() > kMaxDetachReportLines)
        text += texts.MoreBefore + std::to_string(lines.size() - kMaxDetachReportLines) + texts.MoreAfter + "\r\n";
}
}  // namespace

std::string DetachReportText(const TDetachTexts& texts, const TDetachReport& report)
{
    std::string text = texts.Folder + report.Folder + "\r\n";
    AppendSection(text, texts, texts.Detached, report.Detached);
    AppendSection(text, texts, texts.SavedButKept, report.SavedButKept);
    AppendSection(text, texts, texts.NotSaved, report.NotSaved);
    return text;
}

}  // namespace quillbox
