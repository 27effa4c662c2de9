// Folder.idx: one line per mail, fields separated by byte 0x01, 17 fields.
//
//   0 file name       1 key            2 Message-ID     3 subject
//   4 sender          5 recipients     6 size (hex)     7 charset
//   8 time (hex Unix seconds)          9 stored time (hex)
//  10-11 reserved ("0")               12 flags (hex)   13-15 reserved ("0")
//  16 end mark ("$")
//
// Texts are in the local code page, decoded; control bytes in them are
// written as blanks so that no field can break the line or the separators.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

inline constexpr std::uint32_t kFlagRead = 0x1;
inline constexpr std::uint32_t kFlagHasAttachments = 0x8;

struct TIndexEntry {
    std::string fileName;
    std::string key;
    std::string messageId;
    std::string subject;
    std::string from;
    std::string to;
    std::uint32_t size = 0;
    std::string charset;
    std::int64_t time = 0;
    std::int64_t storedTime = 0;
    std::uint32_t flags = 0;
};

inline constexpr int kIndexFieldCount = 17;

std::string FormatIndexLine(const TIndexEntry& entry);
// nullopt with a reason when the line does not hold a usable entry.
std::optional<TIndexEntry> ParseIndexLine(std::string_view line, std::string* reason = nullptr);

using TWarningSink = std::function<void(const std::string&)>;

// The lines of an index file; bad lines are reported through warn (naming
// path and line) and skipped.
std::vector<TIndexEntry> ParseIndexText(std::string_view text, const std::string& path, const TWarningSink& warn);
// The index file's text: one line per entry, each ended by CR LF.
std::string FormatIndexText(const std::vector<TIndexEntry>& entries);

// A key names a file in the folder: digits and letters only.
bool IsValidKey(std::string_view key);

}  // namespace quillbox
