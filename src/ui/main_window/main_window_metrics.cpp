#include "ui/main_window/main_window_metrics.h"

#include <initializer_list>

namespace quillbox {

TMainWindowMetrics ScaledMetrics(const TMainWindowMetrics& design, TDpiScale scale)
{
    TMainWindowMetrics m = design;
    for (int* size : {&m.WindowWidth, &m.WindowHeight, &m.ToolBarHeight, &m.ToolButtonWidth, &m.ToolButtonHeight,
                      &m.ToolImageSize, &m.ToolSmallGap, &m.ToolGroupGap, &m.PanelHeight, &m.LabelLeft, &m.LabelTop,
                      &m.LabelHeight, &m.FolderNameLeft, &m.FolderNameGap, &m.StatusBarHeight, &m.ProgressTop,
                      &m.RowHeight, &m.CellTextMargin, &m.HintOffset, &m.MinColumnWidth, &m.MinSubjectWidth,
                      &m.FileIconSize, &m.FileIconGap, &m.FitSlack})
        *size = scale.Scale(*size);
    for (int& width : m.StatusPanelWidths) width = scale.Scale(width);
    for (int& width : m.ColumnWidths) width = scale.Scale(width);
    return m;
}

}  // namespace quillbox
