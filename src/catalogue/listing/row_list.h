// The window's visible rows, in display order: entry i is grid row i + 1.
#pragma once

#include <vector>

#include "catalogue/list_pos_item.h"
#include "catalogue/mail_list.h"

namespace quillbox {

using TRowList = std::vector<TListPosItem>;

// A row's mail and attachment, looked up afresh through the row's indexes.
struct TRowRef {
    TMailItem* Mail = nullptr;
    TAttachment* Attachment = nullptr;
    bool Found() const { return Attachment != nullptr; }
    explicit operator bool() const { return Found(); }
};

// position is zero-based (grid row - 1). Not found when the position is
// outside rows or the row's indexes no longer fit the catalogue, so it is
// safe while a scan rebuilds the catalogue under a stale row list.
TRowRef RowAt(const TRowList& rows, TMailList& mails, int position);

}  // namespace quillbox
