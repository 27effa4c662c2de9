// File names and folders as narrow texts in the local code page, where a
// double-byte character's trail byte may be 0x5C and is then no separator.
#pragma once

#include <string>

#include "text/code_page.h"

namespace quillbox {

#ifdef _WIN32
constexpr char kPathDelimiter = '\\';
#else
constexpr char kPathDelimiter = '/';
#endif

// The folder with a separator at its end.
std::string WithTrailingDelimiter(const std::string& folder, const TCodePage& codePage);

// The folder of a file path without its trailing separator, unless the folder
// is a root (X:\ keeps its separator).
std::string FolderOfPath(const std::string& path, const TCodePage& codePage);

}  // namespace quillbox
