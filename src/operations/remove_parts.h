// Cuts attachments out of one mail and records their names in the mail.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"
#include "operations/removal_note.h"
#include "tansy/host_api.h"

namespace quillbox {

// The host kept something else than the rewritten source. The message is
// in the language of the removal.
class EMailNotStored : public std::runtime_error {
public:
    EMailNotStored(const TMailItem& mail, int localeID);
    std::string MailID;
};

enum class TRemoval {
    Rewritten,  // every given part is gone from the mail
    Untouched,  // the mail was left as it was: the catalogue no longer matches it
    Refused,    // the mail was left as it was: these parts cannot be cut out of it
};

// Whether RemoveParts can cut the attachment's part: any part the scan
// lists, the body of a mail that is one attachment included.
bool IsRemovable(const TAttachment& attachment);

// Rewrites the mail without the parts of the given attachments (all of the
// mail), each cut out with its delimiter line along the mail's MIME tree;
// every other byte stays. A nested multipart left without parts goes too.
// A mail that loses every attachment and keeps one text part at the top
// becomes a single-part mail; a mail whose multipart loses every part keeps
// a short text part (note) that names the removed files instead, and a mail
// that is one attachment becomes a text mail with the note as body. The kept
// attachments of the mail get their new places (PartNo, NestedPath); the
// removed ones are left for the caller to drop. Then names, their quoted
// name list, are appended to X-Removed-Attachment.
//
// Untouched, the mail as it was, when a given attachment no longer matches
// a part of it (no part at its place, a multipart there, or a part of
// another size than the catalogue recorded). Refused, the mail as it was,
// when an attachment is not removable or the mail has more parts than the
// MIME reader reads (TMimeTree::kMaxParts). EMailNotStored when the host does not give back what
// was stored (but for the form of line ends); the names are recorded all
// the same when the mail changed.
TRemoval RemoveParts(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& toRemove,
                     const std::string& names, const TRemovalNote& note = {});

}  // namespace quillbox
