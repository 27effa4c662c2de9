// Text in a mail character set, converted into the local code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillbox {

// Knows ISO-2022-JP, Shift_JIS (and its aliases), EUC-JP, UTF-8,
// ISO-8859-1, US-ASCII and windows-1252; nullopt for any other charset.
// Characters the code page lacks become "?".
std::optional<std::string> CharsetToLocal(std::string_view charset, std::string_view text, unsigned codePage);

}  // namespace quillbox
