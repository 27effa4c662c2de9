// The pattern text that matches a mail's delimiter: "--" and the boundary,
// every character that is not a letter, digit or underscore escaped with a
// backslash ("=_b.1" gives "\-\-\=_b\.1").
#pragma once

#include <string>
#include <string_view>

namespace quillbox {

std::string BoundaryPatternOf(std::string_view boundary);

}  // namespace quillbox
