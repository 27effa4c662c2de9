// Plain text on the clipboard, in the local code page.
#pragma once

#include <windows.h>

#include <string>

namespace quillbox {

// False when the clipboard could not be opened or the memory not allocated.
bool SetClipboardText(HWND owner, const std::string& text);

}  // namespace quillbox
