// ASCII letter case and white space, as MIME's own words use them; bytes
// above 0x7F are never letters here.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace quillbox {

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

// 0-15 for a hexadecimal digit of either case, -1 for anything else.
constexpr int AsciiHexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    c = AsciiLower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Blanks, tabs and the line breaks of folding.
constexpr bool IsFoldingSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

inline std::string_view TrimFoldingSpace(std::string_view text)
{
    while (!text.empty() && IsFoldingSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsFoldingSpace(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace quillbox
