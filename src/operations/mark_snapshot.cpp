#include "operations/mark_snapshot.h"

namespace quillbox {

namespace {
// Calls visit(attachment, key) for each attachment of the mail that is not removed.
template <class TMail, class TVisit>
void ForEachKept(TMail& mail, TVisit visit)
{
    std::map<std::string, int> seen;
    for (const auto& attachment : mail.Attachments) {
        if (attachment->Removed) continue;
        visit(*attachment, std::make_pair(attachment->FileName, seen[attachment->FileName]++));
    }
}
}  // namespace

TMarkSnapshot::TMarkSnapshot(const TMailList& list)
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        ForEachKept(list[i], [&](const TAttachment& attachment, const TKey& key) {
            if (attachment.Marked) marked_[list[i].MailID].insert(key);
        });
    }
}

void TMarkSnapshot::Restore(TMailList& list) const
{
    for (std::size_t i = 0; i < list.Count(); ++i) {
        const auto mail = marked_.find(list[i].MailID);
        if (mail == marked_.end()) continue;
        ForEachKept(list[i], [&](TAttachment& attachment, const TKey& key) {
            if (mail->second.count(key)) attachment.Marked = true;
        });
    }
}

}  // namespace quillbox
