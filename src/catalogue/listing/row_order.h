// The order of the visible rows: by mail date or attachment size, ascending
// or descending; equal keys keep the catalogue order (mails by date and
// index-file order, attachments by part order).
#pragma once

#include "catalogue/listing/row_list.h"
#include "settings/settings_values.h"

namespace quillbox {

// One row per Visible attachment in catalogue order: mails in list order,
// each mail's attachments in part order.
TRowList VisibleRows(TMailList& mails);

// VisibleRows sorted stably by the listing settings' key and direction, in O(n log n).
TRowList OrderedRows(TMailList& mails, const TListingSettings& settings);

}  // namespace quillbox
