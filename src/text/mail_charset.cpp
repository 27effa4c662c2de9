#include "text/mail_charset.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <initializer_list>

#include "text/code_page_conversion.h"
#include "text/japanese_text.h"
#include "text/utf8.h"

namespace quillbox {

namespace {

enum class TMailCharset { Ascii, Utf8, Iso2022Jp, ShiftJis, EucJp, Latin1, Windows1252 };

bool NamedOneOf(std::string_view charset, std::initializer_list<std::string_view> names)
{
    return std::any_of(names.begin(), names.end(), [&](std::string_view name) {
        return charset.size() == name.size() &&
               std::equal(charset.begin(), charset.end(), name.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == b;
               });
    });
}

std::optional<TMailCharset> CharsetNamed(std::string_view name)
{
    if (NamedOneOf(name, {"utf-8", "utf8"})) return TMailCharset::Utf8;
    if (NamedOneOf(name, {"iso-2022-jp", "iso-2022-jp-1", "iso-2022-jp-2", "iso-2022-jp-3", "csiso2022jp"}))
        return TMailCharset::Iso2022Jp;
    if (NamedOneOf(name, {"shift_jis", "shift-jis", "sjis", "x-sjis", "cp932", "windows-31j", "ms_kanji",
                          "csshiftjis", "ms932"}))
        return TMailCharset::ShiftJis;
    if (NamedOneOf(name, {"euc-jp", "x-euc-jp", "eucjp", "cseucpkdfmtjapanese"})) return TMailCharset::EucJp;
    if (NamedOneOf(name, {"iso-8859-1", "iso_8859-1", "iso8859-1", "latin1", "l1", "cp819"}))
        return TMailCharset::Latin1;
    if (NamedOneOf(name, {"windows-1252", "cp1252", "x-cp1252"})) return TMailCharset::Windows1252;
    if (NamedOneOf(name, {"us-ascii", "ascii", "ansi_x3.4-1968"})) return TMailCharset::Ascii;
    return std::nullopt;
}

bool IsAscii(std::string_view bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// ISO-8859-1 and windows-1252 are Unicode's first 256 code points, but for
// the printable characters windows-1252 puts in 0x80-0x9F.
std::string SingleByteToUtf8(std::string_view bytes, bool windows1252)
{
    static constexpr std::array<char16_t, 32> kWindows1252High{
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    std::string utf8;
    utf8.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const unsigned char b = static_cast<unsigned char>(byte);
        const char32_t c = windows1252 && b >= 0x80 && b <= 0x9F ? kWindows1252High[b - 0x80] : b;
        AppendUtf8(utf8, c);
    }
    return utf8;
}

// Shift_JIS as code page 932 has it: kept as it is there, a character that
// is not valid becoming the stand-in.
std::string ShiftJisToLocal(std::string_view sjis, TCodePage local)
{
    const std::string_view standIn = StandInFor(local);
    if (local.Id() != 932) return ConvertFromUtf8(ConvertToUtf8(sjis, 932), local.Id(), standIn);
    std::string text;
    text.reserve(sjis.size());
    for (std::size_t i = 0; i < sjis.size(); ++i) {
        const std::string_view one = sjis.substr(i, 1);
        const unsigned char b = static_cast<unsigned char>(sjis[i]);
        if (b < 0x80 || (b >= 0xA1 && b <= 0xDF)) {
            text += one;
        } else if (i + 1 < sjis.size() && IsShiftJis(sjis.substr(i, 2))) {
            text += sjis.substr(i, 2);
            ++i;
        } else {
            text += standIn;
        }
    }
    return text;
}

std::string ToLocal(TMailCharset charset, std::string_view bytes, TCodePage local)
{
    const std::string_view standIn = StandInFor(local);
    switch (charset) {
    case TMailCharset::Ascii:
    case TMailCharset::Utf8:
        return ConvertFromUtf8(bytes, local.Id(), standIn);
    case TMailCharset::Iso2022Jp:
        return ShiftJisToLocal(Iso2022JpToShiftJis(bytes, "\x81\xAC"), local);
    case TMailCharset::ShiftJis:
        return ShiftJisToLocal(bytes, local);
    case TMailCharset::EucJp:
        return ShiftJisToLocal(EucJpToShiftJis(bytes, "\x81\xAC"), local);
    case TMailCharset::Latin1:
        return ConvertFromUtf8(SingleByteToUtf8(bytes, false), local.Id(), standIn);
    case TMailCharset::Windows1252:
        return ConvertFromUtf8(SingleByteToUtf8(bytes, true), local.Id(), standIn);
    }
    return std::string(bytes);
}

}  // namespace

std::string_view StandInFor(TCodePage local) { return local.Id() == 932 ? "\x81\xAC" : "_"; }

std::optional<std::string> CharsetTextToLocal(std::string_view charset, std::string_view bytes, TCodePage local)
{
    const std::optional<TMailCharset> known = CharsetNamed(charset);
    if (!known) return std::nullopt;
    if (IsAscii(bytes) && *known != TMailCharset::Iso2022Jp) return std::string(bytes);
    return ToLocal(*known, bytes, local);
}

std::string UnlabelledTextToLocal(std::string_view bytes, TCodePage local)
{
    if (LooksLikeIso2022Jp(bytes)) return ToLocal(TMailCharset::Iso2022Jp, bytes, local);
    if (IsAscii(bytes)) return std::string(bytes);
    if (IsValidUtf8(bytes)) return ToLocal(TMailCharset::Utf8, bytes, local);
    if (IsEucJp(bytes)) return ToLocal(TMailCharset::EucJp, bytes, local);
    if (IsShiftJis(bytes)) return ToLocal(TMailCharset::ShiftJis, bytes, local);
    return ToLocal(TMailCharset::Windows1252, bytes, local);
}

}  // namespace quillbox
