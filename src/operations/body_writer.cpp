#include "operations/body_writer.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace quillbox {

namespace {
// The text goes out in pieces of this size, each looked at while it is
// still in the cache.
constexpr std::size_t kPieceSize = 256 * 1024;

std::size_t Next(std::string_view bytes, std::size_t from, char c)
{
    const void* found = std::memchr(bytes.data() + from, c, bytes.size() - from);
    return found ? static_cast<std::size_t>(static_cast<const char*>(found) - bytes.data()) : bytes.size();
}

std::uint64_t LoadLittleEndian(const unsigned char* p)
{
    std::uint64_t word = 0;
    if constexpr (std::endian::native == std::endian::little) {
        std::memcpy(&word, p, sizeof word);
    } else {
        for (int k = 0; k < 8; ++k) word |= static_cast<std::uint64_t>(p[k]) << (8 * k);
    }
    return word;
}

// 0x80 in each byte of word that equals the byte repeated in pattern, 0 elsewhere.
std::uint64_t BytesEqual(std::uint64_t word, std::uint64_t pattern)
{
    constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
    const std::uint64_t v = word ^ pattern;
    return ~(((v & kLow7) + kLow7) | v | kLow7);
}

// Whether every CR in the piece is followed by an LF and every LF follows a
// CR, a piece that starts after no CR and ends after no CR that the text goes
// on after: the bulk of a stored mail, checked eight bytes at a time.
bool OnlyCrLfPairs(std::string_view piece)
{
    constexpr std::uint64_t kCr = 0x0D0D0D0D0D0D0D0Dull;
    constexpr std::uint64_t kLf = 0x0A0A0A0A0A0A0A0Aull;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(piece.data());
    const unsigned char* const end = p + piece.size();
    std::uint64_t crBefore = 0;  // 0x80 when the byte before p is a CR
    std::uint64_t mismatches = 0;
    for (; end - p >= 8; p += 8) {
        const std::uint64_t word = LoadLittleEndian(p);
        const std::uint64_t crs = BytesEqual(word, kCr);
        mismatches |= ((crs << 8) | crBefore) ^ BytesEqual(word, kLf);
        crBefore = crs >> 56;
    }
    for (; p < end; ++p) {
        mismatches |= ((*p == '\n') ? 0x80u : 0u) ^ crBefore;
        crBefore = *p == '\r' ? 0x80 : 0;
    }
    return (mismatches | crBefore) == 0;
}

// Any text: lone CRs and LFs found by searching for each, every search
// looking past the last one only.
void WriteConvertingLineEnds(TFileWriter& file, std::string_view bytes)
{
    std::size_t run = 0;
    std::size_t pos = 0;
    std::size_t cr = Next(bytes, 0, '\r');
    std::size_t lf = Next(bytes, 0, '\n');
    while (pos < bytes.size()) {
        if (cr < pos) cr = Next(bytes, pos, '\r');
        if (lf < pos) lf = Next(bytes, pos, '\n');
        if (cr == bytes.size() && lf == bytes.size()) break;
        if (cr < lf) {
            if (cr + 1 == lf && lf < bytes.size()) {
                pos = lf + 1;
                continue;
            }
            file.Write(bytes.substr(run, cr - run));
            file.Write("\r\n");
            run = pos = cr + 1;
        } else {
            file.Write(bytes.substr(run, lf - run));
            file.Write("\r\n");
            run = pos = lf + 1;
        }
    }
    file.Write(bytes.substr(run));
}
}  // namespace

void WriteWithCrLf(TFileWriter& file, std::string_view bytes)
{
    // A piece never ends between a CR and what follows it, so each piece's
    // line ends are its own; most pieces need no change and go out whole.
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = std::min(bytes.size(), pos + kPieceSize);
        while (end < bytes.size() && bytes[end - 1] == '\r') ++end;
        const std::string_view piece = bytes.substr(pos, end - pos);
        if (OnlyCrLfPairs(piece)) file.Write(piece);
        else WriteConvertingLineEnds(file, piece);
        pos = end;
    }
}

}  // namespace quillbox
