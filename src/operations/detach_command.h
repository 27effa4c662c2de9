// Detach: save the marked attachments, then take out of their mails exactly
// those whose saved files hold their bytes.
#pragma once

#include <string>
#include <vector>

#include "catalogue/list_pos_item.h"
#include "catalogue/mail_list.h"
#include "operations/detach_window.h"
#include "operations/run_locale.h"
#include "operations/run_progress.h"
#include "settings/settings_values.h"
#include "tansy/host_api.h"
#include "text/code_page.h"

namespace quillbox {

// Saves every marked attachment of rows (in display order) into a folder the
// user picks, starting from saveDir, as the marked save does: safe names,
// numbered or asked about as the options say, the mail's date on each file.
// Then, mail by mail in list order, each saved attachment is decoded afresh
// and compared with its file; those that match leave their mail in one
// rewrite, their names recorded in X-Removed-Attachment and their files'
// paths in X-Detached-Attachment. Every other attachment stays in its mail
// and stays marked. Esc, or Cancel at the overwrite question, stops the run
// before the next file; nothing is removed after that.
//
// Whatever ends the run, the window gets back to normal, SaveDir follows
// the folder, and the report says what was detached, what was saved but
// kept and what was not saved, and why. The catalogue is rebuilt when every
// mail could be cut as planned, otherwise the folder is scanned again and
// the marks put back. An error is passed on at the end. Esc is asked of
// progress between files; the report's dates and the note left in an emptied
// mail follow locale.
void DetachMarked(TMailList& list, const std::vector<TListPosItem>& rows, const std::string& saveDir,
                  const TSaveOptions& options, THostApi& host, TDetachWindow& window, TRunProgress& progress,
                  const TRunLocale& locale, const TCodePage& codePage);

}  // namespace quillbox
