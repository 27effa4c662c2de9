// The header that records what was cut out of a mail: the quoted file names
// of every removal, the oldest first.
#pragma once

#include <string>
#include <vector>

namespace quillbox {

inline const std::string kRemovedAttachmentHeader = "X-Removed-Attachment";

// "name" for each file name, joined by a comma and a blank.
std::string QuotedNameList(const std::vector<std::string>& fileNames);

// The old value, a comma and a blank, and the new names; the new names alone
// when there is no old value.
std::string AppendNameList(const std::string& oldValue, const std::string& names);

// Every quoted name after the first on a continuation line: the white space
// after a closing quote and its comma becomes CR LF and a blank. Bytes inside
// an ISO-2022-JP double-byte run are characters, not quotes or commas.
std::string FoldRemovedNames(const std::string& iso2022JpValue);

}  // namespace quillbox
