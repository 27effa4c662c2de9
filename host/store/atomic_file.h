// Replacing a file so that a crash at any moment leaves either the old or the
// new content under its name, never a torn mix.
#pragma once

#include <string>
#include <string_view>

#include "convert/file_bytes.h"

namespace quillbox {

// TDurability: whether the new content reaches the disk before it takes the
// old one's name. Without it a power cut may leave the file empty or old;
// only files that can be rebuilt from others (the folder index) are written
// that way.

// The two steps, apart so that a test can stop between them the way a crash would.
// WriteReplacement writes path + ".new" (flushed to disk when asked) and
// returns that path (empty on failure); CommitReplacement renames it over path.
std::string WriteReplacement(const std::string& path, std::string_view bytes,
                             TDurability durability = TDurability::Flushed);
bool CommitReplacement(const std::string& replacement, const std::string& path);

// Both steps; false (and the old file untouched) when either fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           TDurability durability = TDurability::Flushed);

}  // namespace quillbox
