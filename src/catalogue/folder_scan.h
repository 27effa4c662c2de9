// Builds the catalogue of the current folder: which mails carry attachments
// (from the folder's index), and which parts of each are attachments (from
// the mail's source, read by the MIME reader, under list.Rules).
#pragma once

#include "catalogue/icon_source.h"
#include "catalogue/mail_list.h"
#include "catalogue/scan_window.h"
#include "tansy/host_api.h"

namespace quillbox {

// Replaces the mails of list by those of list.Folder; reports progress and
// reads Esc through window. Pattern errors propagate once the window is back
// in its normal state.
void ScanFolder(TMailList& list, THostApi& host, TScanWindow& window, TIconSource& icons);

// Whole-percent progress shown before visiting mail k (counting down from
// count to 1): 100 - round((k - 1) / count * 100), halves to even.
int ScanProgress(std::size_t k, std::size_t count);

}  // namespace quillbox
