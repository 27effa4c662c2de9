// Lines of a mail text, where CR LF, a lone CR and a lone LF each end a line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillbox {

struct TTextLine {
    std::size_t Start = 0;   // first byte of the line
    std::size_t Length = 0;  // without its line end
    std::size_t Next = 0;    // first byte after the line end
};

// A text that ends in a line end has no empty line after it.
std::vector<TTextLine> SplitLines(std::string_view text);

// Where a part's header block and body lie: the header lines (after any empty
// lines at the start) and the first line of the body, or lines.size() when
// there is none. HasEmptyLine tells whether an empty line closed the header.
// Lines ends with the body's first line: the body is not split.
struct TPartLayout {
    std::vector<TTextLine> Lines;
    std::size_t FirstHeaderLine = 0;
    std::size_t EndOfHeader = 0;  // index of the empty line, or of the end
    std::size_t FirstBodyLine = 0;
    bool HasEmptyLine = false;
};
TPartLayout LayoutOfPart(std::string_view piece);

}  // namespace quillbox
