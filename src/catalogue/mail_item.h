// One mail of the folder whose index entry says it carries attachments.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "catalogue/attachment.h"
#include "catalogue/attachment_rules.h"

namespace quillbox {

struct TMailItem {
    std::string IndexField0;
    std::string MailID;  // folder + "?" + the mail's key: every host call about the mail passes it
    std::string IndexField2;
    std::string Subject;
    std::string From;
    double Date = 0.0;
    std::int32_t UnixTime = 0;
    std::int32_t Flags = 0;
    std::string IndexField16;
    std::string Boundary;
    std::string BoundaryPattern;  // "--" + Boundary with every non-word character escaped
    std::int32_t PlainCount = 0;
    std::int32_t HtmlCount = 0;
    TAttachmentRules Rules = TAttachmentRules::Full;  // those the scan found the attachments by
    // In ascending PartNo order. Owned; pointers stay valid while the mail lives.
    std::vector<std::unique_ptr<TAttachment>> Attachments;
};

}  // namespace quillbox
