// The grid's tooltip: one tip whose area is the cell under the mouse. Moving
// into another cell cancels the tip, so that each cell shows its own.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

class TCellHint {
public:
    explicit TCellHint(HWND owner);
    ~TCellHint();
    TCellHint(const TCellHint&) = delete;
    TCellHint& operator=(const TCellHint&) = delete;

    // Passes mouse messages on, so the tip knows when to appear.
    void Relay(UINT message, WPARAM wParam, LPARAM lParam);
    // The tip for a cell area (client coordinates) that appears at a screen position.
    void Show(const RECT& area, const std::string& text, POINT screenPosition, int hideTimeout);
    void Hide();
    // Handles the tip's notifications to the owner; true when it was one of them.
    bool HandleNotify(const NMHDR& header, LRESULT& result);

private:
    void SetArea(const RECT& area);

    HWND owner_;
    HWND tip_;
    POINT position_{};
    std::string text_;
};

}  // namespace quillbox
