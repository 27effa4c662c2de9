// The catalogue after a removal: the removed attachments go. The kept ones
// already stand at the places the rewrite gave them.
#pragma once

#include "catalogue/mail_item.h"
#include "catalogue/mail_list.h"

namespace quillbox {

void DropRemovedAttachments(TMailItem& mail);
// AttachCount goes down by as many as went; returns that number.
int DropRemovedAttachments(TMailList& list);

}  // namespace quillbox
