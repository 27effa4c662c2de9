#include "mime/parameters.h"

#include <algorithm>
#include <map>

#include "text/ascii.h"
#include "mime/encoded_words.h"

namespace quillbox {

namespace {

// "name*2*" into its name, section and encoding.
void SplitExtendedName(std::string name, TParameter& parameter)
{
    if (!name.empty() && name.back() == '*') {
        parameter.Extended = true;
        name.pop_back();
    }
    const std::size_t star = name.rfind('*');
    if (star != std::string::npos && star + 1 < name.size() &&
        std::all_of(name.begin() + static_cast<std::ptrdiff_t>(star) + 1, name.end(),
                    [](char c) { return c >= '0' && c <= '9'; }) &&
        name.size() - star - 1 <= 4) {
        parameter.Section = std::stoi(name.substr(star + 1));
        name.erase(star);
    }
    parameter.Name = std::move(name);
}

// Only an escaped quote or backslash is an escape, so Windows paths keep
// their backslashes; and a 0x5C after a Shift_JIS lead byte is the second
// half of a character (raw Japanese names), not an escape.
bool IsEscape(std::string_view value, std::size_t pos)
{
    if (value[pos] != '\\' || pos + 1 >= value.size()) return false;
    if (value[pos + 1] != '"' && value[pos + 1] != '\\') return false;
    if (pos == 0) return true;
    const unsigned char before = static_cast<unsigned char>(value[pos - 1]);
    return !((before >= 0x81 && before <= 0x9F) || (before >= 0xE0 && before <= 0xFC));
}

// The quoted string at value[pos] (an opening quote): its text; pos moves
// after the closing quote, or to the end.
std::string ReadQuoted(std::string_view value, std::size_t& pos)
{
    std::string text;
    for (++pos; pos < value.size(); ++pos) {
        const char c = value[pos];
        if (c == '"') {
            ++pos;
            return text;
        }
        if (IsEscape(value, pos)) ++pos;
        text += value[pos];
    }
    return text;
}

std::string PercentDecoded(std::string_view text)
{
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && AsciiHexValue(text[i + 1]) >= 0 && AsciiHexValue(text[i + 2]) >= 0) {
            bytes += static_cast<char>(AsciiHexValue(text[i + 1]) * 16 + AsciiHexValue(text[i + 2]));
            i += 2;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

}  // namespace

TParameterList::TParameterList(std::string_view value)
{
    std::size_t pos = value.find(';');
    leading_ = std::string(TrimFoldingSpace(value.substr(0, pos)));
    while (pos != std::string_view::npos && pos < value.size()) {
        ++pos;  // the ";"
        const std::size_t nameEnd = value.find_first_of(";=\"", pos);
        if (nameEnd == std::string_view::npos || value[nameEnd] != '=') {
            pos = nameEnd == std::string_view::npos ? nameEnd : value.find(';', nameEnd);
            continue;
        }
        TParameter parameter;
        SplitExtendedName(AsciiLowerCase(TrimFoldingSpace(value.substr(pos, nameEnd - pos))), parameter);
        pos = nameEnd + 1;
        while (pos < value.size() && IsFoldingSpace(value[pos])) ++pos;
        if (pos < value.size() && value[pos] == '"') {
            parameter.Quoted = true;
            parameter.Value = ReadQuoted(value, pos);
            pos = value.find(';', pos);
        } else {
            const std::size_t end = value.find(';', pos);
            parameter.Value = std::string(TrimFoldingSpace(value.substr(pos, end == std::string_view::npos ? end : end - pos)));
            pos = end;
        }
        if (!parameter.Name.empty()) parameters_.push_back(std::move(parameter));
    }
}

std::optional<std::string> TParameterList::Plain(std::string_view name) const
{
    for (const TParameter& parameter : parameters_)
        if (parameter.Name == name && parameter.Section < 0 && !parameter.Extended) return parameter.Value;
    return std::nullopt;
}

std::optional<TMimeText> TParameterList::Text(std::string_view name) const
{
    // RFC 2231: "name*" alone, or the sections in number order.
    std::map<int, const TParameter*> sections;
    const TParameter* single = nullptr;
    for (const TParameter& parameter : parameters_) {
        if (parameter.Name != name) continue;
        if (parameter.Section >= 0) sections.emplace(parameter.Section, &parameter);
        else if (parameter.Extended && !single) single = &parameter;
    }
    if (single) sections = {{0, single}};
    if (!sections.empty()) {
        std::string charset;
        std::string bytes;
        bool first = true;
        for (const auto& [number, parameter] : sections) {
            std::string_view text = parameter->Value;
            if (parameter->Extended && first) {
                // charset'language'text; a value without both quotes is all text.
                const std::size_t quote = text.find('\'');
                const std::size_t second = quote == std::string_view::npos ? quote : text.find('\'', quote + 1);
                if (second != std::string_view::npos) {
                    charset = std::string(text.substr(0, quote));
                    text = text.substr(second + 1);
                }
            }
            bytes += parameter->Extended ? PercentDecoded(text) : std::string(text);
            first = false;
        }
        TMimeText value;
        value.Append(charset, bytes);
        return value;
    }
    if (const std::optional<std::string> plain = Plain(name)) return DecodeEncodedWords(*plain);
    return std::nullopt;
}

}  // namespace quillbox
