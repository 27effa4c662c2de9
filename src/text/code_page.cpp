#include "text/code_page.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <atomic>
#endif

namespace quillbox {

#ifdef _WIN32
TCodePage TCodePage::Active() { return TCodePage(GetACP()); }

// Windows follows the system; a test cannot change it.
void TCodePage::SetActiveForProcess(unsigned) {}

bool TCodePage::IsLeadByte(unsigned char byte) const
{
    return IsDBCSLeadByteEx(id_, byte) != FALSE;
}
#else
namespace {
std::atomic<unsigned> g_activeCodePage{932};
}

TCodePage TCodePage::Active() { return TCodePage(g_activeCodePage.load()); }

void TCodePage::SetActiveForProcess(unsigned id) { g_activeCodePage.store(id); }

bool TCodePage::IsLeadByte(unsigned char byte) const
{
    switch (id_) {
    case 932:  // Shift_JIS
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case 936:  // GBK
    case 949:  // Unified Hangul Code
    case 950:  // Big5
        return byte >= 0x81 && byte <= 0xFE;
    default:
        return false;
    }
}
#endif

bool TCodePage::IsDoubleByte() const
{
    for (unsigned b = 0x80; b <= 0xFF; ++b)
        if (IsLeadByte(static_cast<unsigned char>(b))) return true;
    return false;
}

std::size_t TCodePage::CharLength(std::string_view text, std::size_t pos) const
{
    return (pos + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[pos]))) ? 2 : 1;
}

std::size_t TCodePage::FindLastChar(std::string_view text, char c) const
{
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos += CharLength(text, pos))
        if (text[pos] == c) found = pos;
    return found;
}

}  // namespace quillbox
