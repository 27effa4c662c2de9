// The text a list cell stands for, looking through repeat marks, and the
// hint shown for it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/grid/grid_model.h"

namespace quillbox {

constexpr int kListHintTime = 5000;  // milliseconds

// Walks up from (col, row) while the cell holds repeatMark and returns the
// first other text with blanks and control characters trimmed from both ends;
// none when the walk leaves the grid or the cell is outside it.
std::optional<std::string> CellValue(const TGridModel& grid, int col, int row,
                                     std::string_view repeatMark);

// CellValue, with " byte" after a size (not after its heading); none for
// an empty cell.
std::optional<std::string> CellHint(const TGridModel& grid, int col, int row,
                                    std::string_view repeatMark);

}  // namespace quillbox
