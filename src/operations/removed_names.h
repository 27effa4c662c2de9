// The headers that record what left a mail: X-Removed-Attachment, the quoted
// file names of every removal, the oldest first, and X-Detached-Attachment,
// the full paths the detached attachments were saved under, in the same way.
#pragma once

#include <string>
#include <vector>

#include "tansy/host_api.h"
#include "text/code_page.h"

namespace quillbox {

inline const std::string kRemovedAttachmentHeader = "X-Removed-Attachment";
inline const std::string kDetachedAttachmentHeader = "X-Detached-Attachment";

// "name" for each file name, joined by a comma and a blank. Inside the
// quotes a control byte (CR and LF among them) becomes a blank, and '"' and
// a '\\' that is a character of its own are escaped with a '\\', so that
// no name ends its quotes early or starts a header line of its own.
std::string QuotedNameList(const std::vector<std::string>& fileNames, TCodePage codePage = TCodePage::Active());

// The old value, a comma and a blank, and the new names; the new names alone
// when there is no old value.
std::string AppendNameList(const std::string& oldValue, const std::string& names);

// Every quoted name after the first on a continuation line: the white space
// after a closing quote and its comma becomes CR LF and a blank. Bytes inside
// an ISO-2022-JP double-byte run are characters, not quotes or commas, and
// so is an escaped quote inside a name. A line break anywhere else, which
// would start a line that is no continuation, becomes a blank.
std::string FoldRemovedNames(const std::string& iso2022JpValue);

// Appends names (a QuotedNameList) to a record header of the host's current
// mail: the value it has, then the names, converted to ISO-2022-JP as a
// whole and folded.
void AppendToRecord(THostApi& host, const std::string& header, const std::string& names);

}  // namespace quillbox
