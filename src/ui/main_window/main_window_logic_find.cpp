#include "ui/main_window/main_window_logic.h"

#include "text/code_page.h"

namespace quillbox {

std::string FindPattern(const std::string& searchText)
{
    const TCodePage codePage = TCodePage::Active();
    std::string escaped;
    for (std::size_t pos = 0; pos < searchText.size();) {
        std::size_t length = codePage.CharLength(searchText, pos);
        // An escape keeps the character after it, whatever it is.
        if (searchText[pos] == '\\' && pos + 1 < searchText.size())
            length = 1 + codePage.CharLength(searchText, pos + 1);
        else if (searchText[pos] == '/')
            escaped += '\\';
        escaped.append(searchText, pos, length);
        pos += length;
    }
    return "m/" + escaped + "/i";
}

bool TMainWindowLogic::CellMatches(int col, int row, const std::string& pattern)
{
    return matcher_(pattern, Grid().Model().Cell(col, row));
}

void TMainWindowLogic::Find()
{
    TListGrid& grid = Grid();
    if (Listing().AttachCount() == 0 || grid.Scroll().Row() < 1) return;
    const auto text =
        shell_.AskText(messages_[msgFindCaption], messages_[msgFindPrompt], searchText_);
    if (!text) return;
    searchText_ = *text;
    shell_.SetFindNextEnabled(false);
    FindFrom(grid.Scroll().Row());
}

void TMainWindowLogic::FindNext() { FindFrom(Grid().Scroll().Row() + 1); }

void TMainWindowLogic::FindFrom(int start)
{
    TListGrid& grid = Grid();
    const int rowCount = grid.RowCount();
    if (start >= rowCount || start < 1) start = 1;
    const std::string pattern = FindPattern(searchText_);
    // A grid without data rows has nothing to search.
    int row = start;
    while (row < rowCount) {
        for (int col = 1; col < grid.ColCount(); ++col) {
            if (CellMatches(col, row, pattern)) {
                grid.MoveTo(grid.Scroll().Col(), row);
                shell_.SetFindNextEnabled(true);
                return;
            }
        }
        row = row + 1 >= rowCount ? 1 : row + 1;
        if (row == start) break;
    }
    shell_.Beep();
    shell_.ShowNotice(messages_[msgNotFound]);
}

}  // namespace quillbox
