#include "regex/regex_matcher.h"

#include <cstring>

#include "regex/literal_finder.h"
#include "regex/regex_limits.h"
#include "text/ascii.h"

namespace quillbox::regex {

TMatcher::TMatcher(const TProgram& program, const TLeadBytes& lead, std::string_view text, TMatchBudget& budget)
    : program_(program), lead_(lead), text_(text.data()), length_(text.size()), budget_(budget),
      chars_(lead, text, budget), slots_(static_cast<std::size_t>(program.Slots), kUnset)
{
}

std::size_t TMatcher::MatchItem(const TCharItem& item, std::size_t pos) const
{
    if (pos >= length_) return 0;
    const unsigned char b = static_cast<unsigned char>(text_[pos]);
    const std::size_t n = lead_.CharLength(text_, pos, length_);
    switch (item.Kind) {
    case TCharItem::TKind::AnyButNewline: return (n == 1 && b == '\n') ? 0 : n;
    case TCharItem::TKind::Any: return n;
    case TCharItem::TKind::Class: {
        const unsigned code = n == 2 ? (b << 8 | static_cast<unsigned char>(text_[pos + 1])) : b;
        return program_.Classes[item.ClassIndex].Contains(code) ? n : 0;
    }
    case TCharItem::TKind::Literal:
        if (n != item.Length) return 0;
        if (n == 2) return (b == item.Bytes[0] && static_cast<unsigned char>(text_[pos + 1]) == item.Bytes[1]) ? 2 : 0;
        return (b == item.Bytes[0] || (item.FoldCase && AsciiLower(b) == AsciiLower(item.Bytes[0]))) ? 1 : 0;
    }
    return 0;
}

bool TMatcher::MatchLiteral(const TLiteral& literal, std::size_t pos) const
{
    const std::size_t n = literal.Bytes.size();
    if (length_ - pos < n) return false;
    const char* t = text_ + pos;
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char tb = static_cast<unsigned char>(t[i]);
        const unsigned char pb = static_cast<unsigned char>(literal.Bytes[i]);
        if (tb != pb && !(literal.Folds[i] && AsciiLower(tb) == AsciiLower(pb))) return false;
    }
    return true;
}

// A character of the group against the text: folding touches one-byte
// ASCII letters only, never half of a double-byte character.
bool TMatcher::MatchBackReference(const TInstruction& in, std::size_t& pos) const
{
    const std::size_t start = slots_[2 * in.A], end = slots_[2 * in.A + 1];
    if (start == kUnset || end == kUnset) return false;
    const std::size_t n = end - start;
    if (length_ - pos < n) return false;
    budget_.Spend(n);
    if (!in.FoldCase) {
        if (std::memcmp(text_ + start, text_ + pos, n) != 0) return false;
        pos += n;
        return true;
    }
    for (std::size_t i = 0; i < n;) {
        const std::size_t len = lead_.CharLength(text_, start + i, end);
        const unsigned char g = static_cast<unsigned char>(text_[start + i]);
        const unsigned char t = static_cast<unsigned char>(text_[pos + i]);
        if (len == 2) {
            if (g != t || text_[start + i + 1] != text_[pos + i + 1]) return false;
        } else if (AsciiLower(g) != AsciiLower(t)) {
            return false;
        }
        i += len;
    }
    pos += n;
    return true;
}

// Where the repeated character stops matching, from pos on.
std::size_t TMatcher::RepeatRunEnd(const TInstruction& repeat, std::size_t pos) const
{
    const TCharItem& item = program_.Items[repeat.A];
    const std::size_t start = pos;
    for (std::size_t n; (n = MatchItem(item, pos)) > 0;) pos += n;
    budget_.Spend(pos - start);
    return pos;
}

bool TMatcher::IsWordAt(std::size_t pos) const
{
    return pos < length_ && IsAsciiWordChar(text_[pos]);
}

bool TMatcher::IsWordBefore(std::size_t pos)
{
    if (pos == 0 || !IsAsciiWordChar(text_[pos - 1])) return false;
    // An ASCII letter may be the trail byte of a double-byte character.
    return chars_.Previous(0, pos) == pos - 1;
}

bool TMatcher::CheckAssertion(TAssertion assertion, std::size_t pos)
{
    switch (assertion) {
    case TAssertion::LineStart:
    case TAssertion::TextStart: return pos == 0;
    case TAssertion::MultiLineStart: return pos == 0 || (pos < length_ && text_[pos - 1] == '\n');
    case TAssertion::LineEnd:
    case TAssertion::TextEndOrNewline: return pos == length_ || (pos + 1 == length_ && text_[pos] == '\n');
    case TAssertion::MultiLineEnd: return pos == length_ || text_[pos] == '\n';
    case TAssertion::TextEnd: return pos == length_;
    case TAssertion::WordBoundary: return IsWordBefore(pos) != IsWordAt(pos);
    case TAssertion::NotWordBoundary: return IsWordBefore(pos) == IsWordAt(pos);
    }
    return false;
}

