// The two removal commands: the marked attachments of every mail, and one
// attachment.
#pragma once

#include "catalogue/mail_list.h"
#include "catalogue/progress.h"
#include "operations/removal_window.h"
#include "operations/run_locale.h"
#include "tansy/host_api.h"

namespace quillbox {

// Removes every attachment that is marked, visible and not yet removed, one
// rewrite per mail, in list order. The view is rebuilt when every mail was
// rewritten; after an error, or when a mail was left untouched, the folder is
// scanned again so the catalogue matches the mails. Attachments that cannot
// be removed (IsRemovable, or a mail RemoveParts refuses) stay listed and
// marked, their mails as they were, and are reported at the end. Errors are
// passed on once the window is back in its normal state, which it gets back
// to even when the rebuild or the new scan fails. progress shows the share of
// the marked attachments done; the report's dates and the note left in an
// emptied mail follow locale.
void RemoveMarked(TMailList& list, THostApi& host, TRemovalWindow& window, TProgressDisplay& progress,
                  const TRunLocale& locale);

// The same for one attachment of one mail.
void RemoveOne(TMailItem& mail, TAttachment& attachment, THostApi& host, TRemovalWindow& window,
               const TRunLocale& locale);

}  // namespace quillbox
