#include "convert/mime_header.h"

#include "convert/charset.h"
#include "convert/japanese.h"
#include "convert/local_text.h"
#include "convert/transfer_encoding.h"

#include "text/code_page.h"

#include <optional>

namespace quillbox {
namespace {

std::string QDecode(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_') {
            out += ' ';
        } else if (text[i] == '=') {
            const int high = i + 1 < text.size() ? HexDigitValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? HexDigitValue(text[i + 2]) : -1;
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 2;
            } else {
                out += '=';
            }
        } else {
            out += text[i];
        }
    }
    return out;
}

struct TEncodedWord {
    std::size_t length;  // of the whole "=?...?=" text
    std::string decoded;
};

// The encoded word starting at text[0], decoded; nullopt when there is none
// or its charset is unknown.
std::optional<TEncodedWord> ReadEncodedWord(std::string_view text, unsigned codePage)
{
    if (!text.starts_with("=?")) return std::nullopt;
    const std::size_t q1 = text.find('?', 2);
    if (q1 == std::string_view::npos || q1 + 2 >= text.size() || text[q1 + 2] != '?') return std::nullopt;
    const std::size_t end = text.find("?=", q1 + 3);
    if (end == std::string_view::npos) return std::nullopt;
    std::string_view charset = text.substr(2, q1 - 2);
    if (const std::size_t star = charset.find('*'); star != std::string_view::npos) charset = charset.substr(0, star);
    const std::string_view payload = text.substr(q1 + 3, end - q1 - 3);
    if (payload.find_first_of(" \t\r\n") != std::string_view::npos) return std::nullopt;
    const char method = text[q1 + 1];
    std::string raw;
    if (method == 'B' || method == 'b')
        raw = Base64Decode(payload);
    else if (method == 'Q' || method == 'q')
        raw = QDecode(payload);
    else
        return std::nullopt;
    std::optional<std::string> local = CharsetToLocal(charset, raw, codePage);
    if (!local) return std::nullopt;
    return TEncodedWord{end + 2, std::move(*local)};
}

bool IsFoldingBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

}  // namespace

std::string DecodeMimeHeader(std::string_view header, unsigned codePage)
{
    std::string out;
    std::size_t i = 0;
    bool afterWord = false;
    while (i < header.size()) {
        if (std::optional<TEncodedWord> word = ReadEncodedWord(header.substr(i), codePage)) {
            out += word->decoded;
            i += word->length;
            afterWord = true;
            continue;
        }
        if (afterWord && IsFoldingBlank(header[i])) {
            std::size_t j = i;
            while (j < header.size() && IsFoldingBlank(header[j])) ++j;
            if (ReadEncodedWord(header.substr(j), codePage)) {
                i = j;
                continue;
            }
        }
        afterWord = false;
        out += header[i++];
    }
    return out;
}

std::string EncodeMimeHeader(std::string_view header, unsigned codePage)
{
    const TCodePage page(codePage);
    auto isWide = [](char c) { return static_cast<unsigned char>(c) >= 0x80; };
    std::string out;
    std::size_t i = 0;
    while (i < header.size()) {
        if (!isWide(header[i])) {
            out += header[i++];
            continue;
        }
        std::size_t j = i;
        while (j < header.size() && isWide(header[j])) j += page.CharLength(header, j);
        const std::string_view run = header.substr(i, j - i);
        std::string word = codePage == 932 ? Base64Encode(ShiftJisToIso2022Jp(run))
                                           : Base64Encode(UnicodeToUtf8(LocalToUnicode(run, codePage)));
        std::erase(word, '\r');
        std::erase(word, '\n');
        out += (codePage == 932 ? "=?ISO-2022-JP?B?" : "=?UTF-8?B?") + word + "?=";
        i = j;
    }
    return out;
}

}  // namespace quillbox
