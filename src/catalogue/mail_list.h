// The mails of the current folder that carry attachments, by ascending Date
// (equal dates in index-file order). Owns its mails, which own their
// attachments.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/attachment_rules.h"
#include "catalogue/mail_item.h"

namespace quillbox {

class TMailList {
public:
    std::string MailBox;
    std::string Folder;  // ends in a path separator
    std::string FolderName;
    std::int32_t AttachCount = 0;
    std::int32_t MarkCount = 0;
    // Which parts the next scan lists; the window sets it from the settings.
    TAttachmentRules Rules = TAttachmentRules::Full;

    std::size_t Count() const { return mails_.size(); }
    TMailItem& operator[](std::size_t i) { return *mails_[i]; }
    const TMailItem& operator[](std::size_t i) const { return *mails_[i]; }

    // Destroys every mail and attachment; the attachment count goes with them.
    void ClearMails();

    // Takes over mails that arrive in index-file order and merges them into
    // the date order: equal dates keep their arrival order.
    void AddInDateOrder(std::vector<std::unique_ptr<TMailItem>> mails);

private:
    std::vector<std::unique_ptr<TMailItem>> mails_;
};

}  // namespace quillbox
