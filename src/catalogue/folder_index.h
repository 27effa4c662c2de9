// The host's per-folder index: one line per mail, fields split by byte 0x01.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/mail_item.h"

namespace quillbox {

inline constexpr const char* kFolderIndexFileName = "Folder.idx";

// The mails of an index text that carry attachments (flag bit value 8), in
// line order, each with MailID = folder + "?" + its key. Lines with fewer
// than 17 fields are skipped. Lines end at CR, LF or CR LF.
std::vector<std::unique_ptr<TMailItem>> ReadIndexMails(std::string_view indexText, const std::string& folder);

// The whole file as bytes; nullopt when it cannot be opened. Throws
// std::runtime_error when it opens but cannot be read to the end.
std::optional<std::string> ReadWholeFile(const std::string& path);

}  // namespace quillbox
