// Column widths for a window that opens without saved widths: the number,
// mark, date and size columns as wide as their widest text, the subject
// column whatever the window's width leaves.
#pragma once

#include <vector>

#include "ui/main_window/main_window_metrics.h"

namespace quillbox {

// The columns that take the width of their widest text.
constexpr int kContentFittedColumns[] = {colNumber, colMark, colDate, colSize};

// current: the widths now (the sender and file-name columns keep theirs);
// widestTexts: per column, the width of its widest text in pixels;
// gridClientWidth: the room in the grid, one pixel of grid line per column
// included. The subject column gets the rest, but never less than the
// metrics' minimum: a window too narrow for that then widens.
std::vector<int> FittedColumnWidths(const std::vector<int>& current, const std::vector<int>& widestTexts,
                                    int gridClientWidth, const TMainWindowMetrics& metrics);

}  // namespace quillbox
