// A bracketed class, or one of \d \w \s and their negations: single bytes in
// a bitmap, double-byte characters (lead << 8 | trail) as ranges.
#pragma once

#include <bitset>
#include <cstdint>
#include <utility>
#include <vector>

namespace quillbox::regex {

class TCharClass {
public:
    static TCharClass Digits();
    static TCharClass WordChars();
    static TCharClass Spaces();

    void AddByte(unsigned char byte) { bytes_.set(byte); }
    // A range of character codes; codes above 0xFF are double-byte characters.
    void AddRange(unsigned first, unsigned last);
    // Adds everything the other class matches (negated classes included).
    void AddClass(const TCharClass& other);
    void AddAllDoubleByte() { allDoubleByte_ = true; }
    void Negate() { negated_ = !negated_; }
    // Gives every ASCII letter in the class its other case.
    void FoldAsciiCase();

    bool Contains(unsigned code) const
    {
        return Includes(code) != negated_;
    }

private:
    bool Includes(unsigned code) const;

    std::bitset<256> bytes_;
    std::vector<std::pair<std::uint16_t, std::uint16_t>> doubleByte_;
    bool allDoubleByte_ = false;
    bool negated_ = false;
};

}  // namespace quillbox::regex
