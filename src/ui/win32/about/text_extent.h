// The size a one-line text takes in a font, for labels sized to their caption.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

SIZE TextExtent(HWND window, HFONT font, const std::string& text);

}  // namespace quillbox
