// Conversions between the Japanese mail encodings and Shift_JIS. JIS X 0208
// maps onto Shift_JIS by arithmetic, so these need no table and lose nothing.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// Understands ESC ( B, ESC ( J, ESC $ @, ESC $ B, ESC ( I and SO/SI for
// half-width katakana. JIS X 0212 and invalid pairs become "?".
std::string Iso2022JpToShiftJis(std::string_view text);
// Returns to ASCII before every line break and at the end. Half-width
// katakana are written with ESC ( I; characters outside JIS X 0208 become "?".
std::string ShiftJisToIso2022Jp(std::string_view text);

std::string EucJpToShiftJis(std::string_view text);
std::string ShiftJisToEucJp(std::string_view text);

}  // namespace quillbox
