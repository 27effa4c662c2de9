// The file operations the settings need, on paths in the local code page.
#pragma once

#include <stdexcept>
#include <string>

namespace quillbox {

class ESettingsFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool SettingsFileExists(const std::string& path);

// The whole file; ESettingsFileError when it cannot be read.
std::string ReadSettingsFileBytes(const std::string& path);

// Writes the bytes to a new file beside path and renames it over path, so
// that path holds either the old or the new contents, never a part.
// ESettingsFileError when that fails; the new file is then removed.
void ReplaceSettingsFile(const std::string& path, const std::string& bytes);

}  // namespace quillbox
