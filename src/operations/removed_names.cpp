#include "operations/removed_names.h"

namespace quillbox {

std::string QuotedNameList(const std::vector<std::string>& fileNames)
{
    std::string list;
    for (const std::string& name : fileNames) {
        if (!list.empty()) list += ", ";
        list += '"' + name + '"';
    }
    return list;
}

std::string AppendNameList(const std::string& oldValue, const std::string& names)
{
    return oldValue.empty() ? names : oldValue + ", " + names;
}

namespace {
constexpr char kEscape = '\x1B';

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

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
}  // namespace

std::string FoldRemovedNames(const std::string& value)
{
    std::string folded;
    folded.reserve(value.size() + value.size() / 8);
    bool doubleByte = false;
    for (std::size_t i = 0; i < value.size();) {
        if (UpdatesDoubleByte(value, i, doubleByte)) {
            folded.append(value, i, 3);
            i += 3;
            continue;
        }
        if (!doubleByte && value[i] == '"' && i + 1 < value.size() && value[i + 1] == ',') {
            folded += "\",\r\n ";
            i += 2;
            while (i < value.size() && IsSpace(value[i])) ++i;
            continue;
        }
        folded += value[i++];
    }
    return folded;
}

}  // namespace quillbox
