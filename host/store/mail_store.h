// The data folder: mailboxes holding folders holding mails. Identifiers are
// paths relative to the data folder, ending in the path separator, so that
// data folder + folder + "Folder.idx" is the folder's index file; a mail is
// folder + "?" + key.
//
// One store per data folder and process: it keeps each folder's index in
// memory once opened, and the mail last asked for, so that a caller asking
// for a mail's header, then its source, then a header field reads the file
// once. The source it keeps is shared with whoever it was handed to, so it is
// never held twice.
#pragma once

#include "convert/file_bytes.h"
#include "store/mail_folder.h"

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
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
    TMailStore(TMailStore&&) = default;
    TMailStore& operator=(TMailStore&&) = default;

    const std::string& DataFolder() const { return dataFolder_; }
    std::vector<std::string> MailBoxes() const;
    std::vector<std::string> Folders(const std::string& mailBox);
    // The last name of the folder's path.
    static std::string DisplayName(const std::string& folder);

    TMailFolder& Folder(const std::string& folder);

    // The mail's source, read again only when its file has changed since it
    // was last read or written here; nullopt when there is no such mail.
    std::optional<TSharedText> Source(const std::string& mailId);
    // Its header block, without the empty line after it; valid until the
    // next call on the store.
    std::optional<std::string_view> ReadHeader(const std::string& mailId);
    bool ReplaceSource(const std::string& mailId, std::string source);
    bool SetHeader(const std::string& mailId, const std::string& name, const std::string& value);

    // Before someone else reads the index files: the folder's index is
    // checked against its mails, and every index whose lines changed is
    // written; false when one could not be written.
    bool SyncIndexFiles(const std::string& folder);

private:
    struct TCachedMail {
        std::string mailId;
        TFileStamp stamp;
        TSharedText source;
    };

    // The mail's entry, if it still shows what the mail's file holds.
    TCachedMail* Cached(const TMailId& id, const std::string& mailId);

    std::string dataFolder_;
    unsigned codePage_;
    TWarningSink warn_;
    std::map<std::string, std::unique_ptr<TMailFolder>> folders_;  // opened on first use
    std::optional<TCachedMail> lastMail_;
};

}  // namespace quillbox
