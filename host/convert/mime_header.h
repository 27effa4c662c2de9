// Encoded words ("=?charset?B|Q?text?=") in header text.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// Decodes every encoded word into the local code page; blanks and line
// breaks between two adjacent encoded words vanish. Words in an unknown
// charset, or malformed ones, stay as they are.
std::string DecodeMimeHeader(std::string_view header, unsigned codePage);

// Encodes each run of non-ASCII text as ISO-2022-JP Base64 words when the
// local code page is 932, else as UTF-8 Base64 words.
std::string EncodeMimeHeader(std::string_view header, unsigned codePage);

}  // namespace quillbox
