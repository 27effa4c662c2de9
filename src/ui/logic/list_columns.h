// The columns of the attachment list and the grid layout the window creates.
#pragma once

#include <array>

#include "ui/grid/grid_model.h"

namespace quillbox {

enum TListColumn : int {
    colNumber = 0,
    colMark = 1,
    colDate = 2,
    colSubject = 3,
    colFrom = 4,
    colFileName = 5,
    colSize = 6,
};
constexpr int kListColumnCount = 7;
constexpr std::array<int, kListColumnCount> kListDesignWidths = {40, 29, 64, 190, 118, 154, 66};

constexpr TColor kMarkedRowColor = Rgb(255, 238, 238);
constexpr TColor kFileNameColor = Rgb(248, 248, 255);
constexpr TColor kHtmlFileNameColor = Rgb(255, 255, 221);

// Headings that are the same in both languages.
inline constexpr const char* kNumberHeading = "No.";
inline constexpr const char* kMarkHeading = "Mark";
inline constexpr const char* kSubjectHeading = "Subject";
inline constexpr const char* kFromHeading = "From";

// Column count, design widths, alignments, ellipsis columns and the
// file-name column's background. Columns keep no text colour of their own:
// every cell is drawn in the colour of the language's font.
void SetUpListGrid(TGridModel& grid);

}  // namespace quillbox
