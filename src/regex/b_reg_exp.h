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

    // True on a match; the groups become readable. Groups and pieces refer
    // to the caller's text: read them before that text changes or goes.
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
    const std::vector<std::string_view>& Results(const char* noneMessage) const;
    std::string_view At(const std::vector<std::string_view>& items, int index) const;

    TResultKind ResultKind = TResultKind::None;
    bregexp* RegexState = nullptr;
    void KeepGroups(const std::string& text);

    // Groups or pieces of the last operation, in the caller's text (Match,
    // Split) or in substSource_, the text as it was before a substitution.
    std::vector<std::string_view> results_;
    std::string substSource_;
};

// The instance most callers share; created on first use, destroyed by
// UnloadRegexLibrary.
TBRegExp& SharedRegExp();

}  // namespace quillbox
