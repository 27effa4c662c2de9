#include "regex/lead_bytes.h"

namespace quillbox::regex {

TLeadBytes::TLeadBytes(TCodePage codePage)
{
    for (unsigned b = 0x80; b <= 0xFF; ++b) {
        lead_[b] = codePage.IsLeadByte(static_cast<unsigned char>(b));
        doubleByte_ = doubleByte_ || lead_[b];
    }
}

// Every command asks; the table is rebuilt only when the code page changed.
TLeadBytes TLeadBytes::Default()
{
    thread_local unsigned cachedId = 0;
    thread_local TLeadBytes cached;
    const TCodePage active = TCodePage::Active();
    if (active.Id() != cachedId) {
        cached = active.IsDoubleByte() ? TLeadBytes(active) : TLeadBytes();
        cachedId = active.Id();
    }
    return cached;
}

TLeadBytes TLeadBytes::ShiftJis()
{
    static const TLeadBytes shiftJis{TCodePage(932)};
    return shiftJis;
}

// A byte that is not a lead byte always ends a character, so the run of lead
// bytes just before pos decides: an odd run means the last of them leads the
// character that ends at pos.
std::size_t TLeadBytes::PreviousChar(const char* text, std::size_t floor, std::size_t pos) const
{
    if (!doubleByte_ || pos - floor < 2) return pos - 1;
    std::size_t q = pos - 1;
    while (q > floor && lead_[static_cast<unsigned char>(text[q - 1])]) --q;
    return ((pos - 1 - q) % 2 == 1) ? pos - 2 : pos - 1;
}

bool TLeadBytes::IsCharStart(const char* text, std::size_t floor, std::size_t pos) const
{
    if (!doubleByte_) return true;
    std::size_t q = pos;
    while (q > floor && lead_[static_cast<unsigned char>(text[q - 1])]) --q;
    return (pos - q) % 2 == 0;
}

}  // namespace quillbox::regex
