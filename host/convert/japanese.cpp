#include "convert/japanese.h"

namespace quillbox {
namespace {

bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF); }
bool IsShiftJisTrail(unsigned char b) { return b >= 0x40 && b <= 0xFC && b != 0x7F; }
bool IsHalfWidthKana(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }

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

enum class TJisMode { Ascii, Kanji, Kana };

}  // namespace

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
