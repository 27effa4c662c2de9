// Builds the catalogue of the current folder: which mails carry attachments
// (from the folder's index), and which parts of each are attachments (from
// the mail's source, read by the MIME reader, under list.Rules).
#pragma once

#include <cstddef>
#include <string>

#include "catalogue/icon_source.h"
#include "catalogue/mail_list.h"
#include "tansy/host_api.h"

namespace quillbox {

// What a scan tells while it visits mails, and how it learns to stop.
class TScanProgress {
public:
    virtual ~TScanProgress() = default;

    // Before each mail: percent is the whole percentage shown for it;
    // messagesDue on every tenth mail, the moment to let waiting messages
    // (painting, Esc) through. False stops the scan before that mail.
    virtual bool Tick(int percent, bool messagesDue) = 0;
};

// For a scan nobody watches: every mail is visited.
class TUnwatchedScan final : public TScanProgress {
public:
    bool Tick(int, bool) override { return true; }
};

// Adds the mails of list.Folder's index to list in date order, none of
// their parts read yet. What went wrong (no folder selected, no index in
// it), or empty.
std::string AddFolderMails(TMailList& list, THostApi& host);

// Reads the parts of list's mails, newest first, asking progress before
// each; list.AttachCount holds what was found however the visit ends.
void ScanMails(TMailList& list, THostApi& host, TIconSource& icons, TScanProgress& progress);

// Both, over a list emptied first, for a scan with no window around it.
// What went wrong before any mail was read, or empty.
std::string ScanFolderMails(TMailList& list, THostApi& host, TIconSource& icons, TScanProgress& progress);

// Whole-percent progress shown before visiting mail k (counting down from
// count to 1): 100 - round((k - 1) / count * 100), halves to even.
int ScanProgress(std::size_t k, std::size_t count);

}  // namespace quillbox
