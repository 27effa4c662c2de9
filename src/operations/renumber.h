// The catalogue after a removal: the removed attachments go, and the later
// attachments of each mail move down one part number per removed one before
// them, as the rewritten source numbers its parts.
#pragma once

#include "catalogue/mail_item.h"
#include "catalogue/mail_list.h"

namespace quillbox {

void DropRemovedAttachments(TMailItem& mail);
// AttachCount goes down by as many as went; returns that number.
int DropRemovedAttachments(TMailList& list);

}  // namespace quillbox
