#include "plugin/menu_position.h"

namespace quillbox {

TMenuInsertPoint FindInsertPoint(const std::vector<unsigned>& itemIDs)
{
    int position = -1;
    for (int i = static_cast<int>(itemIDs.size()) - 1; i >= 0; --i) {
        if (itemIDs[static_cast<std::size_t>(i)] == kAnchorItemID) {
            position = i;
            break;
        }
    }
    // A separator just above the anchor stays with it, below the command.
    if (position > 0 && itemIDs[static_cast<std::size_t>(position - 1)] == kSeparatorID) --position;
    return {position, position > 0};
}

}  // namespace quillbox
