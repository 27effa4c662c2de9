#include "regex/compiled_command.h"

#include "regex/pattern_parser.h"

namespace quillbox::regex {
namespace {

TPatternFlags FlagsOf(const TCommand& command)
{
    TPatternFlags flags;
    flags.IgnoreCase = command.Has('i');
    flags.MultiLine = command.Has('m');
    flags.SingleLine = command.Has('s');
    flags.Extended = command.Has('x');
    return flags;
}

// The caller's budget, or one of the usual size for the text.
class TBudgetFor {
public:
    TBudgetFor(TMatchBudget* given, std::string_view text)
        : own_(TMatchBudget::ForText(text.size())), budget_(given ? *given : own_) {}
    operator TMatchBudget&() { return budget_; }

private:
    TMatchBudget own_;
    TMatchBudget& budget_;
};

}  // namespace

TCompiledCommand::TCompiledCommand(std::string_view text) : command_(ParseCommand(text))
{
    if (command_.Kind == TCommand::TKind::Transliterate) {
        transliteration_.emplace(command_);
        return;
    }
    const TPatternFlags flags = FlagsOf(command_);
    program_ = CompileProgram(ParsePattern(command_.Pattern, flags, command_.Lead));
    if (command_.Kind == TCommand::TKind::Match && command_.Pattern == "^" && !flags.MultiLine) {
        TPatternFlags lines = flags;
        lines.MultiLine = true;
        lineStartProgram_ = CompileProgram(ParsePattern(command_.Pattern, lines, command_.Lead));
    }
    if (command_.Kind == TCommand::TKind::Substitute) replacement_.emplace(command_.Replacement, command_.Lead);
}

bool TCompiledCommand::Match(std::string_view text, std::size_t from, bool mustAdvance, TMatchGroups& groups,
                             TMatchBudget* given) const
{
    TBudgetFor budget(given, text);
    TMatcher matcher(program_, command_.Lead, text, budget);
    return matcher.Search(from, mustAdvance ? from + 1 : from, groups);
}

std::size_t TCompiledCommand::Substitute(std::string_view text, std::string& out, TMatchGroups& last,
                                         TMatchBudget* given) const
{
    TBudgetFor budget(given, text);
    TMatcher matcher(program_, command_.Lead, text, budget);
    out.clear();
    std::size_t count = 0, copied = 0, from = 0;
    bool mustAdvance = false;
    TMatchGroups groups;
    while (from <= text.size() && matcher.Search(from, mustAdvance ? from + 1 : from, groups)) {
        out.append(text.substr(copied, groups.Starts[0] - copied));
        replacement_->AppendTo(out, text, groups);
        copied = groups.Ends[0];
        ++count;
        last = groups;
        if (!Global()) break;
        from = groups.Ends[0];
        mustAdvance = groups.Starts[0] == groups.Ends[0];
    }
    out.append(text.substr(copied));
    return count;
}

std::size_t TCompiledCommand::Transliterate(std::string_view text, std::string& out) const
{
    return transliteration_->Apply(text, out);
}

// Perl's split: each match must end beyond the start of the piece it closes
// (so no empty match at a piece start), at most limit - 1 cuts, groups add
// pieces; then trailing empty pieces go.
std::vector<TPiece> TCompiledCommand::Split(std::string_view text, int limit, TMatchBudget* given) const
{
    std::vector<TPiece> pieces;
    if (text.empty()) return pieces;
    TBudgetFor budget(given, text);
    TMatcher matcher(lineStartProgram_ ? *lineStartProgram_ : program_, command_.Lead, text, budget);
    TMatchGroups groups;
    std::size_t start = 0;
    long long cutsLeft = limit > 0 ? limit - 1 : -1;
    while (start < text.size() && cutsLeft != 0 && matcher.Search(start, start + 1, groups)) {
        pieces.emplace_back(start, groups.Starts[0]);
        for (std::size_t g = 1; g < groups.Starts.size(); ++g) pieces.emplace_back(groups.Starts[g], groups.Ends[g]);
        start = groups.Ends[0];
        if (cutsLeft > 0) --cutsLeft;
    }
    pieces.emplace_back(start, text.size());
    while (!pieces.empty() && (pieces.back().first == kUnset || pieces.back().first == pieces.back().second))
        pieces.pop_back();
    return pieces;
}

}  // namespace quillbox::regex
