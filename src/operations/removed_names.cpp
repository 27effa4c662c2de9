#include "operations/removed_names.h"

#include "text/ascii.h"

namespace quillbox {

namespace {
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

void AppendQuoted(std::string& list, const std::string& name, TCodePage codePage)
{
    list += '"';
    for (std::size_t i = 0; i < name.size();) {
        const std::size_t length = codePage.CharLength(name, i);
        if (length == 2) {
            list.append(name, i, 2);
        } else if (IsControl(static_cast<unsigned char>(name[i]))) {
            list += ' ';
        } else {
            if (name[i] == '"' || name[i] == '\\') list += '\\';
            list += name[i];
        }
        i += length;
    }
    list += '"';
}
}  // namespace

std::string QuotedNameList(const std::vector<std::string>& fileNames, TCodePage codePage)
{
    std::string list;
    for (const std::string& name : fileNames) {
        if (!list.empty()) list += ", ";
        AppendQuoted(list, name, codePage);
    }
    return list;
}

std::string AppendNameList(const std::string& oldValue, const std::string& names)
{
    return oldValue.empty() ? names : oldValue + ", " + names;
}

namespace {
constexpr char kEscape = '\x1B';

// ESC $ @ and ESC $ B enter the double-byte set; ESC ( B, ESC ( J and
// ESC ( I leave it.
bool UpdatesDoubleByte(const std::string& text, std::size_t i, bool& doubleByte)
{
    if (text[i] != kEscape || i + 2 >= text.size()) return false;
    if (text[i + 1] == '$') doubleByte = true;
    else if (text[i + 1] == '(') doubleByte = false;
    else return false;
    return true;
}

// A line break that a continuation line follows.
bool StartsContinuation(const std::string& text, std::size_t i)
{
    return text.compare(i, 2, "\r\n") == 0 && i + 2 < text.size() && (text[i + 2] == ' ' || text[i + 2] == '\t');
}
}  // namespace

std::string FoldRemovedNames(const std::string& value)
{
    std::string folded;
    folded.reserve(value.size() + value.size() / 8);
    bool doubleByte = false;
    bool quoted = false;
    for (std::size_t i = 0; i < value.size();) {
        if (UpdatesDoubleByte(value, i, doubleByte)) {
            folded.append(value, i, 3);
            i += 3;
            continue;
        }
        const char c = value[i];
        if (doubleByte) {
            folded += c;
            ++i;
        } else if (c == '\r' || c == '\n') {
            if (StartsContinuation(value, i)) {
                folded += "\r\n";
                i += 2;
            } else {
                folded += ' ';
                ++i;
            }
        } else if (quoted && c == '\\' && i + 1 < value.size() && value[i + 1] != '\r' && value[i + 1] != '\n') {
            folded.append(value, i, 2);
            i += 2;
        } else if (c == '"' && quoted && i + 1 < value.size() && value[i + 1] == ',') {
            folded += "\",\r\n ";
            quoted = false;
            i += 2;
            while (i < value.size() && IsFoldingSpace(value[i])) ++i;
        } else {
            if (c == '"') quoted = !quoted;
            folded += c;
            ++i;
        }
    }
    return folded;
}

void AppendToRecord(THostApi& host, const std::string& header, const std::string& names)
{
    const std::string value = AppendNameList(host.GetSpecifiedHeader(header), names);
    host.SetSpecifiedHeader(header, FoldRemovedNames(host.LocalToIso2022Jp(value)));
}

}  // namespace quillbox
