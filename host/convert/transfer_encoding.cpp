#include "convert/transfer_encoding.h"

#include "convert/base64_vector.h"
#include "convert/file_bytes.h"
#include "convert/stdio_file.h"

#include <array>
#include <bit>
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

// The bits each of the four digits of a group gives, already in the places
// of the three bytes they make (first byte lowest), so that a group is four
// lookups joined by OR; a byte that is no digit sets kNotDigit.
constexpr std::uint32_t kNotDigit = 0x01000000;
using TDigitPlaces = std::array<std::uint32_t, 256>;
constexpr TDigitPlaces DigitPlaces(int position)
{
    TDigitPlaces places{};
    for (int c = 0; c < 256; ++c) {
        const std::uint32_t v = kBase64Values[c];
        if (v >= 64) {
            places[c] = kNotDigit;
            continue;
        }
        const std::uint32_t bits[] = {v << 2, v >> 4 | (v & 0x0F) << 12, (v >> 2) << 8 | (v & 0x03) << 22, v << 16};
        places[c] = bits[position];
    }
    return places;
}
constexpr TDigitPlaces kDigitPlaces[] = {DigitPlaces(0), DigitPlaces(1), DigitPlaces(2), DigitPlaces(3)};

inline std::uint32_t GroupAt(const unsigned char* p)
{
    return kDigitPlaces[0][p[0]] | kDigitPlaces[1][p[1]] | kDigitPlaces[2][p[2]] | kDigitPlaces[3][p[3]];
}

// The three bytes of a group at out; four bytes are written, the last of
// them to be overwritten by the next group.
inline void StoreGroup(std::uint32_t group, char* out)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(out, &group, 4);
    } else {
        out[0] = static_cast<char>(group);
        out[1] = static_cast<char>(group >> 8);
        out[2] = static_cast<char>(group >> 16);
    }
}

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

// Files are decoded through a buffer of this size, so that memory stays
// small however large the attachment, and the piece read and what it
// decodes to stay in the processor's cache.
constexpr std::size_t kChunkSize = 128 * 1024;

// Room for bytes, left as it is found: a buffer that is filled at once
// needs no zeroing first.
class TScratch {
public:
    char* Room(std::size_t size)
    {
        if (size > size_) {
            bytes_.reset(new char[size]);
            size_ = size;
        }
        return bytes_.get();
    }

private:
    std::unique_ptr<char[]> bytes_;
    std::size_t size_ = 0;
};

// Feeds the source file to decoder piece by piece and writes what it yields.
template <class TDecoder>
bool DecodeFile(const std::string& destination, const std::string& source, TDecoder decoder)
{
    const TFile input(std::fopen(source.c_str(), "rb"));
    if (!input) return false;
    std::FILE* raw = std::fopen(destination.c_str(), "wb");
    if (!raw) return false;
    TFile output(raw);
    TScratch chunkRoom, decodedRoom;
    char* const chunk = chunkRoom.Room(kChunkSize);
    bool ok = true;
    while (ok) {
        const std::size_t n = std::fread(chunk, 1, kChunkSize, input.get());
        char* const decoded = decodedRoom.Room(decoder.MaxDecodedSize(n));
        const char* end = decoded;
        if (n > 0) end = decoder.Decode(std::string_view(chunk, n), decoded);
        else if constexpr (requires(char* out) { decoder.Finish(out); }) end = decoder.Finish(decoded);
        const std::size_t size = static_cast<std::size_t>(end - decoded);
        ok = std::fwrite(decoded, 1, size, raw) == size;
        if (n == 0) break;
    }
    ok = ok && !std::ferror(input.get());
    return std::fclose(output.release()) == 0 && ok;
}

// A decoder that writes at a pointer, appending to a string instead.
template <class TWrite>
void AppendDecoded(std::string& out, std::size_t room, TWrite write)
{
    const std::size_t start = out.size();
    out.resize(start + room);
    const char* end = write(out.data() + start);
    out.resize(static_cast<std::size_t>(end - out.data()));
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

char* TBase64Decoder::Decode(std::string_view text, char* o)
{
    if (ended_) return o;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
    const unsigned char* const end = p + text.size();
    while (p < end) {
        if (bitCount_ == 0) {
            // Whole groups of four digits, sixteen or four at a time where
            // they run on, and the CR LF after each line: the bulk of every
            // body.
            while (end - p >= 4) {
                const TBase64Run run = DecodeBase64Run(p, static_cast<std::size_t>(end - p), o);
                p += run.Read;
                o += run.Written;
                while (end - p >= 16) {
                    const std::uint32_t g0 = GroupAt(p), g1 = GroupAt(p + 4), g2 = GroupAt(p + 8),
                                        g3 = GroupAt(p + 12);
                    if ((g0 | g1 | g2 | g3) & kNotDigit) break;
                    StoreGroup(g0, o);
                    StoreGroup(g1, o + 3);
                    StoreGroup(g2, o + 6);
                    StoreGroup(g3, o + 9);
                    o += 12;
                    p += 16;
                }
                if (end - p < 4) break;
                const std::uint32_t group = GroupAt(p);
                if (group & kNotDigit) {
                    if (p[0] != '\r' || p[1] != '\n') break;
                    p += 2;
                    continue;
                }
                StoreGroup(group, o);
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
    return o;
}

void TBase64Decoder::Decode(std::string_view text, std::string& out)
{
    AppendDecoded(out, MaxDecodedSize(text.size()), [&](char* o) { return Decode(text, o); });
}

char* TQuotedPrintableDecoder::Decode(std::string_view text, char* o)
{
    const char* p = text.data();
    const char* const end = p + text.size();
    if (!partialLine_.empty()) {
        const char* lf = static_cast<const char*>(std::memchr(p, '\n', text.size()));
        if (!lf) {
            partialLine_.append(text);
            return o;
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
    return o;
}

void TQuotedPrintableDecoder::Decode(std::string_view text, std::string& out)
{
    AppendDecoded(out, MaxDecodedSize(text.size()), [&](char* o) { return Decode(text, o); });
}

char* TQuotedPrintableDecoder::Finish(char* o)
{
    if (partialLine_.empty()) return o;
    o = DecodeQuotedPrintableLine(partialLine_.data(), partialLine_.data() + partialLine_.size(), false, o);
    partialLine_.clear();
    return o;
}

void TQuotedPrintableDecoder::Finish(std::string& out)
{
    AppendDecoded(out, MaxDecodedSize(0), [&](char* o) { return Finish(o); });
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
