#include "catalogue/listing/row_order.h"

#include <algorithm>

#include "catalogue/listing/listing_rules.h"

namespace quillbox {

namespace {

// Keys are copied out of the rows so that the sort touches one small array.
// A size is exact as a double, and a date is one already.
struct TSortKey {
    double Key;
    std::size_t Row;
};

}  // namespace

TRowList VisibleRows(TMailList& mails)
{
    TRowList rows;
    for (std::size_t m = 0; m < mails.Count(); ++m) {
        TMailItem& mail = mails[m];
        for (std::size_t a = 0; a < mail.Attachments.size(); ++a) {
            TAttachment& attachment = *mail.Attachments[a];
            if (!attachment.Visible) continue;
            rows.push_back({static_cast<std::int32_t>(m), static_cast<std::int32_t>(a),
                            &attachment, &mail});
        }
    }
    return rows;
}

TRowList OrderedRows(TMailList& mails, const TListingSettings& settings)
{
    const TRowList rows = VisibleRows(mails);
    const bool bySize = SortsBySize(settings);
    std::vector<TSortKey> keys;
    keys.reserve(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const double key = bySize ? rows[i].Attachment->Size : rows[i].Mail->Date;
        keys.push_back({key, i});
    }
    if (SortsAscending(settings)) {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const TSortKey& a, const TSortKey& b) { return a.Key < b.Key; });
    } else {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const TSortKey& a, const TSortKey& b) { return a.Key > b.Key; });
    }

    TRowList ordered;
    ordered.reserve(rows.size());
    for (const TSortKey& key : keys) ordered.push_back(rows[key.Row]);
    return ordered;
}

}  // namespace quillbox
