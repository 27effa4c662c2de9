// The data folder: mailboxes holding folders holding mails. Identifiers are
// paths relative to the data folder, ending in the path separator, so that
// data folder + folder + "Folder.idx" is the folder's index file; a mail is
// folder + "?" + key.
#pragma once

#include "store/mail_folder.h"

#include <optional>
#include <string>
#include <vector>

namespace quillbox {

#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

struct TMailId {
    std::string folder;
    std::string key;
};

// Splits at the last "?"; nullopt when there is none or the key is not valid.
std::optional<TMailId> SplitMailId(const std::string& mailId);
std::string MakeMailId(const std::string& folder, const std::string& key);

class TMailStore {
public:
    TMailStore(std::string dataFolder, unsigned codePage, TWarningSink warn);

    const std::string& DataFolder() const { return dataFolder_; }
    std::vector<std::string> MailBoxes() const;
    std::vector<std::string> Folders(const std::string& mailBox) const;
    // The last name of the folder's path.
    static std::string DisplayName(const std::string& folder);

    TMailFolder Folder(const std::string& folder) const;
    std::optional<std::string> Source(const std::string& mailId) const;
    bool ReplaceSource(const std::string& mailId, const std::string& source);
    bool SetHeader(const std::string& mailId, const std::string& name, const std::string& value);

private:
    std::string dataFolder_;
    unsigned codePage_;
    TWarningSink warn_;
};

}  // namespace quillbox
