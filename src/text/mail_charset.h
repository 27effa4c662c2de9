// Mail text in the charsets mailers write, made into the local code page:
// UTF-8, ISO-2022-JP, Shift_JIS, EUC-JP, ISO-8859-1 and windows-1252 (with
// their usual aliases and US-ASCII), and text that says nothing of its
// charset.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "text/code_page.h"

namespace quillbox {

// What a character the local code page lacks becomes: a visible character
// that file names may hold ("〓" in code page 932, "_" elsewhere).
std::string_view StandInFor(TCodePage local);

// Text in the named charset (any letter case); nullopt for a charset not
// listed above. Japanese text reaches code page 932 by arithmetic.
std::optional<std::string> CharsetTextToLocal(std::string_view charset, std::string_view bytes, TCodePage local);

// Text whose charset is not given: ASCII stays; then, in this order, the
// first that fits decides: ISO-2022-JP escapes, valid UTF-8, EUC-JP,
// Shift_JIS, and windows-1252 for anything else.
std::string UnlabelledTextToLocal(std::string_view bytes, TCodePage local);

}  // namespace quillbox
