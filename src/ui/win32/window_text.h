// A window's or control's text, whatever its length.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

std::string WindowText(HWND window);

}  // namespace quillbox
