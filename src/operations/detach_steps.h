// The steps of a detach that reach into the mails: decoding a part, and
// cutting parts out of their mail with their records. Every call a detach
// makes of the decoder and of the removal is here.
#pragma once

#include <string>
#include <vector>

#include "catalogue/attachment.h"
#include "catalogue/mail_item.h"
#include "operations/detach_plan.h"
#include "operations/removal_note.h"
#include "settings/settings_values.h"
#include "tansy/host_api.h"
#include "text/code_page.h"

namespace quillbox {

// Decodes the attachment into a temporary file and copies that to path, so
// that a part that cannot be decoded leaves no file behind and an existing
// file is replaced by decoded bytes only; then the mail's date on the file
// when the options want it. Saved or Undecodable; EInOutError when path
// cannot be written; any other error when the mail no longer gives the part.
TSaveOutcome SaveForDetach(THostApi& host, TMailItem& mail, const TAttachment& attachment, const std::string& path,
                           const TSaveOptions& options);

// Whether the file at path holds what the attachment decodes to now: a fresh
// decode, compared byte for byte. Errors of the decoding reach the caller.
TCheckOutcome CheckSavedFile(THostApi& host, TMailItem& mail, const TAttachment& attachment, const std::string& path);

// One rewrite of the mail without the attachments' parts; their names go to
// X-Removed-Attachment and the paths their files were saved under, in the
// same order, to X-Detached-Attachment; a mail left without parts keeps the
// note. Cut, MailChanged or TooManyParts (the mail left as it was); errors of
// the rewrite reach the caller.
TCutOutcome CutDetached(THostApi& host, TMailItem& mail, const std::vector<const TAttachment*>& attachments,
                        const std::vector<std::string>& paths, const TRemovalNote& note, TCodePage codePage);

}  // namespace quillbox
