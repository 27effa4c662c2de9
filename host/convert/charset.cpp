#include "convert/charset.h"

#include "convert/japanese.h"
#include "convert/local_text.h"

#include <algorithm>
#include <cctype>

namespace quillbox {
namespace {

std::string Lower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

bool OneOf(const std::string& name, std::initializer_list<std::string_view> names)
{
    return std::find(names.begin(), names.end(), name) != names.end();
}

std::string ShiftJisToLocal(const std::string& sjis, unsigned codePage)
{
    return codePage == 932 ? sjis : UnicodeToLocal(LocalToUnicode(sjis, 932), codePage);
}

}  // namespace

std::optional<std::string> CharsetToLocal(std::string_view charset, std::string_view text, unsigned codePage)
{
    const std::string name = Lower(charset);
    if (OneOf(name, {"iso-2022-jp", "iso-2022-jp-1", "iso-2022-jp-2", "csiso2022jp"}))
        return ShiftJisToLocal(Iso2022JpToShiftJis(text), codePage);
    if (OneOf(name, {"shift_jis", "shift-jis", "sjis", "x-sjis", "cp932", "windows-31j", "ms_kanji", "csshiftjis"}))
        return ShiftJisToLocal(std::string(text), codePage);
    if (OneOf(name, {"euc-jp", "x-euc-jp", "eucjp", "cseucpkdfmtjapanese"}))
        return ShiftJisToLocal(EucJpToShiftJis(text), codePage);
    if (OneOf(name, {"utf-8", "utf8"})) return UnicodeToLocal(Utf8ToUnicode(text), codePage);
    if (OneOf(name, {"iso-8859-1", "iso_8859-1", "latin1", "l1", "us-ascii", "ascii"})) {
        std::u32string wide;
        for (const char c : text) wide += static_cast<char32_t>(static_cast<unsigned char>(c));
        return UnicodeToLocal(wide, codePage);
    }
    if (OneOf(name, {"windows-1252", "cp1252"})) return UnicodeToLocal(LocalToUnicode(text, 1252), codePage);
    return std::nullopt;
}

}  // namespace quillbox
