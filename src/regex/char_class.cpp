#include "regex/char_class.h"

#include <algorithm>

#include "text/ascii.h"

namespace quillbox::regex {

TCharClass TCharClass::Digits()
{
    TCharClass c;
    c.AddRange('0', '9');
    return c;
}

TCharClass TCharClass::WordChars()
{
    TCharClass c;
    c.AddRange('a', 'z');
    c.AddRange('A', 'Z');
    c.AddRange('0', '9');
    c.AddByte('_');
    return c;
}

TCharClass TCharClass::Spaces()
{
    TCharClass c;
    for (unsigned b = 0; b < 0x80; ++b)
        if (IsCSpace(static_cast<char>(b))) c.AddByte(b);
    return c;
}

void TCharClass::AddRange(unsigned first, unsigned last)
{
    for (unsigned b = first; b <= std::min(last, 0xFFu); ++b) bytes_.set(b);
    if (last > 0xFF)
        doubleByte_.emplace_back(static_cast<std::uint16_t>(std::max(first, 0x100u)),
                                 static_cast<std::uint16_t>(std::min(last, 0xFFFFu)));
}

void TCharClass::AddClass(const TCharClass& other)
{
    if (!other.negated_) {
        bytes_ |= other.bytes_;
        doubleByte_.insert(doubleByte_.end(), other.doubleByte_.begin(), other.doubleByte_.end());
        allDoubleByte_ = allDoubleByte_ || other.allDoubleByte_;
        return;
    }
    // \D \W \S inside brackets: every byte the other leaves out, and every
    // double-byte character unless the other names some.
    bytes_ |= ~other.bytes_;
    if (!other.allDoubleByte_ && other.doubleByte_.empty()) allDoubleByte_ = true;
}

void TCharClass::FoldAsciiCase()
{
    for (unsigned b = 'a'; b <= 'z'; ++b) {
        const unsigned upper = b - 'a' + 'A';
        if (bytes_[b] || bytes_[upper]) {
            bytes_.set(b);
            bytes_.set(upper);
        }
    }
}

bool TCharClass::Includes(unsigned code) const
{
    if (code <= 0xFF) return bytes_[code];
    if (allDoubleByte_) return true;
    for (const auto& [first, last] : doubleByte_)
        if (code >= first && code <= last) return true;
    return false;
}

}  // namespace quillbox::regex
