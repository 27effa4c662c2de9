// The tool bar: flat 39 x 38 buttons with 32 x 32 pictures, three exclusive
// groups of check buttons, and a hint per button.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "ui/win32/main_window/command_ids.h"

namespace quillbox {

class TToolBar {
public:
    static constexpr int Height = 41;

    TToolBar(HINSTANCE resources, HWND parent, int controlId);
    ~TToolBar();
    TToolBar(const TToolBar&) = delete;
    TToolBar& operator=(const TToolBar&) = delete;

    HWND Handle() const { return bar_; }
    // The button named "tbSortByDate" etc.; false when there is none.
    bool SetHint(const std::string& name, const std::string& hint);
    void SetEnabled(TCommandId command, bool enabled);
    void SetDown(TCommandId command, bool down);
    void SetHighlighted(TCommandId command, bool highlighted);
    void SetAllEnabled(bool enabled);
    // WM_NOTIFY from the bar: hint texts. True when handled.
    bool Notify(const NMHDR& header);

private:
    HWND bar_;
    HIMAGELIST images_;
    HIMAGELIST greyed_;
    std::string hints_[cmDeleteAnAttachment - cmShowAllItems + 1];
};

}  // namespace quillbox
