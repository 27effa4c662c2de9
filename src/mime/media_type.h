// The media type of a Content-Type field ("multipart/mixed").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillbox {

struct TMediaType {
    std::string Type;     // lower case: "multipart"
    std::string Subtype;  // lower case: "mixed"

    bool Is(std::string_view type, std::string_view subtype) const { return Type == type && Subtype == subtype; }
    std::string Text() const { return Type + "/" + Subtype; }
};

// The leading word of a Content-Type value (TParameterList::Leading); nullopt
// unless it holds exactly one "/" with a word on each side, in which case the
// default type applies, as when the field is missing.
std::optional<TMediaType> ReadMediaType(std::string_view leading);

}  // namespace quillbox
