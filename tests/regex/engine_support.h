// Runs commands through the engine the way the C entry points do, and
// shows the results as plain strings.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "regex/compiled_command.h"
#include "regex/regex_error.h"
#include "text/code_page.h"

namespace quillbox::regex::testing {

// Groups as "whole|1|2", an unset group as "<unset>"; "<no match>" otherwise.
inline std::string Groups(const std::string& command, const std::string& text)
{
    const TCompiledCommand compiled(command);
    TMatchGroups groups;
    if (!compiled.Match(text, 0, false, groups)) return "<no match>";
    std::string shown;
    for (std::size_t g = 0; g < groups.Starts.size(); ++g) {
        if (g > 0) shown += "|";
        shown += groups.Starts[g] == kUnset ? "<unset>" : text.substr(groups.Starts[g], groups.Ends[g] - groups.Starts[g]);
    }
    return shown;
}

inline std::string Substituted(const std::string& command, const std::string& text, std::size_t* count = nullptr)
{
    const TCompiledCommand compiled(command);
    std::string out;
    TMatchGroups last;
    const std::size_t n = compiled.Substitute(text, out, last);
    if (count) *count = n;
    return out;
}

inline std::vector<std::string> Pieces(const std::string& command, const std::string& text, int limit = 0)
{
    const TCompiledCommand compiled(command);
    std::vector<std::string> pieces;
    for (const auto& [first, last] : compiled.Split(text, limit))
        pieces.push_back(first == kUnset ? "<unset>" : text.substr(first, last - first));
    return pieces;
}

inline std::string Transliterated(const std::string& command, const std::string& text, std::size_t* count = nullptr)
{
    const TCompiledCommand compiled(command);
    std::string out;
    const std::size_t n = compiled.Transliterate(text, out);
    if (count) *count = n;
    return out;
}

// Budget steps a match spends, or for s/// the whole substitution.
inline std::uint64_t StepsOf(const std::string& command, const std::string& text)
{
    const TCompiledCommand compiled(command);
    TMatchBudget budget(std::uint64_t{1} << 40);
    TMatchGroups groups;
    std::string out;
    if (compiled.Kind() == TCommand::TKind::Substitute) {
        compiled.Substitute(text, out, groups, &budget);
    } else {
        compiled.Match(text, 0, false, groups, &budget);
    }
    return budget.Spent();
}

inline std::string ErrorOf(const std::string& command, const std::string& text = "text")
{
    try {
        Groups(command, text);
    } catch (const TRegexError& e) {
        return e.what();
    }
    return "<no error>";
}

// Sets the process's code page for one test and puts it back.
class TCodePageScope {
public:
    explicit TCodePageScope(unsigned id) : saved_(TCodePage::Active().Id()) { TCodePage::SetActiveForProcess(id); }
    ~TCodePageScope() { TCodePage::SetActiveForProcess(saved_); }

private:
    unsigned saved_;
};

}  // namespace quillbox::regex::testing
