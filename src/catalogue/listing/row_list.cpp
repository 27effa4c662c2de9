#include "catalogue/listing/row_list.h"

namespace quillbox {

TRowRef RowAt(const TRowList& rows, TMailList& mails, int position)
{
    if (position < 0 || static_cast<std::size_t>(position) >= rows.size()) return {};
    const TListPosItem& row = rows[position];
    if (row.MailIndex < 0 || static_cast<std::size_t>(row.MailIndex) >= mails.Count()) return {};
    TMailItem& mail = mails[row.MailIndex];
    if (row.AttachIndex < 0 || static_cast<std::size_t>(row.AttachIndex) >= mail.Attachments.size())
        return {};
    return {&mail, mail.Attachments[row.AttachIndex].get()};
}

}  // namespace quillbox
