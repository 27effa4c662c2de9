// The pattern service: Perl-style command strings (m/.../flags,
// s/.../.../flags, tr/.../.../flags) run through the loaded library.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

struct bregexp;

namespace quillbox {

class EBRegExpError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TBRegExp {
public:
    TBRegExp() = default;
    ~TBRegExp();
    TBRegExp(const TBRegExp&) = delete;
    TBRegExp& operator=(const TBRegExp&) = delete;

    // Every operation first forgets the results of the one before, whether
    // or not it succeeds: results are readable only from the operation that
    // made them, so pieces are never read through a later operation, which
    // may come when their text is gone.

    // True on a match; the groups become readable (as copies). Each call
    // searches its text from the start: a g flag carries no position from
    // one call to the next, since a fresh text may sit where the last one was.
    bool Match(const std::string& pattern, const std::string& text);
    // True when something was replaced; text then holds the result and the
    // groups describe the (last) match in the text as it was before.
    bool Subst(const std::string& pattern, std::string& text);
    // True when the search list matched at least one character; text then
    // holds the result.
    bool Trans(const std::string& pattern, std::string& text);
    // True only when the text was cut (more than one piece); the pieces are
    // readable in either case. They refer to the caller's text, which must
    // stay unchanged while they are read; hence no temporary text. (A copy
    // would keep them safe at the price of copying every mail source.)
    bool Split(const std::string& pattern, const std::string& text, int limit);
    bool Split(const std::string& pattern, const std::string&& text, int limit) = delete;

    int Count() const;
    std::string Strings(int index) const;
    int SubLength(int index) const;
    std::string SplitLeft(int index, int length) const;

private:
    enum class TResultKind { None, Groups, Pieces };

    // Where a text was handed to the library.
    struct TTextSpan {
        const char* Begin = nullptr;
        const char* End = nullptr;
        bool operator==(const TTextSpan& other) const { return Begin == other.Begin && End == other.End; }
    };

    void ReleaseIfChanged(const std::string& pattern);
    void ReleaseState();
    void ForgetResults();
    void CopyGroups(const TTextSpan& text);
    std::string_view Result(int index, const char* noneMessage) const;

    TResultKind ResultKind = TResultKind::None;
    bregexp* RegexState = nullptr;
    // The text of the last successful match through RegexState: the library
    // would go on from that match if the same span came again.
    TTextSpan lastMatch_;

    // Groups of the last match or substitution, copied; pieces of the last
    // split, in the caller's text.
    std::vector<std::string> groups_;
    std::vector<std::string_view> pieces_;
};

// The instance most callers share; created on first use, destroyed by
// UnloadRegexLibrary.
TBRegExp& SharedRegExp();

}  // namespace quillbox
