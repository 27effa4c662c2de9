#include "catalogue/mail_list.h"

#include <algorithm>
#include <iterator>

namespace quillbox {

void TMailList::ClearMails()
{
    mails_.clear();
    AttachCount = 0;
}

void TMailList::AddInDateOrder(std::vector<std::unique_ptr<TMailItem>> mails)
{
    const auto byDate = [](const std::unique_ptr<TMailItem>& a, const std::unique_ptr<TMailItem>& b) {
        return a->Date < b->Date;
    };
    std::stable_sort(mails.begin(), mails.end(), byDate);
    const auto middle = static_cast<std::ptrdiff_t>(mails_.size());
    mails_.insert(mails_.end(), std::make_move_iterator(mails.begin()), std::make_move_iterator(mails.end()));
    std::inplace_merge(mails_.begin(), mails_.begin() + middle, mails_.end(), byDate);
}

}  // namespace quillbox
