// THTLabel: a label that looks and behaves like a link in a web browser.
// A static control of the parent dialog, subclassed: it paints its caption
// in the link colours, shows the hand cursor, opens its caption on a click
// and offers "open" and "copy" on the right button. It is a tab stop of the
// dialog, drawn with a focus frame, and Enter opens it too.
#pragma once

#include <windows.h>

#include <string>

#include "ui/about/link_label_logic.h"
#include "ui/win32/about/win32_link_shell.h"
#include "win32/win32_handles.h"

namespace quillbox {

struct THTLabelDesign {
    int Id;
    int Left;
    int Top;
    std::string Caption;
    std::string FaceName;
    int FontHeight;  // negative: character height in pixels
    std::string OpenItem;
    std::string CopyItem;
};

class THTLabel {
public:
    // Reads the link colours of the current user.
    THTLabel(HWND parent, const THTLabelDesign& design);
    ~THTLabel();
    THTLabel(const THTLabel&) = delete;
    THTLabel& operator=(const THTLabel&) = delete;

    HWND Handle() const { return window_; }
    // Another place and font height (another density); sized to the caption again.
    void Place(int left, int top, int fontHeight);

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                         DWORD_PTR data);
    void Paint();
    void MouseMove();
    void MouseLeave();
    void Click();
    void ShowPopup();
    void Unsubclass();

    std::string caption_;
    std::string faceName_;
    TLinkLabelLogic logic_;
    TWin32LinkShell shell_;
    TFontHandle plainFont_;
    TFontHandle underlinedFont_;
    TMenuHandle popup_;  // owned: "open" and "copy"
    HWND window_ = nullptr;
    bool subclassed_ = false;
    bool pressed_ = false;
    bool focused_ = false;
};

}  // namespace quillbox
