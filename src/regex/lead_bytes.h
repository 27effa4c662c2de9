// The lead bytes of a code page: under a double-byte code page a lead byte
// and the byte after it are one character. All positions the engine visits
// are character starts, found by stepping forward from a known start (and
// back through TCharStarts).
#pragma once

#include <array>
#include <cstddef>

#include "text/code_page.h"

namespace quillbox::regex {

class TLeadBytes {
public:
    TLeadBytes() = default;  // single-byte text
    explicit TLeadBytes(TCodePage codePage);

    static TLeadBytes ShiftJis();
    // The process's code page when it is a double-byte one, else single-byte.
    static TLeadBytes Default();

    bool DoubleByte() const { return doubleByte_; }
    bool IsLead(unsigned char byte) const { return lead_[byte]; }

    std::size_t CharLength(const char* text, std::size_t pos, std::size_t length) const
    {
        return (pos + 1 < length && lead_[static_cast<unsigned char>(text[pos])]) ? 2 : 1;
    }

private:
    std::array<bool, 256> lead_{};
    bool doubleByte_ = false;
};

}  // namespace quillbox::regex
