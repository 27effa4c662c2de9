// tr/search/replacement/flags as Perl runs it, character by character, with
// double-byte characters whole. Flags: c (complement the search list),
// d (delete found characters without a counterpart), s (squeeze runs).
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "regex/regex_command.h"

namespace quillbox::regex {

class TTransliteration {
public:
    explicit TTransliteration(const TCommand& command);

    // Returns the number of characters the search list matched.
    std::size_t Apply(std::string_view text, std::string& out) const;

private:
    static constexpr int kNotFound = -1;
    static constexpr int kDelete = -2;

    int Lookup(unsigned code) const;

    TLeadBytes lead_;
    std::vector<unsigned> search_, replacement_;
    std::unordered_map<unsigned, int> map_;  // code -> new code, or kDelete
    bool complement_ = false, remove_ = false, squeeze_ = false;
};

}  // namespace quillbox::regex
