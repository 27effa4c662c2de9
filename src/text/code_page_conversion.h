// Text between UTF-8 and a code page, through the platform's converters
// (the Win32 code-page functions; iconv natively).
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// The UTF-8 text in the code page. Each character the code page has no
// exact form for (no best fit), and each malformed UTF-8 sequence, becomes
// standIn. For code page 932 the JIS forms of six characters (U+00A2,
// U+00A3, U+00AC, U+2016, U+2212, U+301C) count as theirs.
std::string ConvertFromUtf8(std::string_view utf8, unsigned codePage, std::string_view standIn);

// Bytes of the code page as UTF-8; a byte or pair the code page does not
// define becomes U+FFFD.
std::string ConvertToUtf8(std::string_view text, unsigned codePage);

}  // namespace quillbox
