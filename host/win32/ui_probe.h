// Finding this process's windows, controls and dialog texts for scripts.
// Texts in and out are UTF-8.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace quillbox {

std::vector<HWND> VisibleTopLevelWindows();
std::string WindowTitle(HWND window);
std::string ClassOf(HWND window);
// Exact title, or a prefix when the pattern ends in "*".
std::optional<HWND> FindWindowByTitle(const std::string& pattern);

// "." the window itself; "id=N" by control identifier; "Class" or "Class#n"
// the n-th (from 1) child of that window class.
std::optional<HWND> FindControl(HWND parent, const std::string& name);

// The texts a dialog shows (its static controls), one per line.
std::string DialogText(HWND dialog);
// A visible, enabled button whose caption (without "&" marks) equals caption,
// or, for "id=N", the enabled button with that identifier (IDOK 1, IDNO 7, ...).
std::optional<HWND> FindButton(HWND dialog, const std::string& caption);
std::vector<std::string> ButtonCaptions(HWND dialog);

// A visible standard dialog (class #32770) that has a child of that class
// ("" for any), newest first.
std::optional<HWND> FindDialog(const std::string& childClass);
std::optional<HWND> FindPopupMenu();

}  // namespace quillbox
