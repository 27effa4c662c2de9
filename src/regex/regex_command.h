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
    TKind Kind = TKind::Match;
    std::string Pattern;      // or the search list of tr
    std::string Replacement;  // or the replacement list of tr
    std::string Flags;
    char Delimiter = '/';     // the closing one, which a backslash may escape
    TLeadBytes Lead;          // how the text and the command are to be read

    bool Has(char flag) const { return Flags.find(flag) != std::string::npos; }
};

// Throws TRegexError for a malformed command.
TCommand ParseCommand(std::string_view command);

}  // namespace quillbox::regex
