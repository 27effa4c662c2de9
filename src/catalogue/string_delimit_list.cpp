#include "catalogue/string_delimit_list.h"

namespace quillbox {

void TStringDelimitList::SplitLine(std::string_view line, TCodePage codePage)
{
    constexpr char delimiter = '\x01';
    fields_.clear();
    line = line.substr(0, line.find('\0'));

    std::size_t pos = 0;
    while (pos < line.size() && static_cast<unsigned char>(line[pos]) >= 0x01 &&
           static_cast<unsigned char>(line[pos]) <= 0x20)
        ++pos;

    while (pos < line.size()) {
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] != delimiter) pos += codePage.CharLength(line, pos);
        fields_.emplace_back(line.substr(start, pos - start));
        if (pos < line.size()) ++pos;  // the delimiter
    }
}

}  // namespace quillbox
