// Conversions between the Japanese mail encodings and Shift_JIS. JIS X 0208
// maps onto Shift_JIS by arithmetic, so these need no table and lose nothing.
// Reading them (Iso2022JpToShiftJis, EucJpToShiftJis) is shared with the
// plug-in; writing them is the host's.
#pragma once

#include <string>
#include <string_view>

#include "text/japanese_text.h"

namespace quillbox {

// Returns to ASCII before every line break and at the end. Half-width
// katakana are written with ESC ( I; characters outside JIS X 0208 become "?".
std::string ShiftJisToIso2022Jp(std::string_view text);

std::string ShiftJisToEucJp(std::string_view text);

}  // namespace quillbox
