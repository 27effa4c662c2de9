#include "convert/transfer_encoding.h"

#include "convert/file_bytes.h"

#include <array>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>

namespace quillbox {
namespace {

constexpr char kBase64Alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char kHex[] = "0123456789ABCDEF";

// Base64 values by byte; anything at or above 64 is not a digit.
constexpr std::uint8_t kSkip = 0xFF;
constexpr std::uint8_t kFill = 0xFE;
constexpr auto kBase64Values = [] {
    std::array<std::uint8_t, 256> values{};
    values.fill(kSkip);
    for (std::uint8_t i = 0; i < 64; ++i) values[static_cast<unsigned char>(kBase64Alphabet[i])] = i;
    values['='] = kFill;
    return values;
}();

// Hexadecimal digit values by byte, 0xFF for anything else.
constexpr auto kHexValues = [] {
    std::array<std::uint8_t, 256> values{};
    values.fill(0xFF);
    for (int i = 0; i < 10; ++i) values['0' + i] = static_cast<std::uint8_t>(i);
    for (int i = 0; i < 6; ++i) values['A' + i] = values['a' + i] = static_cast<std::uint8_t>(10 + i);
    return values;
}();

// One quoted-printable line [begin, end) without its LF, decoded to out;
// returns the end of what was written (at most twice the line's length).
char* DecodeQuotedPrintableLine(const char* begin, const char* end, bool hasBreak, char* out)
{
    if (end > begin && end[-1] == '\r') --end;
    while (end > begin && (end[-1] == ' ' || end[-1] == '\t')) --end;
    const bool soft = end > begin && end[-1] == '=';
    if (soft) --end;
    const char* p = begin;
    while (p < end) {
        const char* escape = static_cast<const char*>(std::memchr(p, '=', static_cast<std::size_t>(end - p)));
        const char* runEnd = escape ? escape : end;
        std::memcpy(out, p, static_cast<std::size_t>(runEnd - p));
        out += runEnd - p;
        if (!escape) break;
        const std::uint8_t high = escape + 1 < end ? kHexValues[static_cast<unsigned char>(escape[1])] : 0xFF;
        const std::uint8_t low = escape + 2 < end ? kHexValues[static_cast<unsigned char>(escape[2])] : 0xFF;
        if (high != 0xFF && low != 0xFF) {
            *out++ = static_cast<char>(high << 4 | low);
            p = escape + 3;
        } else {
            *out++ = '=';
            p = escape + 1;
        }
    }
    if (hasBreak && !soft) {
        *out++ = '\r';
        *out++ = '\n';
    }
    return out;
}

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using TFile = std::unique_ptr<std::FILE, TFileCloser>;

// Files are decoded through a buffer of this size, so that memory stays
// small however large the attachment.
constexpr std::size_t kChunkSize = 1 << 20;

// Feeds the source file to decoder piece by piece and writes what it yields.
template <class TDecoder>
bool DecodeFile(const std::string& destination, const std::string& source, TDecoder decoder)
{
    const TFile input(std::fopen(source.c_str(), "rb"));
    if (!input) return false;
    std::FILE* raw = std::fopen(destination.c_str(), "wb");
    if (!raw) return false;
    TFile output(raw);
    std::string chunk(kChunkSize, '\0');
    std::string decoded;
    bool ok = true;
    while (ok) {
        const std::size_t n = std::fread(chunk.data(), 1, chunk.size(), input.get());
        decoded.clear();
        if (n > 0) decoder.Decode(std::string_view(chunk.data(), n), decoded);
        else if constexpr (requires(std::string& out) { decoder.Finish(out); }) decoder.Finish(decoded);
        ok = std::fwrite(decoded.data(), 1, decoded.size(), raw) == decoded.size();
        if (n == 0) break;
    }
    ok = ok && !std::ferror(input.get());
    return std::fclose(output.release()) == 0 && ok;
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
    const std::uint8_t value = kHexValues[static_cast<unsigned char>(c)];
    return value == 0xFF ? -1 : value;
}

void TBase64Decoder::Decode(std::string_view text, std::string& out)
{
    if (ended_) return;
    const std::size_t start = out.size();
    // Every four digits make three bytes; the pending bits make at most one more.
    out.resize(start + text.size() / 4 * 3 + 3);
    char* o = out.data() + start;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = p + text.size();
    while (p < end) {
        if (bitCount_ == 0) {
            // Whole groups of four digits, the bulk of every line.
            while (end - p >= 4) {
                const std::uint32_t a = kBase64Values[p[0]], b = kBase64Values[p[1]], c = kBase64Values[p[2]],
                                    d = kBase64Values[p[3]];
                if ((a | b | c | d) >= 64) break;
                const std::uint32_t group = a << 18 | b << 12 | c << 6 | d;
                o[0] = static_cast<char>(group >> 16);
                o[1] = static_cast<char>(group >> 8);
                o[2] = static_cast<char>(group);
                o += 3;
                p += 4;
            }
            if (p == end) break;
        }
        const std::uint8_t value = kBase64Values[*p++];
        if (value == kFill) {
            ended_ = true;
            break;
        }
        if (value == kSkip) continue;
        bits_ = (bits_ << 6 | value) & 0xFFFFFF;
        bitCount_ += 6;
        if (bitCount_ >= 8) {
            bitCount_ -= 8;
            *o++ = static_cast<char>(bits_ >> bitCount_);
        }
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

void TQuotedPrintableDecoder::Decode(std::string_view text, std::string& out)
{
    const std::size_t start = out.size();
    // A lone LF becomes CR LF: at most two bytes out for each byte in.
    out.resize(start + 2 * (partialLine_.size() + text.size()));
    char* o = out.data() + start;
    const char* p = text.data();
    const char* const end = p + text.size();
    if (!partialLine_.empty()) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', text.size()));
        if (!lf) {
            partialLine_.append(text);
            out.resize(start);
            return;
        }
        partialLine_.append(p, lf);
        o = DecodeQuotedPrintableLine(partialLine_.data(), partialLine_.data() + partialLine_.size(), true, o);
        partialLine_.clear();
        p = lf + 1;
    }
    while (p < end) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
        if (!lf) {
            partialLine_.assign(p, end);
            break;
        }
        o = DecodeQuotedPrintableLine(p, lf, true, o);
        p = lf + 1;
    }
    out.resize(static_cast<std::size_t>(o - out.data()));
}

void TQuotedPrintableDecoder::Finish(std::string& out)
{
    if (partialLine_.empty()) return;
    const std::size_t start = out.size();
    out.resize(start + partialLine_.size());
    char* o = DecodeQuotedPrintableLine(partialLine_.data(), partialLine_.data() + partialLine_.size(), false,
                                        out.data() + start);
    out.resize(static_cast<std::size_t>(o - out.data()));
    partialLine_.clear();
}

std::string Base64Decode(std::string_view text)
{
    std::string out;
    TBase64Decoder().Decode(text, out);
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
    TQuotedPrintableDecoder decoder;
    decoder.Decode(text, out);
    decoder.Finish(out);
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
    return direction == TConvertDirection::Decode ? DecodeFile(destination, source, TBase64Decoder())
                                                  : ConvertFile(destination, source, &Base64Encode);
}

bool QuotedPrintableConvertFile(const std::string& destination, const std::string& source,
                                TConvertDirection direction)
{
    return direction == TConvertDirection::Decode ? DecodeFile(destination, source, TQuotedPrintableDecoder())
                                                  : ConvertFile(destination, source, &QuotedPrintableEncode);
}

}  // namespace quillbox
