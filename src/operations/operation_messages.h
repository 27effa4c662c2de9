// The questions and reports of the save and removal commands, composed from
// the message table of the current language.
#pragma once

#include <string>
#include <vector>

#include "settings/message_table.h"

namespace quillbox {

// File "name" already exists. Replace it?
std::string OverwriteQuestionText(const TMessageTable& messages, const std::string& fileName);
// The attachments that could not be decoded, one line each.
std::string UndecodableReportText(const TMessageTable& messages, const std::vector<std::string>& lines);
std::string RemoveMarkedQuestionText(const TMessageTable& messages);
std::string RemoveOneQuestionText(const TMessageTable& messages, const std::string& fileName);

}  // namespace quillbox
