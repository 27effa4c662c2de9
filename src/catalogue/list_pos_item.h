// One visible grid row: which mail and which of its attachments it shows.
#pragma once

#include <cstdint>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"

namespace quillbox {

struct TListPosItem {
    std::int32_t MailIndex = 0;
    std::int32_t AttachIndex = 0;
    TAttachment* Attachment = nullptr;  // not owned
    TMailItem* Mail = nullptr;          // not owned
};

}  // namespace quillbox
