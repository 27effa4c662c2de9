// Finds the bytes every match must start with; the search loop only tries
// the places this finds.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "regex/regex_program.h"

namespace quillbox::regex {

class TLiteralFinder {
public:
    explicit TLiteralFinder(const TLiteral& literal);

    // Position of the first occurrence at or after from, or npos.
    std::size_t Find(std::string_view text, std::size_t from) const;

private:
    std::size_t FindFolded(std::string_view text, std::size_t from) const;

    const TLiteral& literal_;
    bool folds_ = false;
    std::string folded_;                   // the literal with folding letters in lower case
    std::array<std::size_t, 256> shift_{}; // Horspool shifts over lower-cased bytes
};

}  // namespace quillbox::regex
