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

}  // namespace quillbox::regex
