// UTF-8, read and written one character at a time.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quillbox {

// The character at text[pos]: its code point, or nullopt for a malformed
// sequence (overlong forms, surrogates and values above U+10FFFF included),
// whose length is then 1.
struct TUtf8Char {
    std::optional<char32_t> CodePoint;
    std::size_t Length;
};
TUtf8Char ReadUtf8Char(std::string_view text, std::size_t pos);

bool IsValidUtf8(std::string_view text);

void AppendUtf8(std::string& text, char32_t codePoint);

}  // namespace quillbox
