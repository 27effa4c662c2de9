// File-type icons in the attachment list: drawn over the blanks in front of
// each file name, after the grid has painted the cell.
#pragma once

#include <windows.h>

#include "ui/logic/listing_controller.h"

namespace quillbox {

constexpr int kFileIconSize = 15;

// For OnDrawCell: draws the icon of the row's attachment into the cell's
// top-left square (15 x 15 pixels at 96 DPI), in the file-name column only.
void PaintFileIcon(const TListingController& list, int col, int row, HDC dc, const RECT& cell, int size = kFileIconSize);

}  // namespace quillbox
