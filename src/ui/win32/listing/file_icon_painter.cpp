#include "ui/win32/listing/file_icon_painter.h"

#include "catalogue/icons/icon_list.h"
#include "catalogue/icons/win32/shell_icon_source.h"

namespace quillbox {

void PaintFileIcon(const TListingController& list, int col, int row, HDC dc, const RECT& cell, int size)
{
    if (col != colFileName) return;
    const TRowRef found = list.RowAt(row - 1);
    if (!found || found.Attachment->Icon == nullptr) return;
    const TIconImage* image = found.Attachment->Icon->IconImage.get();
    if (image == nullptr) return;
    const RECT square{cell.left, cell.top, cell.left + size, cell.top + size};
    DrawIconImage(dc, *image, square);
}

}  // namespace quillbox
