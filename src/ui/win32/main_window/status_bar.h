// The status bar: five panels, and the progress bar that lies over panel 0
// while a long operation runs. Its sizes follow the window's density.
#pragma once

#include <windows.h>

#include <string>

#include "ui/main_window/main_window_metrics.h"

namespace quillbox {

class TStatusBar {
public:
    TStatusBar(HWND parent, int controlId, const TMainWindowMetrics& metrics);
    HWND Handle() const { return bar_; }
    int Height() const { return metrics_.StatusBarHeight; }

    // Height, panels and progress bar at another density.
    void SetMetrics(const TMainWindowMetrics& metrics);
    void SetText(int panel, const std::string& text);
    std::string Text(int panel) const;
    void ShowProgressBar(bool visible);
    void SetProgress(int position);
    // Keeps the bar at the bottom of the parent after a resize.
    void ParentResized();

private:
    void LayOutPanels();

    HWND bar_;
    HWND progressBar_;
    TMainWindowMetrics metrics_;
};

}  // namespace quillbox
