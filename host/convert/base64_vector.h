// Base64 digits decoded sixteen at a time where the processor can.
#pragma once

#include <cstddef>

namespace quillbox {

struct TBase64Run {
    std::size_t Read = 0;     // bytes of text
    std::size_t Written = 0;  // decoded bytes, three for every four digits
};

// Decodes whole groups of four digits from the start of text, in windows of
// sixteen bytes, passing over line breaks (CR LF or LF) that fall between
// groups; stops before anything else that is not a digit (a fill, junk, a
// break inside a group) or where fewer than sixteen bytes are left. A window
// may write up to 16 bytes at out only where at least four more bytes of text
// follow it, so out needs no more room than four-byte stores of every group
// would. Reads and writes nothing where there is no vector path.
TBase64Run DecodeBase64Run(const unsigned char* text, std::size_t size, char* out);

}  // namespace quillbox
