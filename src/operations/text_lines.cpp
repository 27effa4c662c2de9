#include "operations/text_lines.h"

namespace quillbox {
namespace {
// The line that starts at start, which must lie inside the text.
TTextLine LineAt(std::string_view text, std::size_t start)
{
    const std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) return {start, text.size() - start, text.size()};
    std::size_t next = end + 1;
    if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
    return {start, end - start, next};
}
}  // namespace

std::vector<TTextLine> SplitLines(std::string_view text)
{
    std::vector<TTextLine> lines;
    for (std::size_t start = 0; start < text.size(); start = lines.back().Next) lines.push_back(LineAt(text, start));
    return lines;
}

TPartLayout LayoutOfPart(std::string_view piece)
{
    // The body is never split: a large part would cost a line for every line
    // of its body, and only the body's first line is asked for.
    TPartLayout layout;
    auto& lines = layout.Lines;
    auto more = [&] {
        const std::size_t start = lines.empty() ? 0 : lines.back().Next;
        if (start >= piece.size()) return false;
        lines.push_back(LineAt(piece, start));
        return true;
    };
    std::size_t i = 0;
    while ((i < lines.size() || more()) && lines[i].Length == 0) ++i;
    layout.FirstHeaderLine = i;
    while ((i < lines.size() || more()) && lines[i].Length != 0) ++i;
    layout.EndOfHeader = i;
    layout.HasEmptyLine = i < lines.size();
    layout.FirstBodyLine = layout.HasEmptyLine ? i + 1 : i;
    if (layout.HasEmptyLine) more();
    return layout;
}

}  // namespace quillbox
