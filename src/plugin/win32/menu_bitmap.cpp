#include "plugin/win32/menu_bitmap.h"

#include "resources/resource_ids.h"

namespace quillbox {

HBITMAP TMenuBitmap::Get()
{
    if (!tried_) {
        tried_ = true;
        bitmap_.Reset(static_cast<HBITMAP>(LoadImageA(module_, QBX_MENU_BITMAP, IMAGE_BITMAP, 20, 20, 0)));
    }
    return bitmap_.Get();
}

}  // namespace quillbox
