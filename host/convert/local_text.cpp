#include "convert/local_text.h"

#include "convert/code_page_tables.h"

#include <algorithm>

namespace quillbox {
namespace {

using tables::TCodePair;

struct TTable {
    const TCodePair* begin;
    const TCodePair* end;
};

TTable DecodeTable(unsigned codePage)
{
    if (codePage == 932) return {tables::kDecode932, tables::kDecode932 + tables::kDecode932Size};
    return {tables::kDecode1252, tables::kDecode1252 + tables::kDecode1252Size};
}

TTable EncodeTable(unsigned codePage)
{
    if (codePage == 932) return {tables::kEncode932, tables::kEncode932 + tables::kEncode932Size};
    return {tables::kEncode1252, tables::kEncode1252 + tables::kEncode1252Size};
}

const TCodePair* Find(TTable table, std::uint32_t key)
{
    const TCodePair* it = std::lower_bound(table.begin, table.end, key,
                                           [](const TCodePair& p, std::uint32_t k) { return p.from < k; });
    return (it != table.end && it->from == key) ? it : nullptr;
}

bool IsShiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

std::string UnicodeToLocal(std::u32string_view text, unsigned codePage)
{
    const TTable table = EncodeTable(codePage);
    std::string out;
    out.reserve(text.size() * 2);
    for (const char32_t c : text) {
        const TCodePair* p = Find(table, c);
        if (!p) {
            out += '?';
        } else if (p->to > 0xFF) {
            out += static_cast<char>(p->to >> 8);
            out += static_cast<char>(p->to & 0xFF);
        } else {
            out += static_cast<char>(p->to);
        }
    }
    return out;
}

std::u32string LocalToUnicode(std::string_view text, unsigned codePage)
{
    const TTable table = DecodeTable(codePage);
    std::u32string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = static_cast<unsigned char>(text[i]);
        if (codePage == 932 && IsShiftJisLead(static_cast<unsigned char>(code)) && i + 1 < text.size())
            code = (code << 8) | static_cast<unsigned char>(text[++i]);
        const TCodePair* p = Find(table, code);
        out += p ? static_cast<char32_t>(p->to) : U'\uFFFD';
    }
    return out;
}

std::u32string Utf8ToUnicode(std::string_view text)
{
    std::u32string out;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        int extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
        char32_t c = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra >= 0 && i + extra < text.size();
        for (int k = 1; ok && k <= extra; ++k) {
            const unsigned char t = static_cast<unsigned char>(text[i + k]);
            ok = (t & 0xC0) == 0x80;
            c = (c << 6) | (t & 0x3F);
        }
        static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (ok && (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))) ok = false;
        if (ok) {
            out += c;
            i += extra + 1;
        } else {
            out += U'\uFFFD';
            ++i;
        }
    }
    return out;
}

std::string UnicodeToUtf8(std::u32string_view text)
{
    std::string out;
    for (const char32_t c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace quillbox
