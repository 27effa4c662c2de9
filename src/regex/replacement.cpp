#include "regex/replacement.h"

#include <cstring>

#include "regex/byte_escape.h"
#include "regex/regex_error.h"
#include "text/ascii.h"

namespace quillbox::regex {

void TReplacement::AddText(std::string_view bytes)
{
    if (parts_.empty() || parts_.back().Kind != TPart::TKind::Text) parts_.push_back({});
    parts_.back().Text.append(bytes);
}

TReplacement::TReplacement(std::string_view s, const TLeadBytes& lead)
{
    std::size_t i = 0;
    while (i < s.size()) {
        const char c = s[i];
        const std::size_t n = lead.CharLength(s.data(), i, s.size());
        if (n == 2) {
            AddText(s.substr(i, 2));
            i += 2;
        } else if (c == '\\' && i + 1 < s.size()) {
            const char e = s[i + 1];
            i += 2;
            // \1 to \9 standing alone are groups, as $1 to $9; followed by
            // another digit they start an octal escape.
            if (e >= '1' && e <= '9') {
                if (i >= s.size() || !IsAsciiDigit(s[i])) {
                    parts_.push_back({TPart::TKind::Group, {}, e - '0'});
                    continue;
                }
                if (e <= '7') {
                    AddText(std::string(1, static_cast<char>(ReadOctalEscape(s, --i))));
                    continue;
                }
            }
            const int byte = ReadByteEscape(s, i, e);
            if (byte >= 0) {
                AddText(std::string(1, static_cast<char>(byte)));
                continue;
            }
            if (std::strchr("ULEQulF", e)) throw TRegexError("unsupported case escape in replacement");
            // Any other escaped character stands for itself; a lead byte keeps its trail.
            i -= 1;
            const std::size_t length = lead.CharLength(s.data(), i, s.size());
            AddText(s.substr(i, length));
            i += length;
        } else if (c == '$' && i + 1 < s.size()) {
            const char d = s[i + 1];
            if (IsAsciiDigit(d)) {
                int group = 0;
                i += 1;
                while (i < s.size() && IsAsciiDigit(s[i])) {
                    group = group * 10 + (s[i++] - '0');
                    if (group > 100000) group = 100000;
                }
                parts_.push_back({TPart::TKind::Group, {}, group});
            } else if (d == '{' && i + 2 < s.size() && IsAsciiDigit(s[i + 2])) {
                std::size_t k = i + 2;
                int group = 0;
                while (k < s.size() && IsAsciiDigit(s[k])) {
                    group = group * 10 + (s[k++] - '0');
                    if (group > 100000) group = 100000;
                }
                if (k < s.size() && s[k] == '}') {
                    parts_.push_back({TPart::TKind::Group, {}, group});
                    i = k + 1;
                } else {
                    AddText("$");
                    ++i;
                }
            } else if (d == '&') {
                parts_.push_back({TPart::TKind::Group, {}, 0});
                i += 2;
            } else if (d == '`') {
                parts_.push_back({TPart::TKind::Before, {}, 0});
                i += 2;
            } else if (d == '\'') {
                parts_.push_back({TPart::TKind::After, {}, 0});
                i += 2;
            } else {
                AddText("$");
                ++i;
            }
        } else {
            AddText(s.substr(i, 1));
            ++i;
        }
    }
}

void TReplacement::AppendTo(std::string& out, std::string_view text, const TMatchGroups& groups) const
{
    for (const TPart& part : parts_) {
        switch (part.Kind) {
        case TPart::TKind::Text: out += part.Text; break;
        case TPart::TKind::Group:
            if (static_cast<std::size_t>(part.Group) < groups.Starts.size() && groups.Starts[part.Group] != kUnset)
                out.append(text.substr(groups.Starts[part.Group], groups.Ends[part.Group] - groups.Starts[part.Group]));
            break;
        case TPart::TKind::Before: out.append(text.substr(0, groups.Starts[0])); break;
        case TPart::TKind::After: out.append(text.substr(groups.Ends[0])); break;
        }
    }
}

}  // namespace quillbox::regex
