// Every size of the main window's design, in pixels at 96 DPI, and the same
// sizes at a monitor's density.
#pragma once

#include <array>

#include "ui/logic/dpi_scale.h"
#include "ui/logic/list_columns.h"

namespace quillbox {

struct TMainWindowMetrics {
    // Outer size of the window when it first opens.
    int WindowWidth, WindowHeight;
    // Tool bar: its height, its buttons, their pictures and the gaps between groups.
    int ToolBarHeight, ToolButtonWidth, ToolButtonHeight, ToolImageSize, ToolSmallGap, ToolGroupGap;
    // The folder panel under the tool bar and its two labels.
    int PanelHeight, LabelLeft, LabelTop, LabelHeight, FolderNameLeft, FolderNameGap;
    // Status bar and its panels; the progress bar lies over panel 0.
    int StatusBarHeight;
    std::array<int, 5> StatusPanelWidths;
    int ProgressTop;
    // The grid.
    int RowHeight, CellTextMargin, HintOffset;
    std::array<int, kListColumnCount> ColumnWidths;
    int MinColumnWidth, MinSubjectWidth;
    // The file's icon at the left of its name, and the room kept for it.
    int FileIconSize, FileIconGap;
    // Air beside the widest text of a column fitted to its content.
    int FitSlack;

    bool operator==(const TMainWindowMetrics&) const = default;
};

inline constexpr TMainWindowMetrics kMainWindowDesign = {
    696, 480,
    41, 39, 38, 32, 8, 15,
    21, 5, 4, 14, 100, 6,
    19, {160, 40, 150, 180, 100}, 2,
    19, 2, 6, kListDesignWidths, 10, 100,
    15, 22,
    2,
};

// Every size of the design at the given density.
TMainWindowMetrics ScaledMetrics(const TMainWindowMetrics& design, TDpiScale scale);

}  // namespace quillbox
