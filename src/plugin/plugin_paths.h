// Paths derived from the plug-in's own library path. Paths are bytes of the
// local code page; a 0x5C that trails a double-byte lead byte is part of that
// character, not a separator.
#pragma once

#include <string>
#include <string_view>

#include "text/code_page.h"

namespace quillbox {

// The folder of a path: everything before its last separator. A root keeps its
// separator ("C:\x.dll" -> "C:\"), so the result always names a folder.
std::string FolderOf(std::string_view path, TCodePage codePage);

// The settings file beside the library: the last "." of the whole path and
// what follows it become ".ini"; a path without "." gets ".ini" appended.
std::string SettingsPathFor(std::string_view libraryPath, TCodePage codePage);

}  // namespace quillbox
