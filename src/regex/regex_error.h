// Errors of the engine: a bad command, or a match that ran out of budget.
#pragma once

#include <stdexcept>

namespace quillbox::regex {

class TRegexError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace quillbox::regex
