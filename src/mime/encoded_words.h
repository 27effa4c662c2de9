// Encoded words (RFC 2047): "=?charset?B?...?=" and "=?charset?Q?...?=", in
// header text and, as mail clients write them, inside quoted parameter
// values.
#pragma once

#include <string_view>

#include "mime/mime_text.h"

namespace quillbox {

// text with its encoded words decoded into runs in their charsets; the rest
// as raw runs. White space between two encoded words goes; a malformed
// word (no closing "?=", an unknown encoding, blanks inside) stays as text.
// A language tag after the charset ("utf-8*ja") is dropped.
TMimeText DecodeEncodedWords(std::string_view text);

}  // namespace quillbox
