// Whole files as byte strings, by narrow (local code page) paths.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "text/shared_text.h"

namespace quillbox {

// What tells one version of a file from another without reading it: a file
// replaced by a rename gets a new identity, one written in place a new time.
struct TFileStamp {
    std::uint64_t size = 0;
    std::int64_t modified = 0;  // in the file system's own units, finer than a second
    std::uint64_t identity = 0;  // inode or file index

    friend bool operator==(const TFileStamp&, const TFileStamp&) = default;
};

// The file read in one piece into a buffer of its size; the stamp, when
// asked for, is that of the file that was read.
std::optional<std::string> ReadFileBytes(const std::string& path, TFileStamp* stamp = nullptr);
// The same bytes without a buffer of their own where the system can map a
// file and still replace it by a rename while it is mapped (not Windows).
// Only for files that are never written in place: a mapping of a file cut
// short by someone else faults when read.
std::optional<TSharedText> MapFileBytes(const std::string& path, TFileStamp* stamp = nullptr);
// Whether written bytes are on the disk before the call returns.
enum class TDurability { Flushed, Unflushed };

// Creates or truncates; false when the file cannot be written completely,
// and then a file that was begun is deleted.
bool WriteFileBytes(const std::string& path, std::string_view bytes,
                    TDurability durability = TDurability::Unflushed);
bool FileExists(const std::string& path);
// nullopt when there is no such regular file.
std::optional<TFileStamp> StampOf(const std::string& path);

}  // namespace quillbox
