#include "mime/encoded_words.h"

#include <optional>
#include <string>

#include "text/ascii.h"

namespace quillbox {

namespace {

int Base64Value(char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Characters outside the alphabet are passed over; decoding stops at "=".
std::string DecodeB(std::string_view text)
{
    std::string bytes;
    unsigned bits = 0;
    int count = 0;
    for (const char c : text) {
        if (c == '=') break;
        const int value = Base64Value(c);
        if (value < 0) continue;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            bytes += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return bytes;
}

std::string DecodeQ(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_') {
            bytes += ' ';
        } else if (text[i] == '=' && i + 2 < text.size() && AsciiHexValue(text[i + 1]) >= 0 && AsciiHexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(AsciiHexValue(text[i + 1]) * 16 + AsciiHexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

struct TEncodedWord {
    std::size_t Length;  // of "=?...?="
    std::string Charset;
    std::string Bytes;
};

bool HasBlank(std::string_view text)
{
    return text.find_first_of(" \t\r\n") != std::string_view::npos;
}

std::optional<TEncodedWord> ReadEncodedWord(std::string_view text)
{
    if (!text.starts_with("=?")) return std::nullopt;
    const std::size_t charsetEnd = text.find('?', 2);
    if (charsetEnd == std::string_view::npos || charsetEnd + 2 >= text.size() || text[charsetEnd + 2] != '?')
        return std::nullopt;
    // Neither encoding has a "?" in its text: the first one ends it, so a
    // word that does not close costs no more than the text up to there.
    const std::size_t payloadEnd = text.find('?', charsetEnd + 3);
    if (payloadEnd == std::string_view::npos || payloadEnd + 1 >= text.size() || text[payloadEnd + 1] != '=')
        return std::nullopt;
    std::string_view charset = text.substr(2, charsetEnd - 2);
    const std::string_view payload = text.substr(charsetEnd + 3, payloadEnd - charsetEnd - 3);
    if (charset.empty() || HasBlank(charset) || HasBlank(payload)) return std::nullopt;
    if (const std::size_t star = charset.find('*'); star != std::string_view::npos) charset = charset.substr(0, star);
    const char encoding = AsciiLower(text[charsetEnd + 1]);
    if (encoding != 'b' && encoding != 'q') return std::nullopt;
    return TEncodedWord{payloadEnd + 2, std::string(charset), encoding == 'b' ? DecodeB(payload) : DecodeQ(payload)};
}

}  // namespace

TMimeText DecodeEncodedWords(std::string_view text)
{
    TMimeText decoded;
    std::size_t plainStart = 0;
    std::size_t pos = 0;
    bool afterWord = false;
    while (pos < text.size()) {
        const std::size_t start = text.find("=?", pos);
        if (start == std::string_view::npos) break;
        const std::optional<TEncodedWord> word = ReadEncodedWord(text.substr(start));
        if (!word) {
            pos = start + 1;
            continue;
        }
        // Only white space lies between two adjacent words: it goes.
        const std::string_view between = text.substr(plainStart, start - plainStart);
        if (!(afterWord && TrimFoldingSpace(between).empty())) decoded.Append({}, between);
        decoded.Append(word->Charset, word->Bytes);
        pos = plainStart = start + word->Length;
        afterWord = true;
    }
    decoded.Append({}, text.substr(plainStart));
    return decoded;
}

}  // namespace quillbox
