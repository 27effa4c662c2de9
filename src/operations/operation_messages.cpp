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

}  // namespace quillbox
