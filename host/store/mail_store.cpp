#include "store/mail_store.h"

#include "store/mail_message.h"

#include <algorithm>
#include <filesystem>

namespace quillbox {
namespace {

std::vector<std::string> SubDirectories(const std::string& directory)
{
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& item : std::filesystem::directory_iterator(directory, error))
        if (item.is_directory(error)) names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

std::optional<TMailId> SplitMailId(const std::string& mailId)
{
    const std::size_t mark = mailId.rfind('?');
    if (mark == std::string::npos) return std::nullopt;
    TMailId id{mailId.substr(0, mark), mailId.substr(mark + 1)};
    if (!IsValidKey(id.key) || id.folder.empty() || id.folder.back() != kPathSeparator) return std::nullopt;
    // Identifiers stay inside the data folder.
    if (id.folder.front() == kPathSeparator || id.folder.find("..") != std::string::npos) return std::nullopt;
    return id;
}

std::string MakeMailId(const std::string& folder, const std::string& key) { return folder + "?" + key; }

TMailStore::TMailStore(std::string dataFolder, unsigned codePage, TWarningSink warn)
    : dataFolder_(std::move(dataFolder)), codePage_(codePage), warn_(std::move(warn))
{
    if (!dataFolder_.empty() && dataFolder_.back() != kPathSeparator) dataFolder_ += kPathSeparator;
}

std::vector<std::string> TMailStore::MailBoxes() const
{
    std::vector<std::string> boxes;
    for (const std::string& name : SubDirectories(dataFolder_)) boxes.push_back(name + kPathSeparator);
    return boxes;
}

std::vector<std::string> TMailStore::Folders(const std::string& mailBox)
{
    std::vector<std::string> folders;
    for (const std::string& name : SubDirectories(dataFolder_ + mailBox)) {
        const std::string folder = mailBox + name + kPathSeparator;
        if (Folder(folder).Exists()) folders.push_back(folder);
    }
    return folders;
}

std::string TMailStore::DisplayName(const std::string& folder)
{
    std::string trimmed = folder;
    while (!trimmed.empty() && trimmed.back() == kPathSeparator) trimmed.pop_back();
    const std::size_t slash = trimmed.rfind(kPathSeparator);
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

TMailFolder& TMailStore::Folder(const std::string& folder)
{
    std::unique_ptr<TMailFolder>& opened = folders_[folder];
    if (!opened) opened = std::make_unique<TMailFolder>(dataFolder_ + folder, codePage_, warn_);
    return *opened;
}

TMailStore::TCachedMail* TMailStore::Cached(const TMailId& id, const std::string& mailId)
{
    if (lastMail_ && lastMail_->mailId == mailId && StampOf(Folder(id.folder).MailPath(id.key)) == lastMail_->stamp)
        return &*lastMail_;
    lastMail_.reset();
    return nullptr;
}

std::optional<TSharedText> TMailStore::Source(const std::string& mailId)
{
    const std::optional<TMailId> id = SplitMailId(mailId);
    if (!id) return std::nullopt;
    if (const TCachedMail* cached = Cached(*id, mailId)) return cached->source;
    TFileStamp stamp;
    std::optional<TSharedText> source = Folder(id->folder).Source(id->key, &stamp);
    if (source) lastMail_ = TCachedMail{mailId, stamp, *source};
    return source;
}

std::optional<std::string_view> TMailStore::ReadHeader(const std::string& mailId)
{
    const std::optional<TSharedText> source = Source(mailId);
    if (!source) return std::nullopt;
    // The store's own copy keeps the bytes alive after this one goes.
    return HeaderBlock(*source);
}

bool TMailStore::ReplaceSource(const std::string& mailId, std::string source)
{
    lastMail_.reset();
    const std::optional<TMailId> id = SplitMailId(mailId);
    if (!id) return false;
    TMailFolder& folder = Folder(id->folder);
    if (!folder.ReplaceSource(id->key, source)) return false;
    // What was written is what the file now holds.
    if (const std::optional<TFileStamp> stamp = StampOf(folder.MailPath(id->key)))
        lastMail_ = TCachedMail{mailId, *stamp, TSharedText(std::move(source))};
    return true;
}

bool TMailStore::SetHeader(const std::string& mailId, const std::string& name, const std::string& value)
{
    const std::optional<TSharedText> source = Source(mailId);
    return source && ReplaceSource(mailId, WithHeader(*source, name, value));
}

bool TMailStore::SyncIndexFiles(const std::string& folder)
{
    if (!folder.empty()) Folder(folder).Entries();
    bool written = true;
    for (auto& [name, opened] : folders_) written = opened->WriteIndex() && written;
    return written;
}

}  // namespace quillbox
