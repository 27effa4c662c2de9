// Lines of host files and mail parts end at CR, LF or CR LF.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillbox {

// Position of the first CR or LF at or after pos; text.size() when none.
inline std::size_t FindLineBreak(std::string_view text, std::size_t pos)
{
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n') ++pos;
    return pos;
}

// Position after the line break at pos (CR LF counts as one).
inline std::size_t SkipLineBreak(std::string_view text, std::size_t pos)
{
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
    return pos;
}

}  // namespace quillbox
