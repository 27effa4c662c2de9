#include "convert/transfer_encoding.h"

#include "convert/file_bytes.h"

namespace quillbox {
namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHex[] = "0123456789ABCDEF";

int Base64Value(unsigned char c)
{
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

using TTextConverter = std::string (*)(std::string_view);

bool ConvertFile(const std::string& destination, const std::string& source, TTextConverter convert)
{
    const std::optional<std::string> input = ReadFileBytes(source);
    return input && WriteFileBytes(destination, convert(*input));
}

}  // namespace

int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string Base64Decode(std::string_view text)
{
    std::string out;
    unsigned buffer = 0;
    int bits = 0;
    for (const char c : text) {
        if (c == '=') break;
        const int value = Base64Value(static_cast<unsigned char>(c));
        if (value < 0) continue;
        buffer = (buffer << 6) | static_cast<unsigned>(value);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out += static_cast<char>((buffer >> bits) & 0xFF);
        }
    }
    return out;
}

std::string Base64Encode(std::string_view data)
{
    std::string out;
    std::size_t lineLength = 0;
    for (std::size_t i = 0; i < data.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, data.size() - i);
        unsigned chunk = 0;
        for (std::size_t k = 0; k < 3; ++k)
            chunk = (chunk << 8) | (k < n ? static_cast<unsigned char>(data[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kBase64Alphabet[(chunk >> (18 - 6 * k)) & 0x3F] : '=';
        lineLength += 4;
        if (lineLength == 76) {
            out += "\r\n";
            lineLength = 0;
        }
    }
    if (lineLength > 0) out += "\r\n";
    return out;
}

std::string QuotedPrintableDecode(std::string_view text)
{
    std::string out;
    std::size_t lineStart = 0;
    while (lineStart < text.size()) {
        std::size_t lineEnd = text.find('\n', lineStart);
        const bool hasBreak = lineEnd != std::string_view::npos;
        if (!hasBreak) lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (line.ends_with('\r')) line.remove_suffix(1);
        while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.remove_suffix(1);
        const bool soft = line.ends_with('=');
        if (soft) line.remove_suffix(1);
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '=') {
                const int high = i + 1 < line.size() ? HexDigitValue(line[i + 1]) : -1;
                const int low = i + 2 < line.size() ? HexDigitValue(line[i + 2]) : -1;
                if (high >= 0 && low >= 0) {
                    out += static_cast<char>(high * 16 + low);
                    i += 2;
                    continue;
                }
            }
            out += line[i];
        }
        if (hasBreak && !soft) out += "\r\n";
        lineStart = lineEnd + (hasBreak ? 1 : 0);
    }
    return out;
}

std::string QuotedPrintableEncode(std::string_view data)
{
    std::string out;
    std::size_t lineLength = 0;
    auto emit = [&](std::string_view piece) {
        if (lineLength + piece.size() > 75) {
            out += "=\r\n";
            lineLength = 0;
        }
        out += piece;
        lineLength += piece.size();
    };
    for (std::size_t i = 0; i < data.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        const bool atLineEnd = i + 1 == data.size() || data[i + 1] == '\n' ||
                               (data[i + 1] == '\r' && i + 2 < data.size() && data[i + 2] == '\n');
        if (c == '\n' || (c == '\r' && i + 1 < data.size() && data[i + 1] == '\n')) {
            if (c == '\r') ++i;
            out += "\r\n";
            lineLength = 0;
        } else if ((c >= 33 && c <= 126 && c != '=') || ((c == ' ' || c == '\t') && !atLineEnd)) {
            emit(std::string_view(reinterpret_cast<const char*>(&data[i]), 1));
        } else {
            const char escaped[3] = {'=', kHex[c >> 4], kHex[c & 15]};
            emit(std::string_view(escaped, 3));
        }
    }
    return out;
}

bool Base64ConvertFile(const std::string& destination, const std::string& source, TConvertDirection direction)
{
    return ConvertFile(destination, source, direction == TConvertDirection::Decode ? &Base64Decode : &Base64Encode);
}

bool QuotedPrintableConvertFile(const std::string& destination, const std::string& source,
                                TConvertDirection direction)
{
    return ConvertFile(destination, source,
                       direction == TConvertDirection::Decode ? &QuotedPrintableDecode : &QuotedPrintableEncode);
}

}  // namespace quillbox
