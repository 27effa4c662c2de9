#include "catalogue/listing/row_filter.h"

#include "catalogue/icons/icon_list.h"
#include "catalogue/listing/listing_rules.h"

namespace quillbox {

bool PassesRowFilter(const TAttachment& attachment, const TListingSettings& settings)
{
    const int kind = attachment.IsHTML ? kShowHtml : kShowNonHtml;
    if ((ShownKinds(settings) & kind) == 0) return false;
    if (!settings.ExtFilterOn) return true;
    return attachment.Icon != nullptr && attachment.Icon->Ext == settings.TargetExt;
}

void ApplyRowFilter(TMailList& mails, const TListingSettings& settings)
{
    for (std::size_t m = 0; m < mails.Count(); ++m) {
        for (auto& attachment : mails[m].Attachments)
            attachment->Visible = PassesRowFilter(*attachment, settings);
    }
}

}  // namespace quillbox
