#include "catalogue/listing/view_filter.h"

#include "catalogue/icons/icon_list.h"
#include "catalogue/listing/view_rules.h"

namespace quillbox {

bool PassesViewFilter(const TAttachment& attachment, const TViewSettings& view)
{
    const int kind = attachment.IsHTML ? kShowHtml : kShowNonHtml;
    if ((ShownKinds(view) & kind) == 0) return false;
    if (!view.ExtFilterOn) return true;
    return attachment.Icon != nullptr && attachment.Icon->Ext == view.TargetExt;
}

void ApplyViewFilter(TMailList& mails, const TViewSettings& view)
{
    for (std::size_t m = 0; m < mails.Count(); ++m) {
        for (auto& attachment : mails[m].Attachments)
            attachment->Visible = PassesViewFilter(*attachment, view);
    }
}

}  // namespace quillbox
