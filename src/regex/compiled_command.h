// A command string compiled once and run over texts: what the C entry
// points keep in their record.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "regex/regex_command.h"
#include "regex/regex_matcher.h"
#include "regex/regex_program.h"
#include "regex/replacement.h"
#include "regex/transliteration.h"

namespace quillbox::regex {

// A piece of a split: [first, second) of the text; both kUnset for a group
// that took no part.
using TPiece = std::pair<std::size_t, std::size_t>;

class TCompiledCommand {
public:
    // Throws TRegexError for a malformed command.
    explicit TCompiledCommand(std::string_view command);

    TCommand::TKind Kind() const { return command_.Kind; }
    bool Global() const { return command_.Has('g'); }
    int Groups() const { return program_.Groups; }

    // Each call may do the work its budget allows, by default
    // TMatchBudget::ForText of its text.

    // The first match starting at or after from; when mustAdvance, a match
    // may not be empty at from (Perl's rule after an empty match).
    bool Match(std::string_view text, std::size_t from, bool mustAdvance, TMatchGroups& groups,
               TMatchBudget* budget = nullptr) const;
    // Returns the number of substitutions; out is the new text, last the
    // groups of the last match.
    std::size_t Substitute(std::string_view text, std::string& out, TMatchGroups& last,
                           TMatchBudget* budget = nullptr) const;
    std::size_t Transliterate(std::string_view text, std::string& out) const;
    std::vector<TPiece> Split(std::string_view text, int limit, TMatchBudget* budget = nullptr) const;

private:
    TCommand command_;
    TProgram program_;
    // split treats a pattern of just "^" as "^" with the m flag, as Perl does.
    std::optional<TProgram> lineStartProgram_;
    std::optional<TReplacement> replacement_;
    std::optional<TTransliteration> transliteration_;
};

}  // namespace quillbox::regex
