#include "ui/main_window/column_fit.h"

#include <algorithm>
#include <numeric>

namespace quillbox {

std::vector<int> FittedColumnWidths(const std::vector<int>& current, const std::vector<int>& widestTexts,
                                    int gridClientWidth, const TMainWindowMetrics& metrics)
{
    std::vector<int> widths = current;
    for (const int col : kContentFittedColumns) {
        if (static_cast<std::size_t>(col) >= widths.size() || static_cast<std::size_t>(col) >= widestTexts.size())
            continue;
        // The text is drawn inside the cell's margins.
        const int fitted = widestTexts[col] + 2 * metrics.CellTextMargin + metrics.FitSlack;
        widths[col] = std::max(fitted, metrics.MinColumnWidth);
    }
    if (static_cast<std::size_t>(colSubject) < widths.size()) {
        widths[colSubject] = 0;
        const int others = std::accumulate(widths.begin(), widths.end(), 0);
        const int lines = static_cast<int>(widths.size());
        widths[colSubject] = std::max(gridClientWidth - others - lines, metrics.MinSubjectWidth);
    }
    return widths;
}

}  // namespace quillbox
