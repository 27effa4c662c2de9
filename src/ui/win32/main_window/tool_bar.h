// The tool bar: flat buttons with square pictures, three exclusive groups of
// check buttons, and a hint per button. Its sizes follow the window's density.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <map>
#include <string>

#include "ui/main_window/main_window_metrics.h"
#include "ui/win32/main_window/command_ids.h"
#include "win32/win32_handles.h"

namespace quillbox {

class TToolBar {
public:
    TToolBar(HINSTANCE resources, HWND parent, int controlId, const TMainWindowMetrics& metrics);
    ~TToolBar();
    TToolBar(const TToolBar&) = delete;
    TToolBar& operator=(const TToolBar&) = delete;

    HWND Handle() const { return bar_; }
    // Buttons, gaps and pictures at another density.
    void SetMetrics(const TMainWindowMetrics& metrics);
    // The size of the pictures shown: the largest drawn that the button's
    // design size at this density holds.
    int ImageSize() const { return imageSize_; }
    // The button named "tbSortByDate" etc.; false when there is none.
    bool SetHint(const std::string& name, const std::string& hint);
    void SetEnabled(TCommandId command, bool enabled);
    void SetDown(TCommandId command, bool down);
    void SetHighlighted(TCommandId command, bool highlighted);
    void SetAllEnabled(bool enabled);
    // WM_NOTIFY from the bar: hint texts. True when handled.
    bool Notify(const NMHDR& header);

private:
    void LoadPictures(int wantedSize);

    HINSTANCE resources_;
    HWND bar_;
    TImageListHandle images_;  // owned: the bar's pictures
    TImageListHandle greyed_;  // owned: the bar's pictures when greyed
    int imageSize_ = 0;
    std::map<TCommandId, std::string> hints_;  // by button
};

}  // namespace quillbox
