// The promise of a removal, checked on any source: every kept part is the
// same bytes at the same position among the kept ones, the mail still cuts
// at the same boundary, and a flattened mail is its one kept part.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "catalogue/mail_item.h"

namespace quillbox::testing {

// A catalogue record the way the scan makes one: a piece is an attachment
// unless it declares itself text/plain; name, encoding and size from the
// piece. Null when the source is not a multipart mail.
std::unique_ptr<TMailItem> CatalogueOf(const std::string& mailId, const std::string& source);

// What is wrong with written, the source stored for before without the
// pieces marked in removed (indexed by piece number); empty when nothing is.
std::string IntegrityFault(const std::string& before, const std::string& written, const std::vector<bool>& removed);

}  // namespace quillbox::testing
