// What only the window itself can do for its commands: the scan it runs, the
// host, and the platform's boxes, clipboard, menus and frame. The grid and the
// listing are reached directly (TMainWindowLogic::Attach). TfrmMain implements
// it with its real controls; tests with fakes.
#pragma once

#include <optional>
#include <string>


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

    // The folder scan; the listing shows what it found.
    virtual void ScanFolder() = 0;

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
