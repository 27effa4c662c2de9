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
std::string_view ErrorText(const char (&message)[BREGEXP_MAX_ERROR])
{
    return std::string_view(message, strnlen(message, sizeof message));
}

// An empty text goes to the library as one zero byte.
const char kZero[1] = {'\0'};

const char* TextBegin(const std::string& text) { return text.empty() ? kZero : text.data(); }
const char* TextEnd(const std::string& text) { return text.empty() ? kZero + 1 : text.data() + text.size(); }

// A group or piece as the library reported it: both ends null for one that
// took no part, else a range inside the text the call was given. Anything
// else would have us read memory that is not the text.
std::string_view Within(const char* start, const char* end, const char* textBegin, const char* textEnd)
{
    if (!start && !end) return {};
    if (!start || !end || start > end || start < textBegin || end > textEnd)
        throw EBRegExpError("the regular-expression library gave a result outside the text");
    return std::string_view(start, static_cast<std::size_t>(end - start));
}

std::string OutputText(const BREGEXP& record)
{
    const char* out = record.outp;
    const char* outEnd = record.outendp;
    return (outEnd && outEnd >= out) ? std::string(out, outEnd) : std::string(out);
}

}  // namespace

TBRegExp::~TBRegExp() { ReleaseState(); }

void TBRegExp::ReleaseState()
{
    const TRegexEntryPoints* entries = LoadedRegexEntryPoints();
    if (RegexState && entries && entries->Regfree) entries->Regfree(RegexState);
    RegexState = nullptr;
    lastMatch_ = {};
}

void TBRegExp::ReleaseIfChanged(const std::string& pattern)
{
    if (!RegexState) return;
    if (RegexState->parap && std::strcmp(RegexState->parap, pattern.c_str()) == 0) return;
    ReleaseState();
}

void TBRegExp::ForgetResults()
{
    ResultKind = TResultKind::None;
    groups_.clear();
    pieces_.clear();
}

bool TBRegExp::Match(const std::string& pattern, const std::string& text)
{
    ReleaseIfChanged(pattern);
    ForgetResults();
    const auto match = Require(Entries().Match, "BMatch");
    const TTextSpan span{TextBegin(text), TextEnd(text)};
    if (span == lastMatch_) ReleaseState();  // start over, not after the last match
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = match(pattern.c_str(), span.Begin, span.End, &RegexState, message);
    lastMatch_ = {};
    if (const std::string_view error = ErrorText(message); !error.empty()) throw EBRegExpError(std::string(error));
    if (result == 0 || !RegexState) return false;
    CopyGroups(span);
    lastMatch_ = span;
    ResultKind = TResultKind::Groups;
    return true;
}

void TBRegExp::CopyGroups(const TTextSpan& text)
{
    const int count = RegexState->nparens < 0 ? 1 : RegexState->nparens + 1;
    if (!RegexState->startp || !RegexState->endp) throw EBRegExpError("the regular-expression library gave no groups");
    std::vector<std::string> groups;
    for (int i = 0; i < count; ++i)
        groups.emplace_back(Within(RegexState->startp[i], RegexState->endp[i], text.Begin, text.End));
    groups_ = std::move(groups);
}

bool TBRegExp::Subst(const std::string& pattern, std::string& text)
{
    ReleaseIfChanged(pattern);
    ForgetResults();
    if (text.empty()) return false;
    const auto subst = Require(Entries().Subst, "BSubst");
    const TTextSpan span{text.data(), text.data() + text.size()};
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = subst(pattern.c_str(), span.Begin, span.End, &RegexState, message);
    if (const std::string_view error = ErrorText(message); !error.empty()) throw EBRegExpError(std::string(error));
    if (result == 0 || !RegexState || !RegexState->outp) return false;
    CopyGroups(span);  // the groups describe the text as it was
    text = OutputText(*RegexState);
    ResultKind = TResultKind::Groups;
    return true;
}

bool TBRegExp::Trans(const std::string& pattern, std::string& text)
{
    ReleaseIfChanged(pattern);
    ForgetResults();
    if (text.empty()) text.assign(1, '\0');
    const auto trans = Require(Entries().Trans, "BTrans");
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = trans(pattern.c_str(), text.data(), text.data() + text.size(), &RegexState, message);
    if (const std::string_view error = ErrorText(message); !error.empty()) throw EBRegExpError(std::string(error));
    if (result == 0 || !RegexState || !RegexState->outp) return false;
    text = OutputText(*RegexState);
    return true;
}

bool TBRegExp::Split(const std::string& pattern, const std::string& text, int limit)
{
    ReleaseIfChanged(pattern);
    ForgetResults();
    const auto split = Require(Entries().Split, "BSplit");
    const TTextSpan span{TextBegin(text), TextEnd(text)};
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = split(pattern.c_str(), span.Begin, span.End, limit, &RegexState, message);
    if (const std::string_view error = ErrorText(message); !error.empty()) throw EBRegExpError(std::string(error));
    std::vector<std::string_view> pieces;
    if (RegexState && RegexState->splitctr > 0) {
        if (!RegexState->splitp) throw EBRegExpError("the regular-expression library gave no pieces");
        for (int i = 0; i < RegexState->splitctr; ++i)
            pieces.push_back(Within(RegexState->splitp[2 * i], RegexState->splitp[2 * i + 1], span.Begin, span.End));
    }
    pieces_ = std::move(pieces);
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
