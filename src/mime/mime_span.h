// A stretch of a mail source, as byte offsets into it: [Begin, End). The
// reader keeps offsets, not pointers, so that its results stay meaningful for
// any copy of the same source and never outlive it by accident.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillbox {

struct TMimeSpan {
    std::size_t Begin = 0;
    std::size_t End = 0;

    constexpr std::size_t Size() const { return End - Begin; }
    constexpr bool Empty() const { return Begin == End; }
    std::string_view In(std::string_view source) const { return source.substr(Begin, End - Begin); }
    constexpr bool operator==(const TMimeSpan&) const = default;
};

}  // namespace quillbox
