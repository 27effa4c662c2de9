// The questions and reports of the save and removal commands, composed from
// the message table of the current language.
#pragma once

#include <string>
#include <vector>

#include "operations/detach_plan.h"
#include "settings/message_table.h"

namespace quillbox {

// File "name" already exists. Replace it?
std::string OverwriteQuestionText(const TMessageTable& messages, const std::string& fileName);
// The attachments that could not be decoded, one line each.
std::string UndecodableReportText(const TMessageTable& messages, const std::vector<std::string>& lines);
std::string RemoveMarkedQuestionText(const TMessageTable& messages);
std::string RemoveOneQuestionText(const TMessageTable& messages, const std::string& fileName);

// The most lines one section of the detach report lists; a count says how
// many more there are.
constexpr std::size_t kMaxDetachReportLines = 20;

// The folder, then each section that has lines, with the reason of every
// attachment that stayed in its mail.
std::string DetachReportText(const TDetachTexts& texts, const TDetachReport& report);

}  // namespace quillbox
