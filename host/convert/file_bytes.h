// Whole files as byte strings, by narrow (local code page) paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillbox {

std::optional<std::string> ReadFileBytes(const std::string& path);
// Creates or truncates; false when the file cannot be written completely.
bool WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

}  // namespace quillbox
