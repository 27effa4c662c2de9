#include "text/japanese_text.h"

namespace quillbox {

namespace {

constexpr char kEsc = '\x1B';

bool IsJisByte(unsigned char b) { return b >= 0x21 && b <= 0x7E; }
bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
bool IsShiftJisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool IsHalfWidthKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }
bool IsEucByte(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }

void AppendJisAsShiftJis(std::string& out, unsigned char j1, unsigned char j2, std::string_view standIn)
{
    if (!IsJisByte(j1) || !IsJisByte(j2)) {
        out += standIn;
        return;
    }
    unsigned s1 = ((j1 - 0x21) >> 1) + 0x81;
    if (s1 > 0x9F) s1 += 0x40;
    const unsigned s2 = (j1 & 1) ? j2 + 0x1F + (j2 >= 0x60 ? 1 : 0) : j2 + 0x7E;
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
}

enum class TJisMode { Ascii, Kanji, Kana, Jis0212 };

// The escape sequence at text[0] (after ESC): its length and the mode it
// selects; 0 for none of ours.
std::size_t ReadEscape(std::string_view rest, TJisMode& mode)
{
    if (rest.starts_with("(B") || rest.starts_with("(J") || rest.starts_with("(H")) {
        mode = TJisMode::Ascii;
        return 2;
    }
    if (rest.starts_with("$B") || rest.starts_with("$@")) {
        mode = TJisMode::Kanji;
        return 2;
    }
    if (rest.starts_with("(I")) {
        mode = TJisMode::Kana;
        return 2;
    }
    if (rest.starts_with("$(D")) {
        mode = TJisMode::Jis0212;
        return 3;
    }
    if (rest.starts_with("$(B") || rest.starts_with("$(Q") || rest.starts_with("$(O")) {
        mode = TJisMode::Kanji;
        return 3;
    }
    return 0;
}

// True when the text has a byte above 0x7F and each such byte starts a
// character of the encoding: wideLength(i) is its length in bytes, or 0.
template <class WideLength>
bool HasOnlyWellFormedWideChars(std::string_view text, WideLength wideLength)
{
    bool wide = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) < 0x80) continue;
        wide = true;
        const std::size_t length = wideLength(i);
        if (length == 0) return false;
        i += length - 1;
    }
    return wide;
}

}  // namespace

std::string Iso2022JpToShiftJis(std::string_view text, std::string_view standIn)
{
    std::string out;
    out.reserve(text.size());
    TJisMode mode = TJisMode::Ascii;
    bool shiftedOut = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == static_cast<unsigned char>(kEsc)) {
            const std::size_t length = ReadEscape(text.substr(i + 1), mode);
            if (length == 0) out += static_cast<char>(b);
            i += length;
            continue;
        }
        if (b == 0x0E || b == 0x0F) {
            shiftedOut = b == 0x0E;
            continue;
        }
        if (b == '\r' || b == '\n') {
            // A line break ends any double-byte run a careless sender left open.
            mode = TJisMode::Ascii;
            shiftedOut = false;
            out += static_cast<char>(b);
            continue;
        }
        if (shiftedOut && IsJisByte(b) && b <= 0x5F) {
            out += static_cast<char>(b + 0x80);
            continue;
        }
        switch (mode) {
        case TJisMode::Ascii:
            out += static_cast<char>(b);
            break;
        case TJisMode::Kana:
            out += (b >= 0x21 && b <= 0x5F) ? static_cast<char>(b + 0x80) : static_cast<char>(b);
            break;
        case TJisMode::Kanji:
        case TJisMode::Jis0212:
            if (!IsJisByte(b)) {
                out += static_cast<char>(b);
                break;
            }
            if (i + 1 < text.size() && IsJisByte(static_cast<unsigned char>(text[i + 1]))) {
                if (mode == TJisMode::Kanji)
                    AppendJisAsShiftJis(out, b, static_cast<unsigned char>(text[i + 1]), standIn);
                else
                    out += standIn;
                ++i;
            } else {
                out += standIn;
            }
            break;
        }
    }
    return out;
}

std::string EucJpToShiftJis(std::string_view text, std::string_view standIn)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else if (b == 0x8E && i + 1 < text.size() && IsHalfWidthKana(static_cast<unsigned char>(text[i + 1]))) {
            out += text[++i];
        } else if (b == 0x8F) {
            out += standIn;
            i += 2;
        } else if (IsEucByte(b) && i + 1 < text.size() && IsEucByte(static_cast<unsigned char>(text[i + 1]))) {
            AppendJisAsShiftJis(out, b & 0x7F, static_cast<unsigned char>(text[++i]) & 0x7F, standIn);
        } else {
            out += standIn;
        }
    }
    return out;
}

bool LooksLikeIso2022Jp(std::string_view text)
{
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b >= 0x80) return false;
        TJisMode mode = TJisMode::Ascii;
        if (b == static_cast<unsigned char>(kEsc) && ReadEscape(text.substr(i + 1), mode) != 0) escaped = true;
    }
    return escaped;
}

bool IsEucJp(std::string_view text)
{
    return HasOnlyWellFormedWideChars(text, [text](std::size_t i) -> std::size_t {
        const auto at = [&](std::size_t k) { return i + k < text.size() ? static_cast<unsigned char>(text[i + k]) : 0; };
        const unsigned char b = at(0);
        if (b == 0x8E && IsHalfWidthKana(at(1))) return 2;
        if (b == 0x8F && IsEucByte(at(1)) && IsEucByte(at(2))) return 3;
        if (IsEucByte(b) && IsEucByte(at(1))) return 2;
        return 0;
    });
}

bool IsShiftJis(std::string_view text)
{
    return HasOnlyWellFormedWideChars(text, [text](std::size_t i) -> std::size_t {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsHalfWidthKana(b)) return 1;
        if (!IsShiftJisLead(b) || i + 1 >= text.size() || !IsShiftJisTrail(static_cast<unsigned char>(text[i + 1])))
            return 0;
        return 2;
    });
}

}  // namespace quillbox
