// The status bar: five panels, and the progress bar that lies over panel 0
// while a long operation runs.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

class TStatusBar {
public:
    static constexpr int Height = 19;

    TStatusBar(HWND parent, int controlId);
    HWND Handle() const { return bar_; }

    void SetText(int panel, const std::string& text);
    std::string Text(int panel) const;
    void ShowProgressBar(bool visible);
    void SetProgress(int position);
    // Keeps the bar at the bottom of the parent after a resize.
    void ParentResized();

private:
    HWND bar_;
    HWND progressBar_;
};

}  // namespace quillbox
