#include "convert/japanese.h"

namespace quillbox {
namespace {

constexpr char kEsc = '\x1B';

bool IsJisByte(unsigned char b) { return b >= 0x21 && b <= 0x7E; }
bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }
bool IsShiftJisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool IsHalfWidthKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

void AppendJisAsShiftJis(std::string& out, unsigned char j1, unsigned char j2)
{
    if (!IsJisByte(j1) || !IsJisByte(j2)) {
        out += '?';
        return;
    }
    unsigned s1 = ((j1 - 0x21) >> 1) + 0x81;
    if (s1 > 0x9F) s1 += 0x40;
    unsigned s2 = (j1 & 1) ? j2 + 0x1F + (j2 >= 0x60 ? 1 : 0) : j2 + 0x7E;
    out += static_cast<char>(s1);
    out += static_cast<char>(s2);
}

// Shift_JIS pair to JIS X 0208 row and cell bytes.
void ShiftJisToJis(unsigned char s1, unsigned char s2, unsigned char& j1, unsigned char& j2)
{
    unsigned lead = s1 >= 0xE0 ? s1 - 0x40 : s1;
    unsigned row = (lead - 0x81) * 2 + 0x21;
    if (s2 >= 0x9F) {
        j1 = static_cast<unsigned char>(row + 1);
        j2 = static_cast<unsigned char>(s2 - 0x7E);
    } else {
        j1 = static_cast<unsigned char>(row);
        j2 = static_cast<unsigned char>(s2 - (s2 >= 0x80 ? 0x20 : 0x1F));
    }
}

enum class TJisMode { Ascii, Kanji, Kana, Jis0212 };

}  // namespace

std::string Iso2022JpToShiftJis(std::string_view text)
{
    std::string out;
    TJisMode mode = TJisMode::Ascii;
    bool shiftedOut = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b == static_cast<unsigned char>(kEsc)) {
            const std::string_view rest = text.substr(i + 1);
            if (rest.starts_with("(B") || rest.starts_with("(J") || rest.starts_with("(H")) {
                mode = TJisMode::Ascii;
                i += 2;
            } else if (rest.starts_with("$B") || rest.starts_with("$@")) {
                mode = TJisMode::Kanji;
                i += 2;
            } else if (rest.starts_with("(I")) {
                mode = TJisMode::Kana;
                i += 2;
            } else if (rest.starts_with("$(D")) {
                mode = TJisMode::Jis0212;
                i += 3;
            } else if (rest.starts_with("$(B") || rest.starts_with("$(Q") || rest.starts_with("$(O")) {
                mode = TJisMode::Kanji;
                i += 3;
            } else {
                out += static_cast<char>(b);
            }
            continue;
        }
        if (b == 0x0E) {
            shiftedOut = true;
            continue;
        }
        if (b == 0x0F) {
            shiftedOut = false;
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
                    AppendJisAsShiftJis(out, b, static_cast<unsigned char>(text[i + 1]));
                else
                    out += '?';
                ++i;
            } else {
                out += '?';
            }
            break;
        }
    }
    return out;
}

std::string ShiftJisToIso2022Jp(std::string_view text)
{
    std::string out;
    TJisMode mode = TJisMode::Ascii;
    auto switchTo = [&](TJisMode wanted) {
        if (mode == wanted) return;
        out += wanted == TJisMode::Ascii ? "\x1B(B" : wanted == TJisMode::Kanji ? "\x1B$B" : "\x1B(I";
        mode = wanted;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsHalfWidthKana(b)) {
            switchTo(TJisMode::Kana);
            out += static_cast<char>(b - 0x80);
        } else if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            const bool paired = i + 1 < text.size() && IsShiftJisTrail(static_cast<unsigned char>(text[i + 1]));
            if (paired && IsShiftJisLead(b)) {
                unsigned char j1 = 0, j2 = 0;
                ShiftJisToJis(b, static_cast<unsigned char>(text[i + 1]), j1, j2);
                switchTo(TJisMode::Kanji);
                out += static_cast<char>(j1);
                out += static_cast<char>(j2);
            } else {
                // User-defined and vendor rows have no ISO-2022-JP form.
                switchTo(TJisMode::Ascii);
                out += '?';
            }
            if (paired) ++i;
        } else {
            switchTo(TJisMode::Ascii);
            out += static_cast<char>(b);
        }
    }
    switchTo(TJisMode::Ascii);
    return out;
}

std::string EucJpToShiftJis(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += static_cast<char>(b);
        } else if (b == 0x8E && i + 1 < text.size()) {
            out += text[++i];
        } else if (b == 0x8F) {
            out += '?';
            i += 2;
        } else if (b >= 0xA1 && b <= 0xFE && i + 1 < text.size()) {
            AppendJisAsShiftJis(out, b & 0x7F, static_cast<unsigned char>(text[++i]) & 0x7F);
        } else {
            out += '?';
        }
    }
    return out;
}

std::string ShiftJisToEucJp(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsHalfWidthKana(b)) {
            out += '\x8E';
            out += static_cast<char>(b);
        } else if (b >= 0x80) {
            const bool paired = i + 1 < text.size() && IsShiftJisTrail(static_cast<unsigned char>(text[i + 1]));
            if (paired && IsShiftJisLead(b)) {
                unsigned char j1 = 0, j2 = 0;
                ShiftJisToJis(b, static_cast<unsigned char>(text[i + 1]), j1, j2);
                out += static_cast<char>(j1 | 0x80);
                out += static_cast<char>(j2 | 0x80);
            } else {
                out += '?';
            }
            if (paired) ++i;
        } else {
            out += static_cast<char>(b);
        }
    }
    return out;
}

}  // namespace quillbox
