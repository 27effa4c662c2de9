// Where the command goes in a menu of kind 1 or 2: above the host's item
// 32935, with a separator above the command unless it lands first.
#pragma once

#include <vector>

namespace quillbox {

constexpr unsigned kAnchorItemID = 0x80A7;  // 32935
constexpr unsigned kSeparatorID = 0;

struct TMenuInsertPoint {
    int Position;         // index to insert at; -1 appends at the end
    bool SeparatorAbove;  // insert a separator at Position after the command
};

// itemIDs: the command identifiers of the menu's items, in order.
TMenuInsertPoint FindInsertPoint(const std::vector<unsigned>& itemIDs);

}  // namespace quillbox
