#include "catalogue/icons/icon_list.h"

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

TIconList::TIconList(std::unique_ptr<TIconImageSource> source, TCodePage codePage)
    : source_(std::move(source)), codePage_(codePage)
{
}

const TIconListItem* TIconList::GetIcon(std::string_view extension)
{
    if (!extension.empty() && extension.front() == '.') extension.remove_prefix(1);
    const std::string key = LowerExtension(extension, codePage_);
    for (const auto& item : items_) {
        if (item->Ext == key) return item.get();
    }
    auto item = std::make_unique<TIconListItem>();
    item->IconImage = source_->SmallIconFor(key);
    item->Ext = key;
    items_.push_back(std::move(item));
    return items_.back().get();
}

}  // namespace quillbox
