// How much work one library call may do before it gives up with "pattern
// too complex": catastrophic backtracking must not hang the caller.
#pragma once

#include <cstddef>
#include <cstdint>

#include "regex/regex_error.h"
#include "regex/regex_limits.h"

// Steps any call may take, whatever its text; the fuzz build lowers it, its
// instrumented code being many times slower.
#ifndef QBX_REGEX_BASE_BUDGET
#define QBX_REGEX_BASE_BUDGET quillbox::regex::kStepsPerCall
#endif

namespace quillbox::regex {

class TMatchBudget {
public:
    // Enough for linear work over the text many times over.
    static TMatchBudget ForText(std::size_t length)
    {
        return TMatchBudget(QBX_REGEX_BASE_BUDGET + kStepsPerByte * length);
    }

    explicit TMatchBudget(std::uint64_t steps) : left_(steps) {}

    void Spend(std::uint64_t steps)
    {
        if (steps > left_) throw TRegexError("pattern too complex");
        left_ -= steps;
        spent_ += steps;
    }

    std::uint64_t Spent() const { return spent_; }

private:
    std::uint64_t left_;
    std::uint64_t spent_ = 0;
};

}  // namespace quillbox::regex
