#include "operations/text_lines.h"

namespace quillbox {

std::vector<TTextLine> SplitLines(std::string_view text)
{
    std::vector<TTextLine> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back({start, text.size() - start, text.size()});
            break;
        }
        std::size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        lines.push_back({start, end - start, next});
        start = next;
    }
    return lines;
}

TPartLayout LayoutOfPart(std::string_view piece)
{
    TPartLayout layout;
    layout.Lines = SplitLines(piece);
    const auto& lines = layout.Lines;
    std::size_t i = 0;
    while (i < lines.size() && lines[i].Length == 0) ++i;
    layout.FirstHeaderLine = i;
    while (i < lines.size() && lines[i].Length != 0) ++i;
    layout.EndOfHeader = i;
    layout.HasEmptyLine = i < lines.size();
    layout.FirstBodyLine = layout.HasEmptyLine ? i + 1 : i;
    return layout;
}

}  // namespace quillbox
