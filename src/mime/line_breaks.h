// Line ends in mail text: CR LF, a lone LF and a lone CR each end a line, as
// mail readers take them.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace quillbox {

// The first CR or LF in text[from, to); to when there is none.
inline std::size_t FindLineBreak(std::string_view text, std::size_t from, std::size_t to)
{
    if (from >= to) return to;
    const char* begin = text.data() + from;
    const std::size_t length = to - from;
    const void* lf = std::memchr(begin, '\n', length);
    const std::size_t lfAt = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - begin) : length;
    const void* cr = std::memchr(begin, '\r', lfAt);
    const std::size_t crAt = cr ? static_cast<std::size_t>(static_cast<const char*>(cr) - begin) : lfAt;
    return from + crAt;
}

// Where the line break at pos ends (CR LF is one break); pos itself when
// there is none there. Never beyond to.
inline std::size_t SkipLineBreak(std::string_view text, std::size_t pos, std::size_t to)
{
    if (pos < to && text[pos] == '\n') return pos + 1;
    if (pos < to && text[pos] == '\r') {
        ++pos;
        if (pos < to && text[pos] == '\n') ++pos;
    }
    return pos;
}

}  // namespace quillbox
