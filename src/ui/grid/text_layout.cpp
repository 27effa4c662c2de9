#include "ui/grid/text_layout.h"

namespace quillbox {

TTextLayout LayoutCellText(const TPixelRect& cell, const TCellFormat& format, int margin)
{
    TTextLayout layout{};
    layout.Box = {cell.Left + margin, cell.Top + margin, cell.Right - margin, cell.Bottom - margin};
    switch (format.Alignment) {
    case TAlignment::Right: layout.Horizontal = THorizontal::Right; break;
    case TAlignment::Center: layout.Horizontal = THorizontal::Center; break;
    default: layout.Horizontal = THorizontal::Left; break;
    }
    layout.WordWrap = format.Overflow == TOverflow::WordWrap;
    layout.SingleLine = !layout.WordWrap;
    layout.EndEllipsis = format.Overflow == TOverflow::Ellipsis;
    return layout;
}

}  // namespace quillbox