bool TMatcher::NextFits(const TInstruction& in, std::size_t pos) const
{
    if (in.Next < 0) return true;
    if (pos >= length_) return false;
    const unsigned char b = static_cast<unsigned char>(text_[pos]);
    return b == in.Next || (in.NextFolds && AsciiLower(b) == AsciiLower(static_cast<unsigned char>(in.Next)));
}

void TMatcher::SetCapture(const TInstruction& in, std::size_t start, std::size_t end)
{
    slots_[2 * in.Capture] = start;
    slots_[2 * in.Capture + 1] = end;
}

void TMatcher::Push(const TFrame& frame)
{
    if (stack_.size() >= kMaxBacktrackFrames) throw TRegexError("pattern too complex");
    stack_.push_back(frame);
}

bool TMatcher::Run(std::size_t start, std::size_t minEnd)
{
    std::fill(slots_.begin(), slots_.end(), kUnset);
    stack_.clear();
    std::size_t pc = 0, pos = start;
    const std::vector<TInstruction>& code = program_.Code;
    std::uint64_t steps = 0;
    for (;;) {
        if (++steps >= 1024) {
            budget_.Spend(steps);
            steps = 0;
        }
        const TInstruction& in = code[pc];
        bool ok = true;
        switch (in.Op) {
        case TOp::Literal:
            ok = MatchLiteral(program_.Literals[in.A], pos);
            if (ok) {
                pos += program_.Literals[in.A].Bytes.size();
                ++pc;
            }
            break;
        case TOp::One: {
            const std::size_t n = MatchItem(program_.Items[in.A], pos);
            ok = n > 0;
            pos += n;
            ++pc;
            break;
        }
        case TOp::Repeat: {
            const TCharItem& item = program_.Items[in.A];
            if (in.Capture > 0) {
                Push({TFrame::Restore, 2 * in.Capture, slots_[2 * in.Capture], 0});
                Push({TFrame::Restore, 2 * in.Capture + 1, slots_[2 * in.Capture + 1], 0});
            }
            const std::size_t max = in.Max < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(in.Max);
            std::size_t count = 0, p = pos, last = pos;
            for (; count < static_cast<std::size_t>(in.Min); ++count) {
                const std::size_t n = MatchItem(item, p);
                if (n == 0) break;
                last = p;
                p += n;
            }
            if (count < static_cast<std::size_t>(in.Min)) {
                ok = false;
                break;
            }
            const std::size_t mandatoryEnd = p;
            if (in.Greedy) {
                for (; count < max; ++count) {
                    const std::size_t n = MatchItem(item, p);
                    if (n == 0) break;
                    last = p;
                    p += n;
                }
                budget_.Spend(count);
                if (in.Next >= 0) {
                    while (p > mandatoryEnd && !NextFits(in, p)) p = chars_.Previous(mandatoryEnd, p);
                    budget_.Spend(count);
                    if (!NextFits(in, p)) {
                        ok = false;
                        break;
                    }
                    last = p > pos ? chars_.Previous(pos, p) : pos;
                }
                if (p > mandatoryEnd) Push({TFrame::GreedyRepeat, static_cast<int>(pc), p, mandatoryEnd});
            } else {
                budget_.Spend(count);
                if (count < max) Push({TFrame::LazyRepeat, static_cast<int>(pc), p, count});
            }
            // A group repeated zero times is forgotten.
            if (in.Capture > 0) SetCapture(in, p > pos ? last : kUnset, p > pos ? p : kUnset);
            pos = p;
            ++pc;
            break;
        }
        case TOp::Split:
            Push({TFrame::Branch, in.B, pos, 0});
            pc = static_cast<std::size_t>(in.A);
            break;
        case TOp::Jump: pc = static_cast<std::size_t>(in.A); break;
        case TOp::Save:
        case TOp::LoopMark:
            Push({TFrame::Restore, in.A, slots_[in.A], 0});
            slots_[in.A] = pos;
            ++pc;
            break;
        case TOp::Close:
            Push({TFrame::Restore, 2 * in.A, slots_[2 * in.A], 0});
            Push({TFrame::Restore, 2 * in.A + 1, slots_[2 * in.A + 1], 0});
            slots_[2 * in.A] = slots_[in.B];
            slots_[2 * in.A + 1] = pos;
            ++pc;
            break;
        case TOp::Unset:
            Push({TFrame::Restore, 2 * in.A, slots_[2 * in.A], 0});
            Push({TFrame::Restore, 2 * in.A + 1, slots_[2 * in.A + 1], 0});
            slots_[2 * in.A] = slots_[2 * in.A + 1] = kUnset;
            ++pc;
            break;
        case TOp::LoopCheck: pc = static_cast<std::size_t>(slots_[in.A] == pos ? in.C : in.B); break;
        case TOp::Assert:
            ok = CheckAssertion(in.Assertion, pos);
            ++pc;
            break;
        case TOp::BackReference:
            ok = MatchBackReference(in, pos);
            ++pc;
            break;
        case TOp::Match:
            if (pos >= minEnd) {
                slots_[0] = start;
                slots_[1] = pos;
                budget_.Spend(steps);
                return true;
            }
            ok = false;
            break;
        }
        if (ok) continue;

        // Back to the most recent alternative.
        for (bool resumed = false; !resumed;) {
            if (stack_.empty()) {
                budget_.Spend(steps);
                return false;
            }
            TFrame& f = stack_.back();
            ++steps;
            switch (f.Kind) {
            case TFrame::Restore:
                slots_[f.Index] = f.Pos;
                stack_.pop_back();
                break;
            case TFrame::Branch:
                pc = static_cast<std::size_t>(f.Index);
                pos = f.Pos;
                stack_.pop_back();
                resumed = true;
                break;
            case TFrame::GreedyRepeat: {
                const int index = f.Index;
                const std::size_t mandatoryEnd = f.Extra;
                const TInstruction& rep = code[index];
                std::size_t p = chars_.Previous(mandatoryEnd, f.Pos);
                while (p > mandatoryEnd && !NextFits(rep, p)) {
                    p = chars_.Previous(mandatoryEnd, p);
                    ++steps;
                }
                if (!NextFits(rep, p)) {
                    stack_.pop_back();
                    break;
                }
                if (p == mandatoryEnd) {
                    stack_.pop_back();
                } else {
                    f.Pos = p;
                }
                if (rep.Capture > 0) {
                    if (p == mandatoryEnd && rep.Min == 0) {
                        SetCapture(rep, kUnset, kUnset);
                    } else {
                        SetCapture(rep, chars_.Previous(p > mandatoryEnd ? mandatoryEnd : 0, p), p);
                    }
                }
                pc = static_cast<std::size_t>(index) + 1;
                pos = p;
                resumed = true;
                break;
            }
            case TFrame::LazyRepeat: {
                const int index = f.Index;
                const TInstruction& rep = code[index];
                const std::size_t n = MatchItem(program_.Items[rep.A], f.Pos);
                const std::size_t max = rep.Max < 0 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(rep.Max);
                if (n == 0) {
                    stack_.pop_back();
                    break;
                }
                const std::size_t p = f.Pos + n;
                const std::size_t count = f.Extra + 1;
                if (count >= max) {
                    stack_.pop_back();
                } else {
                    f.Pos = p;
                    f.Extra = count;
                }
                if (rep.Capture > 0) SetCapture(rep, p - n, p);
                pc = static_cast<std::size_t>(index) + 1;
                pos = p;
                resumed = true;
                break;
            }
            }
        }
    }
}

