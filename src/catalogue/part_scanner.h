// Decides whether one part of a mail is an attachment, and records it.
#pragma once

#include <cstddef>

#include "catalogue/icon_source.h"
#include "catalogue/mail_item.h"
#include "tansy/host_api.h"
#include "regex/b_reg_exp.h"

namespace quillbox {

class TPartScanner {
public:
    // split holds the mail's source cut at its boundary; the part tests run
    // on the shared pattern object so that split stays readable.
    TPartScanner(THostApi& host, TIconSource& icons, TBRegExp& split)
        : host_(host), icons_(icons), split_(split) {}

    // Examines piece p of split for mail; true when it became an attachment.
    bool ScanPart(TMailItem& mail, int p);

private:
    std::string ReadHead(int p, std::size_t length);

    THostApi& host_;
    TIconSource& icons_;
    TBRegExp& split_;
};

}  // namespace quillbox
