#include "ui/win32/about/text_extent.h"

#include "ui/win32/grid/gdi_objects.h"

namespace quillbox {

SIZE TextExtent(HWND window, HFONT font, const std::string& text)
{
    const HDC dc = GetDC(window);
    SIZE size{};
    {
        const TSelection selection(dc, font);
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    }
    ReleaseDC(window, dc);
    return size;
}

}  // namespace quillbox
