#include "text/utf8.h"

namespace quillbox {

TUtf8Char ReadUtf8Char(std::string_view text, std::size_t pos)
{
    const unsigned char b = static_cast<unsigned char>(text[pos]);
    const int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
    if (extra < 0 || pos + static_cast<std::size_t>(extra) >= text.size()) return {std::nullopt, 1};
    char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; k <= extra; ++k) {
        const unsigned char t = static_cast<unsigned char>(text[pos + static_cast<std::size_t>(k)]);
        if ((t & 0xC0) != 0x80) return {std::nullopt, 1};
        c = (c << 6) | (t & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return {std::nullopt, 1};
    return {c, static_cast<std::size_t>(extra) + 1};
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const TUtf8Char c = ReadUtf8Char(text, pos);
        if (!c.CodePoint) return false;
        pos += c.Length;
    }
    return true;
}

void AppendUtf8(std::string& text, char32_t c)
{
    if (c < 0x80) {
        text += static_cast<char>(c);
    } else if (c < 0x800) {
        text += static_cast<char>(0xC0 | (c >> 6));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        text += static_cast<char>(0xE0 | (c >> 12));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (c >> 18));
        text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (c & 0x3F));
    }
}

}  // namespace quillbox
