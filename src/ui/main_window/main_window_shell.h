// Everything the window's commands reach outside their own state: the grid,
// the listing that fills it, the host, and the platform's boxes, clipboard and
// controls. TfrmMain implements it with its real controls; tests with fakes.
#pragma once

#include <optional>
#include <string>

#include "catalogue/listing/row_list.h"
#include "ui/main_window/list_grid.h"

namespace quillbox {

// Commands that are only of use while the list has rows.
enum class TListCommand { Edit, Function, View, CopyGrid, ShowMail, MarkSelected, UnMarkSelected };
constexpr TListCommand kListCommands[] = {
    TListCommand::Edit,     TListCommand::Function,     TListCommand::View,
    TListCommand::CopyGrid, TListCommand::ShowMail,     TListCommand::MarkSelected,
    TListCommand::UnMarkSelected};

class TMainWindowShell {
public:
    virtual ~TMainWindowShell() = default;

    virtual TListGrid& Grid() = 0;

    // The listing: the row at a RowList position (grid row - 1), if any.
    virtual TRowRef RowAt(int position) = 0;
    virtual int RowListCount() = 0;
    // Mark cells and row colours of RowList positions first to last.
    virtual void ShowMarks(int first, int last) = 0;
    virtual void UpdateTotals() = 0;
    // A left or middle press on header column col: sort settings, order, menus.
    virtual void HeaderPressed(int col) = 0;
    // The folder scan, and the attachments it found.
    virtual void ScanFolder() = 0;
    virtual int AttachCount() = 0;

    virtual void SetCurrentMail(const std::string& mailId) = 0;

    virtual void Beep() = 0;
    virtual void ShowNotice(const std::string& text) = 0;
    // The find dialog; none when cancelled.
    virtual std::optional<std::string> AskText(const std::string& caption, const std::string& prompt,
                                               const std::string& initial) = 0;
    virtual void SetClipboardText(const std::string& text) = 0;

    virtual void SetListCommandEnabled(TListCommand command, bool enabled) = 0;
    virtual void SetFindNextEnabled(bool enabled) = 0;
    virtual void FocusGrid() = 0;
    virtual void Repaint() = 0;
    virtual void Close() = 0;
    virtual int WindowWidth() = 0;
    virtual void SetWindowWidth(int width) = 0;
};

}  // namespace quillbox
