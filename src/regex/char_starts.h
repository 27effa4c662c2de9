// Where the characters of one text start, for stepping backwards. Under a
// double-byte code page only a run of bytes in the lead-byte range is
// ambiguous: its characters pair up from the run's first byte. Short runs are
// read where they stand; a long run is read once and remembered, so stepping
// back one character costs O(1) amortised however long the run, and every
// byte read is charged to the budget.
#pragma once

#include <cstddef>
#include <map>
#include <string_view>

#include "regex/lead_bytes.h"
#include "regex/match_budget.h"

namespace quillbox::regex {

class TCharStarts {
public:
    TCharStarts(const TLeadBytes& lead, std::string_view text, TMatchBudget& budget);
    TCharStarts(const TCharStarts&) = delete;
    TCharStarts& operator=(const TCharStarts&) = delete;

    // Start of the character that ends at pos; floor is a character start
    // below pos, and pos is a character start.
    std::size_t Previous(std::size_t floor, std::size_t pos);

    // Whether pos starts a character; floor is a character start at or below pos.
    bool IsStart(std::size_t floor, std::size_t pos);

private:
    // Whether the lead byte at index starts a character.
    bool LeadStartsChar(std::size_t floor, std::size_t index);
    bool IsLead(std::size_t index) const { return lead_.IsLead(static_cast<unsigned char>(text_[index])); }

    const TLeadBytes& lead_;
    std::string_view text_;
    TMatchBudget& budget_;
    // Long runs read so far, disjoint: first byte -> one past the last byte
    // read. The first byte of each is a character start.
    std::map<std::size_t, std::size_t> runs_;
    // The run that answered last: stepping back asks about it again and again.
    std::map<std::size_t, std::size_t>::iterator lastRun_ = runs_.end();
};

}  // namespace quillbox::regex