bool TMatcher::Search(std::size_t from, std::size_t minEnd, TMatchGroups& groups)
{
    const std::string_view text(text_, length_);
    const bool usePrefix = !program_.Prefix.Bytes.empty();
    const TLiteralFinder finder(program_.Prefix);
    // Only the first byte can land inside a double-byte character: a byte
    // below 0x40 is never a trail byte.
    const bool checkStart = usePrefix && lead_.DoubleByte() && static_cast<unsigned char>(program_.Prefix.Bytes[0]) >= 0x40;
    std::size_t knownStart = from;  // a character start at or below every candidate
    for (std::size_t s = from; s <= length_;) {
        if (program_.AnchoredAtStart && s != 0) return false;
        if (program_.AnchoredAtLine && s != 0 && text_[s - 1] != '\n') {
            const void* nl = std::memchr(text_ + s, '\n', length_ - s);
            if (!nl) return false;
            s = static_cast<std::size_t>(static_cast<const char*>(nl) - text_) + 1;
            knownStart = s;
        }
        if (usePrefix) {
            const std::size_t hit = finder.Find(text, s);
            if (hit == std::string_view::npos) return false;
            if (checkStart && !chars_.IsStart(knownStart, hit)) {
                // The hit is a trail byte; the next byte starts a character.
                s = knownStart = hit + 1;
                continue;
            }
            s = knownStart = hit;
        }
        if (Run(s, minEnd)) {
            const std::size_t n = static_cast<std::size_t>(program_.Groups) + 1;
            groups.Starts.assign(n, kUnset);
            groups.Ends.assign(n, kUnset);
            for (std::size_t g = 0; g < n; ++g) {
                if (slots_[2 * g] != kUnset && slots_[2 * g + 1] != kUnset) {
                    groups.Starts[g] = slots_[2 * g];
                    groups.Ends[g] = slots_[2 * g + 1];
                }
            }
            return true;
        }
        // A leading repeat that failed from s fails from every later start
        // inside the run it took, and just after it: those would only retry
        // what s tried.
        if (program_.LeadingRepeat >= 0) s = RepeatRunEnd(program_.Code[program_.LeadingRepeat], s);
        if (s >= length_) break;
        s += lead_.CharLength(text_, s, length_);
        if (!usePrefix) knownStart = s;
    }
    return false;
}

}  // namespace quillbox::regex
