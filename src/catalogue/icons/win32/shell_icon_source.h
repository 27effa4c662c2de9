// Small file-type icons from the Windows shell.
#pragma once

#include <windows.h>

#include "catalogue/icons/icon_list.h"
#include "win32/win32_handles.h"

namespace quillbox {

class TShellIcon final : public TIconImage {
public:
    explicit TShellIcon(HICON icon) : icon_(icon) {}

    HICON Handle() const { return icon_.Get(); }

private:
    TIconHandle icon_;  // owned: the shell gave us this copy
};

// A TSmallIconLoader. Asks by file attributes only: no file is read or needs to exist.
std::unique_ptr<TIconImage> ShellSmallIcon(std::string_view ext);

// Draws an icon of the list scaled into rect; images that are not the shell's do nothing.
void DrawIconImage(HDC dc, const TIconImage& image, const RECT& rect);

}  // namespace quillbox
