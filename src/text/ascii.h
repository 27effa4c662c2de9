// ASCII character classes and letter case. Bytes above 0x7F are never
// letters, digits or white space here, so these hold in every code page.
// The white-space sets differ on purpose: each is named for what it holds,
// and callers keep the one their format defines.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace quillbox {

constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

constexpr bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// Letters, digits and "_": what a Perl pattern's \w holds in ASCII.
constexpr bool IsAsciiWordChar(char c) { return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '_'; }

// 0-15 for a hexadecimal digit of either case, -1 for anything else.
constexpr int AsciiHexValue(char c)
{
    if (IsAsciiDigit(c)) return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// SP HT LF VT FF CR: the C library's isspace in the "C" locale, and a Perl
// pattern's \s.
constexpr bool IsCSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// SP HT LF FF CR: the same without VT.
constexpr bool IsCSpaceButVerticalTab(char c) { return c != '\v' && IsCSpace(c); }

// SP HT CR LF: blanks and the line breaks of a folded header line.
constexpr bool IsFoldingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// SP and the control characters below it. No trail byte of a double-byte
// character is that small, so trimming these bytes is safe in every code page.
constexpr bool IsSpaceOrControl(char c) { return static_cast<unsigned char>(c) <= 0x20; }

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

inline bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

inline std::string AsciiLowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) c = AsciiLower(c);
    return lower;
}

inline std::string_view TrimFoldingSpace(std::string_view text)
{
    while (!text.empty() && IsFoldingSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsFoldingSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace quillbox
