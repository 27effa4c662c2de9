#include "catalogue/boundary_pattern.h"

#include "text/ascii.h"

namespace quillbox {

std::string BoundaryPatternOf(std::string_view boundary, TCodePage codePage)
{
    const std::string text = "--" + std::string(boundary);
    std::string pattern;
    pattern.reserve(2 * text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = codePage.CharLength(text, pos);
        if (length > 1 || !IsAsciiWordChar(text[pos])) pattern += '\\';
        pattern.append(text, pos, length);
        pos += length;
    }
    return pattern;
}

}  // namespace quillbox
