#include "catalogue/boundary_pattern.h"

namespace quillbox {

namespace {
bool IsWordByte(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}
}  // namespace

std::string BoundaryPatternOf(std::string_view boundary)
{
    std::string pattern;
    pattern.reserve(2 * (boundary.size() + 2));
    for (const char c : "--" + std::string(boundary)) {
        if (!IsWordByte(c)) pattern += '\\';
        pattern += c;
    }
    return pattern;
}

}  // namespace quillbox
