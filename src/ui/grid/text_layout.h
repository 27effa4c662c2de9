// How a cell's text is laid out in its rectangle, independent of the toolkit
// that draws it.
#pragma once

#include "ui/grid/grid_format.h"
#include "ui/grid/grid_scroll.h"

namespace quillbox {

enum class THorizontal { Left, Center, Right };

struct TTextLayout {
    TPixelRect Box;          // the cell shrunk by the text margin
    THorizontal Horizontal;
    bool SingleLine;         // one line, centred vertically
    bool WordWrap;           // lines broken between words, from the top
    bool EndEllipsis;        // cut with "..." where it would pass the right edge
    // An ampersand is always drawn as itself, never as a mnemonic prefix.
};

constexpr int kCellTextMargin = 2;

TTextLayout LayoutCellText(const TPixelRect& cell, const TCellFormat& format, int margin = kCellTextMargin);

}  // namespace quillbox
