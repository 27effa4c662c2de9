#pragma once

#include <windows.h>

#include "win32/win32_handles.h"

namespace quillbox {

// The menu command's picture, loaded on first use and shared by every menu
// the host builds, so that rebuilding menus costs no bitmap each time.
class TMenuBitmap {
public:
    explicit TMenuBitmap(HINSTANCE module) : module_(module) {}
    TMenuBitmap(const TMenuBitmap&) = delete;
    TMenuBitmap& operator=(const TMenuBitmap&) = delete;

    HBITMAP Get();  // null when the resource does not load

private:
    HINSTANCE module_;
    TBitmapHandle bitmap_;  // owned; the host's menus only borrow it
    bool tried_ = false;
};

}  // namespace quillbox
