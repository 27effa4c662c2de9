#include "catalogue/hex_field.h"

#include "text/ascii.h"

namespace quillbox {

std::int32_t ReadHexField(std::string_view text)
{
    std::uint32_t value = 0;
    for (const char c : text) {
        const int digit = AsciiHexValue(c);
        if (digit < 0 || value > (UINT32_MAX >> 4)) break;
        value = (value << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace quillbox
