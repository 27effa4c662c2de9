// A Base64 decoder as plain as can be, to judge the fast ones by.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quillbox::testing {

// One character at a time: digits add six bits each, a whole byte goes out
// as soon as there is one, "=" ends the text, anything else is skipped.
inline std::string Base64DigitByDigit(std::string_view text)
{
    const std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::uint32_t bits = 0;
    int count = 0;
    for (const char c : text) {
        if (c == '=') break;
        const std::size_t value = alphabet.find(c);
        if (value == std::string_view::npos) continue;
        bits = (bits << 6 | static_cast<std::uint32_t>(value)) & 0xFFFFFF;
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>(bits >> count);
        }
    }
    return out;
}

}  // namespace quillbox::testing
