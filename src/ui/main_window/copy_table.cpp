#include "ui/main_window/main_window_logic.h"

namespace quillbox {

namespace {
// Blanks and control characters; never part of a double-byte character.
bool IsTrimmed(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string Trimmed(const std::string& text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsTrimmed(text[begin])) ++begin;
    while (end > begin && IsTrimmed(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}
}  // namespace

std::string TMainWindowLogic::TableText()
{
    const TGridModel& model = shell_.Grid().Model();
    const std::string& repeatMark = messages_[msgRepeatMark];
    const int rows = std::min(model.RowCount(), shell_.RowListCount() + 1);
    std::string text;
    for (int row = 0; row < rows; ++row) {
        if (row > 0) text += "\r\n";
        for (int col = 0; col < model.ColCount(); ++col) {
            if (col > 0) text += '\t';
            // A repeat mark stands for the value of the row above.
            int source = row;
            while (source > 0 && model.Cell(col, source) == repeatMark) --source;
            text += Trimmed(model.Cell(col, source));
        }
    }
    return text;
}

void TMainWindowLogic::CopyTable() { shell_.SetClipboardText(TableText()); }

}  // namespace quillbox
