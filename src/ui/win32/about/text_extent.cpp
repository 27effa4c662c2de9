#include "ui/win32/about/text_extent.h"

#include "win32/win32_handles.h"

namespace quillbox {

SIZE TextExtent(HWND window, HFONT font, const std::string& text)
{
    const TWindowDc dc(window);
    const TSelection selection(dc.Get(), font);
    SIZE size{};
    GetTextExtentPoint32A(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size;
}

}  // namespace quillbox
