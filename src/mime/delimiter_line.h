// Delimiter lines of a multipart body (RFC 2046): a whole line of "--", the
// boundary, an optional "--" (the closing delimiter) and optional blanks or
// tabs. Nothing else is a delimiter: not the same text in the middle of a
// line, not a longer boundary that starts with this one, not a line with
// other text after it.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace quillbox {

struct TDelimiterLine {
    // The line break before "--" belongs to the delimiter (RFC 2046), so the
    // part before it ends without it. Begin is where that line break starts;
    // Begin == Dash when the delimiter starts the searched stretch or when
    // the line break before it already ends the previous delimiter line.
    std::size_t Begin = 0;
    std::size_t Dash = 0;  // the first "-"
    std::size_t End = 0;   // after the line's own line break, or the stretch's end
    bool Closing = false;  // "--boundary--"
};

// The first delimiter line of boundary in text[from, to); from must be the
// start of a line. Runs at memchr speed over text that holds no "-" (Base64).
std::optional<TDelimiterLine> FindDelimiterLine(std::string_view text, std::size_t from, std::size_t to,
                                                std::string_view boundary);

}  // namespace quillbox
