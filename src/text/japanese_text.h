// Japanese mail encodings read as Shift_JIS. JIS X 0208 maps onto Shift_JIS
// by arithmetic, so ISO-2022-JP and EUC-JP need no table and lose nothing.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// Understands ESC ( B, ESC ( J, ESC ( H, ESC $ @, ESC $ B, ESC ( I and SO/SI
// for half-width katakana; a line break ends a double-byte run. JIS X 0212
// characters and invalid pairs become standIn.
std::string Iso2022JpToShiftJis(std::string_view text, std::string_view standIn = "?");

// Two-byte JIS X 0208, SS2 half-width katakana; JIS X 0212 (SS3) and
// invalid bytes become standIn.
std::string EucJpToShiftJis(std::string_view text, std::string_view standIn = "?");

// What a text of unknown charset may be. Pure ASCII is none of them.
// ISO-2022-JP: 7-bit with at least one of its escape sequences.
bool LooksLikeIso2022Jp(std::string_view text);
// Every byte above 0x7F in a valid pair (or SS2 half-width katakana, SS3
// triple), at least one of them.
bool IsEucJp(std::string_view text);
// Every lead byte followed by a valid trail byte, no byte outside the code,
// at least one byte above 0x7F.
bool IsShiftJis(std::string_view text);

}  // namespace quillbox
