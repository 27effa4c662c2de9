// Everything the window's commands reach outside their own state: the grid,
// the listing that fills it, the host, and the platform's boxes, clipboard and
// controls. TfrmMain implements it with its real controls; tests with fakes.
#pragma once

#include <optional>
#include <string>

#include "catalogue/list_pos_item.h"
#include "ui/grid/grid_format.h"
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
    virtual const TListPosItem* RowAt(int position) = 0;
    virtual int RowListCount() = 0;
    virtual void UpdateTotals() = 0;
    virtual void SortRows() = 0;
    virtual void UpdateViewMenus() = 0;
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
    // The background of an unmarked row: the system's window colour.
    virtual TColor WindowColor() = 0;
};

}  // namespace quillbox
