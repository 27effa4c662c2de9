// The promise of a removal, checked on any source with the MIME reader:
// the header, preamble and epilogue stay, every kept part is the same bytes
// in the same order, the removed ones are gone, and a mail that lost every
// part keeps one text part; or, flattened, the mail is its one kept part.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/attachment_rules.h"
#include "catalogue/mail_item.h"
#include "tansy/host_api.h"

namespace quillbox::testing {

// The catalogue record the folder scan makes of the host's mail under the
// rules, every attachment visible.
std::unique_ptr<TMailItem> CatalogueOf(THostApi& host, const std::string& mailId,
                                       TAttachmentRules rules = TAttachmentRules::Full);

// What is wrong with written, the source stored for before without the
// parts at the given paths ({2, 1} for the first part inside part 2); empty when nothing is.
std::string IntegrityFault(const std::string& before, const std::string& written,
                           const std::vector<std::vector<int>>& removed);

}  // namespace quillbox::testing
