#include "ui/logic/cell_hints.h"

#include "ui/logic/list_columns.h"
#include "text/ascii.h"

namespace quillbox {

namespace {

std::string Trimmed(std::string_view text)
{
    while (!text.empty() && IsSpaceOrControl(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsSpaceOrControl(text.back())) text.remove_suffix(1);
    return std::string(text);
}

}  // namespace

std::optional<std::string> CellValue(const TGridModel& grid, int col, int row,
                                     std::string_view repeatMark)
{
    if (!grid.Contains(col, row)) return std::nullopt;
    while (grid.Cell(col, row) == repeatMark) {
        if (--row < 0) return std::nullopt;
    }
    return Trimmed(grid.Cell(col, row));
}

std::optional<std::string> CellHint(const TGridModel& grid, int col, int row,
                                    std::string_view repeatMark)
{
    std::optional<std::string> hint = CellValue(grid, col, row, repeatMark);
    if (!hint || hint->empty()) return std::nullopt;
    if (col == colSize && row > 0) *hint += " byte";
    return hint;
}

}  // namespace quillbox
