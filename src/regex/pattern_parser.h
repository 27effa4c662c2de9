// Perl pattern syntax to a pattern tree.
#pragma once

#include <string_view>

#include "regex/lead_bytes.h"
#include "regex/pattern_tree.h"

namespace quillbox::regex {

struct TPatternFlags {
    bool IgnoreCase = false;  // i
    bool MultiLine = false;   // m
    bool SingleLine = false;  // s
    bool Extended = false;    // x
};

// Throws TRegexError with a message for the user.
TPatternTree ParsePattern(std::string_view pattern, TPatternFlags flags, const TLeadBytes& lead);

}  // namespace quillbox::regex
