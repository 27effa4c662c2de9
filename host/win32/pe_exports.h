// The names a Windows module exports, read from its file: no code of the
// module runs, so a library that is not a plug-in can be passed over unloaded.
#pragma once

#include <string>
#include <vector>

namespace quillbox {

// Empty when the file cannot be read, is not a PE image (32 or 64 bits), or
// exports nothing by name.
std::vector<std::string> ExportedNames(const std::string& path);

}  // namespace quillbox
