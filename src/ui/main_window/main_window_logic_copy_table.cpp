#include "ui/main_window/main_window_logic.h"

#include <algorithm>

#include "ui/logic/cell_hints.h"

namespace quillbox {

std::string TMainWindowLogic::TableText()
{
    const TGridModel& model = Grid().Model();
    const std::string& repeatMark = messages_[msgRepeatMark];
    const int rows = std::min(model.RowCount(), RowListCount() + 1);
    std::string text;
    for (int row = 0; row < rows; ++row) {
        if (row > 0) text += "\r\n";
        for (int col = 0; col < model.ColCount(); ++col) {
            if (col > 0) text += '\t';
            // Repeat marks written out, blanks before a file name trimmed.
            text += CellValue(model, col, row, repeatMark).value_or(std::string());
        }
    }
    return text;
}

void TMainWindowLogic::CopyTable() { shell_.SetClipboardText(TableText()); }

}  // namespace quillbox
