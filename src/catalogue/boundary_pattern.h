// The pattern text that matches a mail's delimiter: "--" and the boundary,
// every character that is not a letter, digit or underscore escaped with a
// backslash ("=_b.1" gives "\-\-\=_b\.1"). A double-byte character is one
// character, escaped once, as the pattern library reads it.
#pragma once

#include <string>
#include <string_view>

#include "text/code_page.h"

namespace quillbox {

std::string BoundaryPatternOf(std::string_view boundary, TCodePage codePage = TCodePage::Active());

}  // namespace quillbox
