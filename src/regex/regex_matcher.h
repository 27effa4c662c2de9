// The backtracking matcher. Its own stack holds the alternatives still to
// try, so the depth of the machine's stack never depends on the text.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "regex/char_starts.h"
#include "regex/lead_bytes.h"
#include "regex/match_budget.h"
#include "regex/regex_program.h"

namespace quillbox::regex {

inline constexpr std::size_t kUnset = static_cast<std::size_t>(-1);

// Group i spans [starts[i], ends[i]); kUnset when the group took no part.
struct TMatchGroups {
    std::vector<std::size_t> Starts, Ends;
};

class TMatcher {
public:
    TMatcher(const TProgram& program, const TLeadBytes& lead, std::string_view text, TMatchBudget& budget);

    // The leftmost match that starts at or after from and ends at or after
    // minEnd (from and minEnd are character starts).
    bool Search(std::size_t from, std::size_t minEnd, TMatchGroups& groups);

private:
    struct TFrame {
        enum TKind : unsigned { Branch, Restore, GreedyRepeat, LazyRepeat };
        unsigned Kind;
        int Index;         // Branch: instruction; Restore: slot; repeats: instruction
        std::size_t Pos;   // Branch: position; Restore: old value; repeats: current end
        std::size_t Extra; // GreedyRepeat: end of the mandatory part; LazyRepeat: count
    };

    bool Run(std::size_t start, std::size_t minEnd);
    std::size_t MatchItem(const TCharItem& item, std::size_t pos) const;
    bool MatchLiteral(const TLiteral& literal, std::size_t pos) const;
    bool MatchBackReference(const TInstruction& in, std::size_t& pos) const;
    std::size_t RepeatRunEnd(const TInstruction& repeat, std::size_t pos) const;
    bool CheckAssertion(TAssertion assertion, std::size_t pos);
    bool IsWordBefore(std::size_t pos);
    bool IsWordAt(std::size_t pos) const;
    bool NextFits(const TInstruction& in, std::size_t pos) const;
    void SetCapture(const TInstruction& in, std::size_t start, std::size_t end);
    void Push(const TFrame& frame);

    const TProgram& program_;
    const TLeadBytes& lead_;
    const char* text_;
    std::size_t length_;
    TMatchBudget& budget_;
    TCharStarts chars_;
    std::vector<std::size_t> slots_;
    std::vector<TFrame> stack_;
};

}  // namespace quillbox::regex
