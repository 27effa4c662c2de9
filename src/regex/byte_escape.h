// The backslash escapes that stand for one byte, shared by patterns,
// replacements and tr lists.
#pragma once

#include <cstddef>
#include <string_view>

namespace quillbox::regex {

// letter is the character after the backslash, pos the position after it.
// Returns the byte of \t \n \r \f \e \a \xHH \x{HH} \cX \0oo and moves pos
// past what it read; -1 (pos unchanged) for any other letter. Throws
// TRegexError for a malformed \x{...} or \c at the end.
int ReadByteEscape(std::string_view text, std::size_t& pos, char letter);

// Up to three octal digits from pos on (at least one must stand there), as
// in \101; moves pos past them. Throws TRegexError above \377.
int ReadOctalEscape(std::string_view text, std::size_t& pos);

}  // namespace quillbox::regex
