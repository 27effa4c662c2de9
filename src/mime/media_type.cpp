#include "mime/media_type.h"

#include <algorithm>

#include "text/ascii.h"

namespace quillbox {

std::optional<TMediaType> ReadMediaType(std::string_view leading)
{
    if (std::count(leading.begin(), leading.end(), '/') != 1) return std::nullopt;
    const std::size_t slash = leading.find('/');
    const std::string_view type = TrimFoldingSpace(leading.substr(0, slash));
    const std::string_view subtype = TrimFoldingSpace(leading.substr(slash + 1));
    if (type.empty() || subtype.empty()) return std::nullopt;
    return TMediaType{AsciiLowerCase(type), AsciiLowerCase(subtype)};
}

}  // namespace quillbox
