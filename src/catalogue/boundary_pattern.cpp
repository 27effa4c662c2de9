#include "catalogue/boundary_pattern.h"

namespace quillbox {

namespace {
bool IsWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
}  // namespace

std::string BoundaryPatternOf(std::string_view boundary, TCodePage codePage)
{
    const std::string text = "--" + std::string(boundary);
    std::string pattern;
    pattern.reserve(2 * text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = codePage.CharLength(text, pos);
        if (length > 1 || !IsWordByte(text[pos])) pattern += '\\';
        pattern.append(text, pos, length);
        pos += length;
    }
    return pattern;
}

}  // namespace quillbox
