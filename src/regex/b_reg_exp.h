// The pattern service: Perl-style command strings (m/.../flags,
// s/.../.../flags, tr/.../.../flags) run through the loaded library.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
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

    // True on a match; the groups become readable.
    bool Match(const std::string& pattern, const std::string& text);
    // True when something was replaced; text then holds the result and the
    // groups describe the (last) match in the text as it was before.
    bool Subst(const std::string& pattern, std::string& text);
    // True when the search list matched at least one character; text then
    // holds the result.
    bool Trans(const std::string& pattern, std::string& text);
    // True only when the text was cut (more than one piece); the pieces are
    // readable in either case.
    bool Split(const std::string& pattern, const std::string& text, int limit);

    int Count() const;
    std::string Strings(int index) const;
    int SubLength(int index) const;
    std::string SplitLeft(int index, int length) const;

private:
    enum class TResultKind { None, Groups, Pieces };

    void ReleaseIfChanged(const std::string& pattern);
    const std::vector<std::string>& Results(const char* noneMessage) const;
    const std::string& At(const std::vector<std::string>& items, int index) const;

    TResultKind ResultKind = TResultKind::None;
    bregexp* RegexState = nullptr;
    // Copies of the groups or pieces of the last operation, so that they stay
    // valid whatever the caller does with its text.
    std::vector<std::string> results_;
};

// The instance most callers share; created on first use, destroyed by
// UnloadRegexLibrary.
TBRegExp& SharedRegExp();

}  // namespace quillbox
