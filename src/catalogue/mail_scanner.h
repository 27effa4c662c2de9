// Reads one mail of the folder and records its attachments.
#pragma once

#include <cstdint>

#include "catalogue/icon_source.h"
#include "catalogue/mail_item.h"
#include "regex/b_reg_exp.h"
#include "tansy/host_api.h"
#include "text/code_page.h"

namespace quillbox {

class TMailScanner {
public:
    TMailScanner(THostApi& host, TIconSource& icons, TCodePage codePage)
        : host_(host), icons_(icons), codePage_(codePage)
    {
    }

    // Fills mail.Attachments by the rules (recorded in mail.Rules) and
    // returns how many there are. Under the classic rules a mail whose
    // header has no boundary right after its multipart type keeps none, and
    // its source is never fetched; under the full rules every mail is read.
    std::int32_t Scan(TMailItem& mail, TAttachmentRules rules);

private:
    THostApi& host_;
    TIconSource& icons_;
    const TCodePage codePage_;
    // Keeps its compiled pattern from mail to mail.
    TBRegExp classicBoundary_;
};

}  // namespace quillbox
