// Whether a window's texts fit the controls that show them: text extents in
// each control's own font beside the room the control gives them.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

// One line per text: "label ID: text W H box W H" for each visible static
// control with a caption, "panel N: text W H box W H border B" for each
// status-bar panel, and "toolbar: image W H button W H".
std::string TextFitReport(HWND window);

// The size of a text (UTF-8) in a control's font (WM_GETFONT), made bold on request.
SIZE TextExtentIn(HWND control, const std::string& text, bool bold);

}  // namespace quillbox
