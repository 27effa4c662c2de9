// Keys and mouse clicks delivered to a control, for scripts.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

// Text is typed as characters; {NAME} is a key (ENTER ESC TAB SPACE BACK
// DELETE UP DOWN LEFT RIGHT HOME END PGUP PGDN INSERT F1..F12, and APPS, the
// context-menu key), {CTRL+X}, {SHIFT+X} and {ALT+X} hold a modifier. False
// on an unknown key name.
bool SendKeys(HWND control, const std::string& keys);
// Key names only ({TAB}, {SHIFT+F10} ...), typed through the system's input
// queue into the window, made the foreground window; each goes to whichever
// of its controls has the focus, as a keyboard's would. False on an unknown
// key name or on text.
bool PressKeys(HWND window, const std::string& keys);

enum class TClick { Left, Right, Double };
void Click(HWND control, int x, int y, TClick kind);
// Left button pressed at (x1, y1), moved to (x2, y2) in steps, released there.
void Drag(HWND control, int x1, int y1, int x2, int y2);

}  // namespace quillbox
