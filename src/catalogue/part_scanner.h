// Decides whether one part of a mail is an attachment, and records it.
#pragma once

#include <array>
#include <cstddef>
#include <string>

#include "catalogue/icon_source.h"
#include "catalogue/mail_item.h"
#include "tansy/host_api.h"
#include "regex/b_reg_exp.h"

namespace quillbox {

class TPartScanner {
public:
    TPartScanner(THostApi& host, TIconSource& icons) : host_(host), icons_(icons) {}

    // Examines piece p of split, a mail's source cut at its boundary, for
    // mail; true when the piece became an attachment.
    bool ScanPart(TMailItem& mail, const TBRegExp& split, int p);

private:
    // Every test keeps its own pattern object, so that none is compiled
    // again for each part, and split stays readable while they run.
    struct TPatterns {
        std::array<TBRegExp, 6> Tests;
        TBRegExp LowerCase;
        TBRegExp TransferEncoding;
    };

    std::string LowerCase(std::string text);

    THostApi& host_;
    TIconSource& icons_;
    TPatterns patterns_;
};

}  // namespace quillbox
