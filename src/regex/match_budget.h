// How much work one library call may do before it gives up with "pattern
// too complex": catastrophic backtracking must not hang the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "regex/regex_error.h"

namespace quillbox::regex {

class TMatchBudget {
public:
    // Enough for linear work over the text many times over.
    static TMatchBudget ForText(std::size_t length)
    {
        return TMatchBudget(50'000'000ULL + 16ULL * length);
    }

    explicit TMatchBudget(std::uint64_t steps) : left_(steps) {}

    void Spend(std::uint64_t steps)
    {
        if (steps > left_) throw TRegexError("pattern too complex");
        left_ -= steps;
    }

private:
    std::uint64_t left_;
};

}  // namespace quillbox::regex
