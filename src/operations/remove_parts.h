// Cuts attachments out of one mail and records their names in the mail.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"
#include "tansy/host_api.h"

namespace quillbox {

// The host kept something else than the rewritten source.
class EMailNotStored : public std::runtime_error {
public:
    explicit EMailNotStored(const TMailItem& mail);
    std::string MailID;
};

enum class TRemoval {
    Rewritten,  // every given part is gone from the mail
    Untouched,  // the mail was left as it was: the catalogue no longer matches it
    Refused,    // the mail was left as it was: these parts cannot be cut out of it yet
};

// Whether RemoveParts can cut the attachment's part: a top-level part of a
// multipart mail. Parts inside nested multiparts and the body of a mail that
// is not multipart cannot be removed yet.
bool IsRemovable(const TAttachment& attachment);

// Rewrites the mail without the parts of the given attachments (all of the
// mail) and appends names, their quoted name list, to X-Removed-Attachment.
// A mail that loses every attachment and keeps one text part becomes a
// single-part mail. The mail is left untouched when it is not multipart,
// holds no delimiter, shows one inside its header block, or a given
// attachment no longer matches its part (its number beyond the pieces, or a
// part of another size than the catalogue recorded). It is refused, and
// left as it was, when a given attachment is not removable, or when the cut
// at the delimiters would not fall exactly on the delimiter lines the MIME
// reader sees (a boundary after other parameters, delimiter text inside a
// line or a longer boundary, delimiters after the closing one): cutting
// there would cut parts apart. EMailNotStored when the host does not give
// back what was stored; pattern errors reach the caller.
TRemoval RemoveParts(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& toRemove,
                     const std::string& names);

}  // namespace quillbox
