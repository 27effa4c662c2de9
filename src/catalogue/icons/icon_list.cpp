#include "catalogue/icons/icon_list.h"

#include <utility>

namespace quillbox {

std::string LowerExtension(std::string_view text, TCodePage codePage)
{
    std::string lower(text);
    for (std::size_t pos = 0; pos < lower.size();) {
        const std::size_t length = codePage.CharLength(lower, pos);
        if (length == 1 && lower[pos] >= 'A' && lower[pos] <= 'Z') lower[pos] += 'a' - 'A';
        pos += length;
    }
    return lower;
}

TIconList::TIconList(TSmallIconLoader loadIcon, TCodePage codePage)
    : loadIcon_(std::move(loadIcon)), codePage_(codePage)
{
}

const TIconListItem* TIconList::GetIcon(const std::string& dottedOrNot)
{
    std::string_view extension = dottedOrNot;
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    const std::string key = LowerExtension(extension, codePage_);
    for (const auto& item : items_) {
        if (item->Ext == key) return item.get();
    }
    auto item = std::make_unique<TIconListItem>();
    item->IconImage = loadIcon_(key);
    item->Ext = key;
    items_.push_back(std::move(item));
    return items_.back().get();
}

}  // namespace quillbox
