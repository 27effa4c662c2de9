// Unicode to and from the local code page (932 or 1252; any other code page
// is treated as 1252), and UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// Characters the code page lacks become "?".
std::string UnicodeToLocal(std::u32string_view text, unsigned codePage);
// Bytes the code page does not define become U+FFFD.
std::u32string LocalToUnicode(std::string_view text, unsigned codePage);

// Malformed sequences become U+FFFD, one per bad byte.
std::u32string Utf8ToUnicode(std::string_view text);
std::string UnicodeToUtf8(std::u32string_view text);

}  // namespace quillbox
