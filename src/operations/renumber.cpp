#include "operations/renumber.h"

#include <algorithm>

namespace quillbox {

void DropRemovedAttachments(TMailItem& mail)
{
    std::erase_if(mail.Attachments, [](const auto& attachment) { return attachment->Removed; });
}

int DropRemovedAttachments(TMailList& list)
{
    int dropped = 0;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const std::size_t before = list[i].Attachments.size();
        DropRemovedAttachments(list[i]);
        dropped += static_cast<int>(before - list[i].Attachments.size());
    }
    list.AttachCount -= dropped;
    return dropped;
}

}  // namespace quillbox
