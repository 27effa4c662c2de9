#include "regex/replacement.h"

#include <cstring>

#include "regex/regex_error.h"

namespace quillbox::regex {
namespace {

int HexValue(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void TReplacement::AddText(std::string_view bytes)
{
    if (parts_.empty() || parts_.back().kind != TPart::TKind::Text) parts_.push_back({});
    parts_.back().text.append(bytes);
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
            switch (e) {
            case 'n': AddText("\n"); break;
            case 'r': AddText("\r"); break;
            case 't': AddText("\t"); break;
            case 'f': AddText("\f"); break;
            case 'e': AddText("\x1B"); break;
            case 'a': AddText("\a"); break;
            case 'x': {
                int value = 0;
                for (int k = 0; k < 2 && i < s.size() && HexValue(s[i]) >= 0; ++k) value = value * 16 + HexValue(s[i++]);
                AddText(std::string(1, static_cast<char>(value)));
                break;
            }
            case '0': {
                int value = 0;
                for (int k = 0; k < 2 && i < s.size() && s[i] >= '0' && s[i] <= '7'; ++k) value = value * 8 + (s[i++] - '0');
                AddText(std::string(1, static_cast<char>(value)));
                break;
            }
            default:
                if (std::strchr("ULEQulF", e)) throw TRegexError("unsupported case escape in replacement");
                // Any other escaped character stands for itself; a lead byte keeps its trail.
                i -= 1;
                AddText(s.substr(i, lead.CharLength(s.data(), i, s.size())));
                i += lead.CharLength(s.data(), i, s.size());
                break;
            }
        } else if (c == '$' && i + 1 < s.size()) {
            const char d = s[i + 1];
            if (IsDigit(d)) {
                int group = 0;
                i += 1;
                while (i < s.size() && IsDigit(s[i])) {
                    group = group * 10 + (s[i++] - '0');
                    if (group > 100000) group = 100000;
                }
                parts_.push_back({TPart::TKind::Group, {}, group});
            } else if (d == '{' && i + 2 < s.size() && IsDigit(s[i + 2])) {
                std::size_t k = i + 2;
                int group = 0;
                while (k < s.size() && IsDigit(s[k])) {
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
        switch (part.kind) {
        case TPart::TKind::Text: out += part.text; break;
        case TPart::TKind::Group:
            if (static_cast<std::size_t>(part.group) < groups.starts.size() && groups.starts[part.group] != kUnset)
                out.append(text.substr(groups.starts[part.group], groups.ends[part.group] - groups.starts[part.group]));
            break;
        case TPart::TKind::Before: out.append(text.substr(0, groups.starts[0])); break;
        case TPart::TKind::After: out.append(text.substr(groups.ends[0])); break;
        }
    }
}

}  // namespace quillbox::regex
