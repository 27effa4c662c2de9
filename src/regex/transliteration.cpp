#include "regex/transliteration.h"

#include "regex/byte_escape.h"
#include "regex/regex_error.h"
#include "regex/regex_limits.h"

namespace quillbox::regex {
namespace {

// One character of a list, escapes resolved; sets literal when it came from
// an escape (so "\-" is never a range).
unsigned ReadListChar(std::string_view s, std::size_t& i, const TLeadBytes& lead, bool& escaped)
{
    escaped = false;
    const std::size_t n = lead.CharLength(s.data(), i, s.size());
    if (n == 2) {
        const unsigned code = static_cast<unsigned char>(s[i]) << 8 | static_cast<unsigned char>(s[i + 1]);
        i += 2;
        return code;
    }
    const unsigned char c = static_cast<unsigned char>(s[i++]);
    if (c != '\\' || i >= s.size()) return c;
    escaped = true;
    const char e = s[i];
    if (lead.CharLength(s.data(), i, s.size()) == 2) return ReadListChar(s, i, lead, escaped);
    ++i;
    const int byte = ReadByteEscape(s, i, e);
    return byte >= 0 ? static_cast<unsigned>(byte) : static_cast<unsigned char>(e);
}

std::vector<unsigned> ExpandList(std::string_view s, const TLeadBytes& lead)
{
    std::vector<unsigned> codes;
    // Checked before a range is spelt out, so a long range costs no memory.
    const auto makeRoom = [&codes](std::size_t more) {
        if (more > kMaxTransliterationList - codes.size()) throw TRegexError("transliteration list too long");
    };
    std::size_t i = 0;
    while (i < s.size()) {
        bool escaped = false;
        const unsigned first = ReadListChar(s, i, lead, escaped);
        if (i + 1 < s.size() && s[i] == '-') {
            ++i;
            const unsigned last = ReadListChar(s, i, lead, escaped);
            if (last < first) throw TRegexError("invalid range in transliteration");
            makeRoom(std::size_t{last - first} + 1);
            for (unsigned c = first; c <= last; ++c) codes.push_back(c);
        } else {
            makeRoom(1);
            codes.push_back(first);
        }
    }
    return codes;
}

void AppendCode(std::string& out, unsigned code)
{
    if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
    out.push_back(static_cast<char>(code & 0xFF));
}

}  // namespace

TTransliteration::TTransliteration(const TCommand& command)
    : lead_(command.Lead), complement_(command.Has('c')), remove_(command.Has('d')), squeeze_(command.Has('s'))
{
    search_ = ExpandList(command.Pattern, lead_);
    replacement_ = ExpandList(command.Replacement, lead_);
    if (complement_) {
        for (unsigned c : search_) map_.emplace(c, kNotFound);
        return;
    }
    if (replacement_.empty() && !remove_) replacement_ = search_;
    for (std::size_t k = 0; k < search_.size(); ++k) {
        if (map_.count(search_[k])) continue;  // the first mention decides
        int target;
        if (k < replacement_.size()) target = static_cast<int>(replacement_[k]);
        else if (remove_ || replacement_.empty()) target = kDelete;
        else target = static_cast<int>(replacement_.back());
        map_.emplace(search_[k], target);
    }
}

int TTransliteration::Lookup(unsigned code) const
{
    if (!complement_) {
        const auto it = map_.find(code);
        return it == map_.end() ? kNotFound : it->second;
    }
    if (map_.count(code)) return kNotFound;
    if (remove_) return kDelete;
    return replacement_.empty() ? static_cast<int>(code) : static_cast<int>(replacement_.back());
}

std::size_t TTransliteration::Apply(std::string_view text, std::string& out) const
{
    out.clear();
    out.reserve(text.size());
    std::size_t matched = 0;
    int lastTranslated = kNotFound;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = lead_.CharLength(text.data(), i, text.size());
        const unsigned code = n == 2 ? (static_cast<unsigned char>(text[i]) << 8 | static_cast<unsigned char>(text[i + 1]))
                                     : static_cast<unsigned char>(text[i]);
        i += n;
        const int target = Lookup(code);
        if (target == kNotFound) {
            AppendCode(out, code);
            lastTranslated = kNotFound;
            continue;
        }
        ++matched;
        if (target == kDelete) continue;
        if (squeeze_ && target == lastTranslated) continue;
        AppendCode(out, static_cast<unsigned>(target));
        lastTranslated = target;
    }
    return matched;
}

}  // namespace quillbox::regex
