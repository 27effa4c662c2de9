// Which attachments the list shows.
#pragma once

#include "catalogue/attachment.h"
#include "catalogue/mail_list.h"
#include "settings/settings_values.h"

namespace quillbox {

// Kind (HTML or not) against ShowType; with the one-extension filter on, the
// icon cache key must equal TargetExt byte for byte. An attachment without a
// cache entry has no key and never matches the filter.
bool PassesRowFilter(const TAttachment& attachment, const TListingSettings& settings);

// Sets or clears Visible on every attachment.
void ApplyRowFilter(TMailList& mails, const TListingSettings& settings);

}  // namespace quillbox
