// Replacing a file so that a crash at any moment leaves either the old or the
// new content under its name, never a torn mix.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// The two steps, apart so that a test can stop between them the way a crash would.
// WriteReplacement writes and flushes path + ".new" and returns that path
// (empty on failure); CommitReplacement renames it over path.
std::string WriteReplacement(const std::string& path, std::string_view bytes);
bool CommitReplacement(const std::string& replacement, const std::string& path);

// Both steps; false (and the old file untouched) when either fails.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace quillbox
