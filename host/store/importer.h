// Bringing .eml and mbox files into a folder.
#pragma once

#include "store/mail_folder.h"

#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

// The messages of an mbox text ("From " lines separate them, ">From " is
// unquoted); a text that does not start with "From " is one message.
std::vector<std::string> SplitMessages(std::string_view text);

// Adds every message of the file to the folder, with CR LF line ends.
// Returns how many were stored; -1 when the file cannot be read.
int ImportFile(TMailFolder& folder, const std::string& path);

}  // namespace quillbox
