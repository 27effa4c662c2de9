#include "regex/byte_escape.h"

#include "regex/regex_error.h"
#include "text/ascii.h"

namespace quillbox::regex {

int ReadByteEscape(std::string_view s, std::size_t& pos, char letter)
{
    switch (letter) {
    case 't': return '\t';
    case 'n': return '\n';
    case 'r': return '\r';
    case 'f': return '\f';
    case 'e': return 0x1B;
    case 'a': return 0x07;
    case 'x': {
        int value = 0;
        if (pos < s.size() && s[pos] == '{') {
            std::size_t q = pos + 1;
            for (; q < s.size() && s[q] != '}'; ++q) {
                const int h = AsciiHexValue(s[q]);
                if (h < 0) throw TRegexError("invalid \\x{...} escape");
                value = value * 16 + h;
                if (value > 0xFF) throw TRegexError("\\x{...} above 0xFF");
            }
            if (q >= s.size()) throw TRegexError("missing } in \\x{...}");
            pos = q + 1;
            return value;
        }
        for (int i = 0; i < 2 && pos < s.size() && AsciiHexValue(s[pos]) >= 0; ++i) value = value * 16 + AsciiHexValue(s[pos++]);
        return value;
    }
    case 'c': {
        if (pos >= s.size()) throw TRegexError("missing control character after \\c");
        const unsigned char x = static_cast<unsigned char>(s[pos++]);
        return (x >= 'a' && x <= 'z' ? x - 32 : x) ^ 0x40;
    }
    case '0': return ReadOctalEscape(s, --pos);
    default: return -1;
    }
}

int ReadOctalEscape(std::string_view s, std::size_t& pos)
{
    int value = 0;
    for (int i = 0; i < 3 && pos < s.size() && s[pos] >= '0' && s[pos] <= '7'; ++i) value = value * 8 + (s[pos++] - '0');
    if (value > 0xFF) throw TRegexError("octal escape above \\377");
    return value;
}

}  // namespace quillbox::regex
