// Splits a command string (m/.../flags, s/.../.../flags, tr/.../.../flags)
// into its parts. The parts keep their backslashes; the pattern, replacement
// and list parsers read them.
#pragma once

#include <string>
#include <string_view>

#include "regex/lead_bytes.h"

namespace quillbox::regex {

struct TCommand {
    enum class TKind { Match, Substitute, Transliterate };
    TKind kind = TKind::Match;
    std::string pattern;      // or the search list of tr
    std::string replacement;  // or the replacement list of tr
    std::string flags;
    char delimiter = '/';     // the closing one, which a backslash may escape
    TLeadBytes lead;          // how the text and the command are to be read

    bool Has(char flag) const { return flags.find(flag) != std::string::npos; }
};

// Throws TRegexError for a malformed command.
TCommand ParseCommand(std::string_view command);

}  // namespace quillbox::regex
