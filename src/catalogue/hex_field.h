// Numbers in the host's files are hexadecimal text.
#pragma once

#include <cstdint>
#include <string_view>

namespace quillbox {

// The leading hexadecimal digits of text (either case), stopping at the first
// other character or before the digit that would overflow 32 bits, as a
// 32-bit signed number; 0 when text does not start with a digit.
std::int32_t ReadHexField(std::string_view text);

}  // namespace quillbox
