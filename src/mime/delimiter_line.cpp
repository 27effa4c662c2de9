#include "mime/delimiter_line.h"

#include <cstring>

#include "mime/line_breaks.h"

namespace quillbox {

namespace {

bool IsLineStart(std::string_view text, std::size_t pos, std::size_t from)
{
    return pos == from || text[pos - 1] == '\n' || text[pos - 1] == '\r';
}

// The rest of a delimiter line after "--boundary", if it is one.
std::optional<TDelimiterLine> ReadRest(std::string_view text, std::size_t dash, std::size_t pos, std::size_t to)
{
    TDelimiterLine line;
    line.Dash = dash;
    if (pos + 1 < to && text[pos] == '-' && text[pos + 1] == '-') {
        line.Closing = true;
        pos += 2;
    }
    while (pos < to && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (pos < to && text[pos] != '\r' && text[pos] != '\n') return std::nullopt;
    line.End = SkipLineBreak(text, pos, to);
    return line;
}

}  // namespace

std::optional<TDelimiterLine> FindDelimiterLine(std::string_view text, std::size_t from, std::size_t to,
                                                std::string_view boundary)
{
    const std::size_t length = 2 + boundary.size();
    std::size_t pos = from;
    while (pos + length <= to) {
        const void* found = std::memchr(text.data() + pos, '-', to - pos - length + 1);
        if (!found) break;
        const std::size_t dash = static_cast<std::size_t>(static_cast<const char*>(found) - text.data());
        if (text[dash + 1] == '-' && IsLineStart(text, dash, from) &&
            text.compare(dash + 2, boundary.size(), boundary) == 0) {
            if (std::optional<TDelimiterLine> line = ReadRest(text, dash, dash + length, to)) {
                // The line break before it, but never text before from.
                line->Begin = dash;
                if (line->Begin > from && text[line->Begin - 1] == '\n') --line->Begin;
                if (line->Begin > from && text[line->Begin - 1] == '\r' &&
                    (line->Begin == dash || text[line->Begin] == '\n'))
                    --line->Begin;
                return line;
            }
        }
        pos = dash + 1;
    }
    return std::nullopt;
}

}  // namespace quillbox
