#include "regex/b_reg_exp.h"

#include <cstring>

#include "regex/regex_entry_points.h"

namespace quillbox {
namespace {

const TRegexEntryPoints& Entries()
{
    const TRegexEntryPoints* entries = LoadedRegexEntryPoints();
    if (!entries) throw EBRegExpError("the regular-expression library is not loaded");
    return *entries;
}

template <class F>
F Require(F function, const char* name)
{
    if (!function) throw EBRegExpError(std::string(name) + " is missing from the regular-expression library");
    return function;
}

// The library's message, cut at its first zero byte; a bad library cannot
// make us read past the buffer.
void ThrowIfError(const char (&message)[BREGEXP_MAX_ERROR])
{
    const std::size_t n = strnlen(message, sizeof message);
    if (n > 0) throw EBRegExpError(std::string(message, n));
}

std::string_view Span(const char* start, const char* end)
{
    return (start && end && end >= start) ? std::string_view(start, static_cast<std::size_t>(end - start))
                                          : std::string_view();
}

// An empty text goes to the library as one zero byte.
const char kZero[1] = {'\0'};

struct TTextRange {
    explicit TTextRange(const std::string& text)
        : begin(text.empty() ? kZero : text.data()), end(text.empty() ? kZero + 1 : text.data() + text.size()) {}
    const char* begin;
    const char* end;
};

std::string OutputText(const BREGEXP& record)
{
    const char* out = record.outp;
    const char* outEnd = record.outendp;
    return (outEnd && outEnd >= out) ? std::string(out, outEnd) : std::string(out);
}

}  // namespace

TBRegExp::~TBRegExp()
{
    const TRegexEntryPoints* entries = LoadedRegexEntryPoints();
    if (RegexState && entries && entries->regfree) entries->regfree(RegexState);
}

void TBRegExp::ReleaseIfChanged(const std::string& pattern)
{
    if (!RegexState) return;
    if (RegexState->parap && std::strcmp(RegexState->parap, pattern.c_str()) == 0) return;
    const TRegexEntryPoints* entries = LoadedRegexEntryPoints();
    if (entries && entries->regfree) entries->regfree(RegexState);
    RegexState = nullptr;
}

bool TBRegExp::Match(const std::string& pattern, const std::string& text)
{
    ReleaseIfChanged(pattern);
    ResultKind = TResultKind::None;
    const auto match = Require(Entries().match, "BMatch");
    const TTextRange range(text);
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = match(pattern.c_str(), range.begin, range.end, &RegexState, message);
    ThrowIfError(message);
    if (result == 0 || !RegexState) return false;
    CopyGroups();
    ResultKind = TResultKind::Groups;
    return true;
}

void TBRegExp::CopyGroups()
{
    groups_.clear();
    for (int i = 0; i <= RegexState->nparens; ++i)
        groups_.emplace_back(Span(RegexState->startp[i], RegexState->endp[i]));
}

bool TBRegExp::Subst(const std::string& pattern, std::string& text)
{
    ReleaseIfChanged(pattern);
    ResultKind = TResultKind::None;
    if (text.empty()) return false;
    const auto subst = Require(Entries().subst, "BSubst");
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = subst(pattern.c_str(), text.data(), text.data() + text.size(), &RegexState, message);
    ThrowIfError(message);
    if (result == 0 || !RegexState || !RegexState->outp) return false;
    CopyGroups();  // the groups describe the text as it was
    text = OutputText(*RegexState);
    ResultKind = TResultKind::Groups;
    return true;
}

bool TBRegExp::Trans(const std::string& pattern, std::string& text)
{
    ReleaseIfChanged(pattern);
    ResultKind = TResultKind::None;
    if (text.empty()) text.assign(1, '\0');
    const auto trans = Require(Entries().trans, "BTrans");
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = trans(pattern.c_str(), text.data(), text.data() + text.size(), &RegexState, message);
    ThrowIfError(message);
    if (result == 0 || !RegexState || !RegexState->outp) return false;
    text = OutputText(*RegexState);
    return true;
}

bool TBRegExp::Split(const std::string& pattern, const std::string& text, int limit)
{
    ReleaseIfChanged(pattern);
    ResultKind = TResultKind::None;
    const auto split = Require(Entries().split, "BSplit");
    const TTextRange range(text);
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = split(pattern.c_str(), range.begin, range.end, limit, &RegexState, message);
    ThrowIfError(message);
    pieces_.clear();
    if (RegexState) {
        for (int i = 0; i < RegexState->splitctr; ++i)
            pieces_.push_back(Span(RegexState->splitp[2 * i], RegexState->splitp[2 * i + 1]));
    }
    ResultKind = TResultKind::Pieces;
    // Only a text that was actually cut counts as split.
    return result > 1 && pieces_.size() > 1;
}

std::string_view TBRegExp::Result(int index, const char* noneMessage) const
{
    if (ResultKind == TResultKind::None) throw EBRegExpError(noneMessage);
    const std::size_t count = ResultKind == TResultKind::Groups ? groups_.size() : pieces_.size();
    if (index < 0 || static_cast<std::size_t>(index) >= count) throw EBRegExpError("index out of range");
    return ResultKind == TResultKind::Groups ? std::string_view(groups_[static_cast<std::size_t>(index)])
                                             : pieces_[static_cast<std::size_t>(index)];
}

int TBRegExp::Count() const
{
    if (ResultKind == TResultKind::None) throw EBRegExpError("no count now");
    return static_cast<int>(ResultKind == TResultKind::Groups ? groups_.size() : pieces_.size());
}

std::string TBRegExp::Strings(int index) const { return std::string(Result(index, "no strings now")); }

int TBRegExp::SubLength(int index) const { return static_cast<int>(Result(index, "no strings now").size()); }

// Callers use it straight after a split, whatever came before.
std::string TBRegExp::SplitLeft(int index, int length) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= pieces_.size()) throw EBRegExpError("index out of range");
    return std::string(pieces_[static_cast<std::size_t>(index)].substr(0, length < 0 ? 0 : static_cast<std::size_t>(length)));
}

}  // namespace quillbox
