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

std::string Span(const char* start, const char* end)
{
    return (start && end && end >= start) ? std::string(start, end) : std::string();
}

// An empty text goes to the library as one zero byte.
const char kZero[1] = {'\0'};

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
    const char* begin = text.empty() ? kZero : text.data();
    const char* end = text.empty() ? kZero + 1 : text.data() + text.size();
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = match(pattern.c_str(), begin, end, &RegexState, message);
    ThrowIfError(message);
    if (result == 0 || !RegexState) return false;
    results_.clear();
    for (int i = 0; i <= RegexState->nparens; ++i) results_.push_back(Span(RegexState->startp[i], RegexState->endp[i]));
    ResultKind = TResultKind::Groups;
    return true;
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
    // The groups describe the text as it was, so they are read before it changes.
    results_.clear();
    for (int i = 0; i <= RegexState->nparens; ++i) results_.push_back(Span(RegexState->startp[i], RegexState->endp[i]));
    const char* out = RegexState->outp;
    const char* outEnd = RegexState->outendp;
    text = (outEnd && outEnd >= out) ? std::string(out, outEnd) : std::string(out);
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
    const char* out = RegexState->outp;
    const char* outEnd = RegexState->outendp;
    text = (outEnd && outEnd >= out) ? std::string(out, outEnd) : std::string(out);
    return true;
}

bool TBRegExp::Split(const std::string& pattern, const std::string& text, int limit)
{
    ReleaseIfChanged(pattern);
    ResultKind = TResultKind::None;
    const auto split = Require(Entries().split, "BSplit");
    const char* begin = text.empty() ? kZero : text.data();
    const char* end = text.empty() ? kZero + 1 : text.data() + text.size();
    char message[BREGEXP_MAX_ERROR] = {};
    const int result = split(pattern.c_str(), begin, end, limit, &RegexState, message);
    ThrowIfError(message);
    results_.clear();
    if (RegexState) {
        for (int i = 0; i < RegexState->splitctr; ++i)
            results_.push_back(Span(RegexState->splitp[2 * i], RegexState->splitp[2 * i + 1]));
    }
    ResultKind = TResultKind::Pieces;
    // Only a text that was actually cut counts as split.
    return result > 1 && results_.size() > 1;
}

const std::vector<std::string>& TBRegExp::Results(const char* noneMessage) const
{
    if (ResultKind == TResultKind::None) throw EBRegExpError(noneMessage);
    return results_;
}

const std::string& TBRegExp::At(const std::vector<std::string>& items, int index) const
{
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) throw EBRegExpError("index out of range");
    return items[static_cast<std::size_t>(index)];
}

int TBRegExp::Count() const { return static_cast<int>(Results("no count now").size()); }

std::string TBRegExp::Strings(int index) const { return At(Results("no strings now"), index); }

int TBRegExp::SubLength(int index) const
{
    return static_cast<int>(At(Results("no strings now"), index).size());
}

std::string TBRegExp::SplitLeft(int index, int length) const
{
    const std::string& piece = At(results_, index);
    return piece.substr(0, length < 0 ? 0 : static_cast<std::size_t>(length));
}

}  // namespace quillbox
