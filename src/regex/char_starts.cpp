#include "regex/char_starts.h"

namespace quillbox::regex {
namespace {

// Runs up to this long are read again at each question; longer ones once.
constexpr std::size_t kShortRun = 16;

}  // namespace

TCharStarts::TCharStarts(const TLeadBytes& lead, std::string_view text, TMatchBudget& budget)
    : lead_(lead), text_(text), budget_(budget)
{
}

std::size_t TCharStarts::Previous(std::size_t floor, std::size_t pos)
{
    if (!lead_.DoubleByte() || pos - floor < 2 || !IsLead(pos - 2)) return pos - 1;
    return LeadStartsChar(floor, pos - 2) ? pos - 2 : pos - 1;
}

bool TCharStarts::IsStart(std::size_t floor, std::size_t pos)
{
    // The end of the text ends a character even after a lone lead byte.
    if (!lead_.DoubleByte() || pos == floor || pos == text_.size() || !IsLead(pos - 1)) return true;
    return !LeadStartsChar(floor, pos - 1);
}

// A byte outside the lead range always ends a character, so the characters
// of a run of lead bytes pair up from its first byte (or from floor, a
// character start inside it).
bool TCharStarts::LeadStartsChar(std::size_t floor, std::size_t index)
{
    if (lastRun_ != runs_.end() && lastRun_->first <= index && index < lastRun_->second)
        return (index - lastRun_->first) % 2 == 0;
    std::size_t first = index;
    while (first > floor && index - first < kShortRun && IsLead(first - 1)) --first;
    if (first == floor || !IsLead(first - 1)) return (index - first) % 2 == 0;

    // A long run: the one remembered below index, if it reaches that far.
    auto run = runs_.upper_bound(index);
    const bool below = run != runs_.begin();
    if (below) {
        --run;
        if (index < run->second) {
            lastRun_ = run;
            return (index - run->first) % 2 == 0;
        }
    }
    // Read back to the run's first byte, floor, or the end of the remembered
    // run below, which then grows to take this one in.
    const bool joins = below && run->second >= floor;
    const std::size_t stop = joins ? run->second : floor;
    first = index;
    while (first > stop && IsLead(first - 1)) --first;
    budget_.Spend(index - first);
    if (joins && first == stop) {
        run->second = index + 1;
        lastRun_ = run;
    } else {
        lastRun_ = runs_.emplace(first, index + 1).first;
    }
    return (index - lastRun_->first) % 2 == 0;
}

}  // namespace quillbox::regex
