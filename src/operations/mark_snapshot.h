// The marks of a folder's attachments, kept across a new scan of the folder.
// An attachment is known by its mail and, within the mail, by its file name
// and how many attachments of that name come before it.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>

#include "catalogue/mail_list.h"

namespace quillbox {

class TMarkSnapshot {
public:
    // The attachments that are marked and not removed; removed ones do not
    // count among those before another of the same name.
    explicit TMarkSnapshot(const TMailList& list);

    // Marks every attachment of list that was marked when taken.
    void Restore(TMailList& list) const;

private:
    using TKey = std::pair<std::string, int>;  // file name, its place among those of that name
    std::map<std::string, std::set<TKey>> marked_;  // by MailID
};

}  // namespace quillbox
