#include "ui/win32/main_window/icon_lookup.h"

#include "catalogue/icons/icon_list.h"

namespace quillbox {

const TIconListItem* LookUpIcon(TIconList& icons, const std::string& extension)
{
    return icons.GetIcon(extension);
}

}  // namespace quillbox
