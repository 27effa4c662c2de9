// Whether the host kept a rewritten mail: the same text, but for the form of
// its line ends (CR LF, LF or CR) and line breaks added or dropped at its end,
// which a store may normalise.
#pragma once

#include <string_view>

namespace quillbox {

bool SameUpToLineEnds(std::string_view written, std::string_view stored);

}  // namespace quillbox
