// Texts written in this program's sources are UTF-8; the host and the user
// see bytes of a code page. This turns one into the other.
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

// The UTF-8 text in the given code page; a character the code page lacks
// becomes the code page's default character.
std::string ConvertFromUtf8(std::string_view utf8, unsigned codePage);

}  // namespace quillbox
