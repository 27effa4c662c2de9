// Double-byte awareness. Texts are bytes in the local code page; under a
// double-byte code page (932, Shift_JIS, above all) a lead byte and the byte
// after it are one character, and that trail byte may be any of 0x40-0xFC,
// including 0x5C ("\") and ASCII letters.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillbox {

class TCodePage {
public:
    explicit constexpr TCodePage(unsigned id) : id_(id) {}

    // The code page texts are in: the process's ANSI code page on Windows.
    // Natively it is whatever SetActiveForProcess chose (932 unless changed),
    // so tests and tools state it explicitly.
    static TCodePage Active();
    static void SetActiveForProcess(unsigned id);

    constexpr unsigned Id() const { return id_; }
    bool IsDoubleByte() const;
    bool IsLeadByte(unsigned char byte) const;

    // Length in bytes of the character starting at text[pos]: 2 for a lead
    // byte followed by another byte, else 1.
    std::size_t CharLength(std::string_view text, std::size_t pos) const;

    // Position of the last character c (an ASCII byte) in text that is a
    // character of its own, not the trail byte of a double-byte character;
    // npos when there is none.
    std::size_t FindLastChar(std::string_view text, char c) const;

private:
    unsigned id_;
};

}  // namespace quillbox
